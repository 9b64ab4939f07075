// device.h — the one audio device behind every DirectSound object, and the
// state one IDirectSound shares with its buffers.
//
// The first Initialize opens the backend's audio sink at 44100 Hz with a
// fresh mixer; later device objects share it, and the last release closes
// it. A primary SetFormat reopens the sink at the new rate. Opening, closing
// and reopening are serialised by one registry lock; none of them happens
// under the mixer lock (the SDL close waits for its audio callback, which
// takes that lock).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "mixer.h"

namespace plat::dsound {

inline constexpr std::uint32_t kDefaultDeviceRate = 44100;

class AudioDevice {
 public:
  // The open device, opened now if there is none; null when the backend has
  // no audio device (or no backend is installed).
  static std::shared_ptr<AudioDevice> Acquire();
  ~AudioDevice();  // closes the sink if it is still ours
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  Mixer& mixer() { return mixer_; }
  // Reopens the sink at `rate`; false when that failed (the sink then runs
  // at the old rate again if it can).
  bool SetRate(std::uint32_t rate);

 private:
  AudioDevice() : mixer_(kDefaultDeviceRate) {}
  Mixer mixer_;
};

struct Session {
  std::shared_ptr<AudioDevice> device;
  std::atomic<std::uint32_t> level{0};  // cooperative level, 0 = not set
};

}  // namespace plat::dsound
