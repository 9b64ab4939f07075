// synth.h — the music synthesiser: FluidSynth with a General MIDI soundfont,
// rendered into 16-bit stereo, shared by the backends.
//
// Create loads the soundfont (FindSoundfont) or says why it cannot. Messages
// are applied whole (F0 ... F7 for system exclusive, see synth_messages.h).
// FluidSynth takes messages only on the edges of its 64-frame blocks, so
// below 44100 Hz the synthesiser runs at a multiple of the output rate and
// is filtered down: the edges are then at most 64 / 44100 s (1.45 ms) apart,
// and a message placed on the nearest one is at most 0.73 ms off. The
// decimating filter adds a constant 0.5 ms or so. Apply and Mix are meant for one thread (the audio
// thread); Reset may come from another.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "synth/timed_midi.h"

namespace plat::synth {

class Synth final : public MidiSink {
 public:
  // Null, with the reason in `why`, when there is no soundfont or FluidSynth
  // fails. FluidSynth's informational chatter is silenced.
  static std::unique_ptr<Synth> Create(std::string& why);
  ~Synth() override;
  Synth(const Synth&) = delete;
  Synth& operator=(const Synth&) = delete;

  void Apply(std::span<const std::uint8_t> bytes) override;
  // Mixes saturating into `out`; the first call (or a new rate) sets the
  // synthesiser's rate.
  void Mix(std::int16_t* out, int frames, int rate) override;
  int GridFrames(int rate) const override;
  int FramesToGrid(int rate) const override;
  // Every note off, controllers and programs back to their defaults.
  void Reset();

 private:
  struct Impl;
  explicit Synth(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace plat::synth
