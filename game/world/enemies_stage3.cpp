// enemies_stage3.cpp — the third stage's light enemies: beam stations,
// curving pairs, spread divers, bouncers, dashers, lane shooters, torpedoes
// and wobblers.
//
// An enemy that leaves frees its slot at the bound given with its kind;
// vertical movers are freed outside y -40..340 (-30..330 for the lane
// shooters).
#include <cstdlib>

#include "game/Kx_main.h"
#include "game/world/motion.h"

namespace kx {

void TForm1::MoveBeamStation(Enemy& e) {
  // p2 is the step: glide in slowing down, open and fire, close, glide on.
  const i32 dir = e.p0 == 0 ? 1 : -1;
  switch (e.p2) {
    case 0:
      e.y += dir * e.p1;
      if (CycleFrame(e.frame, 9) && e.p1 > 2) e.p1 -= 1;
      e.p3 += 1;
      if (e.p3 >= (e.kind == 36 ? 29 : 17)) {
        e.p3 = 0;
        e.p2 = 1;
      }
      break;
    case 1:
      e.frame += 1;
      if (e.frame >= 13) {
        e.frame = 13;
        FireBeamVolley(e.x - 12, e.y, true);
        e.p2 = 2;
      }
      break;
    case 2:
      e.frame -= 1;
      if (e.frame <= 9) {
        e.frame = 9;
        e.p1 = 0;
        e.p2 = 3;
      }
      break;
    default:
      e.y += dir * e.p1;
      if (CycleFrame(e.frame, 9)) e.p1 += 1;
      break;
  }
  if (e.y < -40 || e.y > 340) e.state = 0;
}

void TForm1::MoveCurveAway(Enemy& e) {
  // Each time p2 passes p3 the pair speeds up and bends further away:
  // kind 38 upward, kind 39 downward.
  e.x -= e.p0;
  e.y += e.kind == 38 ? -e.p1 : e.p1;
  e.p2 += 1;
  if (e.p2 > e.p3) {
    e.p2 = 0;
    if (e.kind == 38 && e.frame < 5) e.frame += 1;
    if (e.kind == 39 && e.frame > 0) e.frame -= 1;
    e.p0 += 2;
    e.p1 += 1;
  }
  if (e.x < -20) e.state = 0;
}

void TForm1::MoveSpreadDiver(Enemy& e) {
  // 35 frames in, the nine-shot spread, then off to the right.
  e.p3 += 1;
  if (e.p3 <= 35) e.y += e.p0 == 0 ? e.p2 : -e.p2;
  if (e.p3 == 35) FireSpreadOfNine(e.x - 10, e.y);
  if (e.p3 > 35) e.x += 4;
  if (e.p1 == 0) {
    CycleFrame(e.frame, 6);
  } else {
    e.frame = e.frame <= 0 ? 6 : e.frame - 1;
  }
  if (e.x > 440) e.state = 0;
}

void TForm1::MoveBouncer(Enemy& e) {
  // Bounces right off the left edge, slows, turns and shoots away left.
  static constexpr i32 kSpeed[7] = {17, 9, 5, -1, -5, -12, -25};
  e.p0 += 1;
  if (e.p0 > e.p1) {
    e.p0 = 0;
    if (e.frame < 6) e.frame += 1;
  }
  const i32 f = e.frame < 0 ? 0 : e.frame > 6 ? 6 : e.frame;
  e.x += kSpeed[f];
  if (f == 6) e.y += e.kind == 41 ? 5 : -5;
  if (e.x < -30) e.state = 0;
}

void TForm1::MoveDasher(Enemy& e) {
  // p0: 0 gliding in until level with the ship, 1 dashing left.
  if (e.p0 == 0) {
    e.y += e.kind == 45 ? e.p1 : -e.p1;
    CycleFrame(e.frame, 3);
    if (std::abs(e.y - Ship(world).y) < 35) e.p0 = 1;
  } else {
    e.frame += 1;
    if (e.frame > 12) e.frame = 10;
    e.p2 += 1;
    e.x -= e.p2;
    NewParticle(4, e.x + 25, e.y, 0, 30, 0, 0);
  }
  if (e.x < -40 || e.y < -40 || e.y > 340) e.state = 0;
}

void TForm1::MoveLaneShooter(Enemy& e) {
  // The curving pair's cousin crossing the screen vertically, firing five.
  e.x -= e.p0 - 2;
  e.y += e.p1 == 0 ? e.p0 : -e.p0;
  e.p2 += 1;
  if (e.p2 == 24) e.frame = 1;
  if (e.p2 == 27) e.frame = 2;
  if (e.p2 == 30) e.frame = 3;
  if (e.p2 >= 33 && e.p2 <= 93 && (e.p2 - 33) % 15 == 0) {
    NewEnemyShot(1, e.x - 20, e.y + 3, 9, 3);
    g.soundRequest = 7;
  }
  if (e.y < -30 || e.y > 330) e.state = 0;
}

void TForm1::MoveRamTorpedo(Enemy& e) {
  // Kind 48 drops into its lane for 15 frames, then accelerates left; kind 49
  // backs off, then accelerates left while homing on the ship's height.
  if (e.kind == 48) {
    if (e.p2 < 15) {
      e.p2 += 1;
      e.y += e.p1 == 0 ? e.p0 : -e.p0;
    } else {
      e.p3 += 1;
      e.x -= e.p3;
      NewParticle(4, e.x + 30, e.y, 0, 30, 0, 0);
    }
  } else {
    e.p0 += 1;
    e.x -= e.p0;
    NewParticle(4, e.x + 30, e.y, 0, 30, 0, 0);
    const i32 shipY = Ship(world).y;
    e.y += e.y < shipY ? 1 : e.y > shipY ? -1 : 0;
  }
  CycleFrame(e.frame, 4);
  if (e.x < -30) e.state = 0;
}

void TForm1::MoveWobbler(Enemy& e) {
  // p3 walks the sway table every third frame (p1 paces it); after each run
  // of five the wobble turns (p0). p4 paces the aimed shots.
  e.x -= e.p2;
  CycleFrame(e.frame, 8);
  e.p1 += 1;
  if (e.p1 > 2) {
    e.p1 = 0;
    e.p3 += 1;
    if (e.p3 > 4) {
      e.p3 = 0;
      e.p0 = e.p0 == 0 ? 1 : 0;
    }
  }
  const i32 step = kSway[e.p3 < 0 ? 0 : e.p3 > 4 ? 4 : e.p3];
  e.y += e.p0 == 0 ? step : -step;
  e.p4 += 1;
  if (e.p4 > 21) {
    e.p4 = 0;
    FireAimedShot(e.x, e.y);
  }
  if (e.x < -30) e.state = 0;
}

}  // namespace kx
