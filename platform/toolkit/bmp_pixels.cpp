// bmp_pixels.cpp — decodes uncompressed and bit-field BMP pixel rows into
// 0x00RRGGBB.
//
// Rows are padded to 4 bytes and stored bottom-up unless the header says
// top-down. ParseHeader has already checked that every row lies inside the
// buffer; the one check left here is the palette index, which rejects the
// file (an index past the palette is never guessed at).
#include "bmp_format.h"

namespace plat::bmp {
namespace {

void IndexedRow(const std::uint8_t* src, RgbColor* dst, const Header& h, std::string_view name,
                int row) {
  const int bits = h.bitCount;
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  const std::size_t colours = h.palette.size();
  for (int x = 0; x < h.width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    const unsigned index = (src[x / perByte] >> shift) & mask;
    if (index >= colours)
      Fail(name, "palette index " + std::to_string(index) + " out of range (palette has " +
                     std::to_string(colours) + " colours) in row " + std::to_string(row));
    dst[x] = h.palette[index];
  }
}

RgbColor FromChannels(const Header& h, std::uint32_t v) {
  return h.channels[0].Scale(v) << 16 | h.channels[1].Scale(v) << 8 | h.channels[2].Scale(v);
}

bool DefaultRgb32(const Header& h) {
  return h.channels[0].mask == 0xFF0000 && h.channels[1].mask == 0x00FF00 &&
         h.channels[2].mask == 0x0000FF;
}

}  // namespace

void DecodeUncompressed(std::span<const std::byte> file, const Header& h, std::string_view name,
                        Bitmap& out) {
  const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
  const auto* base = reinterpret_cast<const std::uint8_t*>(file.data()) + h.dataOffset;
  const bool plain32 = h.bitCount == 32 && DefaultRgb32(h);
  for (int r = 0; r < h.height; ++r) {
    const std::uint8_t* src = base + static_cast<std::size_t>(r) * stride;
    const int y = h.topDown ? r : h.height - 1 - r;
    RgbColor* dst = out.Row(y);
    switch (h.bitCount) {
      case 16:
        for (int x = 0; x < h.width; ++x, src += 2) dst[x] = FromChannels(h, src[0] | src[1] << 8);
        break;
      case 24:
        for (int x = 0; x < h.width; ++x, src += 3)
          dst[x] = static_cast<RgbColor>(src[2]) << 16 | src[1] << 8 | src[0];
        break;
      case 32:
        for (int x = 0; x < h.width; ++x, src += 4) {
          const std::uint32_t v = static_cast<std::uint32_t>(src[0]) | src[1] << 8 | src[2] << 16 |
                                  static_cast<std::uint32_t>(src[3]) << 24;
          dst[x] = plain32 ? (v & 0xFFFFFF) : FromChannels(h, v);
        }
        break;
      default:
        IndexedRow(src, dst, h, name, y);
        break;
    }
  }
}

}  // namespace plat::bmp
