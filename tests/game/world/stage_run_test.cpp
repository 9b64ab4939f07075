// Stage 1 played by the real frame loop with the no-damage flag and no
// input beyond the start: the script runs every sixth frame, every wave
// leaves or is rammed, and the script reaches the boss and then waits for it.
#include "plat/base.h"
#include "world_fixture.h"

namespace kxtest {
namespace {

class StageRunTest : public GameTest {
 protected:
  StageRunTest() { options_.invincibleEveryGame = true; }
};

TEST_F(StageRunTest, FirstStageReachesItsBossAndWaitsForIt) {
  Frames(2);
  Tap('Z');  // new game
  Frames(2);
  ASSERT_EQ(game().gameMode, kx::kPlay);

  // Six frames per script step.
  const auto tick = rec().scriptTick;
  Frames(6);
  EXPECT_EQ(rec().scriptTick, tick);

  int frames = 0;
  while (rec().scriptPos < 190 && frames < 20000) {
    Frames(1);
    ++frames;
  }
  EXPECT_EQ(rec().scriptPos, 190);
  EXPECT_EQ(rec().scriptOp, 18);
  int bosses = 0;
  for (const auto& e : game().world.enemies) bosses += e.state == 1 && e.kind == 14;
  EXPECT_EQ(bosses, 1);
  EXPECT_EQ(game().gameMode, kx::kPlay);
  EXPECT_EQ(rec().condition, 0);  // nothing got through the no-damage flag

  Frames(400);  // the boss holds the empty-screen wait
  EXPECT_EQ(rec().scriptPos, 191);
  EXPECT_EQ(rec().scriptOp, 19);
}

}  // namespace
}  // namespace kxtest
