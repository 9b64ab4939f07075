// bmp_header.cpp — BMP file and info header parsing and validation.
//
// Accepts OS/2 1.x core headers (12 bytes), OS/2 2.x headers (16 and 64
// bytes) and Windows info headers of 40, 52, 56, 108 and 124 bytes; 1, 2, 4,
// 8, 16, 24 and 32 bits a pixel; uncompressed, RLE8, RLE4 and (alpha) bit
// fields. Alpha masks, colour spaces and profiles are ignored. Everything
// implausible is rejected here, before a pixel is allocated: sizes beyond
// kMaxSide/kMaxPixels, size fields larger than the file, palettes that cannot
// fit, empty, split or overlapping channel masks, and absurd pixel densities.
#include <algorithm>
#include <bit>
#include <cstdio>
#include <limits>

#include "bmp_format.h"

namespace plat::bmp {
namespace {

constexpr std::size_t kFileHeader = 14;

std::string Num(std::uint64_t v) {
  return std::to_string(v);
}

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", v);
  return buf;
}

std::string Truncated(const char* what, std::uint64_t need, std::uint64_t have) {
  return std::string("file is truncated (") + what + " needs " + Num(need) + " bytes, " +
         Num(have) + " present)";
}

bool KnownHeaderSize(std::uint32_t size) {
  switch (size) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
      return true;
    default:
      return false;
  }
}

Coding CodingFor(std::uint32_t compression, bool os2v2, std::string_view name) {
  if (os2v2 && compression == 3) Fail(name, "unsupported compression (OS/2 Huffman)");
  if (os2v2 && compression == 4) Fail(name, "unsupported compression (RLE24)");
  switch (compression) {
    case 0:
      return Coding::Rgb;
    case 1:
      return Coding::Rle8;
    case 2:
      return Coding::Rle4;
    case 3:
    case 6:
      return Coding::BitFields;  // 6: with an alpha mask, which we ignore
    case 4:
      Fail(name, "unsupported compression (embedded JPEG)");
    case 5:
      Fail(name, "unsupported compression (embedded PNG)");
    default:
      Fail(name, "unsupported compression " + Num(compression));
  }
}

bool CodingFits(Coding c, int bitCount) {
  switch (c) {
    case Coding::Rgb:
      return true;
    case Coding::Rle8:
      return bitCount == 8;
    case Coding::Rle4:
      return bitCount == 4;
    case Coding::BitFields:
      return bitCount == 16 || bitCount == 32;
  }
  return false;
}

std::array<Channel, 3> MakeChannels(const std::array<std::uint32_t, 3>& masks, int bitCount,
                                    std::string_view name) {
  static constexpr const char* kNames[] = {"red", "green", "blue"};
  std::array<Channel, 3> out;
  for (std::size_t c = 0; c < 3; ++c) {
    const std::uint32_t m = masks[c];
    const std::string what = std::string(kNames[c]) + " bit-field mask " + Hex(m);
    if (m == 0) Fail(name, "empty " + what);
    if (bitCount == 16 && m > 0xFFFF) Fail(name, what + " exceeds 16 bits");
    const int shift = std::countr_zero(m);
    const std::uint32_t max = m >> shift;
    if ((max & (max + 1)) != 0) Fail(name, what + " is not contiguous");
    for (std::size_t d = 0; d < c; ++d)
      if ((m & masks[d]) != 0) Fail(name, what + " overlaps the " + kNames[d] + " mask");
    out[c] = Channel{m, shift, max};
  }
  return out;
}

}  // namespace

void Fail(std::string_view name, const std::string& problem) {
  throw EBitmapLoad(std::string(name) + ": " + problem);
}

Header ParseHeader(std::span<const std::byte> f, std::string_view name) {
  const std::size_t size = f.size();
  if (size == 0) Fail(name, "file is empty");
  if (size < 2 || f[0] != std::byte{'B'} || f[1] != std::byte{'M'}) Fail(name, "not a BMP file");
  if (size < kFileHeader + 4) Fail(name, Truncated("file header", kFileHeader + 4, size));
  const std::uint32_t fileSize = ReadU32(f, 2);
  const std::uint32_t dataOffset = ReadU32(f, 10);
  const std::uint32_t infoSize = ReadU32(f, 14);
  if (!KnownHeaderSize(infoSize)) Fail(name, "unsupported header size " + Num(infoSize));
  const std::size_t headersEnd = kFileHeader + infoSize;
  if (size < headersEnd) Fail(name, Truncated("header", headersEnd, size));

  const std::size_t at = kFileHeader;
  const bool core = infoSize == 12;
  const bool os2v2 = infoSize == 16 || infoSize == 64;
  // Fields past the end of a short header read as 0.
  auto field = [&](std::size_t offset) {
    return infoSize >= offset + 4 ? ReadU32(f, at + offset) : 0;
  };
  const std::int64_t width = core ? std::int64_t{ReadU16(f, at + 4)} : ReadI32(f, at + 4);
  std::int64_t height = core ? std::int64_t{ReadU16(f, at + 6)} : ReadI32(f, at + 8);
  const std::uint32_t planes = ReadU16(f, at + (core ? 8 : 12));
  const std::uint32_t bitCount = ReadU16(f, at + (core ? 10 : 14));
  const std::uint32_t compression = field(16);
  const std::uint32_t imageSize = field(20);
  const auto xDensity = static_cast<std::int32_t>(field(24));
  const auto yDensity = static_cast<std::int32_t>(field(28));
  const std::uint32_t coloursUsed = field(32);

  Header h;
  h.coding = CodingFor(compression, os2v2, name);
  if (planes != 1) Fail(name, "plane count is " + Num(planes) + ", not 1");
  switch (bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Fail(name, "unsupported bit count " + Num(bitCount));
  }
  h.bitCount = static_cast<int>(bitCount);
  if (!CodingFits(h.coding, h.bitCount))
    Fail(name,
         "compression " + Num(compression) + " does not fit " + Num(bitCount) + " bits a pixel");
  if (width <= 0) Fail(name, "bad width " + std::to_string(width));
  if (height == 0) Fail(name, "bad height 0");
  h.topDown = height < 0;
  height = h.topDown ? -height : height;
  if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
    Fail(name, "image too large (" + Num(width) + " x " + Num(height) + ")");
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(height);
  if (h.topDown && h.coding != Coding::Rgb && h.coding != Coding::BitFields)
    Fail(name, "RLE bitmap stored top-down");
  if (xDensity > 0 && yDensity > 0 &&
      std::max(xDensity, yDensity) / 100 > std::min(xDensity, yDensity))
    Fail(name, "implausible pixel density " + Num(xDensity) + " x " + Num(yDensity) + " per metre");
  if (fileSize > size) Fail(name, Truncated("header says it", fileSize, size));

  // Channel masks: in the header from 52 bytes on, else right after it.
  std::size_t tableStart = headersEnd;
  std::array<std::uint32_t, 3> masks =
      bitCount == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                     : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
  if (h.coding == Coding::BitFields) {
    if (infoSize < 52) {
      tableStart += compression == 6 ? 16 : 12;
      if (size < tableStart) Fail(name, Truncated("bit-field masks", tableStart, size));
    }
    masks = {ReadU32(f, at + 40), ReadU32(f, at + 44), ReadU32(f, at + 48)};
  }
  if (bitCount == 16 || bitCount == 32) h.channels = MakeChannels(masks, h.bitCount, name);

  // Palette: biClrUsed entries (0 = as many as fit before the pixels, at most
  // 1 << bitCount); entries beyond what the bit count can index are skipped.
  if (std::uint64_t{coloursUsed} * 4 > size) Fail(name, "bad palette size " + Num(coloursUsed));
  if (bitCount <= 8) {
    const std::size_t entry = core ? 3 : 4;
    const std::uint64_t full = std::uint64_t{1} << bitCount;
    std::uint64_t count = coloursUsed;
    if (count == 0) {
      count = full;
      if (dataOffset >= tableStart)
        count = std::min<std::uint64_t>(count, (dataOffset - tableStart) / entry);
    }
    count = std::min(count, full);
    if (count == 0) Fail(name, "palette is empty");
    const std::uint64_t tableEnd = tableStart + count * entry;
    if (tableEnd > size) Fail(name, Truncated("palette", tableEnd, size));
    h.palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t p = tableStart + i * entry;
      h.palette[i] = static_cast<RgbColor>(f[p + 2]) << 16 | static_cast<RgbColor>(f[p + 1]) << 8 |
                     static_cast<RgbColor>(f[p]);
    }
  }

  if (dataOffset < tableStart)
    Fail(name, "pixel data offset " + Num(dataOffset) + " inside the headers");
  if (dataOffset > size) Fail(name, Truncated("pixel data offset", dataOffset, size));
  const std::size_t available = size - dataOffset;
  if (imageSize > available)
    Fail(name,
         "bad image size " + Num(imageSize) + " (" + Num(available) + " bytes follow the headers)");
  h.dataOffset = dataOffset;
  h.dataEnd = size;
  if (h.coding == Coding::Rle8 || h.coding == Coding::Rle4) {
    if (imageSize != 0) h.dataEnd = dataOffset + imageSize;
  } else {
    // The last row's padding may be missing.
    const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * bitCount;
    const std::uint64_t need =
        (rowBits + 31) / 32 * 4 * static_cast<std::uint64_t>(height - 1) + (rowBits + 7) / 8;
    if (need > available) Fail(name, Truncated("pixel data", need, available));
  }
  return h;
}

}  // namespace plat::bmp
