// output.h — writes the game's sounds and songs: DIR/wav/<effect>.wav and
// DIR/mid/KX0nSTD.mid. Throws std::runtime_error when a file cannot be
// written and std::logic_error when a sound or song breaks its own rules.
#pragma once

#include <string>

namespace ag::audio {

// Returns the number of files written.
int writeSounds(const std::string& dir);
int writeSongs(const std::string& dir);

}  // namespace ag::audio
