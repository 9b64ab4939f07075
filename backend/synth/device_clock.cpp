// device_clock.cpp — the callback line: early callbacks at once, late ones
// in small steps, the pace tracked.
#include "synth/device_clock.h"

#include <algorithm>
#include <cmath>

namespace plat::synth {
namespace {

constexpr double kPhaseGain = 1.0 / 32, kPeriodGain = 1.0 / 512;
constexpr double kMaxPaceError = 0.05;  // a pace further off than 5% is jitter

}  // namespace

DeviceClock::Window DeviceClock::Block(std::int64_t nowNs, int frames, int rate) {
  const double nominal = static_cast<double>(frames) * 1e9 / rate;
  const auto now = static_cast<double>(nowNs);
  const double late = now - (line_ + period_);
  double previous = line_;
  if (!started_ || rate != rate_ || frames != frames_ || late > kResyncNs) {
    line_ = now;
    previous = now - nominal;
    period_ = nominal;
    started_ = true;
    rate_ = rate;
    frames_ = frames;
  } else {
    line_ = late <= 0 ? now : line_ + period_ + kPhaseGain * late;
    period_ = std::clamp(period_ + kPeriodGain * late, nominal * (1 - kMaxPaceError),
                         nominal * (1 + kMaxPaceError));
  }
  const std::int64_t start = std::llround(previous);
  return {start, std::max<std::int64_t>(1, std::llround(line_) - start)};
}

}  // namespace plat::synth
