// The controls demonstration and the idle cycle around it: the legend lights
// the keys each command simulates, and the demonstration hands back to the
// title by itself.
#include <string>
#include <vector>

#include "game/game_fixture.h"
#include "game/screens/controls_script.h"
#include "screen_pixels.h"

namespace kxtest {
namespace {

// The keys each command simulates, in legend flag order: Z boost, X fire,
// C switch, then the arrows U D L R.
constexpr const char* kKeysOf[29] = {
    "",   "Z",   "X",   "C",   "ZX",  "U",   "D",   "L",   "R",   "UR",  "DR",  "UL",  "DL",  "ZU",  "ZD",
    "ZL", "ZR",  "ZUR", "ZDR", "ZUL", "ZDL", "XU",  "XD",  "XL",  "XR",  "XUR", "XDR", "XUL", "XDL"};

std::string LitKeys(const kx::GameRecord& g) {
  std::string keys;
  for (int i = 0; i < 7; ++i)
    if (g.legendLit[i] != 0) keys += "ZXCUDLR"[i];
  return keys;
}

class ControlsDemoTest : public GameTest {
 protected:
  // The first title timeout opens the demonstration.
  void SetUp() override {
    GameTest::SetUp();
    Frames(101);
    ASSERT_EQ(game().gameMode, kx::kHowToPlay);
  }
  // Frame f of the demonstration runs the command at f / 4; this runs the
  // first frame of the script's first `command`.
  void RunFirstFrameOf(int command) {
    int index = 0;
    while (kx::kControlsScript[index] != command) ++index;
    Frames(4 * index - 1);
    ASSERT_EQ(rec().podState, 0);
    Frames(1);
  }
};

TEST_F(ControlsDemoTest, LegendLightsExactlyTheSimulatedKeysUntilTheScriptEnds) {
  for (int f = 1; f < 1160; ++f) {
    Frames(1);
    ASSERT_EQ(game().gameMode, kx::kHowToPlay) << "frame " << f;
    const int command = kx::kControlsScript[f / 4];
    ASSERT_EQ(LitKeys(rec()), kKeysOf[command]) << "frame " << f << " command " << command;
  }
  Frames(1);
  EXPECT_EQ(game().gameMode, kx::kTitle);
}

TEST_F(ControlsDemoTest, LitLinesShowBrightAndTheOthersDim) {
  RunFirstFrameOf(27);  // fire + up + left
  const int lineY[7] = {35, 70, 105, 140, 175, 210, 245};
  const bool lit[7] = {false, true, false, true, true, false, false};
  for (int n = 0; n < 7; ++n) {
    SCOPED_TRACE(n);
    const int x = n < 3 ? 35 : 155, y = lineY[n];
    const auto& shot = game().I2.picture;
    EXPECT_EQ(CountColour(shot, x, y, 400, y + 20, 0xFDEE66) > 0, lit[n]);  // toolkit 0x66EEFD
    EXPECT_EQ(CountColour(shot, x, y, 400, y + 20, 0x505011) > 0, !lit[n]);  // toolkit 0x115050
  }
}

TEST_F(ControlsDemoTest, TheSpecialAttackCommandLaunchesThePods) {
  RunFirstFrameOf(4);
  EXPECT_EQ(rec().podState, 1);
}

// With no input: Title 101 frames, HowToPlay 1160, Title 101, Demo 301,
// Title 101, then HowToPlay again.
TEST_F(GameTest, IdleCycleRunsTitleControlsTitleDemoTitleWithExactLengths) {
  Frames(101 + 1160 + 101 + 301 + 101);
  const std::vector<std::pair<int, std::uint32_t>> expected = {
      {1, kx::kTitle},   {101, kx::kHowToPlay}, {1261, kx::kTitle},
      {1362, kx::kDemo}, {1663, kx::kTitle},    {1764, kx::kHowToPlay}};
  EXPECT_EQ(game().Log().modes, expected);
}

}  // namespace
}  // namespace kxtest
