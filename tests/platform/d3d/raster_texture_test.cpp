// Texture reads: 1:1 point mapping at whole pixels, bilinear weights and
// addressing, perspective-correct against affine coordinates, texel
// formats, the colour key and the missing texture.
#include <gtest/gtest.h>

#include <cmath>

#include "raster_fixture.h"

namespace {

using namespace kxtest::raster;

r::State Textured(const Canvas& c, const r::Texture* t, r::Filter f, r::Address a) {
  r::State s = Plain(c);
  s.perspective = false;
  s.stages[0] = {r::TexOp::Modulate,
                 r::TexOp::SelectArg2,
                 r::TexArg::Texture,
                 r::TexArg::Diffuse,
                 r::TexArg::Texture,
                 r::TexArg::Diffuse,
                 f,
                 a,
                 t};
  return s;
}

// The colour one quad of constant (u, v) gets.
Rgb SampleAt(const r::Texture& t, r::Filter f, r::Address a, float u, float v = 0.5f) {
  Canvas c(4, 4);
  r::DrawTriangleStrip(c.target, Textured(c, &t, f, a), Quad(0, 0, 4, 4, 0xFFFFFFFF, u, v, u, v));
  return c.At(1, 1);
}

TEST(RasterTexture, WholePixelQuadsMapTexelsOneToOne) {
  std::vector<std::uint32_t> texels(128 * 128);
  for (int i = 0; i < 128 * 128; ++i) texels[i] = (i * 2654435761u) >> 16;
  const Tex tex(128, 128, r::TextureFormat::R5G6B5, texels);
  for (bool perspective : {false, true}) {
    Canvas c(60, 60, r::TargetFormat::R5G6B5, 2);
    r::State s = Textured(c, &tex.t, r::Filter::Point, r::Address::Clamp);
    s.perspective = perspective;
    // Texel columns 16..48, rows 20..60 of the tile at (5, 7).
    r::DrawTriangleStrip(
        c.target, s,
        Quad(5, 7, 37, 47, 0xFFFFFFFF, 16 / 128.f, 20 / 128.f, 48 / 128.f, 60 / 128.f));
    for (int j = 0; j < 40; ++j)
      for (int i = 0; i < 32; ++i)
        ASSERT_EQ(c.Raw(5 + i, 7 + j), texels[(20 + j) * 128 + 16 + i]) << i << "," << j;
    EXPECT_EQ(c.Raw(4, 7), 0u);
    EXPECT_EQ(c.Raw(37, 7), 0u);
    EXPECT_EQ(c.Raw(5, 47), 0u);
  }
}

TEST(RasterTexture, PointAndBilinearSamplingWithClampAndWrap) {
  const Tex bw(2, 1, r::TextureFormat::A8R8G8B8, {0xFF000000, 0xFFFFFFFF});
  const auto P = r::Filter::Point, L = r::Filter::Linear;
  const auto C = r::Address::Clamp, W = r::Address::Wrap;
  struct Case {
    r::Filter f;
    r::Address a;
    float u;
    int grey;
  } cases[] = {{P, C, 0.4999f, 0}, {P, C, 0.5f, 255},   {P, C, 1.0f, 255},  {P, W, 1.0f, 0},
               {P, W, 1.25f, 0},   {P, W, -0.25f, 255}, {P, C, -0.25f, 0},  {L, C, 0.25f, 0},
               {L, C, 0.75f, 255}, {L, C, 0.5f, 128},   {L, C, 0.375f, 64}, {L, C, 0.0f, 0},
               {L, W, 0.0f, 128},  {L, C, 1.0f, 255},   {L, W, 1.0f, 128}};
  for (const Case& k : cases) {
    const Rgb got = SampleAt(bw.t, k.f, k.a, k.u);
    EXPECT_NEAR(got.g, k.grey, 1) << "filter " << int(k.f) << " address " << int(k.a) << " u "
                                  << k.u;
  }
  // Between four texel centres: the mean of the four.
  const Tex quad(2, 2, r::TextureFormat::A8R8G8B8,
                 {0xFF000000, 0xFF640000, 0xFFC80000, 0xFF280000});
  EXPECT_NEAR(SampleAt(quad.t, L, C, 0.5f, 0.5f).r, (0 + 100 + 200 + 40) / 4, 1);
}

TEST(RasterTexture, PerspectiveCorrectAgainstAffineAcrossASlantedQuad) {
  std::vector<std::uint32_t> ramp(16);
  for (int i = 0; i < 16; ++i) ramp[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 16) << 16;
  const Tex tex(16, 1, r::TextureFormat::A8R8G8B8, ramp);
  for (bool perspective : {false, true}) {
    Canvas c(100, 4);
    r::State s = Textured(c, &tex.t, r::Filter::Point, r::Address::Clamp);
    s.perspective = perspective;
    // The right side is four times as far away (rhw 1/4).
    const std::vector<r::TLVertex> q{
        V(0, 0, 0xFFFFFFFF, 0, 0.5f, 0, 1), V(100, 0, 0xFFFFFFFF, 1, 0.5f, 0, 0.25f),
        V(0, 4, 0xFFFFFFFF, 0, 0.5f, 0, 1), V(100, 4, 0xFFFFFFFF, 1, 0.5f, 0, 0.25f)};
    r::DrawTriangleStrip(c.target, s, q);
    for (int x : {10, 30, 50, 70, 90}) {
      const float f = static_cast<float>(x) / 100.0f;
      const float u = perspective ? f * 0.25f / ((1 - f) + f * 0.25f) : f;
      const float t = u * 16;
      if (std::fabs(t - std::round(t)) < 0.05f) continue;  // too close to a texel edge
      EXPECT_EQ(c.At(x, 1).r, static_cast<int>(t) * 16) << "x " << x << " persp " << perspective;
    }
    // Just right of the middle: u = 0.22 with perspective, 0.53 without.
    EXPECT_EQ(c.At(53, 1).r, perspective ? 3 * 16 : 8 * 16);
  }
}

TEST(RasterTexture, TexelFormatsDecodeColourAndAlpha) {
  struct Case {
    r::TextureFormat f;
    std::uint32_t texel;
    Rgb expect;
  } cases[] = {{r::TextureFormat::A1R5G5B5, 0x7C00, {0, 0, 0}},  // alpha bit clear
               {r::TextureFormat::A1R5G5B5, 0xFC00, {255, 0, 0}},
               {r::TextureFormat::X1R5G5B5, 0x03E0, {0, 255, 0}},  // no alpha: opaque
               {r::TextureFormat::R5G6B5, 0x841F, {132, 130, 255}},
               {r::TextureFormat::A4R4G4B4, 0x8F30, {136, 27, 0}},  // alpha 0x88 times F, 3
               {r::TextureFormat::A8R8G8B8, 0x80FF4000, {128, 32, 0}}};
  for (const Case& k : cases)
    for (r::Filter f : {r::Filter::Point, r::Filter::Linear}) {  // a 1x1 texture reads alike
      const Tex tex(1, 1, k.f, {k.texel});
      Canvas c(2, 2);
      r::State s = Plain(c);
      s.stages[0] = {r::TexOp::SelectArg1, r::TexOp::SelectArg1};
      s.stages[0].texture = &tex.t;
      s.stages[0].filter = f;
      s.alphaBlend = true;
      s.srcBlend = r::Blend::SrcAlpha;
      s.dstBlend = r::Blend::InvSrcAlpha;  // over black: colour times alpha
      r::DrawTriangleStrip(c.target, s, Quad(0, 0, 2, 2));
      const Rgb got = c.At(0, 0);
      EXPECT_NEAR(got.r, k.expect.r, 1) << std::hex << k.texel;
      EXPECT_NEAR(got.g, k.expect.g, 1) << std::hex << k.texel;
      EXPECT_NEAR(got.b, k.expect.b, 1) << std::hex << k.texel;
    }
}

TEST(RasterTexture, ColourKeyHidesKeyTexelsAndTheirDepth) {
  constexpr std::uint32_t kKey = 0x001F, kRed = 0xF800, kGreen = 0x07E0;
  Tex tex(2, 2, r::TextureFormat::R5G6B5, {kKey, kGreen, kGreen, kKey});
  tex.t.hasColorKey = true;
  tex.t.colorKey = kKey;
  for (bool keyOn : {false, true}) {
    for (r::Filter f : {r::Filter::Point, r::Filter::Linear}) {
      Canvas c(4, 4, r::TargetFormat::R5G6B5);
      c.AddZ(r::ZFormat::Z16, 0xFFFF);
      r::ClearTarget(c.target, {0, 0, 4, 4}, 0xFFFF0000);
      r::State s = Textured(c, &tex.t, f, r::Address::Clamp);
      s.colorKey = keyOn;
      s.zEnable = true;
      r::DrawTriangleStrip(c.target, s, Quad(0, 0, 4, 4, 0xFFFFFFFF, 0, 0, 1, 1, 0.5f));
      // Top-left and bottom-right 2x2 blocks sample the key texel.
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
          const bool key = (x < 2) == (y < 2);
          if (key && keyOn) {
            EXPECT_EQ(c.Raw(x, y), kRed);
            EXPECT_EQ(c.Z(x, y), 0xFFFFu);
          } else {
            EXPECT_NE(c.Raw(x, y), kRed);
            EXPECT_EQ(c.Z(x, y), 0x8000u);
          }
        }
    }
  }
}

TEST(RasterTexture, MissingTextureReadsOpaqueWhite) {
  Canvas c(4, 4);
  r::State s = Textured(c, nullptr, r::Filter::Linear, r::Address::Wrap);
  s.stages[0].alphaOp = r::TexOp::Modulate;
  s.alphaBlend = true;
  s.srcBlend = r::Blend::SrcAlpha;
  s.dstBlend = r::Blend::InvSrcAlpha;
  r::DrawTriangleStrip(c.target, s, Quad(0, 0, 4, 4, 0xFF30A0F0));
  EXPECT_EQ(c.At(2, 2), (Rgb{0x30, 0xA0, 0xF0}));
}

}  // namespace
