// The continue question: a button answers with the choice shown, Left/Right
// change it afterwards; continuing keeps the world, giving up leads to the
// game-over notice.
#include "game/game_fixture.h"
#include "screen_pixels.h"

namespace kxtest {
namespace {

class ContinueTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    // As the ship's destruction leaves it: the button may still be held.
    game().gameMode = kx::kContinue;
    rec().continueChoice = 0;
    rec().releaseLatch = 1;
    rec().score = 43210;
    rec().condition = 3;
  }
  int Bright(int x0, int x1) {  // the chosen answer's colour (toolkit 0xFFCC88)
    return CountColour(game().I2.picture, x0, 145, x1, 175, 0x88CCFF);
  }
};

TEST_F(ContinueTest, YesKeepsTheWorldAndClearsTheScore) {
  kx::Enemy& e = game().world.enemies[5];
  e = kx::Enemy{};
  e.state = 1;
  e.kind = 99;  // stands still
  e.x = 300;
  game().world.shipTrail[0].x = 210;
  Down('X');
  Frames(20);  // held from play: no answer
  ASSERT_EQ(game().gameMode, kx::kContinue);
  Up('X');
  Frames(1);
  Down(plat::VK_RIGHT);  // Right in the same frame as the button: still Yes
  Down('X');
  Frames(1);
  ASSERT_EQ(game().gameMode, kx::kPlay);
  EXPECT_EQ(rec().score, 0);
  EXPECT_EQ(rec().condition, 1);
  EXPECT_EQ(rec().hitTimer, 36);
  EXPECT_EQ(rec().clearGrade, 0);
  EXPECT_EQ(e.state, 1);
  EXPECT_EQ(e.x, 300);
  EXPECT_EQ(game().world.shipTrail[0].x, 210);
  EXPECT_EQ(rec().shipMotion, 0);  // no fly-in: nothing was reset
}

TEST_F(ContinueTest, NoPlaysTheGameOverSongAndGameOverWaitsItsFullTime) {
  game().modeTimer = 77;
  Frames(1);
  EXPECT_GT(Bright(150, 205), 0);  // [ Y ]
  Tap(plat::VK_RIGHT);
  Frames(1);
  EXPECT_EQ(Bright(150, 205), 0);
  EXPECT_GT(Bright(205, 260), 0);  // [ N ]
  Down('C');
  Frames(1);
  ASSERT_EQ(game().gameMode, kx::kGameOver);
  EXPECT_EQ(game().Log().songs.back().name, "07");
  Frames(100);  // the button is still held: only the timeout ends it
  EXPECT_EQ(game().gameMode, kx::kGameOver);
  Frames(1);
  EXPECT_EQ(game().gameMode, kx::kDemo);
}

class JoystickContinueTest : public ContinueTest {
 protected:
  JoystickContinueTest() { config_.joystick = plat::JOYCAPS{}; }
};

TEST_F(JoystickContinueTest, TheStickChoosesAndAButtonAnswers) {
  control().SetJoystick(plat::JOYINFO{65000, 32767, 0, 0});
  Frames(1);
  control().SetJoystick(plat::JOYINFO{32767, 32767, 0, 4});
  Frames(1);
  EXPECT_EQ(game().gameMode, kx::kGameOver);
}

}  // namespace
}  // namespace kxtest
