// effects_player.cpp — sounds of the player's ship, its pods and pick-ups.
// All start at full level on their first sample (the game plays them a frame
// late already) and decay to silence inside their length.
#include "audio/effects.h"

namespace ag::audio {
namespace {

// A struck bell: the fundamental plus the inharmonic partials of a small
// metal bar, the upper ones dying faster.
Signal bell(double freq, double seconds, double halfLife) {
  Signal s;
  const double ratio[] = {1.0, 2.76, 5.40};
  const double level[] = {1.0, 0.35, 0.12};
  for (int p = 0; p < 3; ++p) {
    if (freq * ratio[p] > kRate * 0.45) break;  // would fold back below Nyquist
    Signal partial = tone({Wave::Sine, freq * ratio[p]}, seconds);
    decay(partial, 0.002, halfLife / (1.0 + p));
    mixIn(s, partial, 0.0, level[p]);
  }
  return s;
}

}  // namespace

// 01: heavy impact and crunch; the loudest effect.
Signal shipHit() {
  Signal s = tone({Wave::Sine, {160.0, 38.0, 0.5}}, 0.85);  // body blow
  decay(s, 0.001, 0.10);
  Signal crunch = steppedNoise(0.6, {9000.0, 700.0}, 101);
  lowpass(crunch, {8000.0, 500.0}, 0.9);
  decay(crunch, 0.0005, 0.07);
  mixIn(s, crunch, 0.0, 0.8);
  Signal hull = tone({Wave::Square, {95.0, 52.0}}, 0.4);  // buckling metal
  drive(hull, 3.0);
  bandpass(hull, 900.0, 1.2);
  decay(hull, 0.001, 0.06);
  mixIn(s, hull, 0.0, 0.5);
  Signal rumble = whiteNoise(0.85, 102);
  lowpass(rumble, 300.0);
  decay(rumble, 0.01, 0.22);
  mixIn(s, rumble, 0.0, 0.9);
  drive(s, 1.5);
  return s;
}

// 02: energy launch whoosh as the pods fly out.
Signal podsLaunched() {
  Signal s = whiteNoise(0.65, 201);
  bandpass(s, {400.0, 5000.0, 0.7}, 2.5);
  shape(s, {{0.0, 0.6}, {0.015, 1.0}, {0.25, 0.8}, {0.65, 0.0}});
  Signal charge = tone({Wave::Saw, {180.0, 1100.0, 0.8}, 18.0, 0.3}, 0.65);
  lowpass(charge, 3000.0);
  shape(charge, {{0.0, 0.8}, {0.3, 0.5}, {0.65, 0.0}});
  mixIn(s, charge, 0.0, 0.45);
  Signal zap = tone({Wave::Sine, {900.0, 2400.0}}, 0.12);
  decay(zap, 0.001, 0.03);
  mixIn(s, zap, 0.0, 0.5);
  return s;
}

// 03: repair complete: a rising arpeggio of bells (C E G C E) with shimmer.
Signal repaired() {
  const double len = 1.1;
  const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0, 2637.0};
  Signal s;
  for (int i = 0; i < 5; ++i) {
    const double at = 0.07 * i;
    mixIn(s, bell(notes[i], len - at, 0.22), at, 1.0 - 0.08 * i);
  }
  Signal glow = tone({Wave::Sine, {523.25, 1046.5, 0.5}}, len);
  shape(glow, {{0.0, 0.5}, {0.3, 0.35}, {len, 0.0}});
  mixIn(s, glow, 0.0, 0.4);
  tremolo(s, 11.0, 0.3);
  return s;
}

// 04: capsule picked up: three quick bright blips up a fourth and an octave.
Signal itemCollected() {
  const double notes[] = {987.8, 1318.5, 1975.5};
  Signal s;
  for (int i = 0; i < 3; ++i) {
    const double len = i < 2 ? 0.07 : 0.2;
    Signal blip = tone({Wave::Pulse, notes[i], 0.0, 0.0, 0.25}, len);
    mixIn(blip, tone({Wave::Sine, notes[i] * 2.0}, len), 0.0, 0.3);
    decay(blip, 0.001, i < 2 ? 0.05 : 0.06);
    mixIn(s, blip, 0.06 * i);
  }
  lowpass(s, 7000.0);
  return s;
}

// 08: weapon switched: two mechanical clicks, each with a rising chirp.
Signal weaponSwitched() {
  Signal s;
  for (int i = 0; i < 2; ++i) {
    const double at = 0.11 * i;
    Signal click = whiteNoise(0.006, 801 + i);
    highpass(click, 3000.0);
    decay(click, 0.0, 0.0015);
    mixIn(s, click, at, 1.0);
    Signal chirp = tone({Wave::Square, {700.0 * (1 + i), 2100.0 * (1 + 0.35 * i), 0.8}}, 0.09);
    lowpass(chirp, 5000.0);
    decay(chirp, 0.001, 0.03);
    mixIn(s, chirp, at + 0.008, 0.45);
  }
  Signal tick = tone({Wave::Sine, 3200.0}, 0.1);  // the latch settling
  decay(tick, 0.0005, 0.02);
  mixIn(s, tick, 0.14, 0.3);
  return s;
}

// 09: pods strike a boss: metallic clang with a ricochet whine.
Signal podsStruck() {
  const double len = 0.45;
  const double partial[] = {523.0, 1187.0, 1869.0, 2713.0, 3617.0};
  const double level[] = {1.0, 0.7, 0.5, 0.35, 0.25};
  Signal s;
  for (int p = 0; p < 5; ++p) {
    Signal ring = tone({Wave::Sine, {partial[p], partial[p] * 0.97}}, len);
    decay(ring, 0.0005, 0.12 / (1.0 + 0.45 * p));
    mixIn(s, ring, 0.0, level[p]);
  }
  Signal hit = whiteNoise(0.05, 901);
  bandpass(hit, 3000.0, 1.0);
  decay(hit, 0.0, 0.008);
  mixIn(s, hit, 0.0, 1.5);
  Signal whine = tone({Wave::Sine, {3300.0, 1600.0, 0.7}}, 0.25);
  decay(whine, 0.002, 0.06);
  mixIn(s, whine, 0.03, 0.35);
  return s;
}

// 13: stage clear: the afterburner lights and rushes up as the ship leaves.
Signal stageClear() {
  const double len = 2.1;
  Signal s = whiteNoise(len, 1301);
  bandpass(s, {250.0, 4500.0, 1.3}, 1.2);
  Signal roar = whiteNoise(len, 1302);
  lowpass(roar, {150.0, 600.0}, 0.9);
  mixIn(s, roar, 0.0, 1.4);
  Signal engine = tone({Wave::Saw, {70.0, 260.0, 1.2}}, len);
  lowpass(engine, 900.0);
  drive(engine, 2.0);
  mixIn(s, engine, 0.0, 0.35);
  tremolo(s, 30.0, 0.15);  // flutter of the burner
  shape(s, {{0.0, 0.5}, {0.05, 0.6}, {1.5, 1.0}, {len, 0.0}});
  return s;
}

}  // namespace ag::audio
