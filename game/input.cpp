// input.cpp — keyboard events, joystick polls and the hidden key sequences.
//
// Devices only set integer fields of the state record; game logic tests the
// fields. Keyboard fields follow key-down and key-up events and survive mode
// changes; joystick fields are as fresh as the last poll of the current mode.
#include "game/Kx_main.h"

namespace kx {
namespace {

// Hidden sequences (letters other than Z, X and C): G O D makes the ship
// ignore hits, T Y P unlocks TYPE-D, and Q W A S forgets any progress.
constexpr std::uint16_t kSeqA[3] = {'G', 'O', 'D'};
constexpr std::uint16_t kSeqB[3] = {'T', 'Y', 'P'};
constexpr std::uint16_t kResetKeys[4] = {'Q', 'W', 'A', 'S'};

}  // namespace

void TForm1::FormKeyDown(std::uint16_t key) {
  switch (key) {
    case plat::VK_ESCAPE: window_.Close(); return;
    case plat::VK_LEFT: g.keyLeft = 1; return;
    case plat::VK_UP: g.keyUp = 1; return;
    case plat::VK_RIGHT: g.keyRight = 1; return;
    case plat::VK_DOWN: g.keyDown = 1; return;
    case 'C': g.keySwitch = 1; return;
    case 'X': g.keyFire = 1; return;
    case 'Z': g.keyBoost = 1; return;
    default: HiddenKey(key); return;
  }
}

void TForm1::FormKeyUp(std::uint16_t key) {
  switch (key) {
    case plat::VK_LEFT: g.keyLeft = 0; break;
    case plat::VK_UP: g.keyUp = 0; break;
    case plat::VK_RIGHT: g.keyRight = 0; break;
    case plat::VK_DOWN: g.keyDown = 0; break;
    case 'C': g.keySwitch = 0; break;
    case 'X': g.keyFire = 0; break;
    case 'Z': g.keyBoost = 0; break;
    default: break;
  }
}

void TForm1::HiddenKey(std::uint16_t key) {
  auto& p = hiddenKeyProgress;
  if (key == kSeqA[0]) p[0] += 1;
  if (key == kSeqA[1] && p[0] > 0) p[1] += 1;
  if (key == kSeqA[2] && p[1] > 0) invincible = 1;
  if (key == kSeqB[0]) p[2] += 1;
  if (key == kSeqB[1] && p[2] > 0) p[3] += 1;
  if (key == kSeqB[2] && p[3] > 0) g.typeDUnlocked = 1;
  for (std::uint16_t r : kResetKeys)
    if (key == r) p = {};
}

void TForm1::SetUpJoystick() {
  // The stick must leave the middle third of an axis to count.
  plat::JOYCAPS caps;
  if (plat::joyGetDevCaps(0, caps) != plat::MMSYSERR_NOERROR) return;
  joyXLow = caps.wXmin + (caps.wXmax - caps.wXmin) / 3;
  joyXHigh = caps.wXmax - (caps.wXmax - caps.wXmin) / 3;
  joyYLow = caps.wYmin + (caps.wYmax - caps.wYmin) / 3;
  joyYHigh = caps.wYmax - (caps.wYmax - caps.wYmin) / 3;
}

void TForm1::FullPoll() {
  g.joyDown = g.joyLeft = g.joyRight = g.joyUp = 0;
  g.joyButton1 = g.joyButtons = g.joySwitch = 0;
  g.movedHorizontally = 0;
  if (plat::joyGetPos(0, joyInfo_) != plat::MMSYSERR_NOERROR) return;
  if (joyInfo_.wXpos < joyXLow) g.joyLeft = 1;
  if (joyInfo_.wXpos > joyXHigh) g.joyRight = 1;
  if (joyInfo_.wYpos < joyYLow) g.joyUp = 1;
  if (joyInfo_.wYpos > joyYHigh) g.joyDown = 1;
  // Exact masks only: button 4 or other combinations set nothing.
  switch (joyInfo_.wButtons) {
    case 1: g.joyButton1 = 1; break;
    case 2: g.joyButtons = 1; break;
    case 3: g.joyButtons = 2; break;  // buttons 1 and 2: the special attack
    case 4: g.joySwitch = 1; break;
    default: break;
  }
}

void TForm1::ButtonPoll() {
  g.joyButton1 = g.joyButtons = g.joySwitch = 0;
  if (plat::joyGetPos(0, joyInfo_) != plat::MMSYSERR_NOERROR) return;
  switch (joyInfo_.wButtons) {
    case 1: g.joyButton1 = 1; break;
    case 2: g.joyButtons = 1; break;
    case 4: g.joySwitch = 1; break;
    default: break;  // buttons 1 and 2 together count for nothing here
  }
}

bool TForm1::ButtonPressAccepted() {
  // The arrow keys never count as a press.
  const i32 sum =
      g.keyBoost + g.keyFire + g.keySwitch + g.joyButton1 + g.joyButtons + g.joySwitch;
  if (sum == 0) g.releaseLatch = 0;
  return sum > 0 && g.releaseLatch == 0;
}

}  // namespace kx
