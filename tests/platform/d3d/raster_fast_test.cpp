// The eight-lane span loop against the scalar one, pixel by pixel and Z
// entry by Z entry, over target formats, Z formats, texel formats, filters,
// addressing, stage set-ups, blend factors, specular, perspective, flat
// shading and colour keys. Scenes mix small triangles (packed groups) with
// large ones (runs along rows, tails) at fractional positions. The loops
// step attributes differently, so values may differ by float rounding: a
// channel by one step of the target, a Z by a few units of its last place,
// and a texel may flip where a coordinate sits on a texel edge (a few
// pixels per scene at most).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "raster/pipeline.h"
#include "raster_fixture.h"

namespace {

using namespace kxtest::raster;

enum class Stages { Modulate3D, DrawEx, TwoStages, Untextured };

struct Case {
  r::TargetFormat target;
  r::ZFormat z;
  r::TextureFormat tex;
  r::Filter filter;
  r::Address address;
  Stages stages;
  r::TexOp op1;  // the second stage's colour operation
  r::Blend src, dst;
  bool blend, specular, perspective, flat, key;
};

std::string Name(const testing::TestParamInfo<Case>& info) {
  const Case& c = info.param;
  return std::to_string(info.index) + "_t" + std::to_string(int(c.target)) + "_z" +
         std::to_string(int(c.z)) + "_x" + std::to_string(int(c.tex)) + "_f" +
         std::to_string(int(c.filter)) + "_a" + std::to_string(int(c.address)) + "_s" +
         std::to_string(int(c.stages)) + (c.blend ? "_blend" : "") + (c.specular ? "_spec" : "") +
         (c.perspective ? "_persp" : "") + (c.flat ? "_flat" : "") + (c.key ? "_key" : "");
}

// A texture that changes slowly from texel to texel (so a flipped texel
// stays within the tolerance), with alpha varying and some key texels.
Tex SmoothTexture(r::TextureFormat f, int w, int h, std::uint32_t& key) {
  std::vector<std::uint32_t> t(static_cast<std::size_t>(w) * h);
  const auto wave = [](int i, int n) {  // 0..255 and back over n texels
    const int p = (i * 510 / n) % 510;
    return p < 256 ? p : 510 - p;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t r = wave(x, w), g = wave(y, h), b = wave(x + y, w), a = wave(x * 2, w);
      std::uint32_t v = 0;
      switch (f) {
        case r::TextureFormat::R5G6B5:
          v = (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
          break;
        case r::TextureFormat::X1R5G5B5:
        case r::TextureFormat::A1R5G5B5:
          v = (a >> 7) << 15 | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
          break;
        case r::TextureFormat::A4R4G4B4:
          v = (a >> 4) << 12 | (r >> 4) << 8 | (g >> 4) << 4 | b >> 4;
          break;
        case r::TextureFormat::A8R8G8B8:
          v = a << 24 | r << 16 | g << 8 | b;
          break;
      }
      t[static_cast<std::size_t>(y) * w + x] = v;
    }
  key = t[5];  // a texel of the first row: its colour recurs where the wave returns
  return Tex(w, h, f, t);
}

r::State MakeState(const Case& k, const Canvas& c, const r::Texture* t0, const r::Texture* t1) {
  r::State s;
  s.viewport = {1, 2, c.w - 3, c.h - 2};
  s.cull = r::Cull::None;
  s.zEnable = k.z != r::ZFormat::None;
  s.perspective = k.perspective;
  s.specular = k.specular;
  s.shade = k.flat ? r::Shade::Flat : r::Shade::Gouraud;
  s.alphaBlend = k.blend;
  s.srcBlend = k.src;
  s.dstBlend = k.dst;
  s.colorKey = k.key;
  using A = r::TexArg;
  using O = r::TexOp;
  const r::Stage modulate{O::Modulate, O::Modulate, A::Texture, A::Diffuse, A::Texture,
                          A::Diffuse,  k.filter,    k.address,  t0};
  switch (k.stages) {
    case Stages::Modulate3D:
      s.stages[0] = modulate;
      break;
    case Stages::DrawEx:
      s.stages[0] = modulate;
      s.stages[0].alphaOp = O::SelectArg2;
      break;
    case Stages::TwoStages:
      s.stages[0] = modulate;
      s.stages[1] = {k.op1,      O::SelectArg1, A::Texture, A::Current, A::Current,
                     A::Current, k.filter,      k.address,  t1};
      break;
    case Stages::Untextured:
      s.stages[0] = {O::SelectArg2, O::SelectArg2, A::Texture, A::Diffuse, A::Texture,
                     A::Diffuse,    k.filter,      k.address,  nullptr};
      break;
  }
  return s;
}

// Small and large triangles over the canvas, at increasing depth.
std::vector<r::TLVertex> Scene(int w, int h) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFFFFu);
  std::vector<r::TLVertex> v;
  const auto vertex = [&](float x, float y, float z) {
    const float rhw = 0.3f + unit(rng);
    return r::TLVertex{x,
                       y,
                       z,
                       rhw,
                       colour(rng),
                       colour(rng) & 0x7F7F7F,
                       unit(rng) * 2.5f - 0.7f,
                       unit(rng) * 2.5f - 0.7f};
  };
  for (int i = 0; i < 60; ++i) {
    const bool big = i % 4 == 0;
    const float size = big ? 30.0f + 40.0f * unit(rng) : 2.0f + 6.0f * unit(rng);
    const float x = unit(rng) * (static_cast<float>(w) + 20.0f) - 10.0f;
    const float y = unit(rng) * (static_cast<float>(h) + 20.0f) - 10.0f;
    const float z = 0.9f - 0.013f * static_cast<float>(i);  // later triangles in front
    v.push_back(vertex(x, y, z));
    v.push_back(vertex(x + size * (unit(rng) - 0.2f), y + size * unit(rng) * 0.3f, z + 0.004f));
    v.push_back(vertex(x + size * unit(rng) * 0.4f, y + size * (0.5f + unit(rng)), z - 0.004f));
  }
  return v;
}

// A noisy target and Z buffer (a quarter of the entries at random depths),
// so a lane that reads or writes its neighbour's pixel or Z shows.
struct Frame {
  Canvas canvas;
  explicit Frame(const Case& k) : canvas(61, 45, k.target, 6) {
    std::mt19937 rng(11);
    for (int y = 0; y < canvas.h; ++y)
      for (int x = 0; x < canvas.w; ++x) {
        const std::uint32_t v = rng();
        std::memcpy(&canvas.pixels[static_cast<std::size_t>(y) * canvas.pitch + x * canvas.bpp], &v,
                    canvas.bpp);
      }
    if (k.z == r::ZFormat::None) return;
    canvas.AddZ(k.z, 0xFFFFFFFF);
    for (int y = 0; y < canvas.h; ++y)
      for (int x = 0; x < canvas.w; ++x)
        if (const std::uint32_t v = rng(); v % 4 == 0)
          std::memcpy(&canvas.zbuf[canvas.ZOffset(x, y)], &v, canvas.zBytes);
  }
};

void Draw(const Case& k, Frame& f, bool fast, const std::vector<r::TLVertex>& tris) {
  std::uint32_t key0 = 0, key1 = 0;
  const bool pow2 = k.address == r::Address::Wrap;
  Tex t0 = SmoothTexture(k.tex, pow2 ? 64 : 48, pow2 ? 32 : 40, key0);
  Tex t1 = SmoothTexture(r::TextureFormat::R5G6B5, 16, 16, key1);
  t0.t.hasColorKey = true;
  t0.t.colorKey = key0;
  const r::State s = MakeState(k, f.canvas, &t0.t, &t1.t);
  r::Pipeline p;
  ASSERT_TRUE(p.Build(f.canvas.target, s, fast));
  if (fast) {
    // The usual 3D state (one modulating stage, SRCALPHA blend or none) takes the lean loop.
    const bool usual =
        (k.stages == Stages::Modulate3D || k.stages == Stages::DrawEx) &&
        (!k.blend || (k.src == r::Blend::SrcAlpha && k.dst == r::Blend::InvSrcAlpha) ||
         k.src == r::Blend::BothSrcAlpha);
    ASSERT_EQ(p.span, usual ? r::LeanSpanFor(p, k.target) : r::FastSpanFor(k.target))
        << "the fast loop draws this state";
    ASSERT_NE(p.span, r::SpanFor(k.target));
  }
  for (std::size_t i = 0; i + 2 < tris.size(); i += 3)
    p.Triangle(tris[i], tris[i + 1], tris[i + 2], tris[i]);
}

class RasterFast : public testing::TestWithParam<Case> {};

void CompareWithScalar(const Case& k);

// Both builds of the lean loop: sixteen lanes (where the CPU has AVX2) and eight.
TEST_P(RasterFast, MatchesTheScalarLoop) {
  for (const bool sixteen : {true, false}) {
    SCOPED_TRACE(sixteen ? "sixteen lanes" : "eight lanes");
    r::AllowSixteenLanes(sixteen);
    CompareWithScalar(GetParam());
  }
  r::AllowSixteenLanes(true);
}

void CompareWithScalar(const Case& k) {
  Frame fast(k), scalar(k);
  const auto tris = Scene(fast.canvas.w, fast.canvas.h);
  Draw(k, fast, true, tris);
  Draw(k, scalar, false, tris);
  const int tol = k.target == r::TargetFormat::X8R8G8B8 ? 2 : 8;  // one 5-bit step
  const std::uint32_t zTol = k.z == r::ZFormat::Z16 ? 1 : k.z == r::ZFormat::Z24S8 ? 64 : 16384;
  int off = 0;
  for (int y = 0; y < fast.canvas.h; ++y)
    for (int x = 0; x < fast.canvas.w; ++x) {
      const Rgb a = fast.canvas.At(x, y), b = scalar.canvas.At(x, y);
      bool same =
          std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
      if (k.z != r::ZFormat::None) {
        const std::uint32_t za = fast.canvas.Z(x, y), zb = scalar.canvas.Z(x, y);
        same = same && (za > zb ? za - zb : zb - za) <= zTol;
      }
      off += !same;
    }
  // Coordinates on a texel edge may land either side; anything systematic
  // (a lane, a channel, a format) would miss far more pixels.
  const int pixels = fast.canvas.w * fast.canvas.h;
  EXPECT_LE(off, pixels / 200) << off << " of " << pixels << " pixels differ";
  EXPECT_TRUE(fast.canvas.PaddingIntact());
}

std::vector<Case> Cases() {
  using T = r::TargetFormat;
  using Z = r::ZFormat;
  using X = r::TextureFormat;
  using B = r::Blend;
  using O = r::TexOp;
  const T targets[] = {T::R5G6B5, T::X1R5G5B5, T::X8R8G8B8};
  const Z zs[] = {Z::None, Z::Z16, Z::Z24S8, Z::Z32};
  const X texels[] = {X::A1R5G5B5, X::R5G6B5, X::X1R5G5B5, X::A4R4G4B4, X::A8R8G8B8};
  const Stages stages[] = {Stages::Modulate3D, Stages::DrawEx, Stages::TwoStages,
                           Stages::Untextured};
  const O ops[] = {O::BlendDiffuseAlpha, O::Add,        O::Subtract,  O::Modulate,
                   O::Modulate2x,        O::Modulate4x, O::AddSmooth, O::SelectArg1};
  const B blends[][2] = {{B::SrcAlpha, B::InvSrcAlpha}, {B::One, B::One},
                         {B::SrcColor, B::InvSrcColor}, {B::BothSrcAlpha, B::Zero},
                         {B::Zero, B::SrcColor},        {B::InvSrcAlpha, B::SrcAlpha}};
  std::vector<Case> out;
  // Each axis walks its values at its own pace, so pairs of values meet in
  // many combinations without the full product.
  for (int i = 0; i < 72; ++i) {
    Case c{};
    c.target = targets[i % 3];
    c.z = zs[(i / 3) % 4];
    c.tex = texels[(i * 7 / 5) % 5];
    c.filter = (i / 2) % 2 ? r::Filter::Linear : r::Filter::Point;
    c.address = (i / 5) % 3 ? r::Address::Wrap : r::Address::Clamp;
    c.stages = stages[(i / 4) % 4];
    c.op1 = ops[i % 8];
    c.blend = i % 5 != 0;
    c.src = blends[(i / 7) % 6][0];
    c.dst = blends[(i / 7) % 6][1];
    c.specular = (i / 3) % 2 == 0;
    c.perspective = i % 7 != 3;
    c.flat = i % 11 == 4;
    c.key = i % 6 == 1;
    out.push_back(c);
  }
  // The 3D component's textures (1:5:5:5, bilinear, WRAP) in its usual
  // states, which the sixteen-lane build draws, on every target and Z format.
  for (int i = 0; i < 24; ++i) {
    Case c{};
    c.target = targets[i % 3];
    c.z = zs[(i / 3) % 4];
    c.tex = X::A1R5G5B5;
    c.filter = r::Filter::Linear;
    c.address = r::Address::Wrap;
    c.stages = i % 2 ? Stages::DrawEx : Stages::Modulate3D;
    c.blend = i % 4 != 0;
    c.src = B::SrcAlpha;
    c.dst = B::InvSrcAlpha;
    c.specular = (i / 2) % 2 == 0;
    c.perspective = i % 7 != 3;
    c.flat = i == 9;
    c.key = i % 5 == 2;
    out.push_back(c);
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(States, RasterFast, testing::ValuesIn(Cases()), Name);

// The specialised loop converts 24- and 32-bit Z in float; at flat depths
// (no stepping differences) every entry must be within one unit of the
// scalar loop's, the ends of the range exact, and the stencil byte kept.
TEST(RasterLean, WideZIsWithinOneUnitOfTheScalarLoop) {
  std::uint32_t key = 0;
  const Tex tex = SmoothTexture(r::TextureFormat::A1R5G5B5, 32, 32, key);
  for (const r::ZFormat f : {r::ZFormat::Z24S8, r::ZFormat::Z32}) {
    const std::uint32_t far = f == r::ZFormat::Z32 ? 0xFFFFFFFFu : 0xABFFFFFFu;
    for (const float z : {0.0f, 1.0f, 0.5f, 0.25f, 0.3f, 0.7f, 1e-6f, 0.99999994f, 0.4999999f}) {
      Canvas canvas[2] = {Canvas(21, 7), Canvas(21, 7)};
      for (int fast = 0; fast < 2; ++fast) {
        Canvas& c = canvas[fast];
        c.AddZ(f, far);
        r::State s = Plain(c);
        s.zEnable = true;
        s.stages[0] = {r::TexOp::Modulate, r::TexOp::Modulate, r::TexArg::Texture,
                       r::TexArg::Diffuse, r::TexArg::Texture, r::TexArg::Diffuse,
                       r::Filter::Linear,  r::Address::Wrap,   &tex.t};
        r::Pipeline p;
        ASSERT_TRUE(p.Build(c.target, s, fast != 0));
        if (fast) {
          ASSERT_EQ(p.span, r::LeanSpanFor(p, c.target.format));
        }
        // Rows of 19 pixels (two groups and an overlapping tail) and short ones (packed).
        const auto q = Quad(1.0f, 0.5f, 20.0f, 4.5f, 0xFFFFFFFF, 0, 0, 1, 1, z);
        p.Triangle(q[0], q[1], q[2], q[0]);
        p.Triangle(q[2], q[1], q[3], q[2]);
        const r::TLVertex t[3] = {V(2, 4.5f, ~0u, 0, 0, z), V(6, 4.5f, ~0u, 0, 0, z),
                                  V(2, 6.9f, ~0u, 0, 0, z)};
        p.Triangle(t[0], t[1], t[2], t[0]);
      }
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 21; ++x) {
          const std::uint32_t a = canvas[1].Z(x, y), b = canvas[0].Z(x, y);
          EXPECT_LE(a > b ? a - b : b - a, 1u) << "z " << z << " at " << x << "," << y;
          if (f == r::ZFormat::Z24S8) {
            EXPECT_EQ(a >> 24, 0xABu);
          }
          if (z == 0.0f || z == 1.0f) {
            EXPECT_EQ(a, b);
          }
        }
      if (z < 0.9f) {
        EXPECT_NE(canvas[1].Z(10, 2), far) << "the quad was drawn";
      }
    }
  }
}

TEST(RasterFastChoice, TheSixteenLaneBuildDrawsTheComponentsTexturesWhereTheCpuHasAvx2) {
  Canvas c(8, 8);
  std::uint32_t key = 0;
  const Tex tex = SmoothTexture(r::TextureFormat::A1R5G5B5, 32, 32, key);
  r::State s = Plain(c);
  s.stages[0] = {r::TexOp::Modulate, r::TexOp::Modulate, r::TexArg::Texture,
                 r::TexArg::Diffuse, r::TexArg::Texture, r::TexArg::Diffuse,
                 r::Filter::Linear,  r::Address::Wrap,   &tex.t};
  r::Pipeline eight, sixteen;
  r::AllowSixteenLanes(false);
  ASSERT_TRUE(eight.Build(c.target, s));
  r::AllowSixteenLanes(true);
  ASSERT_TRUE(sixteen.Build(c.target, s));
  EXPECT_EQ(sixteen.span != eight.span, __builtin_cpu_supports("avx2") != 0);
  // Other textures: the eight-lane build either way.
  s.stages[0].filter = r::Filter::Point;
  ASSERT_TRUE(sixteen.Build(c.target, s));
  r::AllowSixteenLanes(false);
  ASSERT_TRUE(eight.Build(c.target, s));
  r::AllowSixteenLanes(true);
  EXPECT_EQ(sixteen.span, eight.span);
}

TEST(RasterFastChoice, TexturesItCannotReadFallBackToTheScalarLoop) {
  Canvas c(8, 8);
  std::uint32_t key = 0;
  const Tex odd = SmoothTexture(r::TextureFormat::R5G6B5, 48, 40, key);
  r::State s = Plain(c);
  s.stages[0] = {r::TexOp::Modulate, r::TexOp::Modulate, r::TexArg::Texture,
                 r::TexArg::Diffuse, r::TexArg::Texture, r::TexArg::Diffuse,
                 r::Filter::Linear,  r::Address::Wrap,   &odd.t};
  r::Pipeline p;
  ASSERT_TRUE(p.Build(c.target, s));
  EXPECT_EQ(p.span, r::SpanFor(c.target.format)) << "WRAP on 48 x 40 texels";
  s.stages[0].address = r::Address::Clamp;
  ASSERT_TRUE(p.Build(c.target, s));
  EXPECT_EQ(p.span, r::LeanSpanFor(p, c.target.format)) << "CLAMP: the usual 3D state";
  s.stages[0].colorOp = r::TexOp::Add;
  ASSERT_TRUE(p.Build(c.target, s));
  EXPECT_EQ(p.span, r::FastSpanFor(c.target.format)) << "not the usual state";
}

}  // namespace
