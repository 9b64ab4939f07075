// Vx3dtexformat.cpp — texture format, size, pattern and alpha rules.
#include "3d/Vx3dtexformat.h"

#include <algorithm>
#include <cstring>

namespace Vexmora3DSystem {
namespace {

constexpr std::uint32_t kDefaultMaxSize = 256;  // for devices reporting no maximum

std::uint32_t NextPowerOfTwo(std::uint32_t v) {
  std::uint32_t p = 1;
  while (p < v && p < 0x80000000u) p <<= 1;
  return p;
}

}  // namespace

TVexmora3DTextureInfo TexturePatterns(int width, int height, int patternWidth, int patternHeight) {
  TVexmora3DTextureInfo info;
  info.patternWidth = patternWidth > 0 ? patternWidth : width;
  info.patternHeight = patternHeight > 0 ? patternHeight : height;
  info.patternU = static_cast<float>(info.patternWidth) / static_cast<float>(width);
  info.patternV = static_cast<float>(info.patternHeight) / static_cast<float>(height);
  info.columns = width / info.patternWidth;
  info.count = height / info.patternHeight * info.columns;
  return info;
}

bool TextureFormatAccepted(const plat::DDPIXELFORMAT& format, bool wantAlpha) {
  using namespace plat;
  if (format.dwFlags & (DDPF_ALPHA | DDPF_FOURCC | DDPF_PALETTEINDEXED4)) return false;
  if (format.dwRGBBitCount < 16 || format.dwFourCC != 0) return false;
  if (format.dwRGBAlphaBitMask == 0xF000) return false;  // 4:4:4:4: too few colour bits
  const bool hasAlpha = (format.dwFlags & DDPF_ALPHAPIXELS) != 0;
  return hasAlpha == wantAlpha && format.dwRGBBitCount == 16;
}

std::optional<plat::DDPIXELFORMAT> ChooseTextureFormat(
    const std::vector<plat::DDPIXELFORMAT>& formats) {
  for (bool wantAlpha : {true, false})
    for (const plat::DDPIXELFORMAT& f : formats)
      if (TextureFormatAccepted(f, wantAlpha)) return f;
  return std::nullopt;
}

TTextureSize TextureSurfaceSize(std::uint32_t width, std::uint32_t height,
                                const plat::D3DDEVICEDESC7& caps) {
  if (caps.textureCaps & plat::D3DPTEXTURECAPS_POW2) {
    width = NextPowerOfTwo(width);
    height = NextPowerOfTwo(height);
  }
  width = std::min(width, caps.maxTextureWidth ? caps.maxTextureWidth : kDefaultMaxSize);
  height = std::min(height, caps.maxTextureHeight ? caps.maxTextureHeight : kDefaultMaxSize);
  if (caps.textureCaps & plat::D3DPTEXTURECAPS_SQUAREONLY) width = height = std::max(width, height);
  return {width, height};
}

void KeyBlackToTransparent(void* bits, std::int32_t pitch, std::uint32_t width,
                           std::uint32_t height, const plat::DDPIXELFORMAT& format) {
  const auto alpha = static_cast<std::uint16_t>(format.dwRGBAlphaBitMask);
  if (alpha == 0) return;
  const auto colour =
      static_cast<std::uint16_t>(format.dwRBitMask | format.dwGBitMask | format.dwBBitMask);
  auto* row = static_cast<std::uint8_t*>(bits);
  for (std::uint32_t y = 0; y < height; ++y, row += pitch) {
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint16_t pixel;
      std::memcpy(&pixel, row + 2 * x, 2);  // rows need not be 2-byte aligned
      pixel = (pixel & colour) ? static_cast<std::uint16_t>(pixel | alpha)
                               : static_cast<std::uint16_t>(pixel & ~alpha);
      std::memcpy(row + 2 * x, &pixel, 2);
    }
  }
}

}  // namespace Vexmora3DSystem
