// TVexmoraDrawEx's tiles: the grid a bitmap needs and the size limit,
// pieces across tile edges drawn without seams (plain, zoomed, turned,
// stretched), the turn's direction, and lost tiles reloaded.
#include "drawex_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawExTest;
using kxtest::ErrorOf;
using kxtest::Texel565;

const plat::Bitmap kBig = kxtest::Picture(200, 150, 0x22);

TEST_F(DrawExTest, TwoHundredBy150TakesTwoByTwoTilesAndOver1024IsRefused) {
  Load("big", kBig, 50, 50);
  const auto& s = dynamic_cast<TVexmoraDrawExSurface&>(*draw_->FindSurface("big"));
  EXPECT_EQ(s.TilesX() * 10 + s.TilesY(), 22);
  EXPECT_EQ(s.Tile(0, 2), nullptr);
  const std::uint32_t c = kBig.Pixel(199, 149);  // texel (71, 21) of tile (1, 1); black after
  EXPECT_EQ(kxtest::GetPixel(*s.Tile(1, 1), 71, 21),
            (c >> 19 & 0x1F) << 11 | (c >> 10 & 0x3F) << 5 | (c >> 3 & 0x1F));
  EXPECT_EQ(kxtest::GetPixel(*s.Tile(1, 1), 72, 21) | kxtest::GetPixel(*s.Tile(1, 1), 71, 22), 0u);
  EXPECT_EQ(ErrorOf([&] { Load("huge", kxtest::Picture(1025, 4)); }),
            "TVexmoraDraw(Ex)Surface エラー\n\nBMPが大きすぎます（1024×1024ピクセルまで）。\n"
            "ファイル名：huge");
  EXPECT_EQ(draw_->FindSurface("huge"), nullptr);
  EXPECT_EQ(ErrorOf([&] { Load("edge", kxtest::Picture(1024, 1)); }), "");
}

// Every pixel of the 64 x 48 area shows texel `source(x, y)` of kBig.
template <class Source>
void ExpectPicture(plat::IDirectDrawSurface7& back, Source source, const char* what) {
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const plat::Point p = source(x, y);
      ASSERT_EQ(kxtest::GetPixel(back, x, y) & 0xFFFFFF, Texel565(kBig.Pixel(p.x, p.y)))
          << what << " at " << x << "," << y;
    }
}

TEST_F(DrawExTest, PiecesMeetAtTileEdgesWithoutSeams) {
  Load("big", kBig);
  draw_->Draw(-100, -100, "big", 0);  // tile edges at x 28 and y 28
  ExpectPicture(
      Back(),
      [](int x, int y) {
        return plat::Point{x + 100, y + 100};
      },
      "Draw");
  draw_->ZoomDraw(-220, -220, 512, 512, "big", 0);  // edges at x 36 and y 36
  ExpectPicture(
      Back(),
      [](int x, int y) {
        return plat::Point{(x + 220) / 2, (y + 220) / 2};
      },
      "ZoomDraw");
  draw_->RotZoomDraw(0, -20, 0, 256, "big", 0);  // centre (100, 75): edges at x 28, y 33
  ExpectPicture(
      Back(),
      [](int x, int y) {
        return plat::Point{x + 100, y + 95};
      },
      "RotZoomDraw");
  // 32 x 32 from (112, 0): 16 texels of tile (0, 0) and 16 of tile (0, 1).
  FillBack(0);
  draw_->DirectDraw({10, 10, 42, 42}, {112, 0, 144, 32}, "big");
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(Rgb(10 + x, 10 + y), Texel565(kBig.Pixel(112 + x, y))) << x << "," << y;
  EXPECT_EQ(Rgb(9, 10) | Rgb(42, 10), 0u);
}

// A quarter turn puts the picture's red top-left quarter in the same
// quadrant as the software component does.
TEST_F(DrawExTest, TurnsTheSameWayAsTheSoftwareComponent) {
  plat::Bitmap pic(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pic.Row(y)[x] = x < 4 && y < 4 ? 0xFF0000 : 0x0000FF;
  const auto redQuadrant = [&] {
    Load("pic", pic);
    FillBack(0);
    draw_->RotZoomDraw(32, 24, 16384, 512, "pic", 0);
    int sx = 0, sy = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        if (Rgb(x, y) == 0xFF0000) sx += x - 32, sy += y - 24;
    return plat::Point{sx > 0 ? 1 : sx < 0 ? -1 : 0, sy > 0 ? 1 : sy < 0 ? -1 : 0};
  };
  const plat::Point ex = redQuadrant();
  TearDown();
  Open({});
  const plat::Point sw = redQuadrant();
  EXPECT_TRUE(ex.x != 0 && ex.y != 0);
  EXPECT_EQ(ex.x * 10 + ex.y, sw.x * 10 + sw.y);
}

// A draw meeting lost surfaces restores and reloads them and ends quietly;
// the next one shows the picture.
TEST_F(DrawExTest, LostTilesAndTargetAreRestoredAndReloaded) {
  Load("big", kBig);
  const auto& s = dynamic_cast<TVexmoraDrawExSurface&>(*draw_->FindSurface("big"));
  control_->LoseSurfaces(true);
  EXPECT_TRUE(s.AnyLost());
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(-100, 0, "big", 0); }), "");
  EXPECT_FALSE(s.AnyLost());
  EXPECT_EQ(Back().IsLost(), plat::DD_OK);
  draw_->Draw(-100, 0, "big", 0);
  draw_->Update();  // restores the primary
  draw_->Update();
  EXPECT_EQ(control_->Screen().Pixel(30, 5), Texel565(kBig.Pixel(130, 5)));
}

}  // namespace
