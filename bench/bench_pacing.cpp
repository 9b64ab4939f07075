// bench_pacing — frame pacing on the real clock: SpinUntil (sleep to about
// 2 ms before the deadline, then spin) against a pure spin on timeGetTime.
// Counters: late_ms = mean lateness of a frame start past its deadline, and
// cpu = CPU time used per wall time (1.0 = one core busy).
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "plat/timer.h"

namespace {

template <typename Wait>
void Pace(benchmark::State& state, Wait wait) {
  double late = 0, frames = 0;
  const std::clock_t cpu0 = std::clock();
  const auto wall0 = std::chrono::steady_clock::now();
  for (auto _ : state) {
    std::uint32_t last = plat::timeGetTime();
    for (int i = 0; i < 20; ++i) {
      const std::uint32_t deadline = last + 37;
      last = wait(deadline);
      late += static_cast<std::int32_t>(last - deadline);
      frames += 1;
    }
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  state.counters["late_ms"] = late / frames;
  state.counters["cpu"] = (static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC) / wall;
}

void BM_SleepThenSpin(benchmark::State& state) {
  Pace(state, [](std::uint32_t d) { return plat::SpinUntil(d); });
}
void BM_PureSpin(benchmark::State& state) {
  Pace(state, [](std::uint32_t d) {
    std::uint32_t now;
    while (!plat::TimeReached(now = plat::timeGetTime(), d)) {
    }
    return now;
  });
}

BENCHMARK(BM_SleepThenSpin)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PureSpin)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
