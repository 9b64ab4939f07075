// audio_capture.h — the headless audio sink: a device tick on the virtual
// clock that asks the mixer for the frames due since the last tick and keeps
// them.
//
// Frames due at virtual time t are (t - opened) * rate / 1000, so a rate that
// does not divide into the period (22050 Hz, 10 ms) still gives exactly
// `rate` frames a second, and a run repeats bit for bit. Closing renders up
// to the current millisecond first. Reopening at the same rate appends,
// at another rate starts a new capture. An overlay (the music synthesiser)
// is mixed over each block after the mixer, told the virtual time in ns its
// first frame stands for.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "plat/detail/backend.h"
#include "virtual_scheduler.h"

namespace plat::headless {

class AudioCapture {
 public:
  // keep = false renders every block into the same buffer and keeps only
  // the last one: a long run then costs no memory for its sound.
  AudioCapture(VirtualScheduler& clock, std::uint32_t periodMs, bool keep)
      : clock_(clock), periodMs_(periodMs), keep_(keep) {}
  ~AudioCapture() { Close(); }
  AudioCapture(const AudioCapture&) = delete;
  AudioCapture& operator=(const AudioCapture&) = delete;

  int Open(int rate, detail::Backend::AudioRender render);
  void Close();
  using Overlay =
      std::function<void(std::int16_t* out, int frames, int rate, std::int64_t blockStartNs)>;
  void SetOverlay(Overlay overlay) { overlay_ = std::move(overlay); }
  std::span<const std::int16_t> Samples() const { return samples_; }
  int Rate() const { return rate_; }

 private:
  void RenderUntilNow();

  VirtualScheduler& clock_;
  const std::uint32_t periodMs_;
  const bool keep_;
  int tick_ = 0;  // 0 = closed
  detail::Backend::AudioRender render_;
  Overlay overlay_;
  int rate_ = 0;
  std::uint64_t openedMs_ = 0;
  std::uint64_t rendered_ = 0;  // frames since openedMs_
  std::vector<std::int16_t> samples_;
};

}  // namespace plat::headless
