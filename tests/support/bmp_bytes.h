// bmp_bytes.h — a 24-bit bottom-up BMP file of a bitmap, for tests that
// load pictures from files or module resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "plat/canvas.h"

namespace kxtest {

inline std::vector<std::byte> BmpBytes(const plat::Bitmap& b) { return b.SaveToBytes(); }

inline void WriteBmp(const std::string& path, const plat::Bitmap& b) {
  const std::vector<std::byte> bytes = BmpBytes(b);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kxtest
