// stage_flow.cpp — the Play mode's step and what a new game resets.
//
// PlayFrame runs the passes in a fixed order: the control pass (or the
// scripted fly-in / fly-out), the hit reaction, the recovery rings, the
// player pass, the stage script, the enemy pass and the pop-ups. The order
// decides what is drawn over what and which pass sees whose movement first.
#include <algorithm>

#include "game/Kx_main.h"

namespace kx {

void TForm1::PlayFrame() {
  auto& ship = world.shipTrail[0];
  auto& pods = world.podTrail[0];
  if (g.shipMotion < 1) {
    ControlPass();
  } else if (g.shipMotion == 1) {
    // Fly-in: from x = -170 at speed 36 the ship moves 24 frames and stops at
    // x = 142, then the player takes over.
    pods.x[0] = pods.x[1] = ship.x;
    pods.y[0] = ship.y - 8;
    pods.y[1] = ship.y + 8;
    g.boostOn = 1;
    ship.x += g.shipMotionSpeed;
    if (g.shipMotionSpeed < 1)
      ship.bank += 1;
    else
      ship.bank = 0;
    g.shipMotionSpeed -= 2;
    if (g.shipMotionSpeed < -10) g.shipMotion = 0;
  } else {
    // Fly-out: the scenery rushes past until the ship is far off screen.
    if (g.podState == 1) g.podState = 2;
    g.boostOn = 1;
    g.backScrollX -= 2;
    g.starScrollX += 1;
    ship.x += g.shipMotionSpeed;
    g.shipMotionSpeed = std::min(g.shipMotionSpeed + 2, 20);
    ship.bank = std::max(ship.bank - 1, 0);
    if (ship.x > 1300) {
      gameMode = kStageChange;
      g.stage += 1;
      modeTimer = 0;
    }
  }
  if (g.hitState > 0) HitReaction();
  RecoveryRings();
  PlayerPass();  // ends with the frame's one sound effect
  g.scriptTick += 1;
  if (g.scriptTick > 5) ScriptStep();  // the script moves every sixth frame
  EnemyPass();
  DrawPopups();
}

void TForm1::ResetWorld() {
  ResetWorldState(world);
  I1.Canvas.Brush.style = plat::BrushStyle::Clear;
  I1.Canvas.font.color = plat::clYellow;
}

void TForm1::StartNewGame() {
  g.stage = 0;
  g.score = 0;
  invincible = options_.invincibleEveryGame ? 1 : 0;
  hiddenKeyProgress[0] = hiddenKeyProgress[1] = 0;
  g.typeDUnlocked = 0;
  g.chainSmall = g.chainLarge = 0;
  g.condition = 0;
  g.levelA = g.levelB = g.levelC = 0;
  g.weaponType = 0;
  g.recoverShown = 0;
  g.recoverPoints = 0;
  g.charge = 0;
  g.chargeShotTimer = 0;
  g.chargeTick = 0;
  g.titleMusicPending = 0;
}

}  // namespace kx
