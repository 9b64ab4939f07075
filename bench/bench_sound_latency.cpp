// bench_sound_latency — real backend: the time from IDirectSoundBuffer::Play
// to the audio callback that mixes the buffer's first samples into the
// device buffer (seen through a position notification two bytes in, which
// fires during that render). Runs on SDL's audio device (the dummy driver on
// a machine without sound; it paces callbacks in real time the same way).
// Needs a display for SDL (run under xvfb-run). Counters in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "plat/app.h"
#include "plat/dsound.h"
#include "plat/kernel.h"
#include "plat/sdl.h"
#include "plat/timer.h"

namespace {

void BM_PlayToFirstMix(benchmark::State& state) {
  if (!plat::sdl::Start().empty()) {
    state.SkipWithError("no display");
    return;
  }
  plat::Form& form = plat::Application::CreateForm({"latency", 64, 64});
  std::shared_ptr<plat::IDirectSound> ds;
  std::shared_ptr<plat::IDirectSoundBuffer> primary, b;
  plat::CoCreateDirectSound(ds);
  if (!ds || ds->Initialize() != plat::DS_OK) {
    state.SkipWithError("no audio device");
    return;
  }
  ds->SetCooperativeLevel(&form, plat::DSSCL_PRIORITY);
  plat::WAVEFORMATEX f{1, 1, 44100, 88200, 2, 16, 0};
  ds->CreateSoundBuffer({0x181E0, 44100 * 2, &f}, b);  // one second, notifications allowed
  plat::Event mixed;
  const plat::DSBPOSITIONNOTIFY note{2, &mixed};
  b->QueryNotify();
  b->SetNotificationPositions({&note, 1});
  std::vector<double> ms;
  int phase = 0;
  for (auto _ : state) {
    // Start at a different moment of the device period each time.
    plat::Sleep(static_cast<std::uint32_t>(phase++ % 12));
    b->Stop();
    b->SetCurrentPosition(0);
    mixed.Reset();
    const auto t0 = std::chrono::steady_clock::now();
    b->Play(0, 0, 0);
    mixed.Wait(1000);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  state.counters["p50_ms"] = ms[ms.size() / 2];
  state.counters["max_ms"] = ms.back();
  b.reset();
  primary.reset();
  ds.reset();
  plat::Application::Shutdown();
  plat::sdl::Stop();
}

BENCHMARK(BM_PlayToFirstMix)->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
