// themes.h — the Korvanix theme, shared by the title, the final boss, the
// game-over jingle and the ending so the soundtrack hangs together. In D
// minor, 16th-note lengths (see phrase.h).
#pragma once

#include <string_view>

namespace ag::audio::theme {

// The call: 8 bars over kCallChords.
inline constexpr std::string_view kCall =
    "D5:6 E5:2 F5:4 A5:4 | G5:6 F5:2 D5:8 | C5:4 D5:2 F5:6 E5:2 C5:2 | E5:12 r:4 |"
    " D5:6 E5:2 F5:4 A5:4 | Bb5:6 A5:2 G5:4 F5:4 | G5:4 A5:4 E5:4 C5:4 | C#5:4 E5:4 A5:8";
inline constexpr std::string_view kCallChords = "Dm Bb F C Dm Bb C A";

// The climb: 8 bars over kClimbChords, ending on the dominant.
inline constexpr std::string_view kClimb =
    "Bb5:6 A5:2 G5:4 D6:4 | D6:6 C6:2 Bb5:4 F5:4 | A5:6 G5:2 F5:4 C6:4 | C6:6 Bb5:2 A5:4 G5:4 |"
    " Bb5:6 A5:2 G5:4 D6:4 | F6:6 D6:2 Bb5:4 D6:4 | E6:6 D6:2 C#6:4 A5:4 | C#6:4 E6:4 A6:8";
inline constexpr std::string_view kClimbChords = "Gm Bb F C Gm Bb A A";

constexpr int kKey = 2;  // D

}  // namespace ag::audio::theme
