// Texture rules: surface sizes on restrictive devices, pattern grids, the
// choice of 16-bit format, and black keyed to transparent.
#include <gtest/gtest.h>

#include "3d/Vx3dtexformat.h"

namespace {

using namespace Vexmora3DSystem;
using plat::DDPIXELFORMAT;

DDPIXELFORMAT Format(std::uint32_t bits, std::uint32_t a, std::uint32_t r, std::uint32_t g,
                     std::uint32_t b) {
  DDPIXELFORMAT f;
  f.dwFlags = a ? plat::DDPF_RGB | plat::DDPF_ALPHAPIXELS : plat::DDPF_RGB;
  f.dwRGBBitCount = bits;
  f.dwRGBAlphaBitMask = a;
  f.dwRBitMask = r;
  f.dwGBitMask = g;
  f.dwBBitMask = b;
  return f;
}
const DDPIXELFORMAT kA1555 = Format(16, 0x8000, 0x7C00, 0x03E0, 0x001F);
const DDPIXELFORMAT k565 = Format(16, 0, 0xF800, 0x07E0, 0x001F);
const DDPIXELFORMAT kX555 = Format(16, 0, 0x7C00, 0x03E0, 0x001F);
const DDPIXELFORMAT k4444 = Format(16, 0xF000, 0x0F00, 0x00F0, 0x000F);
const DDPIXELFORMAT k8888 = Format(32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF);

TEST(TextureSize, PowersOfTwoSquaresAndMaximums) {
  plat::D3DDEVICEDESC7 caps;
  caps.maxTextureWidth = caps.maxTextureHeight = 2048;
  auto size = TextureSurfaceSize(100, 60, caps);
  EXPECT_EQ(size.width, 100u);
  EXPECT_EQ(size.height, 60u);
  caps.textureCaps = plat::D3DPTEXTURECAPS_POW2;
  size = TextureSurfaceSize(100, 60, caps);
  EXPECT_EQ(size.width, 128u);
  EXPECT_EQ(size.height, 64u);
  size = TextureSurfaceSize(64, 1, caps);  // exact powers stay
  EXPECT_EQ(size.width, 64u);
  EXPECT_EQ(size.height, 1u);
  caps.textureCaps |= plat::D3DPTEXTURECAPS_SQUAREONLY;
  size = TextureSurfaceSize(100, 60, caps);
  EXPECT_EQ(size.width, 128u);
  EXPECT_EQ(size.height, 128u);
  caps.maxTextureWidth = 0;  // unreported: 256
  caps.maxTextureHeight = 512;
  size = TextureSurfaceSize(300, 10, caps);
  EXPECT_EQ(size.width, 256u);
  EXPECT_EQ(size.height, 256u);
}

TEST(TexturePatterns, GridFromPatternSize) {
  TVexmora3DTextureInfo info = TexturePatterns(100, 60, 50, 20);
  EXPECT_FLOAT_EQ(info.patternU, 0.5f);
  EXPECT_FLOAT_EQ(info.patternV, 1.0f / 3);
  EXPECT_EQ(info.columns, 2);
  EXPECT_EQ(info.count, 6);
  info = TexturePatterns(100, 60, 30, 0);  // partial patterns do not count
  EXPECT_EQ(info.columns, 3);
  EXPECT_EQ(info.count, 3);
  EXPECT_EQ(info.patternHeight, 60);
  info = TexturePatterns(100, 60, 0, 0);
  EXPECT_EQ(info.count, 1);
  EXPECT_FLOAT_EQ(info.patternU, 1.0f);
}

TEST(TextureFormat, OneBitAlphaFirstThenOpaqueSixteenBit) {
  EXPECT_EQ(ChooseTextureFormat({k8888, k4444, k565, kA1555}), kA1555);
  EXPECT_EQ(ChooseTextureFormat({k8888, k4444, k565, kX555}), k565);
  EXPECT_EQ(ChooseTextureFormat({k8888, k4444}), std::nullopt);
  DDPIXELFORMAT fourcc = kA1555;
  fourcc.dwFourCC = 0x31545844;
  DDPIXELFORMAT palette = k565;
  palette.dwFlags |= plat::DDPF_PALETTEINDEXED4;
  DDPIXELFORMAT alphaOnly = kA1555;
  alphaOnly.dwFlags |= plat::DDPF_ALPHA;
  EXPECT_EQ(ChooseTextureFormat({fourcc, palette, alphaOnly, Format(8, 0, 0xE0, 0x1C, 3)}),
            std::nullopt);
}

TEST(TextureAlpha, BlackBecomesTransparentOtherColoursOpaque) {
  // Rows of 3 pixels with 2 spare bytes of pitch that must not be touched.
  std::uint16_t pixels[2][4] = {{0x0000, 0x0001, 0x8000, 0xBEEF}, {0xFFFF, 0x7FFF, 0x0400, 0xBEEF}};
  KeyBlackToTransparent(pixels, 8, 3, 2, kA1555);
  EXPECT_EQ(pixels[0][0], 0x0000);
  EXPECT_EQ(pixels[0][1], 0x8001);
  EXPECT_EQ(pixels[0][2], 0x0000);  // black with alpha set: cleared
  EXPECT_EQ(pixels[1][0], 0xFFFF);
  EXPECT_EQ(pixels[1][1], 0xFFFF);
  EXPECT_EQ(pixels[1][2], 0x8400);
  EXPECT_EQ(pixels[0][3], 0xBEEF);
  EXPECT_EQ(pixels[1][3], 0xBEEF);

  std::uint16_t opaque[2] = {0x0000, 0x8000};  // no alpha bits: left alone
  KeyBlackToTransparent(opaque, 4, 2, 1, k565);
  EXPECT_EQ(opaque[0], 0x0000);
  EXPECT_EQ(opaque[1], 0x8000);
}

}  // namespace
