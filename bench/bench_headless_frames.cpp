// bench_headless_frames — what one frame of the game costs on the headless
// backend, at the title and in the attract demo. Each benchmark keeps the game
// in its mode by holding the mode timer back, so every measured frame is a
// frame of that mode. The "fps" counter is frames per second of CPU time.
#include <benchmark/benchmark.h>

#include "bench_game.h"

namespace {

void RunMode(benchmark::State& state, std::uint32_t mode) {
  kx::TForm1* game = kxbench::StartBenchGame();
  if (!game) {
    state.SkipWithError("start-up failed");
    return;
  }
  game->gameMode = mode;
  for (auto _ : state) {
    game->modeTimer = 0;
    plat::Application::RunFor(1);
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                             benchmark::Counter::kIsRate);
  kxbench::StopBenchGame();
}

void BM_TitleFrame(benchmark::State& state) { RunMode(state, kx::kTitle); }
void BM_DemoFrame(benchmark::State& state) { RunMode(state, kx::kDemo); }

// Start-up to the first presented frame: splash, ranking, tables, star
// field, all 589 bitmaps and the form pictures, then one frame.
void BM_StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    if (!kxbench::StartBenchGame()) {
      state.SkipWithError("start-up failed");
      break;
    }
    plat::Application::RunFor(1);
    kxbench::StopBenchGame();
  }
}

BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DemoFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
