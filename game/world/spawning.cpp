// spawning.cpp — first-free-slot spawning into the enemy, enemy-shot and
// particle tables.
//
// A new object is written whole, so no field carries a value from
// the object that used the slot before (an explosion's frame 15 would
// otherwise show as a wrong animation cell for a frame). A full table drops
// the spawn silently: the callers carry on.
#include "game/Kx_main.h"
#include "game/world/slots.h"

namespace kx {

Enemy* TForm1::NewEnemy(i32 kind, i32 x, i32 y, i32 hp, i32 halfW, i32 halfH, i32 look) {
  Enemy* e = FirstFreeSlot(std::span(world.enemies), [](const Enemy& s) { return s.state == 0; });
  if (e) *e = Enemy{1, x, y, 0, kind, hp, halfW, halfH, 0, 0, 0, 0, 0, 0, 0, look};
  return e;
}

EnemyShot* TForm1::NewEnemyShot(i32 kind, i32 x, i32 y, i32 halfW, i32 halfH) {
  EnemyShot* s =
      FirstFreeSlot(std::span(world.enemyShots), [](const EnemyShot& t) { return t.active == 0; });
  if (s) *s = EnemyShot{1, x, y, 0, kind, halfW, halfH, 0, 0, 0};
  return s;
}

Particle* TForm1::NewParticle(i32 kind, i32 x, i32 y, i32 frame, i32 life, i32 dx, i32 dy) {
  Particle* p =
      FirstFreeSlot(std::span(world.particles), [](const Particle& t) { return t.active == 0; });
  if (p) *p = Particle{x, y, 1, kind, frame, life, dx, dy, 0, 0};
  return p;
}

}  // namespace kx
