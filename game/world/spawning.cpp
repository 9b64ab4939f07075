// spawning.cpp — first-free-slot spawning into the enemy, enemy-shot and
// particle tables.
//
// A new object starts from a cleared record, so no field carries a value from
// the object that used the slot before (an explosion's frame 15 would
// otherwise show as a wrong animation cell for a frame). A full table drops
// the spawn silently: the callers carry on.
#include "game/Kx_main.h"

namespace kx {

Enemy* TForm1::NewEnemy(i32 kind, i32 x, i32 y, i32 hp, i32 halfW, i32 halfH, i32 look) {
  for (auto& e : world.enemies) {
    if (e.state != 0) continue;
    e = Enemy{};
    e.state = 1;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.hp = hp;
    e.halfW = halfW;
    e.halfH = halfH;
    e.look = look;
    return &e;
  }
  return nullptr;
}

EnemyShot* TForm1::NewEnemyShot(i32 kind, i32 x, i32 y, i32 halfW, i32 halfH) {
  for (auto& s : world.enemyShots) {
    if (s.active != 0) continue;
    s = EnemyShot{};
    s.active = 1;
    s.kind = kind;
    s.x = x;
    s.y = y;
    s.halfW = halfW;
    s.halfH = halfH;
    return &s;
  }
  return nullptr;
}

Particle* TForm1::NewParticle(i32 kind, i32 x, i32 y, i32 frame, i32 life, i32 dx, i32 dy) {
  for (auto& p : world.particles) {
    if (p.active != 0) continue;
    p = Particle{};
    p.active = 1;
    p.kind = kind;
    p.x = x;
    p.y = y;
    p.frame = frame;
    p.life = life;
    p.dx = dx;
    p.dy = dy;
    return &p;
  }
  return nullptr;
}

}  // namespace kx
