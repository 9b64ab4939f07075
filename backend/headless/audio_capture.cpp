// audio_capture.cpp — rendering the mixer on virtual-time device ticks.
#include "audio_capture.h"

namespace plat::headless {

int AudioCapture::Open(int rate, detail::Backend::AudioRender render) {
  Close();
  if (rate <= 0) return 0;
  if (rate != rate_) samples_.clear();
  rate_ = rate;
  render_ = std::move(render);
  openedMs_ = clock_.NowMs();
  rendered_ = 0;
  tick_ = clock_.AddDeviceTick(periodMs_, [this] { RenderUntilNow(); });
  return rate_;
}

void AudioCapture::Close() {
  if (tick_ == 0) return;
  clock_.RemoveDeviceTick(tick_);
  tick_ = 0;
  RenderUntilNow();
  render_ = nullptr;
}

void AudioCapture::RenderUntilNow() {
  const std::uint64_t due = (clock_.NowMs() - openedMs_) * static_cast<std::uint64_t>(rate_) / 1000;
  if (due <= rendered_) return;
  const auto frames = static_cast<int>(due - rendered_);
  const std::size_t at = keep_ ? samples_.size() : 0;
  samples_.resize(at + static_cast<std::size_t>(frames) * 2);
  render_(samples_.data() + at, frames);
  if (overlay_) {
    // The first frame's time, rounded up so a message at a whole
    // millisecond lands on floor(ms * rate / 1000) exactly.
    const std::uint64_t offsetNs =
        (rendered_ * 1'000'000'000 + static_cast<std::uint64_t>(rate_) - 1) /
        static_cast<std::uint64_t>(rate_);
    overlay_(samples_.data() + at, frames, rate_,
             static_cast<std::int64_t>(openedMs_ * 1'000'000 + offsetNs));
  }
  rendered_ = due;
}

}  // namespace plat::headless
