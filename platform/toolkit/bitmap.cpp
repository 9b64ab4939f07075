// bitmap.cpp — Bitmap storage and its three loaders (file, memory, module
// resource), all through the one BMP reader.
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

}  // namespace plat
