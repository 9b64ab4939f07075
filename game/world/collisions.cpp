// collisions.cpp — the enemy pass's contact tests for one live enemy: player
// shots, the pods and the ship, and what a hit on the ship does.
//
// Every test is a box test on centres with strict inequalities: touching
// boxes do not collide. Each pair is tested once per frame. The tests stop as
// soon as the enemy is no longer alive, so one kill is never scored twice.
#include <cstdlib>

#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {
namespace {

bool IsBossLook(i32 look) {
  return look == 11 || look == 23 || look == 25 || look == 27;
}
bool IsItemLook(i32 look) {
  return look == 3 || look == 4 || look == 5;
}
// Only the big bosses stop the piercing TYPE-B shots.
bool StopsPiercingShots(i32 look) {
  return look == 23 || look == 25 || look == 28;
}

}  // namespace

void TForm1::ShipTakesHit() {
  const auto& ship = world.shipTrail[0];
  g.condition += 1;
  g.hitState = 2;
  g.hitTimer = 40;
  g.hitFrame = 0;
  g.soundRequest = 1;
  if (g.clearGrade == 2) g.clearGrade = 1;
  for (int i = 0; i < 40; ++i) {
    const i32 kind = plat::random(10);
    const i32 frame = kind < 2 ? plat::random(4) : 0;
    const i32 life = plat::random(20) + 30;
    const i32 dx = plat::random(18) - 9;
    NewParticle(kind, ship.x, ship.y, frame, life, dx, plat::random(18) - 9);
  }
}

void TForm1::TestEnemyAgainstShots(Enemy& e) {
  for (auto& s : world.playerShots) {
    if (e.state != 1) return;
    if (s.active == 0) continue;
    if (std::abs(e.x - s.x) >= e.halfW + s.halfW || std::abs(e.y - s.y) >= e.halfH + s.halfH)
      continue;
    if (e.kind == 3) return;  // items are collected by the ship, not shot
    // The charge burst (23) never stops; the TYPE-B lances (16..19) pass
    // through all but the largest bosses, hitting once per frame of overlap.
    const bool lance = s.kind >= 16 && s.kind <= 19;
    if (s.kind != 23 && (!lance || StopsPiercingShots(e.look))) s.active = 0;
    e.hp -= 1;
    if (e.hp < 1) {
      KillEnemy(e, false);
    } else {
      IL40.Draw(I1.Canvas, s.x - 10, s.y - 20, 20);
      NewParticle(13, s.x, s.y, 0, plat::random(20) + 10, 0, 0);
    }
  }
}

void TForm1::TestEnemyAgainstPods(Enemy& e) {
  if (e.kind == 3) return;
  // Docked or returning pods count where they are; launched pods sweep the
  // four positions of their trail, so a fast pod cannot skip over an enemy.
  const int entries = g.podState == 1 ? kPodTrail : 1;
  for (int t = 0; t < entries; ++t) {
    const auto& pods = world.podTrail[t];
    for (int i = 0; i < 2; ++i) {
      if (e.state != 1) return;
      if (std::abs(e.x - pods.x[i]) >= e.halfW + 10 || std::abs(e.y - pods.y[i]) >= e.halfH + 10)
        continue;
      if (IsBossLook(e.look)) {  // a boss sends the pods home
        g.podState = 2;
        g.soundRequest = 9;
      }
      e.hp -= 1;
      if (e.hp < 1) {
        KillEnemy(e, false);
      } else {
        IL24.Draw(I1.Canvas, pods.x[i] - 12, pods.y[i] - 12, 15);
        NewParticle(13, pods.x[i], pods.y[i], 0, plat::random(20) + 10, 0, 0);
      }
    }
  }
}

void TForm1::TestEnemyAgainstShip(Enemy& e) {
  if (e.state != 1) return;
  const auto& ship = world.shipTrail[0];
  if (std::abs(e.x - ship.x) >= e.halfW + 10 || std::abs(e.y - ship.y) >= e.halfH + 16) return;
  // Ramming costs 3 hit points a frame: an item (10) is collected on the
  // fourth frame of contact.
  e.hp -= 3;
  if (e.hp < 1) {
    if (e.kind == 3) {
      CollectItem(e);
    } else {
      KillEnemy(e, true);
    }
  }
  if (g.hitState == 0 && invincible == 0 && !IsItemLook(e.look)) ShipTakesHit();
}

}  // namespace kx
