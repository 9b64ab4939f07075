// enemy_pass.cpp — the enemy pass: every live enemy moves by its kind, is
// drawn by its look and is tested against the player's shots, the pods and
// the ship; every dying enemy plays one frame of its explosion.
//
// Slots are processed 0..39 in order. An enemy spawned during the pass into a
// higher slot is processed in the same pass, into a lower slot from the next
// frame. Behaviours live in the enemies_*.cpp files by family.
#include "game/Kx_main.h"

namespace kx {

void TForm1::EnemyPass() {
  for (int i = 0; i < kEnemies; ++i) {
    Enemy& e = world.enemies[i];
    if (e.state == 1) {
      MoveEnemy(e);
      if (e.state == 1) {
        DrawEnemy(e);
        TestEnemyAgainstShots(e);
        TestEnemyAgainstPods(e);
        TestEnemyAgainstShip(e);
      }
    }
    if (e.state == 2) ExplosionStep(e);
  }
}

void TForm1::MoveEnemy(Enemy& e) {
  switch (e.kind) {
    case 0: case 1: case 4: case 5: MoveSwooper(e); break;
    case 2: MoveFighter(e); break;
    case 3: MoveItem(e); break;
    case 6: MoveWeaver(e); break;
    case 7: MoveTorpedo(e); break;
    case 8: case 9: case 10: case 11: MoveCurver(e); break;
    case 12: case 26: case 27: MoveSwinger(e); break;
    case 13: MoveDiagonalWave(e); break;
    case 14: MoveBossStage1(e); break;
    case 28: MoveBossStage2(e); break;
    case 31: MoveBossLastFirst(e); break;
    case 33: MoveBossLastSecond(e); break;
    case 59: MoveBossLastThird(e); break;
    case 15: MoveMissile(e); break;
    case 16: MoveDart(e); break;
    case 17: MoveSineShooter(e); break;
    case 18: case 19: case 20: MoveVerticalSquad(e); break;
    case 21: case 22: case 56: MoveGunship(e); break;
    case 23: MoveDipper(e); break;
    case 24: MoveBeamPod(e); break;
    case 25: MoveSpreadPod(e); break;
    case 29: case 30: MoveDrifter(e); break;
    case 32: case 60: MoveDebris(e); break;
    case 34: MoveTurret(e); break;
    case 35: MoveMine(e); break;
    case 36: case 37: MoveBeamStation(e); break;
    case 38: case 39: MoveCurveAway(e); break;
    case 40: MoveSpreadDiver(e); break;
    case 41: case 42: MoveBouncer(e); break;
    case 43: case 44: MoveArmoured(e); break;
    case 45: case 46: MoveDasher(e); break;
    case 47: MoveLaneShooter(e); break;
    case 48: case 49: MoveRamTorpedo(e); break;
    case 50: MoveWobbler(e); break;
    case 51: case 52: MoveSpinner(e); break;
    case 53: case 54: case 55: MoveTurretShip(e); break;
    case 57: MoveRiser(e); break;
    default: break;  // a kind without behaviour stays where it is
  }
}

}  // namespace kx
