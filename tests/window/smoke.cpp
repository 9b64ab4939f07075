// smoke.cpp — the game in a real SDL window (run under Xvfb by ctest).
//
// Usage: kx_window_smoke <out.png> [data folder]
// Starts the sdl backend and the game, runs 60 frames, saves what the window
// shows, checks it is a 640 x 480 picture, then presses Escape through SDL's
// event queue and expects the window to close within 100 loop passes. Message
// boxes answer No without showing (nobody can click under Xvfb), so the game
// keeps its 640 x 480 display. Exit status 0 on success, else 1 with the
// reason on stderr.
#include <cstdio>
#include <fstream>
#include <string>

#include "game/Kx_main.h"
#include "plat/app.h"
#include "plat/sdl.h"

namespace {

int Fail(const std::string& why) {
  std::fprintf(stderr, "window smoke test: %s\n", why.c_str());
  return 1;
}

// Width and height from a PNG's header (IHDR follows the 8-byte signature);
// {0, 0} when the file is missing or not a PNG.
std::pair<unsigned, unsigned> PngSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char h[24] = {};
  if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return {0, 0};
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (int i = 0; i < 8; ++i) {
    if (h[i] != kSignature[i]) return {0, 0};
  }
  auto be32 = [&](int at) {
    return unsigned{h[at]} << 24 | unsigned{h[at + 1]} << 16 | unsigned{h[at + 2]} << 8 | h[at + 3];
  };
  return {be32(16), be32(20)};
}

int Run(const std::string& png, const std::string& dataDir) {
  plat::sdl::AutoAnswerMessageBoxes(false);
  kx::GameOptions options;
  options.dataDir = dataDir;
  options.scoreFile = png + ".K_score.dat";  // keep the real ranking out of it
  std::remove(options.scoreFile.c_str());
  if (!kx::StartGame(options)) return Fail("the game's start-up failed (its message is above)");
  if (!plat::Application::RunFor(60)) return Fail("the window closed during the first 60 frames");

  if (const std::string err = plat::sdl::SaveWindowPng(png); !err.empty()) return Fail(err);
  const auto [w, h] = PngSize(png);
  // Answering No to the display question gives the 640 x 480 mode: the
  // window fills the screen (at least 640 x 480) with the picture scaled.
  if (w < 640 || h < 480) {
    return Fail(png + " shows " + std::to_string(w) + " x " + std::to_string(h) +
                ", expected at least the 640 x 480 mode");
  }

  plat::sdl::InjectKey(plat::VK_ESCAPE, true);
  plat::sdl::InjectKey(plat::VK_ESCAPE, false);
  if (plat::Application::RunFor(100)) return Fail("Escape did not close the window");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: kx_window_smoke <out.png> [data folder]");
  if (const std::string err = plat::sdl::Start(); !err.empty()) return Fail("SDL: " + err);
  const int status = Run(argv[1], argc > 2 ? argv[2] : "");
  kx::ShutdownGame();
  plat::sdl::Stop();
  if (status == 0) std::printf("window smoke test passed: %s\n", argv[1]);
  return status;
}
