// script_waves_late.cpp — the spawning opcodes 45 to 70 (the carrier opcode
// 54 lives with the other carriers): the third stage's pods, curving pairs,
// dashers, turret ships and the spinning shooter that also closes the first
// stage.
//
// x 430/440 is just right of the playfield, y -40 above it and y 340 below.
// Random values are drawn in field order.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {

void TForm1::SpawnLateWave(i32 op) {
  switch (op) {
    case 45: case 46: case 47: case 48: {  // pods that stop and fire a beam
      const i32 x = plat::random(200) + 150;
      const bool fromTop = op == 45 || op == 47;
      if (Enemy* e = NewEnemy(op <= 46 ? 36 : 37, x, fromTop ? -40 : 340, 6, 25, 25, 30)) {
        e->p0 = fromTop ? 0 : 1;
        e->p1 = plat::random(17) + 8;
      }
      break;
    }
    case 49: case 50:  // a pair curving away to the left, from below or above
      for (i32 n = 0; n < 2; ++n) {
        const i32 x = plat::random(200) + 330;
        const i32 y = op == 49 ? 330 + 50 * n : -80 + 50 * n;
        Enemy* e = NewEnemy(op == 49 ? 38 : 39, x, y, 2, 25, 25, 31);
        if (!e) continue;
        e->frame = op == 49 ? 0 : 5;
        e->p0 = plat::random(9) + 2;
        e->p1 = plat::random(5) + 1;
        e->p3 = plat::random(5) + 2;
      }
      break;
    case 51:  // four that stop and fire an aimed spread
      for (i32 n = 0; n < 4; ++n) {
        const bool fromTop = n % 2 == 0;
        Enemy* e = NewEnemy(40, n < 2 ? 220 : 340, fromTop ? -40 : 340, 4, 25, 25, 32);
        if (!e) continue;
        e->p0 = e->p1 = fromTop ? 0 : 1;
        e->p2 = n < 2 ? 3 : 4;
      }
      break;
    case 52: case 53: {
      const i32 x = plat::random(120) - 30;
      if (Enemy* e = NewEnemy(op - 11, x, op == 52 ? -40 : 340, 1, 20, 20, op - 19)) {
        e->p1 = plat::random(9) + 5;
      }
      break;
    }
    case 55: case 56: {  // armoured missile carrier
      const i32 x = plat::random(120) - 30;
      if (Enemy* e = NewEnemy(op - 12, x, op == 55 ? -40 : 340, 11, 20, 30, 36)) {
        e->p1 = plat::random(4) + 4;
        e->p2 = plat::random(6) + 4;
      }
      break;
    }
    case 57: case 58: {  // waits for the ship's height, then dashes
      const i32 x = plat::random(170) + 200;
      if (Enemy* e = NewEnemy(op - 12, x, op == 57 ? -40 : 340, 7, 25, 22, 38)) {
        e->p1 = plat::random(7) + 3;
      }
      break;
    }
    case 59:
      for (i32 n = 0; n < 4; ++n) {
        Enemy* e = NewEnemy(47, n < 2 ? 340 : 350, n % 2 == 0 ? -30 : 330, 3, 20, 15, 8);
        if (!e) continue;
        e->p0 = n < 2 ? 4 : 2;
        e->p1 = n % 2;
      }
      break;
    case 60:  // eight torpedoes, four from each side
      for (i32 n = 0; n < 8; ++n) {
        const i32 m = n % 4;
        Enemy* e = NewEnemy(48, 220 + 50 * m, n < 4 ? -30 : 330, 2, 25, 15, 39);
        if (!e) continue;
        e->p0 = 4 + 2 * m;
        e->p1 = n < 4 ? 0 : 1;
        e->p3 = m;
      }
      break;
    case 61: case 62: {  // a column of six homing torpedoes
      static constexpr i32 kBack[6] = {3, 0, -3, -3, 0, 3};
      for (i32 n = 0; n < 6; ++n) {
        Enemy* e = NewEnemy(49, 440, 37 + 45 * n, 2, 25, 15, 39);
        if (e) e->p0 = op == 61 ? kBack[n] : -kBack[n];
      }
      break;
    }
    case 63: {
      const i32 y = plat::random(220) + 40;
      if (Enemy* e = NewEnemy(50, 425, y, 2, 20, 20, 40)) {
        e->frame = plat::random(7);
        e->p2 = plat::random(8) + 3;
        e->p3 = plat::random(4);
      }
      break;
    }
    case 64: {  // spinning shooter from the right
      const i32 y = plat::random(220) + 40;
      if (Enemy* e = NewEnemy(51, 430, y, 15, 28, 28, 41)) {
        e->frame = plat::random(7);
        e->p2 = plat::random(2);
        e->p3 = plat::random(4) + 2;
      }
      g.soundRequest = 11;
      break;
    }
    case 65: {  // the same dropping in from above or below
      const i32 s = plat::random(2);
      const i32 x = plat::random(200) + 160;
      if (Enemy* e = NewEnemy(52, x, s == 0 ? -40 : 340, 15, 28, 28, 42)) {
        e->p0 = s;
        e->p1 = plat::random(16) + 20;
        e->p2 = plat::random(2);
        e->p3 = plat::random(4) + 2;
      }
      break;
    }
    case 66: case 67: case 68: {  // turret ships of three strengths
      static constexpr i32 kHp[3] = {10, 15, 22};
      const i32 y = plat::random(250) + 25;
      if (Enemy* e = NewEnemy(op - 13, 430, y, kHp[op - 66], 28, 34, op - 23)) {
        e->p0 = y > 149 ? 1 : 0;
        e->p1 = plat::random(8) + 6;
      }
      break;
    }
    case 69: {
      const i32 y = plat::random(100) + 100;
      if (Enemy* e = NewEnemy(56, 440, y, 6, 20, 28, 46)) e->frame = 7;
      break;
    }
    case 70: {  // rises from below the playfield
      const i32 x = plat::random(120) + 180;
      if (Enemy* e = NewEnemy(57, x, 350, 29, 30, 39, 47)) e->p1 = 20;
      break;
    }
    default: break;
  }
}

}  // namespace kx
