// enemies_heavy.cpp — the sturdy enemies of the later stages: armoured
// missile carriers, the spinning shooter, the turret ships and the riser.
//
// They take many hits and fire a lot; each leaves to the right (x > 420 for
// the turret ships, 440 or 450 for the rest).
#include "game/Kx_main.h"
#include "game/world/motion.h"
#include "plat/timer.h"

namespace kx {

void TForm1::MoveArmoured(Enemy& e) {
  // p3: 0 drifting in while the frame (paced by p1, counted in p0) steps
  // through its thrust speeds, 1 stopped and launching missiles for 31
  // frames, 2 accelerating away (speed in p4).
  static constexpr i32 kThrust[4] = {22, 10, 6, 1};
  switch (e.p3) {
    case 0:
      e.y += e.kind == 43 ? e.p2 : -e.p2;
      e.x += kThrust[e.frame < 0 ? 0 : e.frame > 3 ? 3 : e.frame];
      e.p0 += 1;
      if (e.p0 >= e.p1) {
        e.p0 = 0;
        e.frame += 1;
        if (e.frame >= 4) {
          e.frame = 4;
          e.p3 = 1;
        }
      }
      break;
    case 1:
      e.p0 += 1;
      e.frame = 4;
      if (e.p0 % 3 == 0) {  // the launch shows the recoil cell for one frame
        e.frame = 5;
        const i32 p0 = plat::random(10) - 20;
        LaunchMissile(e.x + 10, e.y - 8, p0, plat::random(12) - 6, 37);
      }
      if (e.p0 >= 31) {
        e.p3 = 2;
        e.frame = 4;
      }
      break;
    default:
      e.p4 += 1;
      e.x += e.p4;
      break;
  }
  if (e.x > 440) e.state = 0;
}

void TForm1::MoveSpinner(Enemy& e) {
  if (e.kind == 52) {
    // Drops in from above or below, braking hard, then spins like kind 51
    // from its holding step.
    e.y += e.p0 == 0 ? e.p1 : -e.p1;
    e.p1 -= 2;
    if (e.p1 < -4) {
      e.kind = 51;
      e.p0 = 1;
      e.p1 = 0;
      g.soundRequest = 11;
    }
  } else {
    // p0 is the step (in, hold, out), p1 counts its frames.
    e.p1 += 1;
    if (e.p0 == 0) {
      e.x -= e.p3;
      if (e.p1 >= 51) {
        e.p0 = 1;
        e.p1 = 0;
      }
    } else if (e.p0 == 1) {
      if (e.p1 >= 31) {
        e.p0 = 2;
        e.p1 = 0;
      }
    } else {
      e.x += e.p3;
    }
    // A turning double stream every second frame while in and holding.
    if (e.p0 < 2) {
      e.p4 = e.p4 == 0 ? 1 : 0;
      if (e.p4 == 1) {
        for (i32 dir : {e.frame, e.frame + 8})
          if (EnemyShot* s = NewEnemyShot(19, e.x, e.y, 5, 5)) s->dir = dir & 15;
        g.soundRequest = 7;
      }
    }
  }
  if (e.p2 == 0) {
    CycleFrame(e.frame, 7);
  } else {
    e.frame = e.frame <= 0 ? 7 : e.frame - 1;
  }
  if (e.x > 450) e.state = 0;
}

void TForm1::MoveTurretShip(Enemy& e) {
  // p2: 0 entering and braking as its turret unfolds (p3 paces it, faster
  // with each frame), 1 leaving with p1 growing every fourth frame (p4).
  // p5 paces the fire, which changes once the ship turns to leave.
  e.y += e.p0 == 0 ? 1 : -1;
  const bool leaving = e.p2 == 1;
  if (!leaving) {
    e.x -= e.p1;
    e.p3 += 1;
    if (e.p3 > 7 - e.frame) {
      e.p3 = 0;
      e.p1 -= 2;
      e.frame += 1;
      if (e.frame >= 6) {
        e.frame = 6;
        e.p2 = 1;
      }
    }
  } else {
    e.x += e.p1;
    e.p4 += 1;
    if (e.p4 >= 4) {
      e.p4 = 0;
      if (e.p1 < 3) e.p1 += 1;
    }
  }
  static constexpr i32 kPeriod[3][2] = {{8, 5}, {15, 10}, {12, 7}};  // entering, leaving
  const int k = e.kind - 53;
  e.p5 += 1;
  if (e.p5 >= kPeriod[k][leaving ? 1 : 0]) {
    e.p5 = 0;
    if (e.kind == 53) {
      if (EnemyShot* s = NewEnemyShot(20, e.x + 15, e.y - 10, 12, 5)) {
        s->vx = plat::random(8) + 6;
        s->vy = plat::random(18) - 9;
      }
      g.soundRequest = 7;
    } else if (e.kind == 54 || !leaving) {
      FireFanOfSix(e.x + 15, e.y - 10);
    } else {
      FireFiveVolley(e.x - 21, e.y - 21);
    }
  }
  if (e.x > 420) e.state = 0;
}

void TForm1::MoveRiser(Enemy& e) {
  // p0: 0 rising and braking (from 20 it climbs 210 pixels), 1 unfolding,
  // 2 creeping right and spraying shots (p2 paces them).
  switch (e.p0) {
    case 0:
      e.y -= e.p1;
      e.p1 -= 1;
      CycleFrame(e.frame, 9);
      if (e.p1 < 0) e.p0 = 1;
      break;
    case 1:
      e.frame += 1;
      if (e.frame >= 23) {
        e.frame = 23;
        e.p0 = 2;
      }
      break;
    default:
      e.x += 2;
      e.frame += 1;
      if (e.frame > 31) e.frame = 23;
      e.p2 += 1;
      if (e.p2 >= 6) {
        e.p2 = 0;
        if (EnemyShot* s = NewEnemyShot(21, e.x - 27, e.y, 3, 3)) {
          s->vx = plat::random(18) + 8;
          s->vy = plat::random(16) - 8;
        }
        g.soundRequest = 7;
      }
      if (e.x > 450) e.state = 0;
      break;
  }
}

}  // namespace kx
