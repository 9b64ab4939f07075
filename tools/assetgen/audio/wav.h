// wav.h — RIFF WAVE encoder for 16-bit PCM. Writes exactly "RIFF", "WAVE",
// a 16-byte "fmt " chunk and the "data" chunk, in that order and nothing
// else: the game's loader needs fmt before data and skips no padding.
#pragma once

#include <cstdint>
#include <vector>

namespace ag::audio {

// `samples` interleaved when channels is 2.
std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int rate,
                                    int channels = 1);

}  // namespace ag::audio
