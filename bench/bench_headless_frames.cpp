// bench_headless_frames — what one frame of the game costs on the headless
// backend, at the title and in the attract demo. Each benchmark keeps the game
// in its mode by holding the mode timer back, so every measured frame is a
// frame of that mode. The "fps" counter is frames per second of CPU time.
#include <benchmark/benchmark.h>

#include "game/Kx_main.h"
#include "plat/headless.h"

namespace {

void RunMode(benchmark::State& state, std::uint32_t mode) {
  auto& control = plat::headless::Start();
  kx::GameOptions options;
  options.dataDir = KX_DATA_DIR;
  options.seedGiven = true;
  options.scoreFile = "/nonexistent/K_score.dat";
  kx::TForm1* game = kx::StartGame(options);
  if (!game) {
    state.SkipWithError("start-up failed");
    return;
  }
  game->gameMode = mode;
  for (auto _ : state) {
    game->modeTimer = 0;
    control.StepFrames(1);
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                             benchmark::Counter::kIsRate);
  kx::ShutdownGame();
  plat::headless::Stop();
}

void BM_TitleFrame(benchmark::State& state) { RunMode(state, kx::kTitle); }
void BM_DemoFrame(benchmark::State& state) { RunMode(state, kx::kDemo); }

// Start-up to the first presented frame: splash, ranking, tables, star
// field, all 589 bitmaps and the form pictures, then one frame.
void BM_StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    auto& control = plat::headless::Start();
    kx::GameOptions options;
    options.dataDir = KX_DATA_DIR;
    options.seedGiven = true;
    options.scoreFile = "/nonexistent/K_score.dat";  // default ranking, nothing written
    if (!kx::StartGame(options)) {
      state.SkipWithError("start-up failed");
      break;
    }
    control.StepFrames(1);
    kx::ShutdownGame();
    plat::headless::Stop();
  }
}

BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DemoFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
