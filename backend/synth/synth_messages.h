// synth_messages.h — MIDI messages applied to a FluidSynth synthesiser
// (internal to the synth library).
//
// System-exclusive messages go to fluid_synth_sysex without their F0/F7
// framing. GM System On and GS Reset also reset the synthesiser and its
// effects; the GS reverb and chorus macros are translated into FluidSynth's
// reverb and chorus settings; the GS delay macro has no FluidSynth
// counterpart and only reaches fluid_synth_sysex.
#pragma once

#include <fluidsynth.h>

#include <cstdint>
#include <span>

namespace plat::synth {

// The reverb and chorus a GS device starts with (Hall 2, Chorus 3).
void DefaultEffects(fluid_synth_t* s);
// A whole message: 1 to 3 bytes of a short message, or F0 ... F7.
void ApplyMessage(fluid_synth_t* s, std::span<const std::uint8_t> bytes);

}  // namespace plat::synth
