// Representative enemy kinds, spawned by their opcodes from a known seed and
// followed frame by frame.
#include "world_fixture.h"

namespace kxtest {
namespace {

using kx::WorldProbe;

class EnemyTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    PlaceShip(-170, 150);  // out of the way unless a test needs it
  }
};

TEST_F(EnemyTest, SwooperBrakesStopsAndFiresThreeShotsThreeFramesApart) {
  WorldProbe::RunOpcode(game(), 4);
  kx::Enemy& e = Enemy(0);
  const kx::i32 y0 = e.y, vy = e.p0;
  EnemyPasses(36);  // 12 frames each at 6, 4 and 2 pixels
  EXPECT_EQ(e.x, 430 - 144);
  EXPECT_EQ(e.y, y0 + 36 * vy);
  std::vector<int> shotFrames;
  for (int f = 37; f <= 46; ++f) {
    const int before = ActiveShots(0);
    EnemyPasses(1);
    if (ActiveShots(0) > before) shotFrames.push_back(f);
  }
  EXPECT_EQ(shotFrames, (std::vector<int>{40, 43, 46}));
  EXPECT_EQ(e.x, 430 - 144);  // parked while it fires
  EXPECT_EQ(game().world.enemyShots[0].x, e.x - 10);
  EnemyPasses(5);  // tilts back (frame 15 down to 12)...
  EXPECT_EQ(e.x, 430 - 144);
  EnemyPasses(60);  // ...then away to the right, accelerating
  EXPECT_EQ(e.state, 0);
}

TEST_F(EnemyTest, FighterDartsInBrakesAndTurnsBack) {
  WorldProbe::RunOpcode(game(), 6);
  kx::Enemy& e = Enemy(0);
  const kx::i32 hold = e.p1 + 1;  // frames per speed step
  EnemyPasses(hold - 1);
  EXPECT_EQ(e.x, 430 - 18 * (hold - 1));
  EnemyPasses(1);
  EXPECT_EQ(e.frame, 1);
  EXPECT_EQ(e.x, 430 - 18 * (hold - 1) - 8);
  kx::i32 lowest = e.x;
  for (int i = 0; i < 200 && e.state == 1; ++i) {
    EnemyPasses(1);
    if (e.state == 1 && e.x < lowest) lowest = e.x;
  }
  EXPECT_EQ(e.state, 0);  // left to the right
  EXPECT_GT(lowest, 0);
}

TEST_F(EnemyTest, WeaverDropsTorpedoesThatBackOffThenRace) {
  WorldProbe::RunOpcode(game(), 11);
  EnemyPasses(10);
  ASSERT_EQ(Alive(7), 1);
  EXPECT_EQ(rec().soundRequest, 16);
  const kx::Enemy& t = Enemy(1);
  // Launched at the weaver (x 390) into a higher slot, it moved at once:
  // backing off by 6, 4, 2, then racing left.
  EXPECT_EQ(t.x, 396);
  EnemyPasses(1);
  EXPECT_EQ(t.x, 400);
  EnemyPasses(2);
  EXPECT_EQ(t.x, 402);
}

TEST_F(EnemyTest, CurvingPairsBankAndFire) {
  WorldProbe::RunOpcode(game(), 12);  // from the right, top lane
  WorldProbe::RunOpcode(game(), 14);  // from the left, top lane
  EnemyPasses(22);
  EXPECT_EQ(Enemy(0).y, 40);  // straight for 22 frames
  EnemyPasses(1);
  EXPECT_EQ(Enemy(0).y, 40);  // p1 / 2 is still 0
  EnemyPasses(2);
  EXPECT_EQ(Enemy(0).y, 41);  // then curving toward mid-screen
  EnemyPasses(35);
  EXPECT_EQ(Enemy(0).frame, 3);
  EXPECT_EQ(Enemy(1).frame, 3);
  EnemyPasses(20);
  // Both fire at curve frames 33 and 43; the pair from the left is gone
  // (x > 420) before its third shot at 53.
  EXPECT_EQ(ActiveShots(1), 4);
  EXPECT_EQ(Alive(8) + Alive(10), 0);
}

TEST_F(EnemyTest, AimedShotIsPushedIntoItsSpeedRange) {
  PlaceShip(142, 150);
  WorldProbe::RunOpcode(game(), 23);  // sine shooter at (440, 40), aims every 21 frames
  EnemyPasses(21);
  ASSERT_EQ(ActiveShots(2), 1);
  const kx::EnemyShot& s = game().world.enemyShots[0];
  EXPECT_LT(s.vx, 0);  // toward the ship
  EXPECT_GT(s.vy, 0);
  EXPECT_LE(std::abs(s.vx), 6);
  EXPECT_LE(std::abs(s.vy), 6);
  EXPECT_EQ(rec().soundRequest, 7);
}

TEST_F(EnemyTest, SpreadPodFiresNineAimedShotsThenDashesRight) {
  WorldProbe::RunOpcode(game(), 35);  // four pods with fixed speeds
  EnemyPasses(60);
  EXPECT_EQ(ActiveShots(3), 3 * 4);
  EXPECT_EQ(ActiveShots(4), 3 * 4);
  EXPECT_EQ(ActiveShots(5), 3 * 4);
  EXPECT_EQ(game().world.enemyShots[0].dir, 15);
  EXPECT_EQ(Alive(25), 0);  // dashed out to the right
}

TEST_F(EnemyTest, SpawnedLowerSlotWaitsForTheNextFrame) {
  Spawn(kKindWithoutMotion, -500, 0, 1, 1, 1, 1);  // slot 0, freed below
  WorldProbe::RunOpcode(game(), 11);               // weaver in slot 1
  Enemy(0).state = 0;
  EnemyPasses(10);  // the torpedo lands in slot 0
  ASSERT_EQ(Enemy(0).kind, 7);
  EXPECT_EQ(Enemy(0).x, Enemy(1).x);  // not moved yet
}

}  // namespace
}  // namespace kxtest
