// recording_sink.h — a MidiSink that remembers at which frame of the stream
// each message was applied, and renders nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "synth/timed_midi.h"

namespace kxtest {

struct RecordingSink : plat::synth::MidiSink {
  struct Applied {
    std::int64_t frame;
    std::vector<std::uint8_t> bytes;
  };
  void Apply(std::span<const std::uint8_t> bytes) override {
    applied.push_back({mixed, {bytes.begin(), bytes.end()}});
  }
  void Mix(std::int16_t* /*out*/, int frames, int /*rate*/) override { mixed += frames; }

  std::int64_t mixed = 0;  // frames rendered so far
  std::vector<Applied> applied;
};

}  // namespace kxtest
