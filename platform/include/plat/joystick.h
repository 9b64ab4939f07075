// joystick.h — the multimedia joystick calls the game polls.
//
// Only joystick 0 exists. Axes run 0..65535 (centre 32767), buttons 1..4 are
// mask bits 0..3. Without a joystick both calls fail with JOYERR_UNPLUGGED.
#pragma once

#include <cstdint>

#include "plat/base.h"

namespace plat {

struct JOYCAPS {
  std::uint32_t wXmin = 0, wXmax = 65535, wYmin = 0, wYmax = 65535;
};
struct JOYINFO {
  std::uint32_t wXpos = 32767, wYpos = 32767, wZpos = 0, wButtons = 0;
};
enum : std::uint32_t { JOY_BUTTON1 = 1, JOY_BUTTON2 = 2, JOY_BUTTON3 = 4, JOY_BUTTON4 = 8 };

MMRESULT joyGetDevCaps(unsigned id, JOYCAPS& caps);
MMRESULT joyGetPos(unsigned id, JOYINFO& info);

}  // namespace plat
