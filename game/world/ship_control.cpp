// ship_control.cpp — the control pass: what the player's inputs do to the
// ship each frame (charge, recovery, boost, weapon switch, pod launch, the
// charge burst, movement, firing and its cadence).
//
// Keyboard and joystick are reduced to one ShipInput per frame. The controls
// demonstration drives the same rules from its demo fields, with a boost speed
// of 16 instead of 18, three weapon types and no charge or recovery.
#include <algorithm>

#include "game/Kx_main.h"
#include "game/world/pod_tables.h"
#include "plat/timer.h"

namespace kx {
namespace {

constexpr i32 kSpeed = 6, kBoostSpeed = 18, kDemoBoostSpeed = 16;
constexpr i32 kMinX = 19, kMaxX = 363, kMinY = 27, kMaxY = 273;
constexpr i32 kLevelBank = 4, kMaxBank = 9;

}  // namespace

TForm1::ShipInput TForm1::PlayInput() const {
  ShipInput in{};
  in.up = g.keyUp || g.joyUp;
  in.down = g.keyDown || g.joyDown;
  in.left = g.keyLeft || g.joyLeft;
  in.right = g.keyRight || g.joyRight;
  // X and Z together are the special attack, not a shot; joystick buttons 1
  // and 2 together arrive as joyButtons = 2.
  in.fire = (g.keyFire && !g.keyBoost) || g.joyButtons == 1;
  in.launch = (g.keyFire && g.keyBoost) || g.joyButtons == 2;
  in.switchWeapon = g.keySwitch || g.joySwitch;
  return in;
}

void TForm1::ControlPass() {
  ChargeStep();
  FullPoll();
  const ShipInput in = PlayInput();
  // A damaged ship repairs while the guns are silent, twice as fast when it
  // also holds still.
  if (g.keyFire == 0 && g.joyButtons == 0 && g.condition > 0) {
    const bool still = !(in.up || in.down || in.left || in.right);
    g.recoverPoints += still ? 30 : 15;
  }
  g.boostOn = (g.keyBoost || g.joyButton1) ? 1 : 0;
  SwitchWeapon(in.switchWeapon, g.typeDUnlocked == 1 ? 3 : 2);
  if (in.launch) LaunchPods();
  BurstStep();
  MoveShip(in, g.boostOn ? kBoostSpeed : kSpeed);
  if (in.fire && g.releaseLatch == 0) FireWeapon();
  FirePhaseStep(g.releaseLatch);
}

void TForm1::DemonstrationControlPass() {
  ShipInput in{};
  in.up = g.demoUp;
  in.down = g.demoDown;
  in.left = g.demoLeft;
  in.right = g.demoRight;
  in.fire = g.demoFire;
  in.switchWeapon = g.demoSwitch;
  g.movedHorizontally = 0;
  SwitchWeapon(in.switchWeapon, 2);
  MoveShip(in, g.boostOn ? kDemoBoostSpeed : kSpeed);
  // The demonstration keeps its own fire phase: releaseLatch still guards
  // the button that leaves it.
  if (in.fire && g.demoFireLatch == 0) FireWeapon();
  FirePhaseStep(g.demoFireLatch);
}

void TForm1::ChargeStep() {
  // TYPE-D charges one point every third frame, but not during its burst.
  if (g.weaponType != 3) return;
  g.chargeTick += 1;
  if (g.chargeTick <= 2) return;
  g.chargeTick = 0;
  if (g.chargeShotTimer < 1) g.charge += 1;
}

void TForm1::SwitchWeapon(bool pressed, i32 lastType) {
  if (!pressed) {
    g.switchLatch = 0;
    return;
  }
  if (g.switchLatch != 0) return;
  g.weaponType = g.weaponType >= lastType ? 0 : g.weaponType + 1;
  g.switchLatch = 1;
  g.podAngle[0] = 0;
  g.podAngle[1] = 21;
  g.soundRequest = 8;
  g.podState = 2;  // the pods come home to take the new formation
  auto& ship = world.shipTrail[0];
  ship.ringActive = 1;
  ship.ringSize = 0;
}

bool TForm1::LaunchPods() {
  if (g.podState != 0) return false;
  if (g.weaponType == 3 && g.charge <= 99) return false;
  g.podState = 1;
  g.soundRequest = 2;
  const i32 dir = std::clamp(g.moveDir, 0, 7);
  switch (g.weaponType) {
    case 0:
      g.podDir[0] = kLaunchDirA[dir][0];
      g.podDir[1] = kLaunchDirA[dir][1];
      g.podTimer = 60;
      break;
    case 1:
      g.podDir[0] = 1;
      g.podDir[1] = 0;
      g.podPhase[0] = g.podPhase[1] = 3;
      g.podTimer = 50;
      break;
    case 2:
      g.podDir[0] = kLaunchDirC[dir];
      g.podPhase[0] = 8;
      g.podCentreX = world.shipTrail[0].x;
      g.podCentreY = world.shipTrail[0].y;
      g.podTimer = 70;
      break;
    default:
      g.podDir[0] = 1;
      g.podDir[1] = 0;
      g.podPhase[0] = g.podPhase[1] = 3;
      g.podTimer = 1;
      g.chargeShotTimer = 139;
      g.charge = 0;
      break;
  }
  return true;
}

void TForm1::BurstStep() {
  // The charged burst: one star a frame, thrown backwards and curving forward.
  if (g.chargeShotTimer <= 0) return;
  g.chargeShotTimer -= 1;
  const auto& ship = world.shipTrail[0];
  PlayerShot* s = NewPlayerShot(0, kPlayerShots - 1, 23, ship.x - 13, ship.y - 5, 0);
  if (s == nullptr) return;
  s->vx = -(plat::random(19) + 7);
  s->vy = plat::random(9) + 5;
  s->aux1 = plat::random(2);
  s->aux2 = plat::random(2) + 1;
  s->halfW = 28;
  s->halfH = 15;
}

void TForm1::MoveShip(const ShipInput& in, i32 speed) {
  auto& ship = world.shipTrail[0];
  // Each direction writes moveDir in turn; a later one refines an earlier
  // one into a diagonal.
  if (in.down) {
    ship.y = std::min(ship.y + speed, kMaxY);
    g.moveDir = in.left ? 6 : in.right ? 7 : 3;
  }
  if (in.up) {
    ship.y = std::max(ship.y - speed, kMinY);
    g.moveDir = in.left ? 5 : in.right ? 4 : 1;
  }
  if (in.left) {
    ship.x = std::max(ship.x - speed, kMinX);
    ship.bank = std::min(ship.bank + 1, kMaxBank);
    g.moveDir = in.down ? 6 : in.up ? 5 : 2;
    g.movedHorizontally = 1;
  }
  if (in.right) {
    ship.x = std::min(ship.x + speed, kMaxX);
    ship.bank = std::max(ship.bank - 1, 0);
    g.moveDir = in.down ? 7 : in.up ? 4 : 0;
    g.movedHorizontally = 1;
  }
  if (g.movedHorizontally == 0) {
    if (ship.bank < kLevelBank) ship.bank += 1;
    if (ship.bank > kLevelBank) ship.bank -= 1;
  }
}

}  // namespace kx
