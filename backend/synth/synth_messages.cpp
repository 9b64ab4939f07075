// synth_messages.cpp — short and system-exclusive messages on FluidSynth, and
// the GS effect macros as FluidSynth reverb and chorus parameters.
#include "synth/synth_messages.h"

#include <array>
#include <initializer_list>

namespace plat::synth {
namespace {

// GS reverb macros 0..7 (Room 1-3, Hall 1-2, Plate, Delay, Panning Delay)
// as FluidSynth room size, damping, width and level.
struct Reverb {
  double room, damp, width, level;
};
constexpr std::array<Reverb, 8> kGsReverb{{{0.30, 0.40, 0.5, 0.60},
                                           {0.40, 0.35, 0.7, 0.65},
                                           {0.50, 0.30, 0.8, 0.70},
                                           {0.70, 0.25, 0.9, 0.75},
                                           {0.80, 0.20, 1.0, 0.80},
                                           {0.60, 0.05, 1.0, 0.80},
                                           {0.85, 0.60, 0.3, 0.50},
                                           {0.85, 0.60, 1.0, 0.50}}};
// GS chorus macros 0..7 (Chorus 1-4, Feedback Chorus, Flanger, Short Delay,
// Short Delay FB) as FluidSynth voice count, level, speed (Hz), depth (ms)
// and modulation.
struct Chorus {
  int voices;
  double level, speed, depth;
  int type;
};
constexpr std::array<Chorus, 8> kGsChorus{{{3, 1.2, 0.4, 4, FLUID_CHORUS_MOD_SINE},
                                           {3, 1.5, 0.5, 6, FLUID_CHORUS_MOD_SINE},
                                           {3, 2.0, 0.4, 8, FLUID_CHORUS_MOD_SINE},
                                           {4, 2.0, 0.6, 12, FLUID_CHORUS_MOD_SINE},
                                           {5, 2.5, 0.4, 10, FLUID_CHORUS_MOD_SINE},
                                           {2, 2.5, 0.2, 2, FLUID_CHORUS_MOD_TRIANGLE},
                                           {1, 1.5, 0.1, 20, FLUID_CHORUS_MOD_SINE},
                                           {2, 2.0, 0.1, 20, FLUID_CHORUS_MOD_SINE}}};
constexpr int kGsDefaultReverb = 4, kGsDefaultChorus = 2;  // Hall 2, Chorus 3

void ApplyReverb(fluid_synth_t* s, int macro) {
  const Reverb& r = kGsReverb[static_cast<std::size_t>(macro)];
  fluid_synth_set_reverb_group_roomsize(s, -1, r.room);
  fluid_synth_set_reverb_group_damp(s, -1, r.damp);
  fluid_synth_set_reverb_group_width(s, -1, r.width);
  fluid_synth_set_reverb_group_level(s, -1, r.level);
}

void ApplyChorus(fluid_synth_t* s, int macro) {
  const Chorus& c = kGsChorus[static_cast<std::size_t>(macro)];
  fluid_synth_set_chorus_group_nr(s, -1, c.voices);
  fluid_synth_set_chorus_group_level(s, -1, c.level);
  fluid_synth_set_chorus_group_speed(s, -1, c.speed);
  fluid_synth_set_chorus_group_depth(s, -1, c.depth);
  fluid_synth_set_chorus_group_type(s, -1, c.type);
}

// `body` is a system-exclusive message without F0 and F7.
void SystemExclusive(fluid_synth_t* s, std::span<const std::uint8_t> body) {
  auto is = [&](std::initializer_list<int> head) {
    if (body.size() < head.size()) return false;
    std::size_t i = 0;
    for (int b : head) {
      if (b >= 0 && body[i] != b) return false;
      ++i;
    }
    return true;
  };
  constexpr int kAny = -1;
  const bool gmOn = is({0x7E, kAny, 0x09, 0x01});
  const bool gsReset = is({0x41, kAny, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00});
  if (gmOn || gsReset) {
    fluid_synth_system_reset(s);
    DefaultEffects(s);
  } else if (is({0x41, kAny, 0x42, 0x12, 0x40, 0x01, 0x30}) && body.size() > 7 && body[7] < 8) {
    ApplyReverb(s, body[7]);
  } else if (is({0x41, kAny, 0x42, 0x12, 0x40, 0x01, 0x38}) && body.size() > 7 && body[7] < 8) {
    ApplyChorus(s, body[7]);
  }
  fluid_synth_sysex(s, reinterpret_cast<const char*>(body.data()), static_cast<int>(body.size()),
                    nullptr, nullptr, nullptr, 0);
}

void ShortMessage(fluid_synth_t* s, std::span<const std::uint8_t> m) {
  const int status = m[0];
  if (status == 0xFF) {  // system reset
    fluid_synth_system_reset(s);
    return;
  }
  if (status >= 0xF0 || m.size() < 2) return;
  const int ch = status & 0x0F, d1 = m[1], d2 = m.size() > 2 ? m[2] : 0;
  switch (status >> 4) {
    case 0x8:
      fluid_synth_noteoff(s, ch, d1);
      break;
    case 0x9:
      d2 == 0 ? fluid_synth_noteoff(s, ch, d1) : fluid_synth_noteon(s, ch, d1, d2);
      break;
    case 0xA:
      fluid_synth_key_pressure(s, ch, d1, d2);
      break;
    case 0xB:
      fluid_synth_cc(s, ch, d1, d2);
      break;
    case 0xC:
      fluid_synth_program_change(s, ch, d1);
      break;
    case 0xD:
      fluid_synth_channel_pressure(s, ch, d1);
      break;
    case 0xE:
      fluid_synth_pitch_bend(s, ch, d1 | d2 << 7);
      break;
    default:
      break;
  }
}

}  // namespace

void DefaultEffects(fluid_synth_t* s) {
  ApplyReverb(s, kGsDefaultReverb);
  ApplyChorus(s, kGsDefaultChorus);
}

void ApplyMessage(fluid_synth_t* s, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  if (bytes[0] == 0xF0 || bytes[0] == 0xF7) {
    std::span<const std::uint8_t> body = bytes.subspan(1);
    if (!body.empty() && body.back() == 0xF7) body = body.first(body.size() - 1);
    if (!body.empty()) SystemExclusive(s, body);
    return;
  }
  ShortMessage(s, bytes);
}

}  // namespace plat::synth
