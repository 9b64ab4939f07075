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

inline std::vector<std::byte> BmpBytes(const plat::Bitmap& b) {
  const int w = b.Width(), h = b.Height();
  const int row = (w * 3 + 3) & ~3;
  const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * h);
  std::vector<std::byte> out(size);
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + static_cast<std::size_t>(i)] = std::byte(v >> (8 * i) & 0xFF);
  };
  put(0, 'B', 1);
  put(1, 'M', 1);
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(w), 4);
  put(22, static_cast<std::uint32_t>(h), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      put(54 + static_cast<std::size_t>((h - 1 - y) * row + x * 3), b.Pixel(x, y), 3);
  return out;
}

inline void WriteBmp(const std::string& path, const plat::Bitmap& b) {
  const std::vector<std::byte> bytes = BmpBytes(b);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kxtest
