// boss_last_third.cpp — the last boss's third form (kind 59, enemy slot 26):
// the exposed core. It does not move; it repeats one attack sequence in p0
// until it is destroyed: thrown shots while it turns over, a ring, a
// widening fan, another ring.
//
// p1 counts frames within a step, p2 the turns of step 0, p4 the fan volleys
// (each sequence's fan starts narrow again).
#include "game/Kx_main.h"
#include "game/world/boss_steps.h"
#include "game/world/motion.h"
#include "plat/timer.h"

namespace kx {

void TForm1::MoveBossLastThird(Enemy& e) {
  auto next = [&e](i32 step) {
    e.p0 = step;
    e.p1 = 0;
  };
  switch (e.p0) {
    case 0: {  // turning over (cells 0..13) every second frame, three turns
      e.p1 += 1;
      if (e.p1 % 2 != 0) break;
      const bool wrapped = CycleFrame(e.frame, 13);
      if (wrapped) e.p2 += 1;
      if (e.frame == 6 || wrapped) {
        const i32 vx = plat::random(8) + 5;
        const i32 vy = plat::random(14) - 7;
        FireThrownShot(e.x + 15, e.y, vx, vy);
      }
      if (e.p2 >= 3) {
        e.p2 = 0;
        next(1);
      }
      break;
    }
    case 1:
    case 3:
    case 5:
    case 7:
      if (CountFrames(e.p1, 11)) next(e.p0 + 1);
      break;
    case 2:
    case 6:
      if (FrameToward(e.frame, 20)) {
        FireBossRing(e.x, e.y);
        next(e.p0 + 1);
      }
      break;
    case 4:
      if (e.p1 == 0) e.p4 = 0;
      FrameToward(e.frame, 28);
      e.p1 += 1;
      if (e.p1 % 4 == 1) ThirdFormFan(e);
      if (e.p1 >= 15) next(5);
      break;
    default:  // 8: close up again and start over
      if (FrameDownPast(e.frame, 13, 0)) next(0);
      break;
  }
}

void TForm1::ThirdFormFan(Enemy& e) {
  // One beam straight ahead and four shots drifting apart a little more with
  // every volley.
  e.p4 += 1;
  NewEnemyShot(23, e.x, e.y, 8, 8);
  static constexpr i32 kKinds[4] = {25, 24, 24, 25};
  static constexpr i32 kDrift[4] = {-2, -1, 1, 2};
  for (int n = 0; n < 4; ++n)
    if (EnemyShot* s = NewEnemyShot(kKinds[n], e.x, e.y, 6, 6)) s->vx = kDrift[n] * e.p4;
  g.soundRequest = 7;
}

}  // namespace kx
