// enemies_stage1.cpp — the first stage's small enemies: swoopers with a
// triple shot, darting fighters (some carrying items), item capsules, weavers
// with their torpedoes, curving pairs and the wave-flying lines.
//
// An enemy that leaves frees its slot: leftward movers past x -20, rightward
// movers past x 440, unless its row says otherwise.
#include "game/Kx_main.h"
#include "game/world/motion.h"

namespace kx {

void TForm1::MoveSwooper(Enemy& e) {
  // p1 is the step: swoop in braking, stop, three shots three frames apart,
  // tilt back, accelerate away to the right. Kinds 4 and 5 enter from above
  // and below, drifting right.
  const bool vertical = e.kind >= 4;
  const i32 vy = (e.kind == 0 || e.kind == 4) ? e.p0 : -e.p0;
  switch (e.p1) {
    case 0:
      e.x += vertical ? 2 * e.p2 : -2 * e.p2;
      e.y += vy;
      e.frame += 1;
      if (e.frame > 11) {
        e.p2 -= 1;
        if (e.p2 <= 0) {
          e.p1 = 1;
        } else {
          e.frame = 0;
        }
      }
      break;
    case 1:
    case 4:
    case 7:
      e.frame += 1;
      if (e.frame > 15) {
        e.frame = 15;
        NewEnemyShot(0, e.x - 10, e.y, 9, 14);
        g.soundRequest = 7;
        e.p1 += 1;
      }
      break;
    case 2:
    case 3:
    case 5:
    case 6:
      e.p1 += 1;
      break;
    case 8:
      e.frame -= 1;
      if (e.frame < 12) {
        e.frame = 12;
        e.p1 += 1;
      }
      break;
    default:
      e.x += 2 * e.p2;
      if (!vertical) e.y += vy;
      e.frame += 1;
      if (e.frame > 11) {
        e.p2 += 1;
        e.frame = 0;
      }
      if (e.x > 440) e.state = 0;
      break;
  }
}

void TForm1::MoveFighter(Enemy& e) {
  // Darts in, brakes, and turns back out to the right.
  static constexpr i32 kSpeed[7] = {-18, -8, -4, -1, 4, 8, 18};
  e.y += (e.p2 - 1) * 2;
  e.p0 += 1;
  if (e.p0 > e.p1) {
    e.p0 = 0;
    if (e.frame < 6) e.frame += 1;
  }
  e.x += kSpeed[e.frame < 0 ? 0 : e.frame > 6 ? 6 : e.frame];
  if (e.x > 440) e.state = 0;
}

void TForm1::MoveItem(Enemy& e) {
  // Thrown right at first (p2 starts at -10), then drifting left at 9.
  e.x -= e.p2;
  e.p2 += 1;
  if (e.p2 > 6) e.p2 = 9;
  e.y += e.p1 == 0 ? 2 : e.p1 == 1 ? 0 : -2;
  CycleFrame(e.frame, 2);
  if (e.x < -20) e.state = 0;
}

void TForm1::MoveWeaver(Enemy& e) {
  static constexpr i32 kWeave[6] = {2, 4, 13, 13, 4, 2};
  const i32 f = e.frame < 0 ? 0 : e.frame > 5 ? 5 : e.frame;
  e.y += e.p0 == 0 ? kWeave[f] : -kWeave[f];
  e.p1 += 1;
  if (e.p1 > 2) {
    e.p1 = 0;
    SwingFrame(e.frame, e.p0, 5);
  }
  e.x -= 4;
  if (e.x < -20) {
    e.state = 0;
    return;
  }
  // Torpedoes only while there is room ahead for them to matter.
  e.p2 += 1;
  if (e.p2 > 9 && e.x > 120) {
    e.p2 = 0;
    if (Enemy* t = NewEnemy(7, e.x, e.y, 1, 20, 5, 7)) t->p0 = -8;
    g.soundRequest = 16;
  }
}

void TForm1::MoveTorpedo(Enemy& e) {
  // Backs off to the right first, then accelerates left.
  e.p0 += 2;
  e.x -= e.p0;
  if (e.x < 0) e.state = 0;
}

void TForm1::MoveCurver(Enemy& e) {
  // Kinds 8, 9 fly left, 10, 11 right; 8 and 10 come from the top lane. After
  // 22 frames they curve toward mid-screen, bank, and fire twice (the pair
  // from the left three times).
  const bool fromLeft = e.kind >= 10;
  const bool fromTop = e.kind == 8 || e.kind == 10;
  e.x += fromLeft ? 6 : -6;
  if (fromLeft ? e.x > 420 : e.x < -10) {
    e.state = 0;
    return;
  }
  e.p0 += 1;
  if (e.p0 <= 22) return;
  e.y += fromTop ? e.p1 / 2 : -e.p1 / 2;
  if (e.p1 < 15) e.p1 += 1;
  e.p2 += 1;
  if (e.p2 == 24) e.frame = 1;
  if (e.p2 == 27) e.frame = 2;
  if (e.p2 == 30) e.frame = 3;
  if (e.p2 == 33 || e.p2 == 43 || (fromLeft && e.p2 == 53)) {
    NewEnemyShot(1, e.x - 20, e.y + 3, 9, 3);
    g.soundRequest = 7;
  }
}

void TForm1::MoveSwinger(Enemy& e) {
  // Straight left while the sprite swings: kind 12 over five cells, 26 and
  // 27 over six; 27 flies at its own speed p1.
  const i32 speed = e.kind == 12 ? 6 : e.kind == 26 ? 7 : e.p1;
  e.x -= speed;
  SwingFrame(e.frame, e.p0, e.kind == 12 ? 4 : 5);
  if (e.x < -30) e.state = 0;
}

void TForm1::MoveDiagonalWave(Enemy& e) {
  // The wave's height follows the frame: up the table while p0 = 0, down
  // while p0 = 1, the frame stepping every second frame.
  static constexpr i32 kWave[5] = {2, 6, 12, 6, 2};
  e.x -= 6;
  if (e.x < -30) {
    e.state = 0;
    return;
  }
  e.p1 += 1;
  if (e.p1 > 1) {
    e.p1 = 0;
    if (e.p0 == 0) {
      e.frame += 1;
      if (e.frame >= 5) {
        e.frame = 4;
        e.p0 = 1;
      }
    } else {
      e.frame -= 1;
      if (e.frame < 0) {
        e.frame = 0;
        e.p0 = 0;
      }
    }
  }
  const i32 f = e.frame < 0 ? 0 : e.frame > 4 ? 4 : e.frame;
  e.y += e.p0 == 0 ? kWave[f] : -kWave[f];
}

}  // namespace kx
