// The frame driver: pacing on the virtual clock and the scrolling of the
// star field and the background.
#include "game_fixture.h"
#include "plat/timer.h"

namespace kxtest {
namespace {

TEST_F(GameTest, FramesStartThirtySevenMillisecondsApart) {
  Frames(1);
  const auto t0 = plat::timeGetTime();
  Frames(10);
  EXPECT_EQ(plat::timeGetTime() - t0, 370u);
}

class WrapGameTest : public GameTest {
 protected:
  WrapGameTest() { config_.startMs = 0xFFFFFF00u; }
};

TEST_F(WrapGameTest, PacingSurvivesTheClockWrap) {
  Frames(1);
  const auto t0 = plat::timeGetTime();
  Frames(20);  // crosses 2^32
  EXPECT_EQ(plat::timeGetTime() - t0, 20u * 37u);
}

TEST_F(GameTest, StarsScrollAtHalfTheBackgroundSpeedAndBothWrap) {
  Frames(10);
  EXPECT_EQ(rec().backScrollX, -10);
  EXPECT_EQ(rec().starScrollX, 5);
  rec().backScrollX = -800;
  rec().starScrollX = 399;
  rec().starTick = 1;
  Frames(1);
  EXPECT_EQ(rec().backScrollX, 0);
  EXPECT_EQ(rec().starScrollX, 0);
}

TEST_F(GameTest, StarStripIsSeamlessAcrossItsHalves) {
  const auto& strip = game().I0.picture;
  int stars = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      ASSERT_EQ(strip.Pixel(x, y), strip.Pixel(x + 400, y)) << x << "," << y;
      stars += strip.Pixel(x, y) != 0;
    }
  EXPECT_GT(stars, 150);  // 195 stars, a few may coincide
}

TEST_F(GameTest, BackgroundIsDrawnTwiceWhileItsEndIsOnScreen) {
  // At -600 the strip's last 200 columns fill the left half and its start
  // follows at x = 200: the picture must continue across x = 199 | 200 the
  // same way as across the strip's own wrap.
  game().gameMode = 8;  // a mode without a step: nothing covers the background
  rec().stage = 0;
  rec().backScrollX = -599;
  Frames(1);
  const auto& shot = game().I2.picture;
  plat::Bitmap cell(800, 300);
  plat::Canvas cc(cell);
  game().BK.Draw(cc, 0, 0, 0);
  for (int y = 30; y < 270; y += 5) {
    // Where the background is opaque it shows the strip's columns 799 and 0.
    if (cell.Pixel(799, y) != 0) {
      EXPECT_EQ(shot.Pixel(199, y), cell.Pixel(799, y));
    }
    if (cell.Pixel(0, y) != 0) {
      EXPECT_EQ(shot.Pixel(200, y), cell.Pixel(0, y));
    }
  }
}

}  // namespace
}  // namespace kxtest
