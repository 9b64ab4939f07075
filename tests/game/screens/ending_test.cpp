// The ending: its length, the ship it shows, the scrolling text and the
// hand-over to the demo with the ranking.
#include "game/game_fixture.h"
#include "screen_pixels.h"

namespace kxtest {
namespace {

class EndingTest : public GameTest {
 protected:
  // The third stage's fly-out has just finished.
  void SetUp() override {
    GameTest::SetUp();
    game().gameMode = kx::kStageChange;
    game().modeTimer = 0;
    rec().stage = 3;
    rec().score = 987650;
  }
  int Yellow(int y0, int y1) { return CountColour(game().I2.picture, 60, y0, 400, y1, 0xFFFF00); }
};

TEST_F(EndingTest, LastsFiveHundredTwentySevenFramesAfterTheBlackOnes) {
  Frames(20 + 526);
  EXPECT_EQ(game().gameMode, kx::kEnding);
  Down('X');  // held across the hand-over
  Frames(1);
  ASSERT_EQ(game().gameMode, kx::kDemo);
  Frames(1);
  EXPECT_EQ(game().highScores[0].score, 987650);  // entered on the demo's first frame
  Frames(30);
  EXPECT_EQ(game().gameMode, kx::kDemo);
  Up('X');
  Frames(1);
  Tap('X');
  EXPECT_EQ(game().gameMode, kx::kTitle);
  EXPECT_EQ(game().Log().songs.back().name, "01");
}

TEST_F(EndingTest, TypeDShowsAsTypeBAndTheTextRisesThroughTheScreen) {
  rec().weaponType = 3;
  Frames(21);
  EXPECT_EQ(Yellow(20, 300), 0);  // the text starts below the playfield
  Frames(80);
  const auto& ship = game().world.shipTrail[0];
  EXPECT_EQ(ship.x, -80 + 160);
  EXPECT_EQ(rec().weaponType, 1);
  const auto& pods = game().world.podTrail[0];
  EXPECT_EQ(pods.y[0], ship.y - 46);
  EXPECT_EQ(pods.y[1], ship.y + 46);
  EXPECT_GT(Yellow(268, 292), 0);  // the first line at y 270
  EXPECT_EQ(Yellow(20, 266), 0);
  Frames(440);  // the last line's top at y -50
  EXPECT_EQ(Yellow(20, 300), 0);
}

}  // namespace
}  // namespace kxtest
