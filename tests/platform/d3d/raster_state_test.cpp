// Render states and targets: Z test and write in every Z format, culling,
// flat and Gouraud shading, 16- and 32-bit targets with padded pitches,
// clears.
#include <gtest/gtest.h>

#include "raster_fixture.h"

namespace {

using namespace kxtest::raster;

TEST(RasterState, ZTestLessEqualAndWriteInEveryFormat) {
  struct Case {
    r::ZFormat f;
    std::uint32_t far, half;
  } cases[] = {{r::ZFormat::Z16, 0xFFFF, 0x8000},
               {r::ZFormat::Z24S8, 0xAAFFFFFF, 0xAA800000},  // stencil byte 0xAA stays
               {r::ZFormat::Z32, 0xFFFFFFFF, 0x80000000}};
  for (const Case& k : cases) {
    Canvas c(8, 8);
    c.AddZ(k.f, k.far);
    r::State s = Plain(c);
    s.zEnable = true;
    const auto draw = [&](std::uint32_t color, float z) {
      r::DrawTriangleStrip(c.target, s, Quad(0, 0, 8, 8, color, 0, 0, 1, 1, z));
      return c.At(3, 3);
    };
    EXPECT_EQ(draw(0xFFFF0000, 0.5f), (Rgb{255, 0, 0}));
    EXPECT_EQ(c.Z(3, 3), k.half);
    EXPECT_EQ(draw(0xFF00FF00, 0.7f), (Rgb{255, 0, 0})) << "farther: hidden";
    EXPECT_EQ(draw(0xFF0000FF, 0.5f), (Rgb{0, 0, 255})) << "equal: passes";
    s.zWrite = false;
    EXPECT_EQ(draw(0xFFFFFFFF, 0.25f), (Rgb{255, 255, 255}));
    EXPECT_EQ(c.Z(3, 3), k.half) << "no write";
    s.zWrite = true;
    s.zEnable = false;
    EXPECT_EQ(draw(0xFF00FF00, 0.9f), (Rgb{0, 255, 0})) << "Z off: no test";
    EXPECT_EQ(c.Z(3, 3), k.half) << "Z off: no write";
    s.zEnable = true;
    r::ClearZ(c.target, {-5, -5, 4, 4}, 1.0f);
    EXPECT_EQ(c.Z(3, 3), k.far);
    EXPECT_EQ(c.Z(4, 4), k.half);
    EXPECT_EQ(draw(0xFFFF0000, 0.75f), (Rgb{255, 0, 0})) << "after clear";
  }
}

TEST(RasterState, CullModesByScreenWinding) {
  // y points down: (0,0) (10,0) (0,10) runs clockwise on screen.
  const std::vector<r::TLVertex> cw{V(0, 0), V(10, 0), V(0, 10)}, ccw{V(0, 0), V(0, 10), V(10, 0)};
  struct Case {
    r::Cull mode;
    bool cwDrawn, ccwDrawn;
  } cases[] = {
      {r::Cull::None, true, true}, {r::Cull::CCW, true, false}, {r::Cull::CW, false, true}};
  for (const Case& k : cases) {
    for (bool clockwise : {true, false}) {
      Canvas c(12, 12);
      r::State s = Plain(c);
      s.cull = k.mode;
      r::DrawTriangleList(c.target, s, clockwise ? cw : ccw);
      EXPECT_EQ(c.Raw(2, 2) != 0, clockwise ? k.cwDrawn : k.ccwDrawn) << int(k.mode);
    }
  }
  // A strip quad: its odd triangle is wound back, so both halves survive CCW culling.
  Canvas c(12, 12);
  r::State s = Plain(c);
  s.cull = r::Cull::CCW;
  r::DrawTriangleStrip(c.target, s, Quad(0, 0, 10, 10));
  EXPECT_NE(c.Raw(1, 1), 0u);
  EXPECT_NE(c.Raw(8, 8), 0u);
}

TEST(RasterState, FlatTakesTheFirstVertexGouraudInterpolates) {
  const std::vector<r::TLVertex> tri{V(0, 0, 0xFFFF0000), V(32, 0, 0xFF00FF00),
                                     V(0, 32, 0xFF0000FF)};
  Canvas flat(32, 32), smooth(32, 32);
  r::State s = Plain(flat);
  s.shade = r::Shade::Flat;
  r::DrawTriangleList(flat.target, s, tri);
  s.shade = r::Shade::Gouraud;
  r::DrawTriangleList(smooth.target, s, tri);
  for (auto [x, y] : {std::pair{0, 0}, {20, 5}, {5, 20}, {15, 15}}) {
    EXPECT_EQ(flat.At(x, y), (Rgb{255, 0, 0}));
    const Rgb g = smooth.At(x, y);  // barycentric weights are x/32 and y/32
    EXPECT_NEAR(g.r, 255 * (32 - x - y) / 32, 1) << x << "," << y;
    EXPECT_NEAR(g.g, 255 * x / 32, 1);
    EXPECT_NEAR(g.b, 255 * y / 32, 1);
  }
  // Strips: each triangle takes its first vertex, i for triangle i.
  Canvas strip(8, 8);
  s.shade = r::Shade::Flat;
  std::vector<r::TLVertex> q = Quad(0, 0, 8, 8);
  q[0].diffuse = 0xFF112233;
  q[1].diffuse = 0xFF445566;
  r::DrawTriangleStrip(strip.target, s, q);
  EXPECT_EQ(strip.At(1, 1), (Rgb{0x11, 0x22, 0x33}));
  EXPECT_EQ(strip.At(6, 6), (Rgb{0x44, 0x55, 0x66}));
}

TEST(RasterState, SixteenAndThirtyTwoBitTargetsWithPaddedPitches) {
  struct Case {
    r::TargetFormat f;
    std::uint32_t solid, halfOverWhite;
  } cases[] = {// 0x336699 and half of it over white (alpha 0x80 blend)
               {r::TargetFormat::R5G6B5, (0x33 >> 3) << 11 | (0x66 >> 2) << 5 | 0x99 >> 3,
                (0x99 >> 3) << 11 | (0xB2 >> 2) << 5 | 0xCC >> 3},
               {r::TargetFormat::X1R5G5B5, (0x33 >> 3) << 10 | (0x66 >> 3) << 5 | 0x99 >> 3,
                (0x99 >> 3) << 10 | (0xB2 >> 3) << 5 | 0xCC >> 3},
               {r::TargetFormat::X8R8G8B8, 0x336699, 0x99B2CC}};
  for (const Case& k : cases) {
    Canvas c(21, 9, k.f, 10);
    r::State s = Plain(c);
    r::DrawTriangleStrip(c.target, s, Quad(-3, -3, 30, 30, 0xFF336699));
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 21; ++x) ASSERT_EQ(c.Raw(x, y), k.solid);
    r::ClearTarget(c.target, {-10, 2, 50, 50}, 0xFFFFFFFF);
    EXPECT_EQ(c.Raw(0, 1), k.solid);
    s.alphaBlend = true;
    s.srcBlend = r::Blend::SrcAlpha;
    s.dstBlend = r::Blend::InvSrcAlpha;
    r::DrawTriangleStrip(c.target, s, Quad(0, 0, 21, 9, 0x80336699));
    EXPECT_EQ(c.Raw(20, 8), k.halfOverWhite);
    EXPECT_TRUE(c.PaddingIntact());
  }
}

}  // namespace
