// player_shots.cpp — the player's shots: motion, sprite and trail by kind,
// and freeing a shot once it has left the playfield.
//
// Sprites are drawn centred. Trails are short-lived particles (kind 12, or 14
// for the charge burst) left where the shot is after it moved.
#include "game/Kx_main.h"

namespace kx {
namespace {

constexpr i32 kWaveSlope[5] = {-4, -2, 0, 2, 4};  // kinds 0..4: a fan
constexpr i32 kLanceSpeed[4] = {16, 23, 30, 37};  // kinds 16..19
constexpr i32 kLanceTrail[4] = {2, 1, 0, 0};
constexpr i32 kPodShotDx[8] = {-21, 0, 21, 0, -14, 14, 14, -14};  // kinds 8..15
constexpr i32 kPodShotDy[8] = {0, 19, 0, -19, 14, 14, -14, -14};

}  // namespace

void TForm1::PlayerShotPass() {
  for (auto& s : world.playerShots)
    if (s.active != 0) MovePlayerShot(s);
}

void TForm1::MovePlayerShot(PlayerShot& s) {
  plat::ImageList* list = &IL24;
  i32 cell = 0, half = 12;
  i32 trail = -1;  // trail particle frame; -1 for none
  i32 trailKind = 12;
  const i32 k = s.kind;
  if (k >= 0 && k <= 4) {
    s.x += 19;
    s.y += kWaveSlope[k];
    cell = 10 + s.frame;
    s.frame = s.frame >= 3 ? 0 : s.frame + 1;
    trail = 2;
  } else if (k == 5) {
    s.x += 24;
    cell = 2 + s.frame;
    s.frame = s.frame == 0 ? 1 : 0;
  } else if (k == 6) {
    s.x += 25;
    cell = 1 + s.frame;
  } else if (k == 7) {
    s.x += 26;
    cell = s.frame;
  } else if (k >= 8 && k <= 15) {
    s.x += kPodShotDx[k - 8];
    s.y += kPodShotDy[k - 8];
    cell = 4 + s.frame;
    trail = 2;
  } else if (k >= 16 && k <= 19) {
    s.x += kLanceSpeed[k - 16];
    cell = 6 + (k - 16);
    trail = kLanceTrail[k - 16];
  } else if (k == 20) {
    // Weaves: four frames up, four down, on a counter kept in vx.
    s.x += 25;
    s.y += (s.vx & 7) < 4 ? -4 : 4;
    s.vx = (s.vx + 1) & 7;
    list = &Font0;
    half = 8;
    cell = 36 + s.frame;
    trail = 2;
  } else if (k == 21 || k == 22) {
    s.x += 28;
    cell = (k == 21 ? 1 : 0) + s.frame;
  } else if (k == 23) {
    // Thrown backwards, then accelerating forward on a curve.
    s.vx += 4;
    s.vy -= s.aux2;
    s.x += s.vx;
    s.y += s.aux1 == 0 ? -s.vy : s.vy;
    cell = 39;
    trail = 2;
    trailKind = 14;
  } else {
    s.active = 0;  // not a shot kind: drop it rather than draw garbage
    return;
  }
  if (s.x > 410 || s.x < -40 || s.y < -10 || s.y > 310) {
    s.active = 0;
    return;
  }
  list->Draw(I1.Canvas, s.x - half, s.y - half, cell);
  if (trail >= 0) NewParticle(trailKind, s.x, s.y, trail, 30, 0, 0);
}

}  // namespace kx
