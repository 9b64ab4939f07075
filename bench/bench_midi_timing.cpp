// bench_midi_timing — real backend: how punctually the MIDI play thread wakes
// and how punctually its notes sound, over a long generated song.
//
// Plays a 10-minute song (--short: 1 minute; --seconds N) through
// TVexmoraMidi on the SDL backend's music synthesiser, with SDL's audio device
// (run under xvfb-run; SDL_AUDIODRIVER=dummy or disk works without sound
// hardware), and prints:
//   (a) the play thread's wake-up lateness against its 10 ms schedule (each
//       cycle's first message time), p50/p99/max, and the drift between the
//       first and last minute's mean lateness;
//   (b) each note-on's lateness as rendered: the frame it takes effect at
//       (FluidSynth's block edge included) against the frame of its send
//       time plus the constant device-period delay, p50/p99/max of the
//       absolute value (a note may go up to half a synthesiser block early);
//   (c) CPU time of the play thread and of the audio thread.
// The song sends a message about every 5 ms, so every cycle shows up.
#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "midi/Vxmidi.h"
#include "plat/app.h"
#include "plat/detail/backend.h"
#include "plat/kernel.h"
#include "plat/sdl.h"
#include "plat/timer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::int64_t kMs = 1'000'000, kCycleNs = 10 * kMs;

void Put(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Vlq(Bytes& b, std::uint32_t v) {
  Bytes r{static_cast<std::uint8_t>(v & 0x7F)};
  while (v >>= 7) r.insert(r.begin(), static_cast<std::uint8_t>(0x80 | (v & 0x7F)));
  b.insert(b.end(), r.begin(), r.end());
}

// Format 0, 480 ticks a quarter at 120 bpm (960 ticks a second): a note on
// one of three channels every 10 ticks, each released 5 ticks later.
Bytes Song(int seconds) {
  Bytes t;
  const std::uint8_t programs[3] = {0, 33, 80};
  for (std::uint8_t ch = 0; ch < 3; ++ch) {
    Vlq(t, 0);
    t.insert(t.end(), {static_cast<std::uint8_t>(0xC0 | ch), programs[ch]});
  }
  const int notes = seconds * 96;
  for (int i = 0; i < notes; ++i) {
    const auto ch = static_cast<std::uint8_t>(i % 3);
    const auto key = static_cast<std::uint8_t>(48 + (i * 7) % 36);
    Vlq(t, i == 0 ? 0 : 5);
    t.insert(t.end(), {static_cast<std::uint8_t>(0x90 | ch), key, 90});
    Vlq(t, 5);
    t.insert(t.end(), {static_cast<std::uint8_t>(0x80 | ch), key, 0});
  }
  Vlq(t, 0);
  t.insert(t.end(), {0xFF, 0x2F, 0x00});
  Bytes smf{'M', 'T', 'h', 'd'};
  Put(smf, 6, 4);
  Put(smf, 0, 2);
  Put(smf, 1, 2);
  Put(smf, 480, 2);
  smf.insert(smf.end(), {'M', 'T', 'r', 'k'});
  Put(smf, static_cast<std::uint32_t>(t.size()), 4);
  smf.insert(smf.end(), t.begin(), t.end());
  return smf;
}

double Ms(std::int64_t ns) {
  return static_cast<double>(ns) / 1e6;
}

double CpuSeconds(clockid_t id) {
  timespec ts{};
  return clock_gettime(id, &ts) == 0 ? static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9 : 0;
}

void Row(const char* what, std::vector<std::int64_t> v, const char* target) {
  if (v.empty()) {
    std::printf("%-34s (no samples)\n", what);
    return;
  }
  std::sort(v.begin(), v.end());
  auto at = [&](double q) {
    return Ms(v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))]);
  };
  std::printf("%-34s %8zu %9.3f %9.3f %9.3f   %s\n", what, v.size(), at(0.5), at(0.99),
              Ms(v.back()), target);
}

struct Trace {
  std::thread::id main = std::this_thread::get_id();
  std::vector<std::int64_t> sent;  // play thread only
  std::atomic<clockid_t> playCpu{0}, audioCpu{0};
  std::atomic<bool> playSeen{false}, audioSeen{false};
  std::vector<std::int64_t> late;  // audio thread only
};

}  // namespace

int main(int argc, char** argv) {
  int seconds = 600;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--short"))
      seconds = 60;
    else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
      seconds = std::max(5, std::atoi(argv[++i]));
  }
  if (const std::string why = plat::sdl::Start(); !why.empty()) {
    std::fprintf(stderr, "bench_midi_timing: no display: %s\n", why.c_str());
    return 1;
  }
  constexpr int kRate = 22050;  // what the game's primary buffer asks for
  plat::detail::Backend* backend = plat::detail::ActiveBackend();
  if (backend->OpenAudio(kRate, [](std::int16_t* o, int n) { std::fill_n(o, 2 * n, 0); }) == 0) {
    std::fprintf(stderr, "bench_midi_timing: no audio device\n");
    return 1;
  }
  auto trace = std::make_unique<Trace>();
  trace->sent.reserve(static_cast<std::size_t>(seconds) * 250);
  trace->late.reserve(static_cast<std::size_t>(seconds) * 120);
  Trace* tr = trace.get();
  plat::sdl::TraceMidi({[tr](std::int64_t ns) {
                          if (std::this_thread::get_id() == tr->main) return;  // resets from Play
                          if (!tr->playSeen.exchange(true)) {
                            clockid_t id{};
                            if (pthread_getcpuclockid(pthread_self(), &id) == 0) tr->playCpu = id;
                          }
                          tr->sent.push_back(ns);
                        },
                        [tr](std::int64_t /*sentNs*/, std::int64_t lateNs) {
                          if (!tr->audioSeen.exchange(true)) {
                            clockid_t id{};
                            if (pthread_getcpuclockid(pthread_self(), &id) == 0) tr->audioCpu = id;
                          }
                          tr->late.push_back(lateNs);
                        }});

  const Bytes smf = Song(seconds);
  std::vector<std::byte> data(smf.size());
  std::memcpy(data.data(), smf.data(), smf.size());
  plat::RegisterResource("MIDI", "bench.mid", std::move(data));
  auto midi = std::make_unique<VexmoraMidiSystem::TVexmoraMidi>(nullptr);
  std::atomic<bool> ended{false};
  midi->OnMidiEnd = [&](plat::TComponent*) { ended = true; };
  midi->Init();
  midi->CreateData("bench", "bench.mid");
  std::printf("playing %d s of generated music at %d Hz...\n", seconds, kRate);
  std::fflush(stdout);
  midi->Play("bench", false);
  while (!ended) {
    plat::Sleep(50);
    plat::Application::ProcessMessages();
  }
  const double playCpu = tr->playSeen ? CpuSeconds(tr->playCpu) : 0;
  const double audioCpu = tr->audioSeen ? CpuSeconds(tr->audioCpu) : 0;
  midi.reset();
  backend->CloseAudio();
  plat::sdl::TraceMidi({});

  // (a) Cycles start on a 10 ms grid of whole scheduler milliseconds; its
  // phase is the most common last digit of the cycles' millisecond.
  std::vector<std::int64_t> firsts;
  for (std::int64_t ns : tr->sent)
    if (firsts.empty() || ns - firsts.back() > kMs)
      firsts.push_back(ns);  // a cycle sends within µs
  int votes[10] = {};
  for (std::int64_t ns : firsts) ++votes[(ns / kMs) % 10];
  const std::int64_t phase = (std::max_element(votes, votes + 10) - votes) * kMs;
  std::vector<std::int64_t> wake;
  for (std::int64_t ns : firsts) wake.push_back(((ns - phase) % kCycleNs + kCycleNs) % kCycleNs);
  const std::int64_t cycles = firsts.empty() ? 0 : (firsts.back() - firsts.front()) / kCycleNs + 1;
  const std::size_t minute = std::min<std::size_t>(wake.size() / 2, 6000);
  auto mean = [&](std::size_t from, std::size_t n) {
    double s = 0;
    for (std::size_t i = from; i < from + n; ++i) s += static_cast<double>(wake[i]);
    return n ? s / static_cast<double>(n) : 0.0;
  };
  const double drift = mean(wake.size() - minute, minute) - mean(0, minute);

  std::printf("\n%-34s %8s %9s %9s %9s   %s\n", "", "count", "p50 ms", "p99 ms", "max ms",
              "target");
  Row("(a) play-thread wake-up lateness", wake, "p99 <= 0.5, max <= 2");
  std::vector<std::int64_t> lateAbs;
  for (std::int64_t ns : tr->late) lateAbs.push_back(ns < 0 ? -ns : ns);
  Row("(b) |note-on lateness| as rendered", lateAbs, "<= 1.5");
  std::printf(
      "(a) cycles seen %zu of %lld on the grid; drift first->last minute %.4f ms (target 0)\n",
      firsts.size(), static_cast<long long>(cycles), drift / 1e6);
  std::printf("(c) CPU: play thread %.3f s (%.3f%% of %d s), audio thread %.3f s (%.2f%%)\n",
              playCpu, 100 * playCpu / seconds, seconds, audioCpu, 100 * audioCpu / seconds);
  plat::Application::Shutdown();
  plat::sdl::Stop();
  return 0;
}
