// midi_render.h — the headless MIDI device's optional sound: every message
// also goes to the music synthesiser, applied at the sample of the audio
// capture that matches its virtual send time.
//
// Off unless Config::midiSynth. Without a soundfont it says so once on stderr
// and renders nothing; the MIDI log is kept either way. Everything runs on the
// virtual scheduler's one running thread.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "synth/synth.h"
#include "synth/timed_midi.h"

namespace plat::headless {

class MidiRender {
 public:
  void Open();  // makes the synthesiser on first use
  void Send(std::span<const std::uint8_t> bytes, std::uint64_t virtualMs);
  // The audio capture's overlay.
  void Mix(std::int16_t* out, int frames, int rate, std::int64_t blockStartNs);

 private:
  bool tried_ = false;
  std::unique_ptr<synth::Synth> synth_;
  synth::TimedMidi queue_;
};

}  // namespace plat::headless
