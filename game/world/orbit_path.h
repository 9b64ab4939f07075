// orbit_path.h — the 45-point closed path the pods orbit on, also used
// (stretched) by the turrets of the last boss's second form.
#pragma once

#include "game/world/state.h"

namespace kx {

inline constexpr int kOrbitPoints = 45;
inline constexpr i32 kOrbitX[kOrbitPoints] = {
    -19, -18, -18, -17, -15, -14, -12, -10, -7, -5, -2, 1,   4,   6,   9,
    11,  14,  16,  18,  19,  20,  21,  21,  21, 21, 20, 19,  18,  16,  14,
    12,  9,   6,   4,   1,   -2,  -5,  -7,  -10, -12, -14, -15, -17, -18, -18};
inline constexpr i32 kOrbitY[kOrbitPoints] = {
    -8, -12, -16, -20, -23, -27, -30, -32, -34, -36, -37, -37, -37, -37, -35,
    -33, -31, -28, -25, -22, -18, -14, -10, -5, -1, 3, 7, 10, 13, 16,
    18, 20, 22, 22, 22, 22, 21, 19, 17, 15, 12, 8, 8, 1, -3};

}  // namespace kx
