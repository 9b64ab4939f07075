// pod_tables.h — where the pods stand and fly: the TYPE-A formation around
// the ship by direction of travel, and the launch directions.
//
// Directions of travel (moveDir): 0 right, 1 up, 2 left, 3 down, 4 up-right,
// 5 up-left, 6 down-left, 7 down-right. Pod flight directions use the keypad
// layout: 8 up, 2 down, 4 left, 6 right, 7 9 1 3 the diagonals.
#pragma once

#include "game/world/state.h"

namespace kx {

// TYPE-A formation offsets from the ship, [moveDir][pod]; the pods trail the
// ship on the side away from its travel. The y target also subtracts 15.
inline constexpr i32 kFormationX[8][2] = {{-2, -2}, {48, -48}, {-2, -2}, {-48, 48},
                                          {-35, 35}, {35, -35}, {35, -35}, {-35, 35}};
inline constexpr i32 kFormationY[8][2] = {{-38, 68}, {14, 14}, {68, -38}, {14, 14},
                                          {-30, 60}, {-30, 60}, {60, -30}, {60, -30}};
inline constexpr i32 kFormationRaise = 15;

// TYPE-A launch: both pods' flight directions for each moveDir.
inline constexpr i32 kLaunchDirA[8][2] = {{4, 6}, {2, 8}, {6, 4}, {8, 2},
                                          {9, 1}, {7, 3}, {1, 9}, {3, 7}};
// TYPE-C launch: the orbit centre's flight direction for each moveDir.
inline constexpr i32 kLaunchDirC[8] = {6, 8, 4, 2, 9, 7, 1, 3};

// The unit step of a keypad direction: dx, dy each -1, 0 or 1 (y grows
// downward); 5 and anything outside 1..9 stand still.
inline void KeypadUnit(i32 dir, i32& dx, i32& dy) {
  dx = dy = 0;
  if (dir < 1 || dir > 9) return;
  dx = (dir - 1) % 3 - 1;
  dy = 1 - (dir - 1) / 3;
}

}  // namespace kx
