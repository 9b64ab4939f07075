// boss_last_second.cpp — the last boss's second form (kind 33, always in
// enemy slot 27) and the three turrets circling it (slots 28..30).
//
// A script of states 0..19 in p0; after 19 it goes on at 7. p1 is the
// sub-step of the longer states (or a speed), p2 and p3 count frames, p6
// turns the double stream of state 18. Entering a state clears p1..p3,
// except the corner flight (6, 17), which keeps the speeds state 5/16 just
// set. The open states: a ring, a flight to the top-right corner, beam runs
// down and up the right edge, swoops with turret volleys, ring bursts, a row
// of eight mines, and a turning double stream. Its death (kills.cpp) blows up
// the turrets and brings up the third form.
#include "game/Kx_main.h"
#include "game/world/boss_steps.h"
#include "plat/timer.h"

namespace kx {
namespace {

constexpr i32 kCornerX = 340, kCornerY = 60;
constexpr i32 kCornerFrames = 17;  // the flight runs 18 frames at 1/17 of the way
constexpr int kTurretSlots[3] = {28, 29, 30};

void Enter(Enemy& e, i32 state) {
  e.p0 = state;
  if (state != 6 && state != 17) {
    e.p1 = 0;
    e.p2 = 0;
  }
  e.p3 = 0;
  if (state == 1) e.frame = 10;
  if (state == 18) e.p5 = 0;
}

// Speeds ease up to 5 across and 4 down or up; dx, dy give the direction.
void Swoop(Enemy& e, i32 dx, i32 dy) {
  GrowTo(e.p1, 5);
  GrowTo(e.p2, 4);
  e.x += dx * e.p1;
  e.y += dy * e.p2;
}

}  // namespace

void TForm1::MoveBossLastSecond(Enemy& e) {
  switch (e.p0) {
    case 0:
    case 2:
    case 4:  // pauses of six frames
      e.p1 += 1;
      if (e.p1 > 5) Enter(e, e.p0 + 1);
      break;
    case 1:
      DrawChargeGlow(e.x + 10, e.y - 45, e.p1);
      e.p1 += 1;
      if (e.p1 > 4) e.frame += 1;
      if (e.frame > 13) {
        SecondFormRing(e);
        Enter(e, 2);
      }
      break;
    case 3:
      if (FrameDownPast(e.frame, 11, 4)) Enter(e, 4);
      break;
    case 5:
    case 16:  // aim at the corner
      e.p1 = (kCornerX - e.x) / kCornerFrames;
      e.p2 = (kCornerY - e.y) / kCornerFrames;
      Enter(e, e.p0 + 1);
      break;
    case 6:
    case 17:
      e.x += e.p1;
      e.y += e.p2;
      if (e.frame < 9) e.frame += 1;
      if (CountFrames(e.p3, 18)) Enter(e, e.p0 + 1);
      break;
    case 7:
      e.y += 4;
      SecondFormBeamRun(e, false);
      if (e.y > 240) Enter(e, 8);
      break;
    case 8:
    case 12:  // swoop left, up (8) or down (12)
      Swoop(e, -1, e.p0 == 8 ? -1 : 1);
      FrameToward(e.frame, 0);
      e.p3 += 1;
      if (e.p3 == 7) TurretVolley(9);
      if (e.p0 == 8 ? e.y < 150 : e.y > 150) Enter(e, e.p0 + 1);
      break;
    case 9:
    case 13:  // swoop right, up (9) or down (13)
      Swoop(e, 1, e.p0 == 9 ? -1 : 1);
      if (e.frame < 9) e.frame += 1;
      e.p3 += 1;
      if (e.p3 == 2 || e.p3 == 18) TurretVolley(e.p0 == 9 ? 9 : 7);
      if (e.p0 == 9 ? e.y < 64 : e.y > 240) Enter(e, e.p0 + 1);
      break;
    case 10:
      e.y += 3;
      SecondFormRingBurst(e);
      if (e.y > 240) Enter(e, 11);
      break;
    case 11:
      e.y -= 4;
      SecondFormBeamRun(e, true);
      if (e.y < 64) Enter(e, 12);
      break;
    case 14:
      e.x -= 1;
      e.y -= 5;
      FrameToward(e.frame, 0);
      if (e.y < 171) Enter(e, 15);
      break;
    case 15:
      SecondFormMineRow(e);
      break;
    case 18:
      e.y += 3;
      SecondFormStream(e);
      if (e.y > 240) Enter(e, 19);
      break;
    case 19:
      e.y -= 3;
      SecondFormRingClimb(e);
      if (e.y < 60) {  // round again from the beam run
        e.p0 = 7;
        e.p1 = 0;
        e.p2 = 0;
      }
      break;
    default:
      Enter(e, 7);
      break;
  }
}

void TForm1::SecondFormRing(const Enemy& e) {
  FireBossRing(e.x + 20, e.y - 35);
}

void TForm1::TurretVolley(i32 vySpread) {
  for (int slot : kTurretSlots) {
    const Enemy& t = world.enemies[slot];
    if (t.state != 1 || t.kind != 34) continue;  // only turrets still standing fire
    const i32 vx = plat::random(12) + 7;
    const i32 vy = plat::random(2 * vySpread) - vySpread;
    FireThrownShot(t.x, t.y, vx, vy);
  }
}

void TForm1::SecondFormBeamRun(Enemy& e, bool fiveShot) {
  // Dip the nose, raise the guns (cells 15..19), fire with the recoil cell
  // 20 for a frame, then lower them again and cruise to the edge.
  switch (e.p1) {
    case 0:
      if (FrameDownPast(e.frame, 4, 15)) e.p1 = 1;
      break;
    case 1:
      if (e.frame < 19) {
        e.frame += 1;
        break;
      }
      e.frame = 19;
      e.p2 += 1;
      if (fiveShot ? e.p2 % 8 == 2 : e.p2 % 4 == 2) {
        e.frame = 20;
        if (fiveShot) {
          FireFiveVolley(e.x - 33, e.y - 23);
        } else {
          FireBeamVolley(e.x - 33, e.y - 23, true);
        }
      }
      if (e.p2 > (fiveShot ? 31 : 27)) e.p1 = 2;
      break;
    case 2:
      if (FrameDownPast(e.frame, 15, 4)) e.p1 = 3;
      break;
    default:
      break;
  }
}

// The glow runs; once it has run eight frames the frame climbs, and each
// frame it passes 13 a ring fires (p3 counts the rings).
void TForm1::SecondFormGlowAndRing(Enemy& e) {
  DrawChargeGlow(e.x + 10, e.y - 45, e.p2);
  e.p2 += 1;
  if (e.p2 > 7) e.frame += 1;
  if (e.frame > 13) {
    e.frame = 14;
    SecondFormRing(e);
    e.p3 += 1;
  }
}

void TForm1::SecondFormRingBurst(Enemy& e) {
  // After the charge, a ring in each of five consecutive frames.
  switch (e.p1) {
    case 0:
      if (FrameDownPast(e.frame, 4, 10)) e.p1 = 1;
      break;
    case 1:
      SecondFormGlowAndRing(e);
      if (e.p3 > 4) e.p1 = 2;
      break;
    case 2:
      if (FrameDownPast(e.frame, 10, 4)) e.p1 = 3;
      break;
    default:
      break;
  }
}

void TForm1::SecondFormMineRow(Enemy& e) {
  // Open the bay (cells 21..27), release the mines, close it again.
  switch (e.p1) {
    case 0:
      e.frame += 1;
      if (e.frame > 4) {
        e.frame = 21;
        e.p1 = 1;
      }
      break;
    case 1:
      e.frame += 1;
      if (e.frame > 24) {
        e.frame = 24;
        e.p1 = 2;
      }
      break;
    case 2:
      if (CountFrames(e.p2, 6)) e.p1 = 3;
      break;
    case 3:
      e.frame += 1;
      if (e.frame > 27) {
        e.frame = 27;
        DropMineRow(e.x - 30, e.y - 20);
        e.p1 = 4;
      }
      break;
    case 4:
      if (CountFrames(e.p2, 3)) e.p1 = 5;
      break;
    default:
      if (FrameDownPast(e.frame, 21, 4)) Enter(e, 16);
      break;
  }
}

void TForm1::DropMineRow(i32 x, i32 y) {
  // All from one point; their different speeds spread them into a row.
  for (i32 n = 1; n <= 8; ++n) {
    if (Enemy* m = NewEnemy(35, x, y, 10000, 20, 20, 29)) m->p1 = 5 * n;
    g.soundRequest = 10;
  }
}

void TForm1::SecondFormStream(Enemy& e) {
  // A double stream of aimed shots in opposite directions, turning one
  // direction step per volley.
  switch (e.p1) {
    case 0:
      if (FrameDownPast(e.frame, 4, 10)) e.p1 = 1;
      break;
    case 1:
      DrawChargeGlow(e.x + 10, e.y - 45, e.p2);
      e.p2 += 1;
      if (e.p2 > 9) {
        if (e.frame == 13) g.soundRequest = 11;
        e.frame += 1;
        if (e.frame > 13) {
          e.frame = 14;
          e.p6 = e.p6 >= 7 ? 0 : e.p6 + 1;
          for (i32 dir : {e.p6, e.p6 + 8})
            if (EnemyShot* s = NewEnemyShot(19, e.x + 20, e.y - 35, 5, 5)) s->dir = dir;
          e.p3 += 1;
        }
      }
      if (e.p3 > 60) e.p1 = 2;
      break;
    case 2:
      if (FrameDownPast(e.frame, 10, 10)) e.p1 = 3;
      break;
    default:
      break;
  }
}

void TForm1::SecondFormRingClimb(Enemy& e) {
  switch (e.p1) {
    case 0:
      SecondFormGlowAndRing(e);
      if (e.p3 > 5) e.p1 = 1;
      break;
    case 1:
      if (FrameDownPast(e.frame, 10, 4)) e.p1 = 2;
      break;
    default:
      break;
  }
}

}  // namespace kx
