// Fixed-function transform and lighting: the lighting formula on known
// normals, normalisation, the viewport mapping, frustum clipping.
#include "raster/tnl.h"

#include <gtest/gtest.h>

#include <cmath>

#include "raster/pixel.h"
#include "raster_fixture.h"

namespace {

using namespace kxtest::raster;

// Camera at the origin looking along +z; the component's default projection
// (fov 2 atan 0.5, near 1, far 50) for a 200 x 100 viewport.
r::TnlState Scene() {
  r::TnlState s;
  const float aspect = 0.5f, cot = 2.0f, q = 50.0f / 49.0f;
  s.projection.m[0][0] = aspect * cot;
  s.projection.m[1][1] = cot;
  s.projection.m[2][2] = q;
  s.projection.m[2][3] = 1;
  s.projection.m[3][2] = -q;
  s.projection.m[3][3] = 0;
  s.viewport = {0, 0, 200, 100};
  s.material.diffuse = {1, 0.5f, 0.25f, 0.75f};
  s.material.ambient = {1, 1, 1, 1};
  return s;
}

r::Rgba Lit(const r::TnlState& s, r::Vertex v, std::uint32_t* specular = nullptr) {
  r::ClipVertex out;
  r::TransformAndLight(s, {&v, 1}, &out);
  if (specular) *specular = out.specular;
  return r::Unpack(out.diffuse);
}

TEST(Tnl, DiffuseAmbientAndEmissiveOnKnownNormals) {
  r::TnlState s = Scene();
  const r::Light light{{1, 1, 1, 0}, {1, 1, 1, 0}, {0.25f, 0.25f, 0.25f, 0}, {0, 0, 1}};
  s.lights = {&light, 1};
  s.ambient = 0x00402000;  // global ambient r 0x40, g 0x20
  s.material.emissive = {0, 0, 0.1f, 0};
  // Facing the light: N.L = 1.
  r::Rgba c = Lit(s, {0, 0, 5, 0, 0, -1});
  EXPECT_NEAR(c.r, 255, 1);  // 1 + ambient, saturated
  EXPECT_NEAR(c.g, std::lround(255 * (0.5 + 0x20 / 255.0 + 0.25)), 1);
  EXPECT_NEAR(c.b, std::lround(255 * (0.25 + 0.25 + 0.1)), 1);
  EXPECT_EQ(c.a, 191);  // material diffuse alpha 0.75
  // Turned 60 degrees away: N.L = 0.5.
  c = Lit(s, {0, 0, 5, 0, std::sin(1.0471976f), -0.5f});
  EXPECT_NEAR(c.b, std::lround(255 * (0.125 + 0.25 + 0.1)), 1);
  // Facing away: ambient and emissive only.
  c = Lit(s, {0, 0, 5, 0, 0, 1});
  EXPECT_NEAR(c.g, std::lround(255 * (0x20 / 255.0 + 0.25)), 1);
  // A normal of length 2 saturates unless renormalised.
  s.ambient = 0;
  s.lights = {};
  const r::Light white{{1, 1, 1, 0}, {}, {}, {0, 0, 1}};
  s.lights = {&white, 1};
  EXPECT_NEAR(Lit(s, {0, 0, 5, 0, 0, -2}).g, 255, 1);
  s.normalizeNormals = true;
  EXPECT_NEAR(Lit(s, {0, 0, 5, 0, 0, -2}).g, 128, 1);
  s.lighting = false;
  EXPECT_EQ(r::Pack(Lit(s, {0, 0, 5, 0, 0, -2})), 0xFFFFFFFFu);
}

TEST(Tnl, SpecularUsesTheHalfwayVectorTowardsTheEye) {
  r::TnlState s = Scene();
  // Light from above and behind the eye: towards the light is (0, 0.6, -0.8).
  const r::Light light{{1, 1, 1, 0}, {1, 1, 1, 0}, {}, {0, -0.6f, 0.8f}};
  s.lights = {&light, 1};
  s.material.specular = {1, 0.5f, 0, 0};
  s.material.power = 10;
  std::uint32_t spec = 0;
  Lit(s, {0, 0, 5, 0, 0, -1}, &spec);
  EXPECT_EQ(spec, 0u) << "specular off";
  s.specular = true;
  Lit(s, {0, 0, 5, 0, 0, -1}, &spec);
  // Eye direction (0, 0, -1): H = normalise(0, 0.6, -1.8), N.H = 0.94868.
  const double f = std::pow(1.8 / std::sqrt(0.36 + 3.24), 10);
  EXPECT_NEAR(static_cast<int>(spec >> 16 & 0xFF), std::lround(255 * f), 1);
  EXPECT_NEAR(static_cast<int>(spec >> 8 & 0xFF), std::lround(127.5 * f), 1);
  // Off to the side the eye vector turns and the highlight weakens.
  std::uint32_t side = 0;
  Lit(s, {4, 0, 5, 0, 0, -1}, &side);
  EXPECT_LT(side >> 16 & 0xFF, spec >> 16 & 0xFF);
}

TEST(Tnl, ProjectsOntoTheViewportWithPixelCentresAtIntegers) {
  r::TnlState s = Scene();
  s.lighting = false;
  s.viewport = {10, 20, 200, 100, 0, 1};
  const r::Vertex v[] = {{0, 0, 2}, {1, 0, 2}, {0, 1, 40}};
  std::vector<r::ClipVertex> scratch;
  std::vector<r::TLVertex> out;
  const std::uint16_t idx[] = {0, 1, 2};
  r::ProcessIndexed(s, v, idx, scratch, out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_FLOAT_EQ(out[0].x, 110);  // centre of the viewport
  EXPECT_FLOAT_EQ(out[0].y, 70);
  EXPECT_FLOAT_EQ(out[0].rhw, 0.5f);
  EXPECT_NEAR(out[0].z, (2 - 1) * 50.0 / 49 / 2, 1e-6);
  EXPECT_FLOAT_EQ(out[1].x, 110 + 0.5f * 100);  // x/w = aspect * cot * 1 / 2
  EXPECT_NEAR(out[2].z, 39 * 50.0 / 49 / 40, 1e-6);
}

TEST(Tnl, ClippingCutsToTheFrustumAndKeepsSharedEdgesTight) {
  r::TnlState s = Scene();
  s.lighting = false;
  // A floor quad running from behind the eye to beyond the far plane and
  // far out to both sides.
  const r::Vertex v[] = {{-80, -1, -5}, {80, -1, -5}, {-80, -1, 80}, {80, -1, 80}};
  const std::uint16_t idx[] = {0, 2, 1, 1, 2, 3};
  std::vector<r::ClipVertex> scratch;
  std::vector<r::TLVertex> out;
  r::ProcessIndexed(s, v, idx, scratch, out);
  ASSERT_FALSE(out.empty());
  for (const r::TLVertex& t : out) {
    EXPECT_GE(t.x, -0.01f);
    EXPECT_LE(t.x, 200.01f);
    EXPECT_GE(t.y, -0.01f);
    EXPECT_LE(t.y, 100.01f);
    EXPECT_GE(t.z, -1e-6f);
    EXPECT_LE(t.z, 1 + 1e-6f);
    EXPECT_GT(t.rhw, 0);
  }
  // Rasterised into a counting target nothing is drawn twice; the lower
  // half of the view (the floor) is covered.
  Canvas c(200, 100);
  for (auto& t : out) t.diffuse = 0xFF000001;
  r::DrawTriangleList(c.target, Counting(c), out);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_LE(c.At(x, y).b, 1) << x << "," << y;
  EXPECT_EQ(c.At(100, 90).b, 1);
  EXPECT_EQ(c.At(100, 10).b, 0);

  // Without clipping only triangles behind the eye are dropped.
  s.clipping = false;
  out.clear();
  const r::Vertex ahead[] = {{-80, -1, 5}, {80, -1, 5}, {0, -1, 80}};
  r::ProcessIndexed(s, ahead, std::span(idx, 3), scratch, out);
  EXPECT_EQ(out.size(), 3u);
  EXPECT_LT(out[0].x, 0);  // off-screen, left for the rasteriser's scissor
  out.clear();
  r::ProcessIndexed(s, v, idx, scratch, out);
  EXPECT_TRUE(out.empty());
}

TEST(Tnl, ClippedPiecesOfAFlatTriangleKeepItsFirstColour) {
  r::TnlState s = Scene();
  s.flat = true;
  s.material.emissive = {1, 0, 0, 0};
  const r::Light light{{1, 1, 1, 0}, {}, {}, {0, 0, 1}};
  s.lights = {&light, 1};
  // Vertex 0 faces away (red emissive only); the others are lit.
  const r::Vertex v[] = {{0, 0, 5, 0, 0, 1}, {90, 0, 5, 0, 0, -1}, {0, 90, 5, 0, 0, -1}};
  const std::uint16_t idx[] = {0, 1, 2};
  std::vector<r::ClipVertex> scratch;
  std::vector<r::TLVertex> out;
  r::ProcessIndexed(s, v, idx, scratch, out);
  ASSERT_GT(out.size(), 3u);  // cut by two side planes
  for (const r::TLVertex& t : out) EXPECT_EQ(t.diffuse & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
