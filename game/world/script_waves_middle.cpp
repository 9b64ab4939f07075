// script_waves_middle.cpp — the spawning opcodes 22 to 43: the second
// stage's darts, vertical squads, gunships, aimed divers and the bosses of
// the second and third stages.
//
// Random values are drawn in field order, so a seed always gives the same
// wave.
#include <cstdlib>

#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {

void TForm1::SpawnMiddleWave(i32 op) {
  switch (op) {
    case 22: {  // dart that brakes and turns back
      const i32 y = plat::random(200) + 50;
      if (Enemy* e = NewEnemy(16, 440, y, 2, 20, 16, 13)) {
        e->p0 = plat::random(3);
        e->p1 = plat::random(4) + 1;
        e->p2 = 25;
      }
      break;
    }
    case 23: case 24: NewEnemy(17, 440, op == 23 ? 40 : 260, 2, 15, 15, 14); break;
    case 25: case 26: case 27: SpawnVerticalSquad(op); break;
    case 28: case 29: {  // gunship; 28 comes in at mid height
      const i32 y = op == 28 ? 150 : plat::random(100) + 100;
      if (Enemy* e = NewEnemy(op == 28 ? 21 : 22, 440, y, 30, 30, 37, 16)) e->frame = 7;
      break;
    }
    case 30: NewEnemy(23, 430, 30, 5, 25, 25, 18); break;
    case 31: case 32: {
      const i32 x = plat::random(170) + 200;
      if (Enemy* e = NewEnemy(24, x, op == 31 ? -30 : 330, 3, 20, 20, 19)) {
        e->p0 = op - 31;
        e->p2 = plat::random(6) + 2;
      }
      break;
    }
    case 33: case 34: {
      const i32 x = plat::random(170) + 200;
      if (Enemy* e = NewEnemy(25, x, op == 33 ? -30 : 330, 6, 25, 30, 20)) {
        e->p0 = op - 33;
        e->p2 = plat::random(17) + 16;
      }
      break;
    }
    case 35:  // four at fixed places, two from each side
      for (i32 n = 0; n < 4; ++n) {
        Enemy* e = NewEnemy(25, n % 2 == 0 ? 250 : 320, n < 2 ? -30 : 330, 6, 25, 30, 20);
        if (!e) continue;
        e->p0 = n < 2 ? 0 : 1;
        e->p2 = n % 2 == 0 ? 15 : 19;
      }
      break;
    case 36: SpawnZigzagFive(26, 3, 21); break;
    case 37:
      for (i32 n = 0; n < 2; ++n) {
        const i32 y = plat::random(240) + 30;
        if (Enemy* e = NewEnemy(27, 430, y, 3, 30, 11, 22)) e->p1 = plat::random(10) + n + 2;
      }
      break;
    case 38:  // the second stage's boss
      if (Enemy* e = NewEnemy(28, 490, 150, 600, 39, 60, 23)) e->p1 = 30;
      break;
    case 39: case 40: case 41: case 42: SpawnAimedDiver(op); break;
    case 43: NewEnemy(31, 580, 150, 350, 92, 36, 25); break;  // the third stage's boss
    default: break;
  }
}

void TForm1::SpawnVerticalSquad(i32 op) {
  // Six in three pairs, one of each pair from above and one from below; the
  // pair number picks the speed.
  static constexpr i32 kX[3][3] = {{120, 160, 200}, {430, 430, 430}, {250, 300, 350}};
  const i32 kind = op - 7;  // 25..27 -> 18..20
  for (i32 n = 0; n < 6; ++n) {
    const bool fromTop = n % 2 == 0;
    Enemy* e = NewEnemy(kind, kX[op - 25][n / 2], fromTop ? -30 : 330, 2, 25, 20, 15);
    if (!e) continue;
    e->p0 = fromTop ? 0 : 1;
    e->p1 = n / 2;
  }
}

void TForm1::SpawnAimedDiver(i32 op) {
  i32 x, y;
  if (op <= 40) {
    x = plat::random(400);
    y = op == 39 ? -30 : 330;
  } else {
    x = op == 41 ? -30 : 430;
    y = plat::random(300);
  }
  Enemy* e = NewEnemy(30, x, y, 1, 15, 15, 24);
  if (!e) return;
  // A twentieth of the way to the ship per frame, then pushed into 4..9 on
  // the long axis: doubled while too slow, halved while too fast.
  const auto& ship = world.shipTrail[0];
  i32 vx = (ship.x - x) / 20, vy = (ship.y - y) / 20;
  for (int i = 0; i < 2; ++i) {
    if (std::abs(vx) < 4 || std::abs(vy) < 4) {
      vx *= 2;
      vy *= 2;
    }
  }
  for (int i = 0; i < 2; ++i) {
    if (std::abs(vx) > 9 || std::abs(vy) > 9) {
      vx /= 2;
      vy /= 2;
    }
  }
  e->p0 = vx;
  e->p1 = vy;
}

}  // namespace kx
