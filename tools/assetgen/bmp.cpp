// bmp.cpp — 24-bit BMP encoder.
#include "bmp.h"

#include <fstream>
#include <stdexcept>

namespace ag {
namespace {

void put16(std::vector<std::uint8_t>& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& img) {
  const std::uint32_t w = static_cast<std::uint32_t>(img.width());
  const std::uint32_t h = static_cast<std::uint32_t>(img.height());
  const std::uint32_t stride = (w * 3 + 3) & ~3u;
  const std::uint32_t dataSize = stride * h;
  std::vector<std::uint8_t> b;
  b.reserve(54 + dataSize);
  b.push_back('B');
  b.push_back('M');
  put32(b, 54 + dataSize);
  put32(b, 0);
  put32(b, 54);
  put32(b, 40);  // BITMAPINFOHEADER
  put32(b, w);
  put32(b, h);  // positive height: bottom-up
  put16(b, 1);
  put16(b, 24);
  put32(b, 0);  // BI_RGB
  put32(b, dataSize);
  put32(b, 2835);  // 72 dpi
  put32(b, 2835);
  put32(b, 0);
  put32(b, 0);
  for (int y = img.height() - 1; y >= 0; --y) {
    for (int x = 0; x < img.width(); ++x) {
      Rgb c = img.get(x, y);
      b.push_back(c.b);
      b.push_back(c.g);
      b.push_back(c.r);
    }
    for (std::uint32_t p = w * 3; p < stride; ++p) b.push_back(0);
  }
  return b;
}

void writeBmp(const std::string& path, const Image& img) {
  std::vector<std::uint8_t> bytes = encodeBmp(img);
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot create " + path);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace ag
