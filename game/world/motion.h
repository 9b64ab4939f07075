// motion.h — small animation helpers shared by the enemy families.
//
// Frame counters double as animation frames: a cycle runs 0..last and wraps,
// a swing runs 0..top and back with a direction flag kept in one of the
// enemy's parameters.
#pragma once

#include "game/world/state.h"

namespace kx {

// frame + 1, back to 0 after `last`; true on the frame it wraps.
inline bool CycleFrame(i32& frame, i32 last) {
  frame += 1;
  if (frame <= last) return false;
  frame = 0;
  return true;
}

// frame moves one step toward 0 (dir != 0) or `top` (dir = 0) and turns there.
inline void SwingFrame(i32& frame, i32& dir, i32 top) {
  if (dir == 0) {
    frame += 1;
    if (frame >= top) {
      frame = top;
      dir = 1;
    }
  } else {
    frame -= 1;
    if (frame <= 0) {
      frame = 0;
      dir = 0;
    }
  }
}

// The sway table of the gunships and wobblers: a gentle rise and fall.
inline constexpr i32 kSway[6] = {2, 6, 12, 6, 2, -3};

// The ship's position, which aimed enemies chase.
inline const ShipSample& Ship(const World& w) {
  return w.shipTrail[0];
}

}  // namespace kx
