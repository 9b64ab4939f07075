// wav_writer.cpp — interleaved stereo 16-bit PCM to a RIFF WAVE file, every
// field written little-endian byte by byte.
#include <cstdint>
#include <fstream>
#include <vector>

#include "plat/headless.h"

namespace plat::headless {
namespace {

void Put16(std::vector<char>& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::vector<char>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<char>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWav(const std::string& path, std::span<const std::int16_t> stereo, int rate) {
  if (rate <= 0) return false;
  const auto dataBytes = static_cast<std::uint32_t>(stereo.size() * 2);
  std::vector<char> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 2);  // channels
  Put32(out, static_cast<std::uint32_t>(rate));
  Put32(out, static_cast<std::uint32_t>(rate) * 4);  // bytes a second
  Put16(out, 4);                                     // block alignment
  Put16(out, 16);                                    // bits
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (const std::int16_t s : stereo) Put16(out, static_cast<std::uint16_t>(s));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace plat::headless
