// texture_test.cpp — textures loaded on the component: the stretched
// bitmap in a power-of-two surface, black keyed out, patterns at texture
// edges, the table's rules and messages.
#include "component_fixture.h"

namespace kxtest3d {
namespace {

const std::string kTexError = "TVexmora3DTexture エラー\n\n";

std::uint16_t Texel(plat::IDirectDrawSurface7& s, int x, int y) {
  return static_cast<std::uint16_t>(kxtest::GetPixel(s, x, y));
}

TEST_F(Component3DTest, OddBitmapsAreStretchedOverPowerOfTwoTextures) {
  plat::Bitmap b(100, 60);  // left half red, right half blue; one black pixel
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) b.Row(y)[x] = x < 50 ? 0xFF0000 : 0x0000FF;
  b.Row(0)[0] = 0;
  b.Row(59)[99] = 0x080808;  // the darkest colour 1:5:5:5 keeps
  LoadTexture("odd", b, 50, 60);
  TVexmora3DTexture* t = d3d_->GetTexture("odd");
  EXPECT_FLOAT_EQ(t->patternU, 0.5f);
  EXPECT_FLOAT_EQ(t->patternV, 1.0f);
  EXPECT_EQ(t->count, 2);
  plat::DDSURFACEDESC2 desc;
  t->GetSurface()->GetSurfaceDesc(desc);
  EXPECT_EQ(desc.dwWidth, 128);
  EXPECT_EQ(desc.dwHeight, 64);
  ASSERT_TRUE(desc.ddpfPixelFormat);
  EXPECT_EQ(desc.ddpfPixelFormat->dwRGBAlphaBitMask, 0x8000u);  // 1:5:5:5 preferred
  plat::IDirectDrawSurface7& s = *t->GetSurface();
  EXPECT_EQ(Texel(s, 63, 30), 0xFC00);  // red reaches the middle: opaque
  EXPECT_EQ(Texel(s, 64, 30), 0x801F);  // blue from there on
  EXPECT_EQ(Texel(s, 0, 0), 0x0000);    // black: transparent
  EXPECT_EQ(Texel(s, 127, 63), 0x8421); // 1 level of each channel: opaque
  EXPECT_EQ(t->name, "odd");
  EXPECT_EQ(t->fileName, "odd");
}

TEST_F(Component3DTest, PatternEdgesDoNotBleedIntoNeighbours) {
  // Two 8 x 8 patterns: red then green; pattern 1 drawn 16 pixels wide
  // with linear filtering must show no red at its left edge.
  plat::Bitmap b(16, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) b.Row(y)[x] = x < 8 ? 0xFF0000 : 0x00FF00;
  LoadTexture("two", b, 8, 8);
  d3d_->SetTexture(std::string("two"), 0);
  InScene([&] {
    d3d_->DrawTexture(0, 0, 1, 1, 0xFFFFFFFF, 1, aeNone);
    d3d_->SpriteRender();
  });
  // The quad spans x 16..48; its inner texels are pure green.
  for (int x = 18; x < 46; ++x) EXPECT_EQ(At(x, 24) >> 16, 0u) << x;
  EXPECT_EQ(At(32, 24), 0x00FF00u);
}

TEST_F(Component3DTest, TextureTableRules) {
  LoadTexture("t", plat::Bitmap(8, 8));
  TVexmora3DTexture* first = d3d_->GetTexture("t");
  plat::RegisterResource("BITMAP", "other", kxtest::BmpBytes(plat::Bitmap(16, 16)));
  d3d_->CreateTexture("t", "other", 0, 0);  // an existing name stays as it is
  EXPECT_EQ(d3d_->GetTexture("t"), first);
  EXPECT_EQ(first->fileName, "t");

  EXPECT_EQ(ErrorOf([&] { d3d_->CreateTexture("x", "no such.bmp", 0, 0); }),
            kTexError + "BMPの読み込みに失敗しました。\nファイル名：no such.bmp");
  EXPECT_EQ(ErrorOf([&] { d3d_->GetTexture("x"); }),
            k3DError + "オブジェクトが存在しません。\nスプライト名：x");
  d3d_->DeleteTexture("x");  // unknown names are ignored
  d3d_->SetTexture(first, 0);
  d3d_->DeleteAllTexture();
  EXPECT_EQ(d3d_->TextureCount(), 0u);
  EXPECT_EQ(d3d_->StageTexture(0), nullptr);
}

}  // namespace
}  // namespace kxtest3d
