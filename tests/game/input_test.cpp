// Keyboard fields, the joystick polls and the hidden key sequences.
#include "game_fixture.h"

namespace kxtest {
namespace {

TEST_F(GameTest, KeysSetAndClearTheirFieldsAndRepeatsChangeNothing) {
  Down(plat::VK_RIGHT);
  Down('Z');
  Down('Z');  // a key repeat
  Down('X');
  Frames(1);
  EXPECT_EQ(rec().keyRight, 1);
  EXPECT_EQ(rec().keyBoost, 1);
  EXPECT_EQ(rec().keyFire, 1);
  EXPECT_EQ(rec().keyLeft, 0);
  Up('Z');
  Up(plat::VK_RIGHT);
  Frames(1);
  EXPECT_EQ(rec().keyBoost, 0);
  EXPECT_EQ(rec().keyRight, 0);
  EXPECT_EQ(rec().keyFire, 1);  // fields survive until their key-up
}

TEST_F(GameTest, HiddenSequenceWorksOnlyBetweenTwoFrames) {
  for (char k : {'G', 'O'}) Down(k);
  Frames(1);
  Down('D');  // the counters were cleared by the frame in between
  Frames(1);
  EXPECT_EQ(game().invincible, 0);

  for (char k : {'G', 'O', 'D'}) Down(k);
  Frames(1);
  EXPECT_EQ(game().invincible, 1);

  for (char k : {'T', 'Y', 'Q', 'P'}) Down(k);  // Q forgets the progress
  Frames(1);
  EXPECT_EQ(rec().typeDUnlocked, 0);
  for (char k : {'T', 'Y', 'P'}) Down(k);
  Frames(1);
  EXPECT_EQ(rec().typeDUnlocked, 1);
}

TEST_F(GameTest, NewGameClearsTheHiddenFlags) {
  for (char k : {'G', 'O', 'D', 'T', 'Y', 'P'}) Down(k);
  Frames(1);
  Down('Z');
  Frames(2);
  EXPECT_EQ(game().gameMode, kx::kPlay);
  EXPECT_EQ(game().invincible, 0);
  EXPECT_EQ(rec().typeDUnlocked, 0);
}

TEST_F(GameTest, WithoutAJoystickEveryJoystickFieldStaysZero) {
  Frames(3);
  EXPECT_EQ(game().joyXLow, 0u);
  EXPECT_EQ(game().joyYHigh, 0u);
  EXPECT_EQ(rec().joyButton1 + rec().joyButtons + rec().joySwitch, 0);
}

class JoystickGameTest : public GameTest {
 protected:
  JoystickGameTest() { config_.joystick = plat::JOYCAPS{0, 65535, 300, 900}; }
};

TEST_F(JoystickGameTest, ThresholdsLeaveTheMiddleThirdOfEachAxis) {
  EXPECT_EQ(game().joyXLow, 21845u);
  EXPECT_EQ(game().joyXHigh, 43690u);
  EXPECT_EQ(game().joyYLow, 500u);
  EXPECT_EQ(game().joyYHigh, 700u);
}

TEST_F(JoystickGameTest, MenuPollReadsButtonsOneTwoAndThreeAloneOnly) {
  // Buttons 1 and 2 together mean the special attack in play; a menu ignores them.
  control().SetJoystick(plat::JOYINFO{32767, 600, 0, 3});
  Frames(5);
  EXPECT_EQ(game().gameMode, kx::kTitle);
  control().SetJoystick(plat::JOYINFO{32767, 600, 0, 8});  // button 4
  Frames(5);
  EXPECT_EQ(game().gameMode, kx::kTitle);
  control().SetJoystick(plat::JOYINFO{32767, 600, 0, 4});  // button 3
  Frames(1);
  EXPECT_EQ(rec().joySwitch, 1);
  EXPECT_EQ(game().gameMode, kx::kNewGame);
}

}  // namespace
}  // namespace kxtest
