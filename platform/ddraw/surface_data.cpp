// surface_data.cpp — pixel formats, the live-surface registry and the
// display the surfaces were made for.
#include "surface_data.h"

#include <algorithm>
#include <bit>
#include <mutex>

#include "plat/detail/backend.h"

namespace plat {

DDPIXELFORMAT PixelFormatForBits(int bpp, bool rgb555) {
  DDPIXELFORMAT f;
  f.dwRGBBitCount = static_cast<std::uint32_t>(bpp);
  switch (bpp) {
    case 8:
      f.dwFlags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
      f.dwRBitMask = f.dwGBitMask = f.dwBBitMask = 0;
      break;
    case 16:
      f.dwRBitMask = rgb555 ? 0x7C00 : 0xF800;
      f.dwGBitMask = rgb555 ? 0x03E0 : 0x07E0;
      f.dwBBitMask = 0x001F;
      break;
    default:  // 24 and 32: 8:8:8
      break;
  }
  return f;
}

namespace detail {
namespace {

std::mutex g_mutex;  // the registry and the current display
std::vector<SurfaceData*>& Registry() {
  static std::vector<SurfaceData*> all;
  return all;
}
std::optional<DisplayMode> g_mode;
const Backend* g_modeBackend = nullptr;  // a mode belongs to the backend that set it

DisplayMode Desktop() {
  const Backend* b = ActiveBackend();
  return {0, 0, PixelFormatForBits(b ? b->DesktopBits() : 32, b && b->Use555())};
}

}  // namespace

PixelCodec::PixelCodec(const DDPIXELFORMAT& f) {
  palettised = (f.dwFlags & DDPF_PALETTEINDEXED8) != 0;
  mask = {f.dwRBitMask, f.dwGBitMask, f.dwBBitMask};
  for (int i = 0; i < 3; ++i) {
    shift[i] = mask[i] ? static_cast<std::uint32_t>(std::countr_zero(mask[i])) : 0;
    bits[i] = static_cast<std::uint32_t>(std::popcount(mask[i]));
  }
}

std::uint32_t PixelCodec::Encode(RgbColor c) const {
  if (palettised) return ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) / 3;
  std::uint32_t p = 0;
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t v8 = c >> (16 - 8 * i) & 0xFF;
    if (bits[i] == 0) continue;
    p |= bits[i] >= 8 ? (v8 << (bits[i] - 8)) << shift[i] : (v8 >> (8 - bits[i])) << shift[i];
  }
  return p;
}

RgbColor PixelCodec::Decode(std::uint32_t p) const {
  if (palettised) return (p & 0xFF) * 0x010101u;
  RgbColor c = 0;
  for (int i = 0; i < 3; ++i) {
    if (bits[i] == 0) continue;
    const std::uint32_t v = (p & mask[i]) >> shift[i];
    std::uint32_t v8;
    if (bits[i] >= 8) {
      v8 = v >> (bits[i] - 8);
    } else {  // replicate the top bits into the low ones: 0 stays 0, all ones 0xFF
      v8 = v << (8 - bits[i]);
      for (std::uint32_t have = bits[i]; have < 8; have += bits[i]) v8 |= v8 >> bits[i];
      v8 &= 0xFF;
    }
    c |= v8 << (16 - 8 * i);
  }
  return c;
}

DisplayMode CurrentDisplay() {
  std::lock_guard lock(g_mutex);
  return g_mode && g_modeBackend == ActiveBackend() ? *g_mode : Desktop();
}

void SetCurrentDisplay(std::optional<DisplayMode> mode) {
  std::lock_guard lock(g_mutex);
  g_mode = mode;
  g_modeBackend = ActiveBackend();
}

SurfaceData::SurfaceData(int w, int h, const DDPIXELFORMAT& f, std::uint32_t c,
                         std::uint32_t padding)
    : width(w), height(h), format(f), codec(f),
      bytes(std::max<int>(1, static_cast<int>(f.dwRGBBitCount / 8))),
      pitch(static_cast<std::int32_t>(static_cast<std::uint32_t>(w * bytes) + padding)),
      caps(c),
      pixels(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(h), kPadByte) {
  for (int y = 0; y < height; ++y) std::memset(At(0, y), 0, RowBytes());
  std::lock_guard lock(g_mutex);
  Registry().push_back(this);
}

SurfaceData::~SurfaceData() {
  if (Primary())
    if (auto* b = ActiveBackend()) b->ShowPrimary(nullptr);
  std::lock_guard lock(g_mutex);
  std::erase(Registry(), this);
}

void SurfaceData::Changed() {
  if (!Primary()) return;
  Backend* b = ActiveBackend();
  if (!b) return;
  if (shown.Width() != width || shown.Height() != height) shown.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = At(0, y);
    RgbColor* dst = shown.Row(y);
    for (int x = 0; x < width; ++x) dst[x] = codec.Decode(LoadPixel(src + x * bytes, bytes));
  }
  b->ShowPrimary(&shown);
}

void SurfaceData::FillGarbage() {
  // A fixed diagonal pattern: a missed reload shows, and never as a key colour.
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = At(0, y);
    for (std::uint32_t i = 0; i < RowBytes(); ++i)
      row[i] = static_cast<std::uint8_t>(0x5A + 37 * i + 11 * static_cast<std::uint32_t>(y));
  }
}

void LoseSurfaces(bool includeSystemMemory) {
  std::lock_guard lock(g_mutex);
  for (SurfaceData* s : Registry())
    if (s->VideoMemory() || s->Primary() || includeSystemMemory) s->lost = true;
}

std::uint64_t VideoMemoryInUse() {
  std::lock_guard lock(g_mutex);
  std::uint64_t sum = 0;
  for (const SurfaceData* s : Registry())
    if (s->VideoMemory()) sum += s->pixels.size();
  return sum;
}

}  // namespace detail
}  // namespace plat
