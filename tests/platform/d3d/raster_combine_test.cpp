// Colour maths against a scalar model: every stage operation on colour and
// alpha in either stage, the cascade's end, specular, every blend factor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "raster/pixel.h"
#include "raster_fixture.h"

namespace {

using namespace kxtest::raster;
using Op = r::TexOp;

// The operation on 0..1 values, back to 0..255.
int Model(Op op, int a1, int a2, int diffuseAlpha) {
  const double x = a1 / 255.0, y = a2 / 255.0, al = diffuseAlpha / 255.0;
  double v = 0;
  switch (op) {
    case Op::SelectArg1:
      v = x;
      break;
    case Op::SelectArg2:
      v = y;
      break;
    case Op::Modulate:
      v = x * y;
      break;
    case Op::Modulate2x:
      v = 2 * x * y;
      break;
    case Op::Modulate4x:
      v = 4 * x * y;
      break;
    case Op::Add:
      v = x + y;
      break;
    case Op::Subtract:
      v = x - y;
      break;
    case Op::AddSmooth:
      v = x + y - x * y;
      break;
    case Op::BlendDiffuseAlpha:
      v = x * al + y * (1 - al);
      break;
    default:
      break;
  }
  return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

constexpr Op kOps[] = {Op::SelectArg1, Op::SelectArg2, Op::Modulate,
                       Op::Modulate2x, Op::Modulate4x, Op::Add,
                       Op::Subtract,   Op::AddSmooth,  Op::BlendDiffuseAlpha};

constexpr std::uint32_t kT0 = 0x90406CC0, kT1 = 0xFFC06020, kDiffuse = 0x60A0FF30;

Rgb Draw(const r::State& s, std::uint32_t diffuse, std::uint32_t specular = 0,
         std::uint32_t background = 0) {
  Canvas c(4, 4);
  r::ClearTarget(c.target, {0, 0, 4, 4}, background);
  auto q = Quad(0, 0, 4, 4, diffuse);
  for (auto& v : q) v.specular = specular;
  r::State full = s;
  full.viewport = c.Full();
  r::DrawTriangleStrip(c.target, full, q);
  return c.At(2, 2);
}

TEST(RasterCombine, EveryColourOperationInEitherStage) {
  const Tex t0(1, 1, r::TextureFormat::A8R8G8B8, {kT0}),
      t1(1, 1, r::TextureFormat::A8R8G8B8, {kT1});
  const r::Stage first{Op::SelectArg1,     Op::SelectArg1,     r::TexArg::Texture,
                       r::TexArg::Diffuse, r::TexArg::Texture, r::TexArg::Diffuse,
                       r::Filter::Point,   r::Address::Wrap,   &t0.t};
  for (Op op : kOps) {
    for (int stage : {0, 1}) {
      Canvas c(1, 1);
      r::State s = Plain(c);
      // Stage 0: op(texture, diffuse). Stage 1: op(its texture, current = t0).
      s.stages[0] = first;
      s.stages[0].colorOp = stage == 0 ? op : Op::SelectArg1;
      s.stages[1] = {op,
                     Op::SelectArg1,
                     r::TexArg::Texture,
                     r::TexArg::Current,
                     r::TexArg::Current,
                     r::TexArg::Current,
                     r::Filter::Point,
                     r::Address::Wrap,
                     &t1.t};
      if (stage == 0) s.stages[1].colorOp = Op::Disable;
      const r::Rgba a1 = r::Unpack(stage == 0 ? kT0 : kT1),
                    a2 = r::Unpack(stage == 0 ? kDiffuse : kT0);
      const Rgb got = Draw(s, kDiffuse);
      const int tol = op == Op::Modulate4x ? 2 : 1;
      EXPECT_NEAR(got.r, Model(op, a1.r, a2.r, 0x60), tol) << int(op) << " stage " << stage;
      EXPECT_NEAR(got.g, Model(op, a1.g, a2.g, 0x60), tol) << int(op) << " stage " << stage;
      EXPECT_NEAR(got.b, Model(op, a1.b, a2.b, 0x60), tol) << int(op) << " stage " << stage;
    }
  }
}

TEST(RasterCombine, EveryAlphaOperation) {
  const Tex t0(1, 1, r::TextureFormat::A8R8G8B8, {kT0});
  for (Op op : kOps) {
    Canvas c(1, 1);
    r::State s = Plain(c);
    // White colour; alpha = op(texture alpha 0x90, diffuse alpha 0x60), shown by blending.
    s.stages[0] = {Op::SelectArg2,
                   op,
                   r::TexArg::Texture,
                   r::TexArg::Diffuse,
                   r::TexArg::Texture,
                   r::TexArg::Diffuse,
                   r::Filter::Point,
                   r::Address::Wrap,
                   &t0.t};
    s.alphaBlend = true;
    s.srcBlend = r::Blend::SrcAlpha;
    s.dstBlend = r::Blend::Zero;
    const int tol = op == Op::Modulate4x ? 2 : 1;
    EXPECT_NEAR(Draw(s, 0x60FFFFFF).g, Model(op, 0x90, 0x60, 0x60), tol) << int(op);
  }
}

TEST(RasterCombine, DisabledStagesEndTheCascade) {
  const Tex t(1, 1, r::TextureFormat::A8R8G8B8, {kT1});
  Canvas c(1, 1);
  r::State s = Plain(c);
  s.stages[0] = {Op::Disable};
  s.stages[1] = {Op::Add, Op::SelectArg1, r::TexArg::Texture, r::TexArg::Current};
  s.stages[1].texture = &t.t;
  EXPECT_EQ(Draw(s, kDiffuse), (Rgb{0xA0, 0xFF, 0x30}));  // stage 1 never runs
  s.stages[0] = {Op::SelectArg2, Op::SelectArg2, r::TexArg::Texture, r::TexArg::Diffuse};
  s.stages[1].colorOp = static_cast<Op>(0);  // the component's "other values"
  EXPECT_EQ(Draw(s, kDiffuse), (Rgb{0xA0, 0xFF, 0x30}));
}

TEST(RasterCombine, SpecularAddsWhenEnabled) {
  Canvas c(1, 1);
  r::State s = Plain(c);
  EXPECT_EQ(Draw(s, 0xFF808080, 0x00102030), (Rgb{0x80, 0x80, 0x80}));
  s.specular = true;
  EXPECT_EQ(Draw(s, 0xFF808080, 0x00102030), (Rgb{0x90, 0xA0, 0xB0}));
  EXPECT_EQ(Draw(s, 0xFF808080, 0x00F0F0F0), (Rgb{255, 255, 255}));
}

TEST(RasterCombine, EveryBlendFactorPair) {
  using B = r::Blend;
  constexpr std::uint32_t kSrc = 0x7060C030, kDst = 0xFFC86432;
  const auto factor = [](B f, double s, double sa) {
    switch (f) {
      case B::One:
        return 1.0;
      case B::SrcColor:
        return s;
      case B::InvSrcColor:
        return 1 - s;
      case B::SrcAlpha:
        return sa;
      case B::InvSrcAlpha:
        return 1 - sa;
      default:
        return 0.0;
    }
  };
  const B all[] = {B::Zero,     B::One,         B::SrcColor,     B::InvSrcColor,
                   B::SrcAlpha, B::InvSrcAlpha, B::BothSrcAlpha, static_cast<B>(0)};
  for (B sf : all)
    for (B df : all) {
      Canvas c(1, 1);
      r::State s = Plain(c);
      s.alphaBlend = true;
      s.srcBlend = sf;
      s.dstBlend = df;
      const Rgb got = Draw(s, kSrc, 0, kDst);
      const r::Rgba src = r::Unpack(kSrc), dst = r::Unpack(kDst);
      const double sa = src.a / 255.0;
      const int sc[] = {src.r, src.g, src.b}, dc[] = {dst.r, dst.g, dst.b};
      const int gc[] = {got.r, got.g, got.b};
      for (int k = 0; k < 3; ++k) {
        const double s01 = sc[k] / 255.0, d01 = dc[k] / 255.0;
        const B srcF = sf == B::BothSrcAlpha ? B::SrcAlpha : sf;
        const B dstF = sf == B::BothSrcAlpha ? B::InvSrcAlpha : df;
        const double v = s01 * factor(srcF, s01, sa) + d01 * factor(dstF, s01, sa);
        EXPECT_NEAR(gc[k], std::lround(std::min(v, 1.0) * 255), 1)
            << "src " << int(sf) << " dst " << int(df) << " channel " << k;
      }
    }
}

}  // namespace
