// pods.cpp — the two pods: docked in a layout that depends on the weapon
// type, launched on the weapon's attack pattern, returning home; and their
// drawing with afterimages and muzzle flashes.
//
// podState is shared by both pods: 0 docked, 1 launched, 2 returning. The
// launch timer counts once per frame, not per pod. Returning pods fly faster
// than docked TYPE-A pods ease, so a recall always catches up with the ship.
#include <cmath>
#include <cstdlib>

#include "game/Kx_main.h"
#include "game/world/orbit_path.h"
#include "game/world/pod_tables.h"

namespace kx {
namespace {

// The pods' orbit point a around (cx, cy): the path stretched 2.1 x 1.7.
void OrbitPoint(i32 a, i32 cx, i32 cy, i32& x, i32& y) {
  if (a < 0 || a >= kOrbitPoints) a = 0;
  x = cx + static_cast<i32>(std::trunc(kOrbitX[a] * 2.1)) - 5;
  y = cy + static_cast<i32>(std::trunc(kOrbitY[a] * 1.7)) + 11;
}

void AdvanceOrbit(i32& angle) {
  angle += 2;
  if (angle > 44) angle = 0;
}

// One axis step toward a target: `near` within 10 pixels, `mid` within 20,
// else `far`.
i32 StepToward(i32 from, i32 to, i32 near, i32 mid, i32 far) {
  const i32 d = to - from;
  const i32 a = std::abs(d);
  if (a == 0) return from;
  const i32 step = a < 11 ? near : a < 21 ? mid : far;
  return d > 0 ? from + step : from - step;
}

// Zig-zag heights for launched TYPE-B and TYPE-D pods, by phase 0..6.
constexpr i32 kZigzag[7] = {14, 14, 20, 27, 20, 14, 14};

}  // namespace

void TForm1::DockedPodTarget(int i, i32& x, i32& y) const {
  const auto& ship = world.shipTrail[0];
  const auto& back = world.shipTrail[3];  // B and D pods lag three frames
  switch (g.weaponType) {
    case 0: {
      const int dir = g.moveDir >= 0 && g.moveDir < 8 ? g.moveDir : 0;
      x = ship.x + kFormationX[dir][i];
      y = ship.y + kFormationY[dir][i] - kFormationRaise;
      break;
    }
    case 1:
      x = back.x - 10;
      y = back.y + (i == 0 ? -46 : 46);
      break;
    case 2:
      OrbitPoint(g.podAngle[i], ship.x, ship.y, x, y);
      break;
    default:
      x = back.x - 20;
      y = back.y + (i == 0 ? 46 : -46);
      break;
  }
}

void TForm1::MovePods() {
  if (g.podState == 1 && g.weaponType == 2) {
    // TYPE-C: the orbit centre flies off for a few frames and stops at the
    // edge of the playfield.
    g.podPhase[0] -= 1;
    if (g.podPhase[0] > 0) {
      i32 ux, uy;
      KeypadUnit(g.podDir[0], ux, uy);
      const bool diagonal = ux != 0 && uy != 0;
      g.podCentreX += ux * (diagonal ? 18 : 24);
      g.podCentreY += uy * (diagonal ? 18 : 21);
      if (g.podCentreX < 20 || g.podCentreX > 380 || g.podCentreY < 20 || g.podCentreY > 280)
        g.podPhase[0] = 0;
    }
  }
  for (int i = 0; i < 2; ++i) {
    switch (g.podState) {
      case 0:
        MoveDockedPod(i);
        break;
      case 1:
        MoveLaunchedPod(i);
        break;
      default:
        MoveReturningPod(i);
        break;
    }
  }
  if (g.podState == 1) {
    g.podTimer -= 1;
    if (g.podTimer < 0) g.podState = 2;
  }
}

void TForm1::MoveDockedPod(int i) {
  auto& pods = world.podTrail[0];
  i32 tx, ty;
  if (g.weaponType == 2) AdvanceOrbit(g.podAngle[i]);
  DockedPodTarget(i, tx, ty);
  if (g.weaponType == 0) {
    // TYPE-A pods ease into formation; the others are placed.
    pods.x[i] = StepToward(pods.x[i], tx, 1, 6, 15);
    pods.y[i] = StepToward(pods.y[i], ty, 1, 6, 15);
  } else {
    pods.x[i] = tx;
    pods.y[i] = ty;
  }
}

void TForm1::MoveLaunchedPod(int i) {
  auto& pods = world.podTrail[0];
  switch (g.weaponType) {
    case 0: {
      i32 ux, uy;
      KeypadUnit(g.podDir[i], ux, uy);
      const i32 step = ux != 0 && uy != 0 ? 24 : 37;
      pods.x[i] += ux * step;
      pods.y[i] += uy * step;
      // Off the playfield a pod bounces straight back (1<->9, 2<->8, ...).
      if (pods.x[i] < 0 || pods.x[i] > 400 || pods.y[i] < 0 || pods.y[i] > 300)
        g.podDir[i] = 10 - g.podDir[i];
      break;
    }
    case 2:
      AdvanceOrbit(g.podAngle[i]);
      OrbitPoint(g.podAngle[i], g.podCentreX, g.podCentreY, pods.x[i], pods.y[i]);
      break;
    default: {  // TYPE-B and TYPE-D zig-zag forward
      i32& phase = g.podPhase[i];
      if (phase < 0 || phase > 6) phase = 0;
      pods.x[i] += 8;
      pods.y[i] += g.podDir[i] == 0 ? kZigzag[phase] : -kZigzag[phase];
      phase += 1;
      if (phase > 6) {
        phase = 0;
        g.podDir[i] = g.podDir[i] == 0 ? 1 : 0;
      }
      break;
    }
  }
}

void TForm1::MoveReturningPod(int i) {
  auto& pods = world.podTrail[0];
  i32 tx, ty;
  DockedPodTarget(i, tx, ty);
  pods.x[i] = StepToward(pods.x[i], tx, 1, 7, 17);
  pods.y[i] = StepToward(pods.y[i], ty, 1, 7, 17);
  if (std::abs(pods.x[i] - tx) <= 5 && std::abs(pods.y[i] - ty) <= 5) g.podState = 0;
}

void TForm1::DrawPods() {
  auto& c = I1.Canvas;
  auto& pods = world.podTrail[0];
  const bool powered = g.podState != 0 || g.boostOn != 0;
  for (int i = 0; i < 2; ++i) {
    i32& frame = pods.frame[i];
    if (frame < 0 || frame > 5) frame = 0;
    if (g.podState == 1) {
      for (int t : {1, 3})
        IL20.Draw(c, world.podTrail[t].x[i] - 10, world.podTrail[t].y[i] - 10, frame + 12);
    }
    IL20.Draw(c, pods.x[i] - 10, pods.y[i] - 10, powered ? frame + 6 : frame);
    if (g.podFlash != 0) IL20.Draw(c, pods.x[i] + 8, pods.y[i] - 11, 18);
    frame = frame >= 5 ? 0 : frame + 1;
  }
  g.podFlash = 0;
}

}  // namespace kx
