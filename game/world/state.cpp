// state.cpp — the stage-start reset of the world and mode names.
#include "game/world/state.h"

namespace kx {

const char* GameModeName(std::uint32_t mode) {
  switch (mode) {
    case kPlay: return "Play";
    case kTitle: return "Title";
    case kGameOver: return "GameOver";
    case kNewGame: return "NewGame";
    case kDemo: return "Demo";
    case kStageChange: return "StageChange";
    case kEnding: return "Ending";
    case kHowToPlay: return "HowToPlay";
    case kContinue: return "Continue";
    default: return "Unknown";
  }
}

void PodsOnShipHistory(World& w) {
  for (int i = 0; i < kPodTrail; ++i) {
    auto& p = w.podTrail[i];
    p.x[0] = p.x[1] = w.shipTrail[i].x;
    p.y[0] = p.y[1] = w.shipTrail[i].y;
  }
}

void ResetWorldState(World& w) {
  // The ship waits 170 pixels left of the playfield, at mid height.
  for (auto& s : w.shipTrail) s = ShipSample{-170, 150, 4, 0, 0, 0, 0};
  PodsOnShipHistory(w);
  for (auto& p : w.podTrail) p.frame[0] = p.frame[1] = 0;
  for (auto& s : w.playerShots) s.active = 0;
  for (auto& e : w.enemies) e.state = 0;
  for (auto& s : w.enemyShots) s.active = 0;
  for (auto& p : w.particles) p.active = 0;
  for (auto& p : w.popups) p.timer = 0;

  GameRecord& g = w.g;
  g.shipMotion = 1;
  g.shipMotionSpeed = 36;
  g.podState = 0;
  g.podAngle[0] = 0;
  g.podAngle[1] = 21;
  g.moveDir = 0;
  g.podTimer = 0;
  g.boostOn = 0;
  g.waveKind = 0;
  g.chargeShotTimer = 0;
  g.scriptTick = 0;
  g.scriptWait = 0;
  g.scriptPos = 0;
  g.scriptOp = 0;
  g.soundRequest = 0;
  g.hitFrame = 0;
  g.hitState = 0;
  g.hitTimer = 0;
  g.clearGrade = 2;
  g.continued = 0;
}

}  // namespace kx
