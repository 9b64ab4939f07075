// kills.cpp — what happens when an enemy's hit points run out: the explosion
// starts, the score is paid by look, sparks fly, carriers drop items and the
// third stage's boss turns into its next form.
//
// A kill by shot or pod pays look x 10 + 10 plus the look's extra; ramming
// pays only the extra. The next forms of the last boss are written into fixed
// slots 26..30, whatever those slots held.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {
namespace {

bool BigExplosionLook(i32 look) {
  switch (look) {
    case 16: case 20: case 36: case 41: case 42: case 43: case 44: case 45: case 47: return true;
    default: return false;
  }
}

constexpr int kSecondFormSlot = 27, kThirdFormSlot = 26;
constexpr int kTurretSlots[3] = {28, 29, 30};
constexpr i32 kTurretOrbit[3] = {0, 14, 30};

}  // namespace

void TForm1::KillEnemy(Enemy& e, bool rammed) {
  e.state = 2;
  e.frame = 0;
  if (!rammed) g.score += e.look * 10 + 10;
  switch (e.look) {
    case 2: case 35: {
      // Look 35 is the early power-up carrier; look 2 drops power-up, small
      // or large score items 2 : 2 : 2.
      i32 type = 0;
      if (e.look == 2) {
        const i32 r = plat::random(6);
        type = r < 2 ? 0 : r < 4 ? 1 : 2;
      }
      g.soundRequest = 5;
      SpawnItem(e.x, e.y, type);
      SmallSparks(e.x, e.y, 13);
      break;
    }
    case 11: g.score += 10000; g.soundRequest = 6; LargeSparks(e.x, e.y, 51, 16); break;
    case 23: g.score += 20000; g.soundRequest = 6; LargeSparks(e.x, e.y, 51, 16); break;
    case 25:
      g.score += 10000;
      g.soundRequest = 6;
      LargeSparks(e.x, e.y, 76, 18);
      StartSecondForm(e);
      break;
    case 27:
      g.score += 30000;
      g.soundRequest = 6;
      LargeSparks(e.x, e.y, 76, 16);
      StartThirdForm(e);
      break;
    case 48: g.score += 30000; g.soundRequest = 6; LargeSparks(e.x, e.y, 76, 16); break;
    default:
      if (BigExplosionLook(e.look)) {
        g.soundRequest = 6;
        LargeSparks(e.x, e.y, 51, 16);
      } else {
        g.soundRequest = 5;
        SmallSparks(e.x, e.y, 13);
      }
      break;
  }
}

void TForm1::StartSecondForm(const Enemy& first) {
  const i32 x = first.x, y = first.y;
  Enemy& core = world.enemies[kSecondFormSlot];
  core = Enemy{1, x, y, 4, 33, 500, 25, 35, 0, 0, 0, 0, 0, 0, 0, 27};
  for (int i = 0; i < 3; ++i) {
    Enemy& t = world.enemies[kTurretSlots[i]];
    t = Enemy{1, x, y, 0, 34, 10000, 10, 10, kTurretOrbit[i], 0, 0, 0, 0, 0, 0, 28};
  }
}

void TForm1::StartThirdForm(const Enemy& second) {
  const i32 x = second.x, y = second.y;
  for (int slot : kTurretSlots) {
    Enemy& t = world.enemies[slot];
    t.state = 2;
    t.frame = 0;
  }
  world.enemies[kThirdFormSlot] = Enemy{1, x, y, 0, 59, 280, 25, 35, 0, 0, 0, 0, 0, 0, 0, 48};
}

}  // namespace kx
