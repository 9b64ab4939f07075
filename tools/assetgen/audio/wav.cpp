// wav.cpp — 16-bit PCM RIFF WAVE encoder.
#include "audio/wav.h"

#include <stdexcept>

namespace ag::audio {
namespace {

void put16(std::vector<std::uint8_t>& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void tag(std::vector<std::uint8_t>& b, const char* id) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(id[i]));
}

}  // namespace

std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int rate,
                                    int channels) {
  if (channels < 1 || channels > 2 || rate <= 0 || samples.size() % channels)
    throw std::logic_error("bad WAV layout");
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  const unsigned block = 2u * static_cast<unsigned>(channels);
  std::vector<std::uint8_t> b;
  b.reserve(44 + dataBytes);
  tag(b, "RIFF");
  put32(b, 36 + dataBytes);
  tag(b, "WAVE");
  tag(b, "fmt ");
  put32(b, 16);
  put16(b, 1);  // PCM
  put16(b, static_cast<unsigned>(channels));
  put32(b, static_cast<std::uint32_t>(rate));
  put32(b, static_cast<std::uint32_t>(rate) * block);
  put16(b, block);
  put16(b, 16);
  tag(b, "data");
  put32(b, dataBytes);
  for (std::int16_t s : samples) put16(b, static_cast<std::uint16_t>(s));
  return b;
}

}  // namespace ag::audio
