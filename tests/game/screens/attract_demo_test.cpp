// The attract demo: script timing, spawns into a full table, and the demo
// that follows the ending picking its script up from the top.
#include <algorithm>

#include "game/game_fixture.h"

namespace kxtest {
namespace {

class AttractDemoTest : public GameTest {
 protected:
  // The title's timeout opens the demo; its first frame follows.
  void SetUp() override {
    GameTest::SetUp();
    game().attractToggle = 0;
    Frames(101);
    ASSERT_EQ(game().gameMode, kx::kDemo);
  }
  int Live(kx::i32 kind) {
    const auto& t = game().world.enemies;
    return static_cast<int>(std::count_if(
        t.begin(), t.end(), [&](const kx::Enemy& e) { return e.state == 1 && e.kind == kind; }));
  }
};

TEST_F(AttractDemoTest, CommandsTakeSixFramesWaitsTwelveAndTheScriptRepeats) {
  // Script 0 opens: a station from above, a wait, a station from below.
  Frames(5);
  EXPECT_EQ(Live(36), 0);
  Frames(1);
  EXPECT_EQ(Live(36), 1);
  Frames(17);
  EXPECT_EQ(Live(37), 0);
  Frames(1);
  EXPECT_EQ(Live(37), 1);
  // Nine spawns of one step and nine waits of two: 27 steps, then again.
  Frames(161 - 24);
  EXPECT_EQ(rec().scriptPos, 17);
  Frames(1);
  EXPECT_EQ(rec().scriptPos, 0);
}

TEST_F(AttractDemoTest, AFullEnemyTableDropsTheSpawnButTheScriptGoesOn) {
  for (auto& e : game().world.enemies) {
    e = kx::Enemy{};
    e.state = 1;
    e.kind = 99;  // stands still
  }
  Frames(6);
  EXPECT_EQ(rec().scriptPos, 1);
  EXPECT_EQ(Live(99), kx::kEnemies);
  game().world.enemies[17].state = 0;
  Frames(18);  // the wait, then the next spawn takes the free slot
  EXPECT_EQ(game().world.enemies[17].kind, 37);
}

TEST_F(AttractDemoTest, AfterTheEndingTheScriptStartsFromItsTop) {
  rec().scriptPos = 468;  // the last stage's position, left by the ending
  Frames(6);
  EXPECT_EQ(rec().scriptPos, 1);
  EXPECT_EQ(Live(36), 1);
}

}  // namespace
}  // namespace kxtest
