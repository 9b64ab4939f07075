// enemy_fire.cpp — the volleys enemies fire, shared by several kinds: the
// aimed shot, the nine-shot spread, the six-shot fan, beam volleys and
// missiles.
//
// Every volley sets its sound request (7 for ordinary fire, 10 for beams,
// 15 for the spread, 16 for missiles); the last request of a frame wins.
#include <cstdlib>

#include "game/Kx_main.h"

namespace kx {

void TForm1::FireAimedShot(i32 x, i32 y) {
  // A thirtieth of the way to the ship per frame, pushed to a usable speed:
  // doubled while slow on either axis, halved while faster than 6.
  const auto& ship = world.shipTrail[0];
  i32 vx = (ship.x - x) / 30, vy = (ship.y - y) / 30;
  for (int i = 0; i < 2; ++i) {
    if (std::abs(vx) < 3 || std::abs(vy) < 2) {
      vx *= 2;
      vy *= 2;
    }
  }
  for (int i = 0; i < 2; ++i) {
    if (std::abs(vx) > 6 || std::abs(vy) > 6) {
      vx /= 2;
      vy /= 2;
    }
  }
  if (EnemyShot* s = NewEnemyShot(2, x, y, 6, 6)) {
    s->vx = vx;
    s->vy = vy;
  }
  g.soundRequest = 7;
}

void TForm1::FireSpreadOfNine(i32 x, i32 y) {
  // Three speeds in three directions around straight left.
  static constexpr i32 kDirs[3] = {15, 0, 1};
  for (i32 kind = 3; kind <= 5; ++kind) {
    for (i32 dir : kDirs)
      if (EnemyShot* s = NewEnemyShot(kind, x, y, 5, 5)) s->dir = dir;
  }
  g.soundRequest = 15;
}

void TForm1::FireFanOfSix(i32 x, i32 y) {
  static constexpr i32 kVx[6] = {6, 8, 10, 10, 8, 6};
  static constexpr i32 kVy[6] = {-10, -6, -2, 2, 6, 10};
  for (int n = 0; n < 6; ++n) {
    if (EnemyShot* s = NewEnemyShot(20, x, y, 12, 5)) {
      s->vx = kVx[n];
      s->vy = kVy[n];
    }
  }
  g.soundRequest = 7;
}

void TForm1::FireWaveShot(i32 kind, i32 x, i32 y, i32 phase) {
  // Kinds 7 and 17 weave; vx is their wave phase, so two phases make a braid.
  if (EnemyShot* s = NewEnemyShot(kind, x, y, 4, 4)) s->vx = phase;
}

void TForm1::FireBeamVolley(i32 x, i32 y, bool twoWaves) {
  NewEnemyShot(6, x, y, 20, 6);
  FireWaveShot(7, x, y, 2);
  if (twoWaves) FireWaveShot(7, x, y, 6);
  g.soundRequest = 10;
}

void TForm1::FireFiveVolley(i32 x, i32 y) {
  NewEnemyShot(18, x, y, 20, 6);
  FireWaveShot(17, x, y, 2);
  FireWaveShot(17, x, y, 6);
  FireWaveShot(7, x, y, 2);
  FireWaveShot(7, x, y, 6);
  g.soundRequest = 10;
}

void TForm1::LaunchMissile(i32 x, i32 y, i32 p0, i32 p1, i32 look) {
  if (Enemy* m = NewEnemy(15, x, y, 1, 20, 5, look)) {
    m->p0 = p0;
    m->p1 = p1;
  }
  g.soundRequest = 16;
}

}  // namespace kx
