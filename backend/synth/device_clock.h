// device_clock.h — which send times the frames an audio callback asks for
// stand for, so music messages keep a constant delay of one device period.
//
// A callback asked at time T for a period of n frames renders the messages
// sent during the period before it: its first frame stands for T - n/rate.
// Callback times jitter with the device thread's scheduling, and the device
// may keep a pace other than n/rate (its own clock; a driver that sleeps
// whole milliseconds), so the clock keeps a line: each callback predicted one
// tracked period after the last.
//  - A callback early against the line moves the line to itself: nothing
//    sent after the callback can be rendered by it, and a message must never
//    find its sample already played.
//  - A late one pulls the line 1/32 of the way, so scheduling hiccups do not
//    shake the music (a late callback renders only what is already queued).
//  - Both nudge the tracked period, so a steady difference of pace is
//    followed without the line falling behind.
// Each block covers the send times from the last callback's point on the
// line to this one's: the blocks tile send time without gaps or overlaps,
// each stretched by the line's corrections.
// A callback more than kResyncNs late (the first one, a stall, a new rate or
// period) starts a new line.
#pragma once

#include <cstdint>

namespace plat::synth {

class DeviceClock {
 public:
  static constexpr std::int64_t kResyncNs = 50'000'000;

  struct Window {
    std::int64_t startNs;   // the send time of the block's first frame
    std::int64_t lengthNs;  // the send times the block covers, at least 1
  };
  // The send times of the block of `frames` frames asked for at `nowNs`.
  Window Block(std::int64_t nowNs, int frames, int rate);

 private:
  bool started_ = false;
  int rate_ = 0, frames_ = 0;
  double line_ = 0;    // the last callback's time on the line (ns)
  double period_ = 0;  // tracked time between callbacks (ns)
};

}  // namespace plat::synth
