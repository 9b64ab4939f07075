// The layout of the state record, the direction tables and the stage reset.
#include <cstddef>

#include "game_fixture.h"

namespace kxtest {
namespace {

#define KX_INDEX(field) (offsetof(kx::GameRecord, field) / sizeof(kx::i32))

TEST(GameRecordLayout, FieldsSitAtTheirIndices) {
  EXPECT_EQ(KX_INDEX(score), 0u);
  EXPECT_EQ(KX_INDEX(stage), 1u);
  EXPECT_EQ(KX_INDEX(keyDown), 2u);
  EXPECT_EQ(KX_INDEX(keySwitch), 8u);
  EXPECT_EQ(KX_INDEX(demoDown), 9u);
  EXPECT_EQ(KX_INDEX(demoFireLatch), 15u);
  EXPECT_EQ(KX_INDEX(joyDown), 16u);
  EXPECT_EQ(KX_INDEX(joySwitch), 22u);
  EXPECT_EQ(KX_INDEX(releaseLatch), 23u);
  EXPECT_EQ(KX_INDEX(weaponType), 25u);
  EXPECT_EQ(KX_INDEX(condition), 27u);
  EXPECT_EQ(KX_INDEX(backScrollX), 31u);
  EXPECT_EQ(KX_INDEX(starTick), 33u);
  EXPECT_EQ(KX_INDEX(levelC), 36u);
  EXPECT_EQ(KX_INDEX(podState), 39u);
  EXPECT_EQ(KX_INDEX(podAngle), 40u);
  EXPECT_EQ(KX_INDEX(moveDir), 42u);
  EXPECT_EQ(KX_INDEX(podTimer), 43u);
  EXPECT_EQ(KX_INDEX(podDir), 44u);
  EXPECT_EQ(KX_INDEX(podPhase), 46u);
  EXPECT_EQ(KX_INDEX(podCentreY), 49u);
  EXPECT_EQ(KX_INDEX(shipMotion), 50u);
  EXPECT_EQ(KX_INDEX(scriptPos), 54u);
  EXPECT_EQ(KX_INDEX(hitFrame), 57u);
  EXPECT_EQ(KX_INDEX(recoverPoints), 58u);
  EXPECT_EQ(KX_INDEX(soundRequest), 60u);
  EXPECT_EQ(KX_INDEX(endingTextY), 61u);
  EXPECT_EQ(KX_INDEX(typeDUnlocked), 63u);
  EXPECT_EQ(KX_INDEX(chargeTick), 66u);
  EXPECT_EQ(KX_INDEX(chainLarge), 68u);
  EXPECT_EQ(KX_INDEX(demoScript), 70u);
  EXPECT_EQ(KX_INDEX(legendLit), 71u);
  EXPECT_EQ(KX_INDEX(podFlash), 78u);
  EXPECT_EQ(KX_INDEX(musicRequest), 79u);
  EXPECT_EQ(KX_INDEX(continueChoice), 81u);
  EXPECT_EQ(KX_INDEX(continued), 83u);
}

TEST_F(GameTest, DirectionTablesTruncateTowardZero) {
  const std::array<kx::i32, 16> cos = {16, 14, 11, 6, 0, -6, -11, -14,
                                       -15, -14, -11, -6, 0, 6, 11, 14};
  const std::array<kx::i32, 16> sin = {0, 6, 11, 14, 15, 14, 11, 6,
                                       0, -6, -11, -14, -15, -14, -11, -6};
  EXPECT_EQ(game().cosTable16, cos);
  EXPECT_EQ(game().sinTable16, sin);
}

TEST_F(GameTest, StageResetKeepsTheGameButEmptiesTheWorld) {
  rec().score = 5000;
  rec().condition = 2;
  rec().levelA = 2;
  rec().clearGrade = 0;
  rec().scriptPos = 17;
  for (auto& e : game().world.enemies) e.state = 1;
  game().world.popups[50].timer = 9;
  game().ResetWorld();
  EXPECT_EQ(rec().score, 5000);
  EXPECT_EQ(rec().condition, 2);
  EXPECT_EQ(rec().levelA, 2);
  EXPECT_EQ(rec().clearGrade, 2);
  EXPECT_EQ(rec().scriptPos, 0);
  EXPECT_EQ(rec().podAngle[1], 21);
  EXPECT_EQ(game().world.enemies[39].state, 0);
  EXPECT_EQ(game().world.popups[50].timer, 0);
  EXPECT_EQ(game().world.shipTrail[7].x, -170);
  EXPECT_EQ(game().world.shipTrail[7].bank, 4);
  EXPECT_EQ(game().world.podTrail[2].y[1], 150);
}

}  // namespace
}  // namespace kxtest
