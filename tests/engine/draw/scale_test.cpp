// The scaled and turned copies: ZoomDraw (doubling, culling, clipping),
// RotZoomDraw at 0, 90 and 180 degrees and zooms 1/2 and 2, DirectDraw.
#include "draw_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawTest;

const plat::Bitmap kPic = kxtest::Picture(8, 6, 5);

class ScaleTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    Load("pic", kPic);
    FillBack(0);
  }
  // Back pixel (x, y) is source (sx, sy) of the picture.
  void ExpectFrom(int x, int y, int sx, int sy) {
    EXPECT_EQ(At(x, y), kPic.Pixel(sx, sy)) << x << "," << y << " from " << sx << "," << sy;
  }
};

TEST_F(ScaleTest, ZoomDrawScalesAndClips) {
  draw_->ZoomDraw(10, 10, 512, 512, "pic", 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) ExpectFrom(10 + x, 10 + y, x / 2, y / 2);
  EXPECT_EQ(At(26, 10), 0u);
  FillBack(0);
  draw_->ZoomDraw(-4, 0, 512, 256, "pic", 0);  // source starts at column 2
  ExpectFrom(0, 0, 2, 0);
  ExpectFrom(11, 5, 7, 5);
  FillBack(0);
  draw_->ZoomDraw(60, 44, 256, 256, "pic", 0);  // right and bottom cut
  ExpectFrom(63, 47, 3, 3);
  FillBack(0);
  draw_->ZoomDraw(10, 10, 0, 256, "pic", 0);
  draw_->ZoomDraw(10, 10, 256, -5, "pic", 0);
  draw_->ZoomDraw(-8, 10, 256, 256, "pic", 0);  // wholly left of the area
  EXPECT_EQ(kxtest::HashSurface(Back()), (FillBack(0), kxtest::HashSurface(Back())));
}

TEST_F(ScaleTest, RotZoomAtZeroCopiesCentredOnThePoint) {
  draw_->RotZoomDraw(20, 20, 0, 256, "pic", 0);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ExpectFrom(16 + x, 17 + y, x, y);
  EXPECT_EQ(At(24, 17), 0u);
  EXPECT_EQ(At(16, 23), 0u);
}

TEST_F(ScaleTest, RotZoomAQuarterTurn) {
  draw_->RotZoomDraw(20, 20, 16384, 256, "pic", 0);
  // Box 6 x 8 from (17, 16); row r, column c shows source (8 - r, c).
  for (int r = 1; r < 8; ++r)
    for (int c = 0; c < 6; ++c) ExpectFrom(17 + c, 16 + r, 8 - r, c);
  for (int c = 0; c < 6; ++c) EXPECT_EQ(At(17 + c, 16), 0u);
}

TEST_F(ScaleTest, RotZoomAHalfTurn) {
  draw_->RotZoomDraw(20, 20, 32768, 256, "pic", 0);
  for (int r = 1; r < 6; ++r)
    for (int c = 1; c < 8; ++c) ExpectFrom(16 + c, 17 + r, 8 - c, 6 - r);
}

TEST_F(ScaleTest, RotZoomDoublesAndHalves) {
  draw_->RotZoomDraw(20, 20, 0, 512, "pic", 0);
  for (int r = 0; r < 12; ++r)
    for (int c = 0; c < 16; ++c) ExpectFrom(12 + c, 14 + r, c / 2, r / 2);
  FillBack(0);
  draw_->RotZoomDraw(20, 20, 0, 128, "pic", 0);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 4; ++c) ExpectFrom(18 + c, 19 + r, 2 * c, 1 + 2 * r);
  EXPECT_EQ(At(22, 19), 0u);
  FillBack(0);
  draw_->RotZoomDraw(20, 20, 0, 0, "pic", 0);  // zoom 0: nothing
  draw_->RotZoomDraw(-100, 20, 0, 256, "pic", 0);  // clipped away entirely
  EXPECT_EQ(At(20, 20), 0u);
}

TEST_F(ScaleTest, RotZoomClipsAtTheEdgesAndSkipsKeys) {
  draw_->RotZoomDraw(1, 1, 0, 256, "pic", 0);  // box from (-3, -2)
  ExpectFrom(0, 0, 3, 2);
  ExpectFrom(4, 3, 7, 5);
  plat::Bitmap keyed = kPic;
  keyed.Row(0)[0] = 0;
  Load("k", keyed);
  FillBack(0x00ABCDEF);
  draw_->RotZoomDraw(62, 46, 0, 256, "k", 0);  // box from (58, 43), cut right and bottom
  EXPECT_EQ(At(58, 43), 0x00ABCDEFu);
  ExpectFrom(63, 47, 5, 4);
}

TEST_F(ScaleTest, DirectDrawStretchesAnyRectangle) {
  draw_->DirectDraw({0, 0, 4, 2}, {2, 2, 4, 3}, "pic");
  ExpectFrom(0, 0, 2, 2);
  ExpectFrom(1, 1, 2, 2);
  ExpectFrom(2, 0, 3, 2);
  EXPECT_EQ(At(4, 0), 0u);
}

}  // namespace
