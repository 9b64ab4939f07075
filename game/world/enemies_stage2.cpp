// enemies_stage2.cpp — the second stage's enemies: braking darts, swaying
// shooters, vertical squads, gunships with missiles, the dipper, beam pods,
// spread pods and the aimed divers.
//
// An enemy that leaves frees its slot at the bound given with its kind.
#include "game/Kx_main.h"
#include "game/world/motion.h"
#include "plat/timer.h"

namespace kx {

void TForm1::MoveDart(Enemy& e) {
  // Flies in fast and brakes each time p3 passes p1, until it reverses and
  // leaves to the right.
  e.x -= e.p2;
  e.y += e.p0 - 1;
  e.p3 += 1;
  if (e.p3 > e.p1) {
    e.p3 = 0;
    e.p2 -= 4;
    if (e.frame < 5) e.frame += 1;
  }
  if (e.x > 450) e.state = 0;
}

void TForm1::MoveSineShooter(Enemy& e) {
  e.x -= 6;
  e.y += e.p0 == 0 ? -1 : 1;
  SwingFrame(e.frame, e.p0, 6);
  e.p1 += 1;
  if (e.p1 > 20) {
    e.p1 = 0;
    FireAimedShot(e.x, e.y);
  }
  if (e.x < 0) e.state = 0;
}

void TForm1::MoveVerticalSquad(Enemy& e) {
  // p1 (0..2) is the pair number, which picks the speeds; kind 18 drifts
  // right, 19 left, 20 falls straight at a higher speed.
  static constexpr i32 kFall[2][3] = {{2, 3, 4}, {4, 5, 6}};
  static constexpr i32 kDrift[3] = {6, 5, 4};
  const i32 pair = e.p1 < 0 ? 0 : e.p1 > 2 ? 2 : e.p1;
  const i32 fall = kFall[e.kind == 20 ? 1 : 0][pair];
  e.y += e.p0 == 0 ? fall : -fall;
  if (e.kind == 18) e.x += kDrift[pair];
  if (e.kind == 19) e.x -= kDrift[pair];
  e.p2 += 1;
  if (e.p2 > 6) {
    e.p2 = 0;
    if (e.frame < 3) e.frame += 1;
  }
  e.p3 += 1;
  if (e.p3 > 13 && e.frame == 3) {
    NewEnemyShot(0, e.x, e.y, 9, 14);
    g.soundRequest = 7;
    e.p3 = 0;
  }
  const bool gone = e.kind == 18 ? e.x > 430 : e.x < -30;
  if (gone || e.y < -30 || e.y > 330) e.state = 0;
}

void TForm1::SwayStep(Enemy& e) {
  // The sprite swings over 15 cells; the hull rises while it swings up and
  // sinks while it swings back.
  const i32 step = kSway[(e.frame < 0 ? 0 : e.frame > 14 ? 14 : e.frame) / 3];
  e.y += e.p1 == 0 ? -step : step;
  SwingFrame(e.frame, e.p1, 14);
}

void TForm1::MoveGunship(Enemy& e) {
  // Kind 21 comes to x 200 and backs off to the right; 22 crosses the
  // screen, firing missiles only on its first half; 56 crosses with aimed
  // shots. p0: 21's direction, p2: fire counter.
  SwayStep(e);
  if (e.kind == 21) {
    if (e.p0 == 0) {
      e.x -= 3;
      if (e.x < 200) e.p0 = 1;
    } else {
      e.x += 9;
    }
  } else {
    e.x -= e.kind == 56 ? 4 : 3;
  }
  e.p2 += 1;
  if (e.kind == 56) {
    if (e.p2 > 20) {
      e.p2 = 0;
      FireAimedShot(e.x, e.y);
    }
  } else if (e.p2 > (e.kind == 21 ? 6 : 7) && (e.kind == 21 || e.x > 150)) {
    e.p2 = 0;
    const i32 p0 = plat::random(10) - 20;
    LaunchMissile(e.x + 20, e.y, p0, plat::random(12) - 6, 17);
  }
  const bool gone = e.kind == 21 ? e.x > 450 : e.kind == 22 ? e.x < -40 : e.x < -30;
  if (gone) e.state = 0;
}

void TForm1::MoveDipper(Enemy& e) {
  // Dives from the top, brakes, and swings back out to the right.
  static constexpr i32 kSpeed[7] = {-14, -7, -2, -1, 2, 7, 14};
  e.x += kSpeed[e.frame < 0 ? 0 : e.frame > 6 ? 6 : e.frame];
  e.p0 += 1;
  if (e.p0 > 6) {
    e.p0 = 0;
    if (e.frame < 6) e.frame += 1;
  }
  e.y += 5;
  e.p1 += 1;
  if (e.p1 > 20) {
    e.p1 = 0;
    FireAimedShot(e.x, e.y);
  }
  if (e.x > 440) e.state = 0;
}

void TForm1::MoveBeamPod(Enemy& e) {
  e.y += e.p0 == 0 ? e.p2 : -e.p2;
  e.frame += 1;
  if (e.frame > 9) {
    e.frame = 0;
    FireBeamVolley(e.x - 5, e.y, false);
  }
  if (e.y < -40 || e.y > 340) e.state = 0;
}

void TForm1::MoveSpreadPod(Enemy& e) {
  // p1: 0 entering and braking, 1 opening up (p3 paces it), 2 dashing right.
  switch (e.p1) {
    case 0:
      e.y += e.p0 == 0 ? e.p2 : -e.p2;
      e.p2 -= e.p2 >= 9 ? 2 : 1;
      if (e.p2 < 2) e.p1 = 1;
      break;
    case 1:
      e.p3 += 1;
      if (e.p3 > 1) {
        e.p3 = 0;
        e.frame += 1;
        if (e.frame >= 3) {
          e.frame = 3;
          FireSpreadOfNine(e.x - 10, e.y - 6);
          e.p1 = 2;
        }
      }
      break;
    default:
      e.x += 20;
      if (e.frame < 7) e.frame += 1;
      if (e.x > 440) e.state = 0;
      break;
  }
}

void TForm1::MoveDrifter(Enemy& e) {
  // Kind 29 (thrown by a boss) drifts left; kind 30 (the aimed diver) flies
  // its fixed velocity and leaves through any edge.
  if (e.kind == 29) {
    e.x -= e.p0;
    e.y += e.p1;
  } else {
    e.x += e.p0;
    e.y += e.p1;
  }
  CycleFrame(e.frame, 2);
  const bool gone = e.kind == 29 ? e.x < -20 : e.x < -30 || e.x > 430 || e.y < -30 || e.y > 330;
  if (gone) e.state = 0;
}

}  // namespace kx
