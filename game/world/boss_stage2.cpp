// boss_stage2.cpp — the second stage's boss (kind 28): one scripted sequence
// in p0. It brakes in, opens with a fan, then repeats states 5..17: a spread,
// a dash off the left edge to x -80, a sweep back across the screen firing
// fans, a stream of debris, two rows of flashes, a ring and beam volleys.
//
// p1 is the entry and dash speed, p2 the frame counter of the current state
// (cleared on every state change). Sprite cells: 0..11 facing left, 20..24
// facing right after the sweep.
#include <initializer_list>

#include "game/Kx_main.h"
#include "game/world/boss_steps.h"

namespace kx {
namespace {

constexpr i32 kDashSpeed = 20, kOffscreenX = -80, kSweepEndX = 305;
constexpr i32 kFanOfSevenVx[7] = {5, 7, 9, 11, 9, 7, 5};  // fastest in the middle

bool AnyOf(i32 v, std::initializer_list<i32> values) {
  for (i32 w : values)
    if (v == w) return true;
  return false;
}

}  // namespace

void TForm1::MoveBossStage2(Enemy& e) {
  auto next = [&e](i32 state) {
    e.p0 = state;
    e.p2 = 0;
  };
  switch (e.p0) {
    case 0:  // braking in: 30, 28, ..., 2 pixels a frame
      e.x -= e.p1;
      e.p1 -= 2;
      if (e.p1 <= 0) {
        e.p1 = 0;
        next(1);
      }
      break;
    case 1:
      FireFanOfSix(e.x + 30, e.y);
      next(2);
      break;
    case 2:
      if (FrameToward(e.frame, 11)) next(3);
      break;
    case 3:
    case 6:
      e.x += 1;
      if (CountFrames(e.p2, 21)) {
        if (e.p0 == 6) e.p1 = 0;  // the dash starts from rest every time round
        next(e.p0 + 1);
      }
      break;
    case 4:
    case 17:
      if (e.p0 == 4) e.x += 1;
      e.p2 += 1;
      if (AnyOf(e.p2, {2, 10, 18, 26})) FireFiveVolley(e.x - 40, e.y + 5);
      if (e.p2 >= 44) next(5);
      break;
    case 5:
      FireSpreadOfNine(e.x - 5, e.y + 5);
      next(6);
      break;
    case 7:  // dash out to the left
      FrameToward(e.frame, 0);
      GrowTo(e.p1, kDashSpeed);
      e.x -= e.p1;
      if (e.x < kOffscreenX) {
        e.x = kOffscreenX;
        e.frame = 20;
        next(8);
      }
      break;
    case 8:  // sweep back, fans of six and seven alternating
      e.x += 3;
      if (AnyOf(e.x, {55, 145, 235})) FireFanOfSix(e.x + 35, e.y);
      if (AnyOf(e.x, {100, 190, 280}))
        for (i32 n = 0; n < 7; ++n) FireThrownShot(e.x + 35, e.y, kFanOfSevenVx[n], 4 * n - 12);
      if (e.x > kSweepEndX) next(9);
      break;
    case 9:
      e.p2 += 1;
      if (e.p2 % 2 == 1) LaunchDebris(60, e.x + 45, e.y - 5, 15, 24);
      if (e.p2 >= 146) next(10);
      break;
    case 10:
      if (FrameToward(e.frame, 24)) next(11);
      break;
    case 11:
      if (CountFrames(e.p2, 21)) next(12);
      break;
    case 12:  // two staggered rows of flashes reaching left
      for (i32 n = 0; n <= 10; ++n) {
        NewEnemyShot(26, e.x - 34 - 26 * n, e.y - 16, 13, 13);
        NewEnemyShot(26, e.x - 68 - 26 * n, e.y, 13, 13);
      }
      g.soundRequest = 12;
      next(13);
      break;
    case 13:
      if (CountFrames(e.p2, 40)) next(14);
      break;
    case 14:
      if (FrameToward(e.frame, 20)) next(15);
      break;
    case 15:
      FireBossRing(e.x + 30, e.y);
      next(16);
      break;
    case 16:
      if (FrameToward(e.frame, 11)) next(17);
      break;
    default:
      next(5);
      break;
  }
}

}  // namespace kx
