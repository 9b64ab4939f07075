// enemies_children.cpp — objects other enemies launch: missiles, debris,
// mines and the turrets of the last boss's second form.
//
// Missiles and debris are thrown backwards first and then accelerate left,
// trailing smoke. The bosses themselves are the boss_*.cpp files.
#include <cmath>

#include "game/Kx_main.h"
#include "game/world/motion.h"
#include "game/world/orbit_path.h"

namespace kx {

void TForm1::MoveMissile(Enemy& e) {
  e.p0 += 2;
  e.x -= e.p0;
  e.y -= e.p1;
  CycleFrame(e.frame, 2);
  NewParticle(4, e.x + 25, e.y, 0, 30, 0, 0);
  if (e.x < 0) e.state = 0;
}

void TForm1::MoveDebris(Enemy& e) {
  // Kind 32 tumbles over eight cells and smokes once per turn; kind 60 over
  // three and smokes every frame.
  if (e.p0 < 20) e.p0 += 2;
  e.x -= e.p0;
  e.y -= e.p1;
  if (e.kind == 32) {
    if (CycleFrame(e.frame, 7)) NewParticle(4, e.x + 25, e.y, 0, 30, 0, 0);
    if (e.x < 0) e.state = 0;
  } else {
    CycleFrame(e.frame, 2);
    NewParticle(4, e.x + 25, e.y, 0, 30, 0, 0);
    if (e.x < -20) e.state = 0;
  }
}

void TForm1::MoveMine(Enemy& e) {
  // Flies left for eight frames, then bursts into four vertical shots.
  CycleFrame(e.frame, 2);
  e.p0 += 1;
  if (e.p0 < 8) e.x -= e.p1;
  if (e.p0 != 8) return;
  e.state = 2;
  e.frame = 0;
  g.soundRequest = 5;
  SmallSparks(e.x, e.y, 7);
  for (i32 vy : {-14, -8, 8, 14})
    if (EnemyShot* s = NewEnemyShot(2, e.x, e.y, 6, 6)) s->vy = vy;
}

void TForm1::MoveTurret(Enemy& e) {
  // Circles the second form (slot 27) on the pods' orbit path, stretched.
  e.p0 -= 2;
  if (e.p0 < 0) e.p0 = 44;
  if (e.p0 >= kOrbitPoints) e.p0 = 0;
  const Enemy& core = world.enemies[27];
  e.x = core.x + static_cast<i32>(std::trunc(kOrbitX[e.p0] * 2.8));
  e.y = core.y + static_cast<i32>(std::trunc(kOrbitY[e.p0] * 2.2)) + 14;
  CycleFrame(e.frame, 5);
}

}  // namespace kx
