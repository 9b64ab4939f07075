// boss_steps.h — the counting and frame-stepping idioms the boss machines
// share. Boss phases mostly last a fixed number of frames or run the
// animation frame to a given cell; these keep that bookkeeping in one place.
#pragma once

#include "game/world/state.h"

namespace kx {

// counter + 1; true once it has run `frames` frames, and the counter restarts.
inline bool CountFrames(i32& counter, i32 frames) {
  counter += 1;
  if (counter < frames) return false;
  counter = 0;
  return true;
}

// frame one step toward `target`; true once it is there.
inline bool FrameToward(i32& frame, i32 target) {
  if (frame < target) {
    frame += 1;
  } else if (frame > target) {
    frame -= 1;
  }
  return frame == target;
}

// frame - 1; true once it drops below `below`, and it is then set to `then`.
inline bool FrameDownPast(i32& frame, i32 below, i32 then) {
  frame -= 1;
  if (frame >= below) return false;
  frame = then;
  return true;
}

// value + 1, held at `cap`.
inline void GrowTo(i32& value, i32 cap) {
  value = value < cap ? value + 1 : cap;
}

}  // namespace kx
