// effects.h — the game's 17 sound effects, in the order of their request
// codes (code n is table row n - 1). Each is played once at full volume, so
// the relative loudness is baked in here as a peak level: rare, important
// events peak near full scale, effects heard many times a second are short
// and quiet so they never mask hits, kills and pick-ups.
#pragma once

#include <vector>

#include "audio/signal.h"

namespace ag::audio {

struct Effect {
  const char* file;  // name in wav/, exact case
  double peakDb;     // peak level in dBFS
  double fadeOutMs;
  Signal (*make)();
};

const std::vector<Effect>& effects();

// Player-side and pick-up sounds (effects_player.cpp).
Signal shipHit();         // 01
Signal podsLaunched();    // 02
Signal repaired();        // 03
Signal itemCollected();   // 04
Signal weaponSwitched();  // 08
Signal podsStruck();      // 09
Signal stageClear();      // 13
// Enemy-side sounds (effects_enemy.cpp).
Signal smallKill();      // 05
Signal bigKill();        // 06
Signal enemyShot();      // 07
Signal beamZap();        // 10
Signal spinnerWhine();   // 11
Signal flashWall();      // 12
Signal radialRing();     // 14
Signal tripleChirp();    // 15
Signal missileLaunch();  // 16
Signal debrisThunk();    // 17

}  // namespace ag::audio
