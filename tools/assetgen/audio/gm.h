// gm.h — General MIDI program numbers (0-based, as sent) and the key
// numbers of the drum kit on channel 10 (index 9) used by the songs.
#pragma once

namespace ag::audio::gm {

constexpr int kDrumChannel = 9;

enum Program {
  Piano = 0,
  EPiano = 4,
  Celesta = 8,
  Glockenspiel = 9,
  Organ = 19,
  OverdriveGuitar = 29,
  DistortionGuitar = 30,
  PickBass = 34,
  SynthBass1 = 38,
  SynthBass2 = 39,
  Strings = 48,
  SlowStrings = 49,
  SynthStrings = 50,
  Choir = 52,
  OrchestraHit = 55,
  Trumpet = 56,
  FrenchHorn = 60,
  Brass = 61,
  SynthBrass1 = 62,
  Flute = 73,
  SquareLead = 80,
  SawLead = 81,
  WarmPad = 89,
  PolySynthPad = 90,
  Timpani = 47,
  Harp = 46,
  Contrabass = 43,
};

// Drum kits (program on channel 10).
enum Kit { StandardKit = 0, PowerKit = 16, OrchestraKit = 48 };

enum Drum {
  Kick = 36,
  SideStick = 37,
  Snare = 38,
  Clap = 39,
  FloorTom = 41,
  ClosedHat = 42,
  LowTom = 45,
  OpenHat = 46,
  MidTom = 47,
  Crash = 49,
  HighTom = 50,
  Ride = 51,
  Splash = 55,
};

}  // namespace ag::audio::gm
