// midi_render.cpp — the headless music synthesiser over the audio capture.
#include "midi_render.h"

#include <cstdio>
#include <string>

namespace plat::headless {

void MidiRender::Open() {
  if (tried_) return;
  tried_ = true;
  std::string why;
  synth_ = synth::Synth::Create(why);
  if (!synth_)
    std::fprintf(stderr, "korvanix-headless: no MIDI in the audio capture: %s\n", why.c_str());
}

void MidiRender::Send(std::span<const std::uint8_t> bytes, std::uint64_t virtualMs) {
  if (synth_) queue_.Send(bytes, static_cast<std::int64_t>(virtualMs * 1'000'000));
}

void MidiRender::Mix(std::int16_t* out, int frames, int rate, std::int64_t blockStartNs) {
  if (synth_) queue_.Render(*synth_, out, frames, rate, blockStartNs);
}

}  // namespace plat::headless
