// bench_mixer — what mixing one second of sound with 16 voices costs: every
// mix of 8/16-bit, mono/stereo and 11025..44100 Hz, most played slightly off
// their rate (resampled), looping with their own volume and pan, rendered by
// the headless device at 44100 Hz in 10 ms ticks. "x_realtime" is how many
// times faster than real time that runs on one core.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "plat/dsound.h"
#include "plat/headless.h"

namespace {

using namespace plat;

void BM_MixOneSecond16Voices(benchmark::State& state) {
  auto& control = headless::Start();
  Form form{Form::Desc{}};
  std::shared_ptr<IDirectSound> ds;
  std::shared_ptr<IDirectSoundBuffer> primary;
  if (CoCreateDirectSound(ds) != DS_OK || ds->Initialize() != DS_OK ||
      ds->SetCooperativeLevel(&form, DSSCL_PRIORITY) != DS_OK) {
    state.SkipWithError("no sound device");
    return;
  }
  std::vector<std::shared_ptr<IDirectSoundBuffer>> voices;
  const std::uint32_t rates[] = {11025, 22050, 32000, 44100};
  for (int i = 0; i < 16; ++i) {
    WAVEFORMATEX f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = static_cast<std::uint16_t>(1 + i % 2);
    f.wBitsPerSample = static_cast<std::uint16_t>(i % 4 < 2 ? 16 : 8);
    f.nSamplesPerSec = rates[(i / 4) % 4];
    f.nBlockAlign = static_cast<std::uint16_t>(f.nChannels * f.wBitsPerSample / 8);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    std::shared_ptr<IDirectSoundBuffer> b;
    ds->CreateSoundBuffer({0x180E2, f.nAvgBytesPerSec, &f}, b);  // one second long
    void *p1, *p2;
    std::uint32_t n1, n2;
    b->Lock(0, f.nAvgBytesPerSec, &p1, &n1, &p2, &n2, 0);
    auto* bytes = static_cast<std::uint8_t*>(p1);
    for (std::uint32_t k = 0; k < n1; ++k) bytes[k] = static_cast<std::uint8_t>(k * 37 + i);
    b->Unlock(p1, n1, p2, n2);
    b->SetVolume(-100 * i);
    b->SetPan(1000 * (i - 8));
    b->SetFrequency(f.nSamplesPerSec + 1000u * static_cast<std::uint32_t>(i % 3));
    b->Play(0, 0, DSBPLAY_LOOPING);
    voices.push_back(std::move(b));
  }
  for (auto _ : state) control.Advance(1000);
  // Seconds of sound mixed per second of CPU; 100 / x is the per cent of one
  // core that real-time playback takes.
  state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
  voices.clear();
  ds.reset();
  headless::Stop();
}

BENCHMARK(BM_MixOneSecond16Voices)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
