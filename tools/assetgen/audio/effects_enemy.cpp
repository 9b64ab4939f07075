// effects_enemy.cpp — sounds of enemies: their shots, launches and deaths.
// The ones that repeat in bursts (shots, missiles, boss debris) are the
// shortest and have the softest peaks in the effect table.
#include "audio/effects.h"

namespace ag::audio {

// 05: small enemy destroyed: a pop with a spray of crackle.
Signal smallKill() {
  Signal s = tone({Wave::Sine, {220.0, 55.0, 0.4}}, 0.2);
  decay(s, 0.0005, 0.03);
  Signal burst = whiteNoise(0.25, 501);
  lowpass(burst, {6000.0, 800.0});
  decay(burst, 0.0005, 0.04);
  mixIn(s, burst, 0.0, 0.9);
  Signal grit = steppedNoise(0.2, {4000.0, 400.0}, 502);
  decay(grit, 0.0, 0.05);
  mixIn(s, grit, 0.0, 0.4);
  Signal sparks = crackle(0.32, {900.0, 60.0}, 503);
  highpass(sparks, 1000.0);
  decay(sparks, 0.0, 0.09);
  mixIn(s, sparks, 0.0, 0.6);
  return s;
}

// 06: large enemy or boss destroyed: crack, deep boom, long rumble, debris.
Signal bigKill() {
  const double len = 1.5;
  Signal s = whiteNoise(0.2, 601);  // the crack
  decay(s, 0.0, 0.02);
  Signal boom = tone({Wave::Sine, {95.0, 28.0, 0.5}}, len);
  decay(boom, 0.003, 0.28);
  mixIn(s, boom, 0.0, 1.3);
  Signal rumble = whiteNoise(len, 602);
  lowpass(rumble, {900.0, 120.0}, 0.8);
  decay(rumble, 0.01, 0.35);
  mixIn(s, rumble, 0.0, 1.6);
  Signal crunch = steppedNoise(0.8, {3000.0, 200.0}, 603);
  lowpass(crunch, 2500.0);
  decay(crunch, 0.002, 0.12);
  mixIn(s, crunch, 0.0, 0.6);
  Signal debris = crackle(len - 0.1, {300.0, 20.0}, 604);
  lowpass(debris, 3000.0);
  decay(debris, 0.05, 0.4);
  mixIn(s, debris, 0.1, 0.5);
  drive(s, 2.0);
  return s;
}

// 07: an enemy fires: a soft, very short falling "pew".
Signal enemyShot() {
  const Glide fall{1500.0, 450.0, 0.6};
  Signal s = tone({Wave::Triangle, fall}, 0.1);
  Signal edge = tone({Wave::Square, fall}, 0.1);
  lowpass(edge, 3500.0);
  mixIn(s, edge, 0.0, 0.15);
  decay(s, 0.0005, 0.025);
  return s;
}

// 10: enemy beam bolt or mine release: a buzzing laser zap.
Signal beamZap() {
  const double len = 0.42;
  Signal s = tone({Wave::Saw, {1800.0, 180.0, 0.5}}, len);
  Signal buzz = s;
  ringMod(buzz, {70.0, 45.0});
  mixIn(s, buzz, 0.0, 0.8);
  Signal reed = tone({Wave::Pulse, {900.0, 120.0, 0.5}, 0.0, 0.0, 0.15}, len);
  mixIn(s, reed, 0.0, 0.4);
  drive(s, 2.0);
  lowpass(s, {6000.0, 1500.0});
  shape(s, {{0.0, 1.0}, {0.05, 0.9}, {len, 0.0}});
  return s;
}

// 11: spinner turret arrives / spiral stream starts: a rising siren whine.
Signal spinnerWhine() {
  const double len = 0.9;
  Signal s = tone({Wave::Triangle, {320.0, 1400.0, 0.8}, 9.0, 0.6}, len);
  Signal rotor = tone({Wave::Saw, {330.0, 1450.0, 0.8}, 9.0, 0.6}, len);
  lowpass(rotor, 2500.0);
  mixIn(s, rotor, 0.0, 0.35);
  tremolo(s, 18.0, 0.25);
  shape(s, {{0.0, 0.7}, {0.02, 0.8}, {0.6, 1.0}, {len, 0.0}});
  return s;
}

// 12: flash wall: a crackling electric burst over a stuttering mains hum.
Signal flashWall() {
  const double len = 0.8;
  Signal s = crackle(len, {3000.0, 200.0}, 1201);
  bandpass(s, 2500.0, 0.8);
  Signal arc = steppedNoise(len, {12000.0, 2000.0}, 1202);
  highpass(arc, 1500.0);
  tremolo(arc, 30.0, 0.7);
  mixIn(s, arc, 0.0, 0.5);
  Signal hum = tone({Wave::Square, 100.0}, len);
  lowpass(hum, 1200.0);
  tremolo(hum, 25.0, 0.8);
  mixIn(s, hum, 0.0, 0.35);
  shape(s, {{0.0, 1.0}, {0.1, 0.8}, {len, 0.0}});
  return s;
}

// 14: 16-shot radial ring: a deep pulsing "whoom" with a puff on top.
Signal radialRing() {
  const double len = 0.55;
  Signal s = tone({Wave::Sine, {170.0, 55.0, 0.6}}, len);
  mixIn(s, tone({Wave::Sine, {85.0, 40.0, 0.6}}, len), 0.0, 0.6);
  Signal air = whiteNoise(len, 1401);
  lowpass(air, {600.0, 150.0});
  mixIn(s, air, 0.0, 0.8);
  tremolo(s, 14.0, 0.3);
  shape(s, {{0.0, 0.9}, {0.03, 1.0}, {len, 0.0}});
  Signal puff = whiteNoise(0.08, 1402);
  bandpass(puff, 1500.0, 1.0);
  decay(puff, 0.0, 0.02);
  mixIn(s, puff, 0.0, 0.8);
  return s;
}

// 15: aimed spread or barrage: three chirps, each a little higher.
Signal tripleChirp() {
  Signal s;
  for (int i = 0; i < 3; ++i) {
    const double up = 1.0 + 0.12 * i;
    Signal chirp = tone({Wave::Square, {2000.0 * up, 800.0 * up, 0.7}}, i == 2 ? 0.14 : 0.09);
    decay(chirp, 0.0005, 0.03);
    mixIn(s, chirp, 0.09 * i);
  }
  lowpass(s, 6000.0);
  return s;
}

// 16: missile or torpedo launch: a thump and a hiss.
Signal missileLaunch() {
  const double len = 0.32;
  Signal s = tone({Wave::Sine, {120.0, 45.0}}, 0.12);
  decay(s, 0.0005, 0.03);
  Signal hiss = whiteNoise(len, 1601);
  highpass(hiss, {2500.0, 1200.0});
  bandpass(hiss, {6000.0, 2000.0}, 0.7);
  shape(hiss, {{0.0, 0.3}, {0.02, 1.0}, {len, 0.0}});
  mixIn(s, hiss, 0.0, 1.2);
  return s;
}

// 17: boss ejects debris or children: a short dull thunk.
Signal debrisThunk() {
  const double len = 0.13;
  Signal s = tone({Wave::Sine, {240.0, 80.0, 0.5}}, len);
  mixIn(s, tone({Wave::Triangle, {480.0, 160.0, 0.5}}, len), 0.0, 0.3);
  decay(s, 0.0005, 0.025);
  Signal knock = whiteNoise(0.03, 1701);
  lowpass(knock, 2000.0);
  decay(knock, 0.0, 0.006);
  mixIn(s, knock, 0.0, 0.7);
  return s;
}

}  // namespace ag::audio
