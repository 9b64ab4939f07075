// ship_fire.cpp — the four weapons at their power levels: which shots the
// ship and its pods fire, where, and into which slots of the player-shot table.
//
// Each weapon and level searches only its own range of slots, and some count
// the active shots in a range first; that is what caps how many shots of a
// kind can be on screen (TYPE-A at level 0: four). The ship fires every second
// frame, TYPE-C at levels 1 and 2 every frame.
#include <algorithm>
#include <span>

#include "game/Kx_main.h"
#include "game/world/slots.h"

namespace kx {
namespace {

// Where the ship's guns are, from its centre.
constexpr i32 kGunX = 23, kGunY = -11;

}  // namespace

PlayerShot* TForm1::NewPlayerShot(int first, int last, i32 kind, i32 x, i32 y, i32 half) {
  last = std::min(last, kPlayerShots - 1);
  if (first > last) return nullptr;
  const auto range = std::span(world.playerShots).subspan(first, last - first + 1);
  PlayerShot* s = FirstFreeSlot(range, [](const PlayerShot& t) { return t.active == 0; });
  if (s) *s = PlayerShot{1, x, y, 0, kind, 0, 0, 0, 0, half, half};
  return s;
}

int TForm1::ActivePlayerShots(int first, int last) const {
  int n = 0;
  for (int i = first; i <= last && i < kPlayerShots; ++i) n += world.playerShots[i].active != 0;
  return n;
}

void TForm1::MuzzleFlash() {
  const auto& ship = world.shipTrail[0];
  const i32 y = g.weaponType == 2 ? ship.y - 17 : ship.y - 21;
  IL20.Draw(I1.Canvas, ship.x + 25, y, 18);
  g.muzzleFlash = 1;
}

void TForm1::FireWeapon() {
  switch (g.weaponType) {
    case 0:
      FireTypeA(g.levelA);
      break;
    case 1:
      FireTypeB(g.levelB);
      break;
    case 2:
      FireTypeC(g.levelC);
      break;
    default:
      if (g.chargeShotTimer < 1) FireTypeD();  // the burst replaces the guns
      break;
  }
}

void TForm1::FirePhaseStep(i32& phase) {
  if (g.weaponType == 2 && g.levelC >= 1) {
    phase = 0;
    return;
  }
  phase += 1;
  if (phase > 1) phase = 0;
}

void TForm1::FireTypeA(i32 level) {
  const auto& ship = world.shipTrail[0];
  const auto& pods = world.podTrail[0];
  const i32 x = ship.x + kGunX, y = ship.y + kGunY;
  // Docked pods fire backwards, away from the direction of travel.
  auto podsFire = [&](int first, int last) {
    for (int i = 0; i < 2; ++i)
      if (NewPlayerShot(first, last, g.moveDir + 8, pods.x[i], pods.y[i], 5)) g.podFlash = 1;
  };
  if (level <= 0) {
    if (NewPlayerShot(0, 3, 5, x, y, 6)) MuzzleFlash();
  } else if (level == 1) {
    if (NewPlayerShot(0, 6, 6, x, y, 7)) MuzzleFlash();
    if (g.podState == 0 && ActivePlayerShots(7, 8) == 0) podsFire(7, 8);
  } else {
    if (ActivePlayerShots(0, 15) < 14) {
      // The weaving sparkle alternates its starting phase, so two successive
      // sparkles weave against each other.
      if (PlayerShot* s = NewPlayerShot(0, 15, 20, x, y, 8)) {
        s->vx = g.waveToggle != 0 ? 4 : 0;
        g.waveToggle = g.waveToggle != 0 ? 0 : 1;
        MuzzleFlash();
      }
      if (NewPlayerShot(0, 15, 7, x, y, 9)) MuzzleFlash();
    }
    if (g.podState == 0 && ActivePlayerShots(16, 21) < 5) podsFire(16, 21);
  }
}

void TForm1::FireTypeB(i32 level) {
  const auto& ship = world.shipTrail[0];
  const auto& pods = world.podTrail[0];
  auto lances = [&](i32 firstKind, i32 lastKind, i32 x, i32 y, int lastSlot, i32 half) {
    bool fired = false;
    for (i32 k = firstKind; k <= lastKind; ++k)
      fired = NewPlayerShot(0, lastSlot, k, x, y, half) != nullptr || fired;
    return fired;
  };
  auto podLances = [&](i32 firstKind, i32 lastKind) {
    for (int i = 0; i < 2; ++i)
      if (lances(firstKind, lastKind, pods.x[i] - 5, pods.y[i], 15, 11)) g.podFlash = 1;
  };
  const i32 x = ship.x + kGunX, y = ship.y + kGunY;
  if (level <= 0) {
    if (ActivePlayerShots(0, 2) == 0 && lances(16, 18, ship.x + 25, ship.y - 9, 2, 10))
      MuzzleFlash();
  } else if (level == 1) {
    if (ActivePlayerShots(0, 10) < 2 && lances(16, 18, x, y, 12, 11)) MuzzleFlash();
    if (g.podState == 0) podLances(18, 18);
  } else {
    if (ActivePlayerShots(0, 15) < 4 && lances(16, 19, x, y, 15, 11)) MuzzleFlash();
    if (g.podState == 0) podLances(17, 19);
  }
}

void TForm1::FireTypeC(i32 level) {
  const auto& ship = world.shipTrail[0];
  const i32 x = ship.x + 18, y = ship.y - 7;
  PlayerShot* s = nullptr;
  if (level <= 0) {
    // A straight wave whose animation starts one cell earlier each time.
    s = NewPlayerShot(0, 5, 2, x, y, 8);
    if (s) s->frame = g.waveFrame;
    g.waveFrame = g.waveFrame <= 0 ? 4 : g.waveFrame - 1;
  } else {
    // A fan: three directions at level 1, five at level 2, one per shot.
    const i32 lastKind = level == 1 ? 2 : 4;
    if (g.waveKind > lastKind) g.waveKind = 0;
    if (g.waveFrame > 4 || g.waveFrame < 0) g.waveFrame = 0;
    const i32 kind = level == 1 ? g.waveKind + 1 : g.waveKind;
    s = NewPlayerShot(0, level == 1 ? 13 : 21, kind, x, y, 8);
    if (s) s->frame = g.waveFrame;
    g.waveFrame = g.waveFrame >= 4 ? 0 : g.waveFrame + 1;
    g.waveKind = g.waveKind >= lastKind ? 0 : g.waveKind + 1;
  }
  if (s) MuzzleFlash();
}

void TForm1::FireTypeD() {
  if (ActivePlayerShots(0, 26) >= 23) return;
  const auto& ship = world.shipTrail[0];
  const auto& pods = world.podTrail[0];
  constexpr i32 kKinds[3] = {21, 22, 21};
  bool fired = false;
  for (i32 n = 0; n < 3; ++n) {
    const i32 x = ship.x + (n == 1 ? 22 : 16);
    fired = NewPlayerShot(0, 26, kKinds[n], x, ship.y + 10 * n - 19, 5) != nullptr || fired;
  }
  if (fired) MuzzleFlash();
  // TYPE-D's pods fire wherever they are, docked, launched or returning.
  for (int i = 0; i < 2; ++i)
    if (NewPlayerShot(0, 26, 21, pods.x[i] - 5, pods.y[i] - 1, 5)) g.podFlash = 1;
}

}  // namespace kx
