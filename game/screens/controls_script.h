// controls_script.h — the controls demonstration's command script: one
// command per script step (every fourth frame). 0 does nothing, 1 boost,
// 2 fire, 3 switch weapon, 4 launch the pods, 5..8 up, down, left, right,
// 9..12 up+right, down+right, up+left, down+left, 13..20 boost plus the
// command 8 lower, 21..28 fire plus the command 16 lower, 29 back to the title.
#pragma once

#include <cstdint>

namespace kx {

inline constexpr int kControlsScriptLength = 291;
inline constexpr std::int16_t kControlsEnd = 29;
inline constexpr std::int16_t kControlsScript[kControlsScriptLength] = {
    0,  0,  0,  5,  5,  5,  5,  0,  0,  0,  6,  6,  6,  6,  6,  6,  6,  6,  0,  0,  0,
    5,  5,  5,  5,  0,  0,  0,  8,  8,  8,  8,  8,  8,  8,  0,  0,  0,  7,  7,  7,  7,
    7,  7,  7,  0,  0,  0,  9,  9,  9,  8,  8,  8,  10, 10, 10, 12, 12, 12, 7,  7,  7,
    11, 11, 11, 0,  0,  0,  6,  12, 12, 0,  0,  2,  2,  2,  2,  2,  0,  0,  0,  5,  5,
    5,  5,  5,  5,  5,  0,  0,  0,  8,  8,  8,  8,  8,  8,  8,  8,  8,  8,  8,  8,  0,
    0,  0,  6,  6,  6,  6,  6,  6,  6,  6,  6,  0,  0,  0,  11, 11, 11, 11, 27, 23, 23,
    23, 23, 12, 12, 12, 0,  0,  0,  2,  2,  2,  2,  0,  0,  0,  3,  0,  0,  0,  2,  2,
    2,  2,  2,  0,  0,  0,  3,  0,  0,  0,  2,  2,  2,  2,  2,  0,  0,  0,  1,  1,  0,
    0,  0,  16, 16, 16, 16, 19, 19, 13, 16, 16, 16, 14, 14, 14, 14, 15, 15, 15, 19, 11,
    11, 7,  0,  0,  6,  6,  6,  8,  4,  4,  21, 21, 21, 21, 21, 21, 21, 2,  2,  2,  2,
    2,  2,  0,  0,  0,  0,  0,  0,  0,  3,  0,  8,  4,  18, 18, 20, 15, 2,  2,  2,  2,
    2,  2,  2,  2,  2,  2,  2,  2,  0,  0,  0,  3,  0,  27, 27, 21, 22, 22, 2,  17, 17,
    19, 2,  2,  22, 14, 14, 14, 2,  2,  2,  19, 13, 13, 2,  2,  2,  18, 18, 18, 16, 3,
    23, 23, 23, 23, 23, 23, 7,  3,  21, 21, 21, 21, 21, 21, 27, 27, 0,  29};

}  // namespace kx
