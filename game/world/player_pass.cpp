// player_pass.cpp — the player pass (trail, pods, switch ring, ship, shots,
// the frame's sound) and the ship's reactions drawn around it: the hit flash
// and rings, the recovery rings and the destruction into the Continue screen.
//
// The trail shift comes first, so every pass after it sees entry 1 as the
// ship one frame ago; the sound request is handed over last, after every
// pass of the frame that can ask for one has run.
#include "game/Kx_main.h"

namespace kx {
namespace {

// An unfilled circle of radius r around (x, y), leaving the brush as it was.
void Ring(plat::Canvas& c, i32 x, i32 y, i32 r, plat::TColor colour) {
  const auto brush = c.Brush.style;
  c.Brush.style = plat::BrushStyle::Clear;
  c.Pen.color = colour;
  c.Pen.mode = plat::PenMode::Copy;
  c.Ellipse({x - r, y - r, x + r, y + r});
  c.Brush.style = brush;
}

constexpr plat::TColor kSwitchRing = 0xFFCC66;  // light blue
constexpr plat::TColor kHitRing = 0xFFFFFF;
constexpr plat::TColor kHitGrey = 0x888888;  // RGB 136, 136, 136

}  // namespace

void TForm1::PlayerPass() {
  for (int i = kShipTrail - 1; i > 0; --i) world.shipTrail[i] = world.shipTrail[i - 1];
  for (int i = kPodTrail - 1; i > 0; --i) world.podTrail[i] = world.podTrail[i - 1];
  MovePods();
  SwitchRing();
  DrawPods();
  DrawShip();
  PlayerShotPass();
  PlaySoundRequest();
}

void TForm1::SwitchRing() {
  auto& ship = world.shipTrail[0];
  if (ship.ringActive != 1) return;
  ship.ringSize += 1;
  if (ship.ringSize > 5) ship.ringActive = 0;
  for (i32 step : {10, 15, 25}) Ring(I1.Canvas, ship.x, ship.y, step * ship.ringSize, kSwitchRing);
}

void TForm1::DrawShipSprite(i32 x, i32 y, i32 sprite, i32 exhaust) {
  IL74.Draw(I1.Canvas, x - 37, y - 37, sprite);
  IL74.Draw(I1.Canvas, x - 36, y - 36, exhaust);
}

void TForm1::DrawShip() {
  const auto& ship = world.shipTrail[0];
  const i32 t = g.weaponType == 3 ? 1 : g.weaponType;  // TYPE-D wears TYPE-B's lights
  const i32 e = 2 * t + g.muzzleFlash;
  bool normal = true;
  if (g.condition >= 3) {
    // Destroyed: sixteen frames of the big explosion, then the Continue screen.
    normal = false;
    if (g.hitFrame > 15) {
      gameMode = kContinue;
      g.releaseLatch = 1;
      g.continueChoice = 0;
    } else {
      Bo96.Draw(I1.Canvas, ship.x - 48, ship.y - 48, g.hitFrame);
      g.hitFrame += 1;
    }
  } else if (g.hitState != 0) {
    // Blinking: the hit sprite every other frame.
    g.hitFrame += 1;
    if (g.hitFrame < 2) {
      DrawShipSprite(ship.x, ship.y, ship.bank + 48, 58 + e);
      normal = false;
    } else {
      g.hitFrame = 0;
    }
  }
  if (normal) {
    if (g.boostOn == 0) {
      DrawShipSprite(ship.x, ship.y, ship.bank, 10 + e);
    } else {
      const i32 ghost = world.shipTrail[3].bank + 38;
      for (int at : {4, 7})
        DrawShipSprite(world.shipTrail[at].x, world.shipTrail[at].y, ghost, 32 + 2 * t);
      DrawShipSprite(ship.x, ship.y, ship.bank + 16, 26 + 2 * t);
    }
  }
  g.muzzleFlash = 0;
}

void TForm1::HitReaction() {
  g.hitTimer -= 1;
  if (g.hitTimer < 0) {
    g.hitTimer = 0;
    g.hitState = 0;  // the ship can be hit again
    return;
  }
  auto& c = I1.Canvas;
  if (g.hitTimer >= 37) {
    // Two white frames, one grey, over the whole playfield.
    const auto brush = c.Brush;
    c.Brush.style = plat::BrushStyle::Solid;
    c.Brush.color = g.hitTimer >= 38 ? plat::clWhite : kHitGrey;
    c.FillRect({0, 0, 400, 300});
    c.Brush = brush;
  }
  if (g.hitTimer < 38) {
    const auto& ship = world.shipTrail[0];
    const i32 grow = 39 - g.hitTimer;
    Ring(c, ship.x, ship.y, grow * 38, kHitRing);
    Ring(c, ship.x, ship.y, grow * 27, kHitRing);
  }
}

void TForm1::RecoveryRings() {
  auto& ship = world.shipTrail[0];
  if (ship.burstActive != 1) return;
  ship.burstSize += 1;
  if (ship.burstSize > 20) ship.burstActive = 0;
  auto& c = I1.Canvas;
  Ring(c, ship.x, ship.y, 22 * ship.burstSize, 0xAA2200);
  Ring(c, ship.x, ship.y, 33 * ship.burstSize, 0x881100);
  Ring(c, ship.x, ship.y, 44 * ship.burstSize, 0x440000);
}

}  // namespace kx
