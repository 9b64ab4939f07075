// midi.cpp — the SDL backend's MIDI device: FluidSynth with a General MIDI
// soundfont, rendered into the audio device by the audio callback (MixMidi).
//
// The synthesiser is made by the first OpenMidi, with the first soundfont
// found in /usr/share/sounds/sf2, /usr/share/sounds/sf3 or
// /usr/share/soundfonts (a GM default by name first, else any .sf2/.sf3).
// Without one the device still opens but stays silent, and says why once on
// stderr, so the game runs on without music. It has no audio driver of its own. Messages arrive from the
// platform one at a time (any thread); FluidSynth's API is thread-safe, so
// the audio thread renders meanwhile.
//
// System-exclusive messages go to fluid_synth_sysex without their F0/F7
// framing. GM System On and GS Reset also reset the synthesiser and its
// effects; the GS reverb and chorus macros are translated into FluidSynth's
// reverb and chorus settings (docs/midi.md); the GS delay macro has no
// FluidSynth counterpart and only reaches fluid_synth_sysex.
#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "sdl_backend.h"

namespace plat::sdl {

struct SdlBackend::MidiSynth {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  int rate = 0;
  std::vector<float> left, right;  // audio thread only
};

void SdlBackend::MidiSynthDeleter::operator()(MidiSynth* m) const {
  if (m->synth) delete_fluid_synth(m->synth);
  if (m->settings) delete_fluid_settings(m->settings);
  delete m;
}

namespace {

constexpr int kInitialRate = 44100;

std::string FindSoundfont() {
  namespace fs = std::filesystem;
  static const std::array<const char*, 3> kFolders{"/usr/share/sounds/sf2", "/usr/share/sounds/sf3",
                                                   "/usr/share/soundfonts"};
  static const std::array<const char*, 5> kPreferred{"default-GM.sf2", "FluidR3_GM.sf2",
                                                     "default-GM.sf3", "MuseScore_General.sf3",
                                                     "MuseScore_General_Lite.sf3"};
  std::error_code ec;
  for (const char* name : kPreferred)
    for (const char* folder : kFolders)
      if (fs::is_regular_file(fs::path(folder) / name, ec))
        return (fs::path(folder) / name).string();
  std::vector<std::string> any;
  for (const char* folder : kFolders) {
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string ext = it->path().extension().string();
      if ((ext == ".sf2" || ext == ".sf3") && it->is_regular_file(ec)) any.push_back(it->path());
    }
  }
  std::ranges::sort(any);
  return any.empty() ? std::string() : any.front();
}

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
    ApplyReverb(s, kGsDefaultReverb);
    ApplyChorus(s, kGsDefaultChorus);
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

bool SdlBackend::OpenMidi() {
  if (midi_) return true;
  static bool warned = false;
  const std::string font = FindSoundfont();
  // Without a synthesiser the device still opens, silent: the game runs on
  // without music rather than refusing to start.
  auto fail = [](const std::string& why) {
    if (!warned) std::fprintf(stderr, "korvanix: no MIDI music: %s\n", why.c_str());
    warned = true;
    return true;
  };
  if (font.empty())
    return fail(
        "no General MIDI soundfont (.sf2/.sf3) in /usr/share/sounds/sf2, /usr/share/sounds/sf3 "
        "or /usr/share/soundfonts (Debian: musescore-general-soundfont-small)");
  // FluidSynth's own chatter stays quiet; its errors still reach stderr.
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  std::unique_ptr<MidiSynth, MidiSynthDeleter> m(new MidiSynth);
  m->settings = new_fluid_settings();
  if (!m->settings) return fail("FluidSynth settings could not be made");
  fluid_settings_setnum(m->settings, "synth.sample-rate", kInitialRate);
  fluid_settings_setnum(m->settings, "synth.gain", 0.5);
  m->synth = new_fluid_synth(m->settings);
  if (!m->synth) return fail("the FluidSynth synthesiser could not be made");
  if (fluid_synth_sfload(m->synth, font.c_str(), 1) == FLUID_FAILED)
    return fail("the soundfont " + font + " could not be loaded");
  m->rate = kInitialRate;
  ApplyReverb(m->synth, kGsDefaultReverb);
  ApplyChorus(m->synth, kGsDefaultChorus);
  midi_ = std::move(m);
  midiLive_.store(midi_.get(), std::memory_order_release);
  return true;
}

void SdlBackend::MidiMessage(std::span<const std::uint8_t> bytes) {
  if (!midi_ || bytes.empty()) return;
  if (bytes[0] == 0xF0 || bytes[0] == 0xF7) {
    std::span<const std::uint8_t> body = bytes.subspan(1);
    if (!body.empty() && body.back() == 0xF7) body = body.first(body.size() - 1);
    if (!body.empty()) SystemExclusive(midi_->synth, body);
    return;
  }
  ShortMessage(midi_->synth, bytes);
}

void SdlBackend::CloseMidi() {
  // The synthesiser stays for the next open; nothing may keep sounding.
  if (midi_) fluid_synth_system_reset(midi_->synth);
}

void SdlBackend::MixMidi(std::int16_t* out, int frames, int rate) {
  MidiSynth* m = midiLive_.load(std::memory_order_acquire);
  if (!m || frames <= 0 || rate <= 0) return;
  if (rate != m->rate) {
    // FluidSynth 2.3 changes the rate of a running synthesiser only through
    // this call (deprecated in favour of making a new synthesiser, which
    // would lose every channel's state).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    fluid_synth_set_sample_rate(m->synth, static_cast<float>(rate));
#pragma GCC diagnostic pop
    m->rate = rate;
  }
  const auto n = static_cast<std::size_t>(frames);
  if (m->left.size() < n) {
    m->left.resize(n);
    m->right.resize(n);
  }
  fluid_synth_write_float(m->synth, frames, m->left.data(), 0, 1, m->right.data(), 0, 1);
  for (std::size_t i = 0; i < n; ++i) {
    for (int side = 0; side < 2; ++side) {
      const float v = (side == 0 ? m->left[i] : m->right[i]) * 32767.0f;
      std::int16_t& o = out[2 * i + static_cast<std::size_t>(side)];
      o = static_cast<std::int16_t>(std::clamp(static_cast<float>(o) + v, -32768.0f, 32767.0f));
    }
  }
}

}  // namespace plat::sdl
