// script_waves_early.cpp — the spawning opcodes 4 to 18 and the carriers
// (6, 7, 54): the first stage's swoopers, fighters, weavers, curving pairs,
// formations and its boss.
//
// x 430 or 440 is just right of the playfield, y -30 above it and y 330 below.
// Random values are drawn in field order, so a seed always gives the same
// wave.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {

void TForm1::SpawnCarrier(i32 op) {
  // Carriers with look 2 or 35 drop an item when shot. Once the weapons are
  // well powered, the power-up carrier of opcode 54 becomes a score carrier.
  const i32 y = plat::random(140) + 80;
  Enemy* e = NewEnemy(2, 430, y, 1, 12, 11, 1);
  if (!e) return;
  e->p0 = 0;
  e->p1 = plat::random(9) + 4;
  e->p2 = plat::random(3);
  const bool weak = g.levelA + g.levelB + g.levelC < 6;
  e->look = op == 6 ? 1 : (op == 54 && weak) ? 35 : 2;
}

void TForm1::SpawnEarlyWave(i32 op) {
  switch (op) {
    case 4:
    case 5: {  // swoop in from the right, stop, triple shot, leave
      const i32 y = op == 4 ? plat::random(50) : plat::random(50) + 250;
      if (Enemy* e = NewEnemy(op - 4, 430, y, 3, 27, 27, 0)) {
        e->p0 = plat::random(5) + 1;
        e->p2 = 3;
      }
      break;
    }
    case 9:
    case 10: {  // the same from above or below
      const i32 x = plat::random(150) + 50;
      if (Enemy* e = NewEnemy(op - 5, x, op == 9 ? -30 : 330, 3, 27, 27, 0)) {
        e->p0 = plat::random(4) + 2;
        e->p2 = 3;
      }
      break;
    }
    case 11: {  // weaver dropping torpedoes
      const i32 y = plat::random(100) + 100;
      if (Enemy* e = NewEnemy(6, 430, y, 5, 25, 20, 6)) {
        e->frame = plat::random(6);
        e->p0 = plat::random(2);
      }
      break;
    }
    case 12:
    case 13:  // curving pair from the right, top or bottom lane
      NewEnemy(op - 4, 430, op == 12 ? 40 : 260, 3, 20, 15, 8);
      break;
    case 14:
    case 15:  // the same from the left
      NewEnemy(op - 4, -20, op == 14 ? 40 : 260, 3, 20, 15, 8);
      break;
    case 16:
      SpawnZigzagFive(12, 4, 9);
      break;
    case 17: {  // a diagonal line of five
      const i32 y0 = plat::random(160) + 70;
      for (i32 n = 0; n < 5; ++n)
        if (Enemy* e = NewEnemy(13, 430 + 60 * n, y0 + 18 * n, 2, 25, 17, 10)) e->frame = n;
      break;
    }
    case 18:  // the first stage's boss
      if (Enemy* e = NewEnemy(14, 440, 60, 270, 20, 32, 11)) {
        e->frame = 2;
        e->p1 = 6;
      }
      break;
    default:
      break;
  }
}

void TForm1::SpawnZigzagFive(i32 kind, i32 hp, i32 look) {
  // Five in a zig-zag row, each starting its swing at a different frame.
  const i32 y0 = plat::random(160) + 70;
  static constexpr i32 kRow[5] = {0, -30, 30, 0, -30};
  for (i32 n = 0; n < 5; ++n)
    if (Enemy* e = NewEnemy(kind, 430 + 30 * n, y0 + kRow[n], hp, 30, 11, look)) e->frame = n;
}

}  // namespace kx
