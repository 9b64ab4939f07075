// output.cpp — renders every effect and song and writes them to disk.
#include "audio/output.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "audio/effects.h"
#include "audio/songs.h"
#include "audio/wav.h"

namespace ag::audio {
namespace {

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot create " + path.string());
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int writeSounds(const std::string& dir) {
  const std::filesystem::path folder = std::filesystem::path(dir) / "wav";
  std::filesystem::create_directories(folder);
  for (const Effect& e : effects())
    writeBytes(folder / e.file, encodeWav(finish(e.make(), e.peakDb, 1.0, e.fadeOutMs), kRate));
  return static_cast<int>(effects().size());
}

int writeSongs(const std::string& dir) {
  const std::filesystem::path folder = std::filesystem::path(dir) / "mid";
  std::filesystem::create_directories(folder);
  for (const SongFile& s : songs()) writeBytes(folder / s.file, s.make().encode());
  return static_cast<int>(songs().size());
}

}  // namespace ag::audio
