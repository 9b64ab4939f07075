// joystick.cpp — joyGetDevCaps / joyGetPos over the active backend.
// Only joystick 0 exists; without a backend there is no joystick.
#include "plat/joystick.h"

#include "plat/detail/backend.h"

namespace plat {

MMRESULT joyGetDevCaps(unsigned id, JOYCAPS& caps) {
  auto* b = detail::ActiveBackend();
  if (id != 0 || !b) return JOYERR_UNPLUGGED;
  return b->JoyCaps(caps);
}

MMRESULT joyGetPos(unsigned id, JOYINFO& info) {
  auto* b = detail::ActiveBackend();
  if (id != 0 || !b) return JOYERR_UNPLUGGED;
  return b->JoyPos(info);
}

}  // namespace plat
