// effects.cpp — the effect table: file names, peak levels and makers.
#include "audio/effects.h"

namespace ag::audio {

const std::vector<Effect>& effects() {
  static const std::vector<Effect> table = {
      {"bse1.wav", -1.0, 15.0, shipHit},          {"bse10.wav", -3.0, 15.0, podsLaunched},
      {"se5.wav", -4.0, 20.0, repaired},          {"get.wav", -3.0, 10.0, itemCollected},
      {"bse3.wav", -6.0, 12.0, smallKill},        {"bse6.wav", -1.0, 25.0, bigKill},
      {"se2.wav", -12.0, 8.0, enemyShot},         {"_bse8.wav", -6.0, 10.0, weaponSwitched},
      {"_G_swd9.wav", -4.0, 15.0, podsStruck},    {"bse5.wav", -6.0, 12.0, beamZap},
      {"a1_04083.wav", -5.0, 20.0, spinnerWhine}, {"bse15.wav", -4.0, 15.0, flashWall},
      {"rush.wav", -3.0, 40.0, stageClear},       {"os18.wav", -4.0, 15.0, radialRing},
      {"os20.wav", -5.0, 10.0, tripleChirp},      {"A1_05101.wav", -8.0, 12.0, missileLaunch},
      {"_a1.wav", -10.0, 8.0, debrisThunk},
  };
  return table;
}

}  // namespace ag::audio
