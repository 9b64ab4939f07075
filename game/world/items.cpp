// items.cpp — item capsules: spawned by dying carriers, collected by ramming
// them with the ship.
//
// Items are enemies of kind 3 with look 3 (power-up), 4 (small score) or 5
// (large score). Their box (44 x 26) is larger than the sprite so they are
// easy to catch; 10 hit points at 3 a frame mean four frames of contact.
// Five small items in a row earn TYPE-D; five large ones a special bonus,
// doubled when no weapon has been powered up.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {

void TForm1::SpawnItem(i32 x, i32 y, i32 type) {
  Enemy* it = NewEnemy(3, x, y, 10, 44, 26, type + 3);
  if (!it) return;
  it->p0 = type;
  it->p1 = plat::random(3);
  it->p2 = -10;  // first thrown right, then drifting left
}

void TForm1::CollectItem(Enemy& it) {
  it.state = 0;
  g.soundRequest = 4;
  i32 popup = 0, timer = 20;
  switch (it.look) {
    case 3: {
      popup = 3;  // "Power UP"
      i32* level = g.weaponType == 0   ? &g.levelA
                   : g.weaponType == 1 ? &g.levelB
                   : g.weaponType == 2 ? &g.levelC
                                       : nullptr;
      if (level && *level < 2) {
        *level += 1;
      } else {  // full power, or TYPE-D which has no levels: points instead
        g.score += 500;
        popup = 4;
      }
      g.chainSmall = g.chainLarge = 0;
      break;
    }
    case 4:
      g.score += 100;
      g.chainLarge = 0;
      if (g.typeDUnlocked == 0) g.chainSmall += 1;
      popup = 5;  // "100"
      if (g.chainSmall >= 5) {
        g.chainSmall = 0;
        g.typeDUnlocked = 1;
        popup = 11;  // "Get 'TYPE-D'"
        timer = 39;
      }
      break;
    case 5:
      g.score += 300;
      g.chainSmall = 0;
      g.chainLarge += 1;
      popup = 6;  // "300"
      if (g.chainLarge >= 5) {
        g.chainLarge = 0;
        const bool unpowered = g.levelA + g.levelB + g.levelC == 0;
        g.score += unpowered ? 100000 : 50000;
        popup = unpowered ? 14 : 13;
        timer = 39;
      }
      break;
    default:
      break;
  }
  SpawnPopup(it.x, it.y, timer, popup);
  for (i32 dir = 0; dir < 16; dir += 2) {
    if (Particle* p = NewParticle(17, it.x, it.y, 0, 20, 0, 0)) p->dirIndex = dir;
  }
}

}  // namespace kx
