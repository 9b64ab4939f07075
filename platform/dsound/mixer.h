// mixer.h — the software mixer behind every DirectSound buffer.
//
// Each secondary buffer is a Voice: shared sample memory (duplicates point to
// the same bytes), a play cursor in 32.32 fixed-point frames, Q16 gains and
// its notifications. Render mixes the playing voices into interleaved 16-bit
// stereo at the device rate: linear interpolation, per-side gains, the master
// gain of the primary buffer, clipping. All integer arithmetic, so the same
// calls give the same samples on every machine.
//
// One std::mutex guards every voice, its memory and the mixer settings.
// Render holds it for one callback's worth of mixing and sets notification
// events under it (Event::Set never waits); callers never block in a
// platform wait while holding it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "plat/dsound.h"
#include "plat/kernel.h"

namespace plat::dsound {

inline constexpr std::int32_t kUnityGain = 1 << 16;
// Hundredths of a decibel -> Q16 linear gain, 10^(v/2000); -10000 and below
// is silence.
std::int32_t GainQ16(std::int32_t hundredthsDb);

struct PcmFormat {
  int channels = 2;
  int bits = 16;
  std::uint32_t rate = 44100;
  int blockAlign = 4;
};

struct SampleMemory {
  std::vector<std::uint8_t> bytes;
};

struct Voice {
  std::shared_ptr<SampleMemory> memory;
  PcmFormat format;
  std::uint32_t frames = 0;     // whole frames in memory
  std::uint64_t position = 0;   // play cursor, frames in 32.32 fixed point
  std::uint32_t frequency = 0;  // playback rate in Hz
  std::int32_t volume = 0, pan = 0;
  std::int32_t gainLeft = kUnityGain, gainRight = kUnityGain;
  bool playing = false, looping = false;
  std::vector<DSBPOSITIONNOTIFY> atOffsets;  // sorted by offset
  std::vector<Event*> atStop;

  // Recomputes the side gains from volume and pan: a positive pan attenuates
  // the left side by pan, a negative one the right side by -pan.
  void UpdateGains();
};

// How far a voice moved in one render, in unwrapped whole frames.
struct Travel {
  std::uint64_t from = 0, to = 0;
  bool ended = false;  // a non-looping voice reached its end
};

// Adds `frames` device frames of `v` (playing) into `acc` (stereo int32) and
// advances its cursor; `step` is source frames per device frame, 32.32.
Travel MixVoice(Voice& v, std::int32_t* acc, int frames, std::uint64_t step);

class Mixer {
 public:
  explicit Mixer(std::uint32_t rate) : rate_(rate) {}
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  std::mutex& Mutex() { return mutex_; }

  // Callers hold Mutex().
  void Add(Voice* v);
  void Remove(Voice* v);
  // Starts a stopped voice (firing the offsets at its position) or only
  // changes the looping flag of a playing one.
  void Start(Voice& v, bool looping);
  // Stops a playing voice and fires its stop events; nothing if stopped.
  void Stop(Voice& v);

  // These take Mutex() themselves.
  void SetRate(std::uint32_t rate);
  std::uint32_t Rate();
  void SetMasterVolume(std::int32_t hundredthsDb);
  void SetShape(bool mono, bool eightBit);  // what a mono / 8-bit device hears
  void Render(std::int16_t* out, int frames);

 private:
  void FireCrossed(const Voice& v, const Travel& t) const;

  std::mutex mutex_;
  std::vector<Voice*> voices_;
  std::uint32_t rate_;
  std::int32_t master_ = kUnityGain;
  bool mono_ = false, eightBit_ = false;
  std::vector<std::int32_t> acc_;  // reused between renders
};

}  // namespace plat::dsound
