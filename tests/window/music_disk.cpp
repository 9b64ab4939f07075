// music_disk.cpp — the game's music on the real backend, written to a file by
// SDL's disk audio driver (run under Xvfb by ctest, SDL_AUDIODRIVER=disk).
//
// Usage: kx_window_music <raw file> [data folder]; SDL_DISKAUDIOFILE must name
// the same file. Runs the game's title for 60 frames (about 2.2 s), closes it,
// and checks the raw 22050 Hz 16-bit stereo stream: the title song must be
// heard within its first second and keep sounding. Exit status 0 on success,
// else 1 with the reason on stderr.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/Kx_main.h"
#include "plat/app.h"
#include "plat/sdl.h"

namespace {

constexpr int kRate = 22050;  // the game's primary buffer format, unconverted by SDL

int Fail(const std::string& why) {
  std::fprintf(stderr, "music disk test: %s\n", why.c_str());
  return 1;
}

std::vector<std::int16_t> ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::vector<std::int16_t> pcm(bytes.size() / 2);
  for (std::size_t i = 0; i < pcm.size(); ++i)
    pcm[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return pcm;
}

double Rms(const std::vector<std::int16_t>& pcm, double from, double to) {
  const auto a = static_cast<std::size_t>(from * kRate) * 2,
             b = std::min(pcm.size(), static_cast<std::size_t>(to * kRate) * 2);
  double sum = 0;
  for (std::size_t i = a; i < b; ++i) sum += static_cast<double>(pcm[i]) * pcm[i];
  return b > a ? std::sqrt(sum / static_cast<double>(b - a)) : 0;
}

int Run(const std::string& raw, const std::string& dataDir) {
  plat::sdl::AutoAnswerMessageBoxes(false);
  kx::GameOptions options;
  options.dataDir = dataDir;
  options.scoreFile = raw + ".K_score.dat";
  std::remove(options.scoreFile.c_str());
  if (!kx::StartGame(options)) return Fail("the game's start-up failed (its message is above)");
  plat::Application::RunFor(60);
  kx::ShutdownGame();  // closes the audio device: the file is complete
  const std::vector<std::int16_t> pcm = ReadRaw(raw);
  const double seconds = static_cast<double>(pcm.size()) / 2 / kRate;
  if (seconds < 1.5) return Fail(raw + " holds only " + std::to_string(seconds) + " s of audio");
  std::size_t onset = 0;
  while (onset < pcm.size() && std::abs(pcm[onset]) < 64) ++onset;
  const double onsetS = static_cast<double>(onset / 2) / kRate;
  if (onsetS > 1.0)
    return Fail("no music in the first second (first sound at " + std::to_string(onsetS) + " s)");
  const double level = Rms(pcm, onsetS + 0.2, seconds - 0.1);
  if (level < 200) return Fail("the music fades out: RMS " + std::to_string(level));
  std::printf("music disk test passed: %.2f s captured, music from %.3f s, RMS %.0f\n", seconds,
              onsetS, level);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: kx_window_music <raw file> [data folder]");
  if (const char* driver = std::getenv("SDL_AUDIODRIVER"); !driver || std::string(driver) != "disk")
    return Fail("run with SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE=<raw file>");
  std::remove(argv[1]);
  if (const std::string err = plat::sdl::Start(); !err.empty()) return Fail("SDL: " + err);
  const int status = Run(argv[1], argc > 2 ? argv[2] : "");
  plat::sdl::Stop();
  return status;
}
