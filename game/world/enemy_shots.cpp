// enemy_shots.cpp — the enemy-shot pass: motion, drawing and trails of the
// 28 shot kinds, absorption by the pods and hits on the ship.
//
// Runs once per frame after the particle pass while playing, over slots
// 0..101 in order. Aimed kinds fly along one of 16 directions: they move by
// -cos/-sin x speed / 16, so direction 0 is straight left. Shots of kinds 3,
// 4, 5 and the flashes (26, 27) pierce the ship and fly on.
#include <cstdlib>

#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {
namespace {

constexpr i32 kWaveLength = 8;  // frames of one up-and-down weave

bool Pierces(i32 kind) { return kind == 3 || kind == 4 || kind == 5 || kind >= 26; }

}  // namespace

void TForm1::ShotTrail(const EnemyShot& s, i32 frame) { NewParticle(11, s.x, s.y, frame, 30, 0, 0); }

void TForm1::ShotSpark(const EnemyShot& s, bool longLife, bool forward) {
  const i32 life = plat::random(longLife ? 39 : 19);
  const i32 dx = forward ? plat::random(5) + 1 : plat::random(5);
  NewParticle(10, s.x, s.y, 0, life, dx, plat::random(10) - 5);
}

void TForm1::MoveAimed(EnemyShot& s, i32 speed) {
  const i32 dir = s.dir & 15;  // a direction outside 0..15 must not index past the tables
  s.x -= cosTable16[dir] * speed / 16;
  s.y -= sinTable16[dir] * speed / 16;
}

void TForm1::MoveWeave(EnemyShot& s, i32 amplitude) {
  s.y += s.vx < 4 ? -amplitude : amplitude;
  s.vx += 1;
  if (s.vx >= kWaveLength) s.vx = 0;
}

void TForm1::MoveAndDrawShot(EnemyShot& s) {
  auto& c = I1.Canvas;
  auto at20 = [&](i32 index) { IL20.Draw(c, s.x - 10, s.y - 10, index); };
  auto at24 = [&](i32 index) { IL24.Draw(c, s.x - 12, s.y - 12, index); };
  switch (s.kind) {
    case 0: s.x -= 10; at20(19 + s.frame); ShotSpark(s, false, false); break;
    case 1: s.x -= 12; at20(21 + s.frame); ShotSpark(s, false, false); break;
    case 2: case 8: s.x += s.vx; s.y += s.vy; at20(23 + s.frame); break;
    case 3: MoveAimed(s, 23); at20(23); ShotTrail(s, 0); break;
    case 4: MoveAimed(s, 17); at20(24); ShotTrail(s, 1); break;
    case 5: MoveAimed(s, 11); at20(25); ShotTrail(s, 2); break;
    case 6:
      s.x -= 19;
      at24(16 + s.frame);
      ShotTrail(s, 1);
      ShotSpark(s, true, false);
      ShotSpark(s, true, false);
      break;
    case 7: s.x -= 19; MoveWeave(s, 5); at20(25); ShotTrail(s, 0); break;
    case 9:
      s.x -= 22;
      at20(23);
      for (int i = 0; i < 3; ++i) ShotSpark(s, true, false);
      break;
    case 10: s.x -= 20; at20(23); break;
    case 11: s.x -= 18; at20(24); break;
    case 12: s.x -= 16; at20(24); ShotTrail(s, 0); break;
    case 13: s.x -= 14; at20(25); ShotTrail(s, 0); break;
    case 14: s.x -= 12; at20(25); ShotTrail(s, 0); break;
    case 15: MoveAimed(s, 16); at20(23 + s.frame); ShotTrail(s, 2); break;
    case 16: s.x += s.vx; s.y += s.vy; at24(31 + s.frame); ShotTrail(s, 2); break;
    case 17: s.x -= 17; MoveWeave(s, 13); at20(25); ShotTrail(s, 0); break;
    case 18:
      s.x -= 21;
      at24(16 + s.frame);
      ShotTrail(s, 1);
      for (int i = 0; i < 3; ++i) ShotSpark(s, true, false);
      break;
    case 19: MoveAimed(s, 14); at20(23 + s.frame); ShotTrail(s, 2); break;
    case 20:  // thrown forward, it brakes and comes back
      s.x += s.vx;
      s.vx -= 2;
      s.y += s.vy;
      at24(46);
      NewParticle(15, s.x, s.y, 1, 30, 0, 0);
      if (s.vx < 0) ShotSpark(s, false, true);
      break;
    case 21:
      s.x -= s.vx;
      s.y += s.vy;
      at24(46);
      NewParticle(15, s.x, s.y, 1, 30, 0, 0);
      ShotSpark(s, false, true);
      break;
    case 22: MoveAimed(s, 23); at24(46); NewParticle(15, s.x, s.y, 1, 30, 0, 0); break;
    case 23: s.x -= 22; at24(16 + s.frame); ShotTrail(s, 1); ShotSpark(s, false, false); break;
    case 24: s.x -= 18; s.y += s.vx; at20(24 + s.frame); ShotSpark(s, false, false); break;
    case 25: s.x -= 14; s.y += s.vx; at20(24 + s.frame); ShotSpark(s, false, false); break;
    case 26:  // a flash that grows...
      s.frame += 1;
      if (s.frame > 16) s.kind = 27;
      IL26.Draw(c, s.x - 13, s.y - 13, s.frame / 3);
      break;
    case 27:  // ...and shrinks away
      s.frame -= 1;
      if (s.frame < 1) {
        s.active = 0;
        break;
      }
      IL26.Draw(c, s.x - 13, s.y - 13, s.frame / 3);
      break;
    default: break;  // an unknown kind stands still until it is absorbed
  }
}

void TForm1::EnemyShotPass() {
  const auto& ship = world.shipTrail[0];
  const auto& pods = world.podTrail[0];
  for (auto& s : world.enemyShots) {
    if (s.active == 0) continue;
    // Animation: the pinwheel shot has four frames, the rest blink.
    if (s.kind == 16) {
      s.frame = (s.frame + 1) % 4;
    } else if (s.kind < 26) {
      s.frame = s.frame == 0 ? 1 : 0;
    }
    MoveAndDrawShot(s);
    if (s.active == 0) continue;
    if (s.x < -20 || s.x > 470 || s.y < -20 || s.y > 320) {
      s.active = 0;
      continue;
    }
    for (int i = 0; i < 2 && s.kind < 26; ++i) {
      if (std::abs(s.x - pods.x[i]) < s.halfW + 8 && std::abs(s.y - pods.y[i]) < s.halfH + 8) {
        // A pod swallows the shot; while damaged that also helps the repair.
        s.active = 0;
        g.score += 10;
        IL24.Draw(I1.Canvas, pods.x[i] - 12, pods.y[i] - 12, 15);
        if (g.condition > 0) g.recoverPoints += 200;
        break;
      }
    }
    if (s.active == 0) continue;
    if (std::abs(s.x - ship.x) < s.halfW + 7 && std::abs(s.y - ship.y) < s.halfH + 16) {
      if (!Pierces(s.kind)) s.active = 0;
      if (g.hitState == 0 && invincible == 0) ShipTakesHit();
    }
  }
}

}  // namespace kx
