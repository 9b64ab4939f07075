// boss_attacks.cpp — attacks more than one boss uses: the blinking charge
// glow, the 16-direction ring, the thrown (braking) shot and the tumbling
// debris children.
//
// Rings aim one shot along each of the 16 directions of the direction tables
// (0 is straight left). The glow is one 20 x 20 cell drawn from its top-left
// corner, blinking with whatever counter the boss is running.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {

void TForm1::DrawChargeGlow(i32 x, i32 y, i32 counter) {
  IL20.Draw(I1.Canvas, x, y, counter % 2 != 0 ? 23 : 25);
}

void TForm1::FireAimedRing(i32 kind, i32 x, i32 y, i32 half) {
  for (i32 dir = 0; dir < 16; ++dir)
    if (EnemyShot* s = NewEnemyShot(kind, x, y, half, half)) s->dir = dir;
}

void TForm1::FireBossRing(i32 x, i32 y) {
  FireAimedRing(22, x, y, 7);
  g.soundRequest = 14;
}

void TForm1::FireThrownShot(i32 x, i32 y, i32 vx, i32 vy) {
  if (EnemyShot* s = NewEnemyShot(20, x, y, 12, 5)) {
    s->vx = vx;
    s->vy = vy;
  }
  g.soundRequest = 7;
}

void TForm1::LaunchDebris(i32 kind, i32 x, i32 y, i32 half, i32 look) {
  // Thrown backwards at a random slant, then it accelerates left (kinds 32, 60).
  const i32 p0 = plat::random(40) - 20;
  const i32 p1 = plat::random(16) - 8;
  if (Enemy* d = NewEnemy(kind, x, y, 1, half, half, look)) {
    d->p0 = p0;
    d->p1 = p1;
  }
  g.soundRequest = 17;
}

}  // namespace kx
