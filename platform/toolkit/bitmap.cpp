// bitmap.cpp — Bitmap storage, its three loaders (file, memory, module
// resource), all through the one BMP reader, and the 24-bit BMP writer.
//
// A load either replaces the whole bitmap or throws and leaves it untouched.
// Files are opened through OpenFile, so '\' paths, the case-insensitive
// fallback and injected file faults apply; files over kMaxFileBytes are
// refused unread.
#include <algorithm>

#include "bmp_format.h"
#include "plat/kernel.h"

namespace plat {
namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 28;

// Reads `s` to its end; false when it holds more than kMaxFileBytes.
bool ReadAll(Stream& s, std::vector<std::byte>& out) {
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  out.clear();
  for (;;) {
    const std::size_t had = out.size();
    if (had > kMaxFileBytes) return false;
    out.resize(had + kChunk);
    const std::size_t got = s.Read(out.data() + had, kChunk);
    out.resize(had + std::min(got, kChunk));
    if (got < kChunk) return true;
  }
}

}  // namespace

Bitmap::Bitmap(int width, int height) {
  SetSize(width, height);
}

void Bitmap::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
}

void Bitmap::LoadFromBytes(std::span<const std::byte> bytes, std::string_view name) {
  const bmp::Header h = bmp::ParseHeader(bytes, name);
  Bitmap decoded(h.width, h.height);
  if (h.coding == bmp::Coding::Rle8 || h.coding == bmp::Coding::Rle4)
    bmp::DecodeRle(bytes, h, name, decoded);
  else
    bmp::DecodeUncompressed(bytes, h, name, decoded);
  *this = std::move(decoded);
}

void Bitmap::LoadFromFile(std::string_view path) {
  const auto stream = OpenFile(path, FileMode::ReadShareDenyWrite);
  if (!stream) bmp::Fail(path, "cannot open file");
  std::vector<std::byte> bytes;
  if (!ReadAll(*stream, bytes)) bmp::Fail(path, "file is too large");
  LoadFromBytes(bytes, path);
}

bool Bitmap::LoadFromResourceName(std::string_view name) {
  const auto stream = OpenResource("BITMAP", name);
  if (!stream) return false;
  std::vector<std::byte> bytes;
  if (!ReadAll(*stream, bytes)) bmp::Fail(name, "resource is too large");
  LoadFromBytes(bytes, name);
  return true;
}

std::vector<std::byte> Bitmap::SaveToBytes() const {
  const std::size_t row = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t{3};
  const std::size_t size = 54 + row * static_cast<std::size_t>(height_);
  std::vector<std::byte> out(size);
  auto put = [&out](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + static_cast<std::size_t>(i)] = std::byte(v >> (8 * i) & 0xFF);
  };
  put(0, 0x4D42, 2);  // "BM"
  put(2, static_cast<std::uint32_t>(size), 4);
  put(10, 54, 4);  // pixels follow the two headers
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width_), 4);
  put(22, static_cast<std::uint32_t>(height_), 4);  // positive: bottom row first
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      put(54 + static_cast<std::size_t>(height_ - 1 - y) * row + static_cast<std::size_t>(x) * 3,
          Pixel(x, y), 3);
  return out;
}

}  // namespace plat
