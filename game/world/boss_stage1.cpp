// boss_stage1.cpp — the first stage's boss (kind 14): it flies in, then
// circles a diamond-shaped loop while an attack cycle runs beside it.
//
// Movement (p0, speeds p1 across and p2 down/up, each easing up by one a
// frame to 5 and 6) turns at y 150, y 260, x 340 and y 50. The sprite tilts
// with the climb: cell 2 is level, 0 diving, 4 climbing; +5 is the recoil
// cell, shown for one frame (p5 = 1) after each beam. Attack (p3, frame
// counter p4): wait, charge, ring, wait, beams, wait, missiles, wait, thrown
// shots. Below 40 hit points every wait leads back to the charge, so a
// damaged boss only charges and fires rings.
#include "game/Kx_main.h"
#include "game/world/boss_steps.h"
#include "plat/timer.h"

namespace kx {
namespace {

constexpr i32 kMaxSpeedX = 5, kMaxSpeedY = 6;
constexpr i32 kTilt[5] = {2, 0, 0, 4, 4};  // by leg: level in, diving, climbing
constexpr i32 kRecoilCells = 5;
constexpr i32 kDamagedBelow = 40;

void FlyDiamond(Enemy& e) {
  if (e.p0 < 0 || e.p0 > 4) e.p0 = 0;
  switch (e.p0) {
    case 0:
      e.x -= 6;
      FrameToward(e.frame, kTilt[0]);
      if (e.x < 290) {
        e.p0 = 1;
        e.p1 = 6;
        e.p2 = 0;
      }
      return;
    case 1:
      e.x -= e.p1;
      e.y += e.p2;
      break;
    case 2:
      e.x += e.p1;
      e.y += e.p2;
      break;
    case 3:
      e.x += e.p1;
      e.y -= e.p2;
      break;
    default:
      e.x -= e.p1;
      e.y -= e.p2;
      break;
  }
  FrameToward(e.frame, kTilt[e.p0]);
  // A speed reset at a turn is the one used on the next frame.
  GrowTo(e.p1, kMaxSpeedX);
  GrowTo(e.p2, kMaxSpeedY);
  if (e.p0 == 1 && e.y > 150) {
    e.p0 = 2;
    e.p1 = 0;
  } else if (e.p0 == 2 && e.y > 260) {
    e.p0 = 3;
    e.p2 = 0;
  } else if (e.p0 == 3 && e.x > 340) {
    e.p0 = 4;
    e.p1 = 0;
  } else if (e.p0 == 4 && e.y < 50) {
    e.p0 = 1;
    e.p2 = 0;
  }
}

}  // namespace

void TForm1::MoveBossStage1(Enemy& e) {
  if (e.p5 == 1) {  // last frame's recoil cell
    e.frame -= kRecoilCells;
    e.p5 = 0;
  }
  FlyDiamond(e);
  BossStage1Attack(e);
}

void TForm1::BossStage1Attack(Enemy& e) {
  const i32 gunX = e.x + 15, gunY = e.y - 38;
  auto next = [&e](i32 step) {
    e.p3 = step;
    e.p4 = 0;
  };
  switch (e.p3) {
    case 0:
    case 3:
    case 5:
    case 7:
      if (CountFrames(e.p4, 31)) e.p3 = e.hp < kDamagedBelow ? 1 : e.p3 + 1;
      break;
    case 1:  // charging
      e.p4 += 1;
      DrawChargeGlow(gunX, gunY, e.p4);
      if (e.p4 >= 20) next(2);
      break;
    case 2:
      FireBossRing(gunX, gunY);
      next(3);
      break;
    case 4:  // beams, with the recoil cell on each
      e.p4 += 1;
      if (e.p4 % 4 == 1) {
        FireBeamVolley(e.x - 16, e.y - 5, false);
        e.frame += kRecoilCells;
        e.p5 = 1;
      }
      if (e.p4 >= 26) next(5);
      break;
    case 6:  // missiles thrown backwards
      e.p4 += 1;
      if (e.p4 % 3 == 1) {
        const i32 p0 = plat::random(15) - 20;
        const i32 p1 = plat::random(12) - 6;
        LaunchMissile(e.x, e.y, p0, p1, 12);
      }
      if (e.p4 >= 61) next(7);
      break;
    case 8:  // thrown shots that brake and come back
      e.p4 += 1;
      if (e.p4 % 4 == 1) {
        const i32 vx = plat::random(11) + 6;
        const i32 vy = plat::random(18) - 9;
        FireThrownShot(e.x + 15, e.y - 13, vx, vy);
      }
      if (e.p4 >= 40) next(0);
      break;
    default:
      next(0);
      break;
  }
}

}  // namespace kx
