// The attract cycle and the mode timers, driven frame by frame with no input
// or with scripted presses.
#include "game_fixture.h"

namespace kxtest {
namespace {

using kx::kDemo;
using kx::kHowToPlay;
using kx::kPlay;
using kx::kTitle;

TEST_F(GameTest, AttractCycleStartsWithHowToPlayThenAlternates) {
  EXPECT_EQ(game().gameMode, kTitle);
  EXPECT_EQ(game().attractToggle, 1);
  Frames(100);
  EXPECT_EQ(game().gameMode, kTitle);
  Frames(1);
  EXPECT_EQ(game().gameMode, kHowToPlay);
  EXPECT_EQ(game().world.shipTrail[7].x, 100);

  // A press leaves the demonstration; the next title timeout opens the Demo.
  Tap('Z');
  EXPECT_EQ(game().gameMode, kTitle);
  Frames(101);
  EXPECT_EQ(game().gameMode, kDemo);
  EXPECT_EQ(game().world.shipTrail[0].x, -100);
  EXPECT_EQ(game().world.podTrail[3].x[1], -100);
  Frames(300);
  EXPECT_EQ(game().gameMode, kDemo);
  Frames(1);
  EXPECT_EQ(game().gameMode, kTitle);
  EXPECT_EQ(rec().demoScript, 1);
  Frames(101);
  EXPECT_EQ(game().gameMode, kHowToPlay);
}

TEST_F(GameTest, HeldButtonWaitsForReleaseBeforeTheNextScreenReacts) {
  Frames(101);
  ASSERT_EQ(game().gameMode, kHowToPlay);
  Down('X');
  Frames(1);
  ASSERT_EQ(game().gameMode, kTitle);
  // Still held on the title: no new game.
  Frames(20);
  EXPECT_EQ(game().gameMode, kTitle);
  Up('X');
  Frames(1);
  Down('X');
  Frames(1);
  EXPECT_EQ(game().gameMode, kx::kNewGame);
  Frames(1);
  EXPECT_EQ(game().gameMode, kPlay);  // NewGame runs one frame and hands over
}

TEST_F(GameTest, ArrowKeysNeverCountAsAPress) {
  Down(plat::VK_LEFT);
  Down(plat::VK_UP);
  Frames(50);
  EXPECT_EQ(game().gameMode, kTitle);
  EXPECT_EQ(rec().keyLeft, 1);
}

TEST_F(GameTest, TitleTimeoutOverridesAPressInTheSameFrame) {
  Frames(100);
  Down('C');
  Frames(1);
  EXPECT_EQ(game().gameMode, kHowToPlay);
}

TEST_F(GameTest, PressOnTitleStartsAFreshGameWithTheShipFlyingIn) {
  rec().score = 1234;
  rec().levelB = 2;
  Down('Z');
  Frames(1);  // Title accepts the press
  EXPECT_EQ(game().gameMode, kx::kNewGame);
  Frames(1);  // NewGame resets and enters Play
  EXPECT_EQ(game().gameMode, kPlay);
  EXPECT_EQ(rec().score, 0);
  EXPECT_EQ(rec().levelB, 0);
  EXPECT_EQ(rec().shipMotion, 1);
  // The fly-in: 24 frames from x = -170 to a stop at x = 142.
  Frames(24);
  EXPECT_EQ(game().world.shipTrail[0].x, 142);
  EXPECT_EQ(rec().shipMotion, 0);
}

TEST_F(GameTest, StageChangeShowsTwentyBlackFramesThenTheNextStage) {
  game().gameMode = kx::kStageChange;
  game().modeTimer = 0;
  rec().stage = 1;
  Frames(20);
  EXPECT_EQ(game().gameMode, kx::kStageChange);
  const auto& shot = game().I2.picture;
  for (int y = 0; y < shot.Height(); y += 7)
    for (int x = 0; x < shot.Width(); x += 7) ASSERT_EQ(shot.Pixel(x, y), 0u);
  Frames(1);
  EXPECT_EQ(game().gameMode, kPlay);
  EXPECT_EQ(rec().shipMotion, 1);
}

TEST_F(GameTest, AfterTheThirdStageTheEndingKeepsTheThirdBackground) {
  game().gameMode = kx::kStageChange;
  game().modeTimer = 0;
  rec().stage = 3;
  Frames(21);
  EXPECT_EQ(game().gameMode, kx::kEnding);
  EXPECT_EQ(rec().stage, 2);
  EXPECT_EQ(rec().endingTextY, 350);
  EXPECT_EQ(game().modeTimer, 21);  // carries on: the ending starts at once
  EXPECT_EQ(game().world.shipTrail[5].x, -80);
}

TEST_F(GameTest, GameOverTimesOutToTheDemoAndAPressSkipsSooner) {
  game().gameMode = kx::kGameOver;
  game().modeTimer = 0;
  Frames(100);
  EXPECT_EQ(game().gameMode, kx::kGameOver);
  Frames(1);
  EXPECT_EQ(game().gameMode, kDemo);
  EXPECT_EQ(rec().titleMusicPending, 1);
  EXPECT_EQ(game().world.shipTrail[0].x, -100);

  game().gameMode = kx::kGameOver;
  game().modeTimer = 0;
  rec().releaseLatch = 0;
  Tap('X');
  EXPECT_EQ(game().gameMode, kDemo);
  EXPECT_EQ(game().world.shipTrail[0].x, -150);
  // The press that left GameOver is still latched: the Demo ignores it.
  Down('X');
  Frames(5);
  EXPECT_EQ(game().gameMode, kDemo);
}

TEST_F(GameTest, EscapeClosesTheWindowFromAnyMode) {
  for (std::uint32_t mode : {kTitle, kDemo, kPlay, kHowToPlay}) {
    SCOPED_TRACE(mode);
    TearDown();
    SetUp();
    game().gameMode = mode;
    Frames(2);
    Down(plat::VK_ESCAPE);
    EXPECT_FALSE(Frames(1));
  }
}

}  // namespace
}  // namespace kxtest
