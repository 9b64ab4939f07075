// Draw: culling and clipping at all four edges (plain copy and blend paths),
// colour keys, the default parameters, WindDraw, EffectDraw and text.
#include "draw_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawTest;

const plat::Bitmap kPic = kxtest::Picture(32, 16);

// Draws at (x, y) and checks every pixel of the back surface: the picture
// where it lands, the fill colour elsewhere.
void ExpectDrawnAt(DrawTest* t, VexmoraDrawSystem::TVexmoraDraw& d, plat::IDirectDrawSurface7& back,
                   int x, int y, TBlendEffect effect) {
  back.ColorFill(nullptr, 0);
  d.Draw(x, y, "pic", 0, effect, 255);  // packed beAdd 255 on black: the picture itself
  (void)t;
  for (int py = 0; py < 48; ++py)
    for (int px = 0; px < 64; ++px) {
      const int sx = px - x, sy = py - y;
      std::uint32_t want = 0;
      if (sx >= 0 && sx < 32 && sy >= 0 && sy < 16) want = kPic.Pixel(sx, sy);
      ASSERT_EQ(kxtest::GetPixel(back, px, py), want)
          << "at " << x << "," << y << " pixel " << px << "," << py;
    }
}

TEST_F(DrawTest, ClipsAtEveryEdgeAndCullsOutside) {
  plat::CpuInfo cpu;
  cpu.hasCpuid = true;
  cpu.stdEdx = 1u << 23;  // MMX: the packed routines
  plat::testing::SetCpuInfo(cpu);
  draw_->Init(form_);
  Load("pic", kPic);
  for (TBlendEffect e : {beNormal, beAdd}) {
    for (const plat::Point p : {plat::Point{-10, 5}, plat::Point{50, 5}, plat::Point{5, -5},
                                plat::Point{5, 40}, plat::Point{-31, -15}, plat::Point{63, 47},
                                plat::Point{-32, 0}, plat::Point{64, 0}, plat::Point{0, -16},
                                plat::Point{0, 48}})
      ExpectDrawnAt(this, *draw_, Back(), p.x, p.y, e);
  }
}

TEST_F(DrawTest, KeysApplyOnlyWhenTransparent) {
  plat::Bitmap b = kxtest::Picture(2, 1);
  b.Row(0)[1] = 0;  // black: the key
  Load("k", b);
  for (TBlendEffect e : {beNormal, beAdd, beColorMod}) {
    FillBack(0x00102030);
    draw_->Draw(0, 0, "k", 0, e);
    EXPECT_EQ(At(1, 0), 0x00102030u) << int(e);
  }
  draw_->SetTransparent(false);
  FillBack(0x00102030);
  draw_->Draw(0, 0, "k", 0, beNormal);
  EXPECT_EQ(At(1, 0), 0u);
  FillBack(0x00102030);
  draw_->Draw(0, 0, "k", 0, beAdd);  // black adds nothing
  EXPECT_EQ(At(1, 0), 0x00102030u);
}

TEST_F(DrawTest, DefaultParametersAndColourEffects) {
  plat::Bitmap b(1, 1);
  b.Row(0)[0] = 0x00808080;
  Load("g", b);
  FillBack(0x00FFFFFF);
  draw_->Draw(0, 0, "g", 0, beTrans);  // 128: the packed average on 32 bits
  EXPECT_EQ(At(0, 0), 0x00BFBFBFu);
  b.Row(0)[0] = 0x00010101;  // near black: colour add shows the colour
  Load("n", b);
  FillBack(0);
  draw_->Draw(0, 0, "n", 0, beColorAdd, 0x00FF0000);
  EXPECT_EQ(At(0, 0), 0x00FF0101u);  // (255 * 0xFF0000 / 256) & mask, plus the source
  draw_->Draw(0, 0, "g", 0, beColorMod, 0x0000FF00);
  EXPECT_EQ(At(0, 0), 0x00007F00u);
}

TEST_F(DrawTest, WindWithoutStrengthDrawsLikeDraw) {
  Load("pic", kPic);
  FillBack(0);
  draw_->Draw(3, 4, "pic", 0, beNormal);
  const std::uint64_t plain = kxtest::HashSurface(Back());
  FillBack(0);
  const int before = draw_->WaveCounter();
  draw_->WindDraw(3, 4, "pic", 0, beNormal, -1, 0);
  EXPECT_EQ(kxtest::HashSurface(Back()), plain);
  EXPECT_EQ(draw_->WaveCounter(), before + 16);  // one per row
  draw_->WindDraw(3, 4, "pic", 0, beNormal, -1, -8);  // columns now
  EXPECT_EQ(draw_->WaveCounter(), before + 48);
  EXPECT_EQ(draw_->GetSurfaceInfo("pic").patternWidth, 32);
}

const VexmoraDrawSystem::TVexmoraDrawDirect* g_seen = nullptr;
VexmoraDrawSystem::TVexmoraDrawDirect g_record;
void Remember(const VexmoraDrawSystem::TVexmoraDrawDirect& r) {
  g_record = r;
  g_seen = &r;
  r.dest[0] = 0x11;  // writes through the locked back surface
}

TEST_F(DrawTest, EffectDrawHandsTheLockedSurfacesToTheCallback) {
  Load("pic", kPic, 16, 8);
  FillBack(0);
  draw_->EffectDraw(7, 9, &Remember, "pic", 3, 42, -5);
  ASSERT_NE(g_seen, nullptr);
  EXPECT_EQ(g_record.width, 16);
  EXPECT_EQ(g_record.height, 8);
  EXPECT_EQ(g_record.x, 7);
  EXPECT_EQ(g_record.param2, -5);
  std::uint32_t first = 0;
  std::memcpy(&first, g_record.source, 4);
  EXPECT_EQ(first, kPic.Pixel(16, 8));
  EXPECT_EQ(At(0, 0), 0x11u);
  draw_->EffectDraw(0, 0, &Remember, "", 0, 0, 0);  // no source: the drawing area
  EXPECT_EQ(g_record.source, nullptr);
  EXPECT_EQ(g_record.width, 64);
}

TEST_F(DrawTest, TextOutWritesWithTheFontOverAClearBackground) {
  FillBack(0x00000080);
  plat::Font f;
  f.size = 14;
  f.color = plat::clWhite;
  draw_->SetFont(f);
  draw_->TextOutA(2, 2, "Hi");
  int white = 0, kept = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      white += At(x, y) == 0x00FFFFFFu;
      kept += At(x, y) == 0x00000080u;
    }
  EXPECT_GT(white, 10);
  EXPECT_GT(kept, 900);
}

}  // namespace

namespace {

// Every display depth with padded pitches: nothing any drawing call does
// reaches into the padding, and a plain copy still lands exactly.
TEST_F(DrawTest, EveryDepthKeepsToThePitchAndItsPixels) {
  const struct {
    int bits;
    bool rgb555;
  } depths[] = {{16, false}, {16, true}, {24, false}, {32, false}};
  for (const auto& depth : depths) {
    Reopen(depth.bits, depth.rgb555, 6);
    Load("pic", kPic, 16, 8);
    FillBack(0);
    draw_->Draw(-3, 2, "pic", 1, beNormal);
    plat::IDirectDrawSurface7& pattern = *draw_->FindSurface("pic")->Surface();
    EXPECT_EQ(At(0, 2), kxtest::GetPixel(pattern, 19, 0)) << depth.bits;
    for (int e = beTrans; e <= beColorMod; ++e) {
      draw_->Draw(50, 43, "pic", 2, static_cast<TBlendEffect>(e), 0x00804020);
      draw_->Draw(-5, -3, "pic", 3, static_cast<TBlendEffect>(e));
      draw_->SetTransparent(!draw_->Transparent());
    }
    draw_->RotZoomDraw(60, 40, 5000, 300, "pic", 0);
    draw_->ZoomDraw(40, 30, 700, 300, "pic", 1);
    draw_->WindDraw(30, 10, "pic", 2, beAdd, 200, 9);
    draw_->TextOutA(50, 40, "edge");
    draw_->UpdateEx(100, 0x402);
    draw_->UpdateEx(30, 0x201);
    for (plat::IDirectDrawSurface7* s : {draw_->BackSurface(), draw_->TempSurface(),
                                         draw_->FlipSurface(), draw_->PrimarySurface(), &pattern})
      EXPECT_TRUE(kxtest::PaddingIntact(*s)) << depth.bits << (depth.rgb555 ? " 555" : "");
  }
}

}  // namespace
