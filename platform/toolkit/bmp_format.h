// bmp_format.h — internal to the toolkit: the BMP reader's parsed header and
// its two decoders (uncompressed/bit fields, and RLE4/RLE8).
//
// ParseBmpHeader validates every size and offset against the buffer before
// anything is allocated, so the decoders can index rows without re-checking
// the file length. Every failure throws EBitmapLoad "<name>: <problem>".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plat/canvas.h"

namespace plat::bmp {

// Largest image accepted: keeps a hostile header from forcing a huge
// allocation (the decoded bitmap is 4 bytes a pixel).
inline constexpr int kMaxSide = 16384;
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 25;

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;  // mask >> shift

  std::uint32_t Scale(std::uint32_t pixel) const {
    const std::uint64_t v = (pixel & mask) >> shift;
    return max == 255 ? static_cast<std::uint32_t>(v)
                      : static_cast<std::uint32_t>((v * 255 + max / 2) / max);
  }
};

enum class Coding { Rgb, Rle8, Rle4, BitFields };

struct Header {
  int width = 0;
  int height = 0;  // always positive; see topDown
  bool topDown = false;
  int bitCount = 0;
  Coding coding = Coding::Rgb;
  std::array<Channel, 3> channels;  // red, green, blue (16 and 32 bits)
  std::vector<RgbColor> palette;    // up to 1 << bitCount entries (<= 8 bits)
  std::size_t dataOffset = 0;       // first pixel byte
  std::size_t dataEnd = 0;          // one past the last byte the pixels may use
};

[[noreturn]] void Fail(std::string_view name, const std::string& problem);

Header ParseHeader(std::span<const std::byte> file, std::string_view name);
// Both fill `out` (already sized and black) from `file` as `h` describes.
void DecodeUncompressed(std::span<const std::byte> file, const Header& h, std::string_view name,
                        Bitmap& out);
void DecodeRle(std::span<const std::byte> file, const Header& h, std::string_view name,
               Bitmap& out);

inline std::uint32_t ReadU16(std::span<const std::byte> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}
inline std::uint32_t ReadU32(std::span<const std::byte> b, std::size_t at) {
  return ReadU16(b, at) | ReadU16(b, at + 2) << 16;
}
inline std::int32_t ReadI32(std::span<const std::byte> b, std::size_t at) {
  return static_cast<std::int32_t>(ReadU32(b, at));
}

}  // namespace plat::bmp
