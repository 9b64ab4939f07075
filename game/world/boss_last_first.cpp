// boss_last_first.cpp — the last stage's boss, first form (kind 31): a large
// gun platform that slides in to x 300 and patrols up and down between y 100
// and y 200 while an 18-step attack cycle runs.
//
// Movement in p0; attack step in p2 with the frame counter p3 and the
// pinwheel phase p5. Step 0 is only the opening wait: after step 17 the cycle
// continues at step 1. Its death (kills.cpp) brings up the second form.
#include "game/Kx_main.h"
#include "game/world/boss_steps.h"

namespace kx {
namespace {

// Pinwheel arms: shot n of phase q flies at 3 x (A[n][q], B[n][q]).
constexpr i32 kPinA[4][6] = {
    {0, 1, 2, 3, 4, 5}, {6, 5, 4, 3, 2, 1}, {0, -1, -2, -3, -4, -5}, {-6, -5, -4, -3, -2, -1}};
constexpr i32 kPinB[4][6] = {
    {6, 5, 4, 3, 2, 1}, {0, -1, -2, -3, -4, -5}, {-6, -5, -4, -3, -2, -1}, {0, 1, 2, 3, 4, 5}};

void Patrol(Enemy& e) {
  switch (e.p0) {
    case 0:
      e.x -= 2;
      if (e.x < 301) e.p0 = 1;
      break;
    case 1:
      e.y -= 1;
      if (e.y < 101) e.p0 = 2;
      break;
    default:
      e.y += 1;
      if (e.y >= 200) e.p0 = 1;
      break;
  }
}

}  // namespace

void TForm1::MoveBossLastFirst(Enemy& e) {
  Patrol(e);
  BossLastFirstAttack(e);
}

void TForm1::FireBarrage(i32 x, i32 y) {
  // Six speeds straight left (kinds 9..14) from each of the two barrels.
  for (i32 kind = 9; kind <= 14; ++kind) {
    NewEnemyShot(kind, x - 50, y - 29, 5, 5);
    NewEnemyShot(kind, x - 50, y - 9, 5, 5);
  }
  g.soundRequest = 15;
}

void TForm1::FirePinwheel(Enemy& e, bool forward) {
  const i32 q = e.p5 >= 0 && e.p5 <= 5 ? e.p5 : 0;
  for (int n = 0; n < 4; ++n) {
    if (EnemyShot* s = NewEnemyShot(16, e.x - 24, e.y - 49, 6, 6)) {
      s->vx = 3 * kPinA[n][q];
      s->vy = 3 * kPinB[n][q];
    }
  }
  g.soundRequest = 7;
  // Forward the phase runs 0..4, backward 5..0: one step per volley.
  e.p5 = forward ? (q >= 4 ? 0 : q + 1) : (q <= 0 ? 5 : q - 1);
}

void TForm1::BossLastFirstAttack(Enemy& e) {
  auto next = [&e] {
    e.p2 += 1;
    e.p3 = 0;
  };
  switch (e.p2) {
    case 0:
      if (CountFrames(e.p3, 51)) next();
      break;
    case 1:
    case 3:
      FireBarrage(e.x, e.y);
      next();
      break;
    case 2:
    case 4:
    case 6:
    case 8:
      if (CountFrames(e.p3, 26)) next();
      break;
    case 10:
    case 12:
    case 14:
    case 16:
      if (CountFrames(e.p3, 11)) next();
      break;
    case 5:  // debris stream with three more barrages
      e.p3 += 1;
      if (e.p3 % 2 == 1) LaunchDebris(32, e.x + 60, e.y + 20, 16, 26);
      if (e.p3 == 30 || e.p3 == 60 || e.p3 == 90) FireBarrage(e.x, e.y);
      if (e.p3 >= 96) next();
      break;
    case 7:  // charged rings of aimed shots
      e.p3 += 1;
      DrawChargeGlow(e.x - 34, e.y - 59, e.p3);
      if (e.p3 % 3 == 1) {
        FireAimedRing(15, e.x - 24, e.y - 49, 5);
        g.soundRequest = 7;
      }
      if (e.p3 >= 31) next();
      break;
    case 9:
    case 11:
    case 13:
    case 15:  // pinwheels, turning one way then back
      e.p3 += 1;
      DrawChargeGlow(e.x - 34, e.y - 59, e.p3);
      if (e.p3 % 2 == 1) FirePinwheel(e, e.p2 == 9 || e.p2 == 13);
      if (e.p3 >= 11) next();
      break;
    default:  // 17: round again, skipping the opening wait
      e.p2 = 1;
      e.p3 = 0;
      break;
  }
}

}  // namespace kx
