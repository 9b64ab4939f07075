// The stage script: table shapes, waits, the empty-screen wait, spawning into
// a full table, stalls, the clear opcodes and a few spawn rules.
#include <algorithm>

#include "world_fixture.h"

namespace kxtest {
namespace {

using kx::WorldProbe;

int IndexOf(std::span<const std::int16_t> script, int op) {
  return static_cast<int>(std::find(script.begin(), script.end(), op) - script.begin());
}

class ScriptTest : public WorldTest {
 protected:
  // Script steps until scriptPos moves (at most 50).
  int StepsUntilAdvance() {
    const auto start = rec().scriptPos;
    for (int n = 1; n <= 50; ++n) {
      WorldProbe::ScriptStep(game());
      if (rec().scriptPos != start) return n;
    }
    return -1;
  }
};

TEST(StageScripts, LengthsAndLandmarks) {
  EXPECT_EQ(kx::kStage1Script.size(), 230u);
  EXPECT_EQ(kx::kStage2Script.size(), 350u);
  EXPECT_EQ(kx::kStage3Script.size(), 380u);
  // Song and banner first, then the boss, its wait, the clear, trailing waits.
  EXPECT_EQ(kx::kStage1Script[0], 71);
  EXPECT_EQ(kx::kStage1Script[1], 1);
  EXPECT_EQ(kx::kStage1Script[189], 18);
  EXPECT_EQ(kx::kStage1Script[191], 19);
  EXPECT_EQ(kx::kStage1Script[195], 78);
  EXPECT_EQ(kx::kStage2Script[1], 2);
  EXPECT_EQ(kx::kStage2Script[321], 38);
  EXPECT_EQ(kx::kStage2Script[327], 78);
  EXPECT_EQ(kx::kStage3Script[333], 43);
  EXPECT_EQ(kx::kStage3Script[337], 44);
  EXPECT_EQ(kx::kStage3Script[339], 79);
  for (auto script : {kx::StageScript(0), kx::StageScript(1), kx::StageScript(2)}) {
    EXPECT_EQ(script.back(), 0);
    EXPECT_EQ(IndexOf(script, 75), static_cast<int>(script.size()));  // no stalls
    EXPECT_EQ(IndexOf(script, 77), static_cast<int>(script.size()));
  }
  EXPECT_TRUE(kx::StageScript(3).empty());
}

TEST_F(ScriptTest, LongWaitTakesSixStepsShortWaitTwo) {
  rec().scriptPos = IndexOf(kx::kStage1Script, 0);
  EXPECT_EQ(StepsUntilAdvance(), 6);
  rec().scriptPos = IndexOf(kx::kStage1Script, 8);
  EXPECT_EQ(StepsUntilAdvance(), 2);
  EXPECT_EQ(rec().scriptWait, 0);
  EXPECT_EQ(rec().scriptOp, 8);
}

TEST_F(ScriptTest, EmptyScreenWaitCountsExplosionsAndItems) {
  rec().scriptPos = IndexOf(kx::kStage1Script, 19);
  kx::Enemy* item = Spawn(3, 500, 150, 10, 44, 26, 4);
  kx::Enemy* boom = Spawn(kKindWithoutMotion, 500, 150, 1, 10, 10, 1);
  boom->state = 2;
  WorldProbe::ScriptStep(game());
  EXPECT_EQ(rec().scriptPos, IndexOf(kx::kStage1Script, 19));
  item->state = 0;
  WorldProbe::ScriptStep(game());
  EXPECT_EQ(rec().scriptPos, IndexOf(kx::kStage1Script, 19));
  boom->state = 0;
  WorldProbe::ScriptStep(game());
  EXPECT_EQ(rec().scriptPos, IndexOf(kx::kStage1Script, 19) + 1);
}

TEST_F(ScriptTest, SpawnIntoFullTableIsDroppedAndScriptGoesOn) {
  for (int i = 0; i < kx::kEnemies; ++i) Spawn(kKindWithoutMotion, 500, 150, 1, 10, 10, 1);
  for (int op : {4, 16, 60, 64}) {
    EXPECT_TRUE(WorldProbe::RunOpcode(game(), op)) << op;
  }
  EXPECT_EQ(Alive(kKindWithoutMotion), kx::kEnemies);
  rec().scriptPos = IndexOf(kx::kStage1Script, 17);
  WorldProbe::ScriptStep(game());
  EXPECT_EQ(rec().scriptPos, IndexOf(kx::kStage1Script, 17) + 1);
  // A table with room takes what fits, from the lowest free slot.
  Enemy(3).state = 0;
  Enemy(9).state = 0;
  WorldProbe::RunOpcode(game(), 17);  // five spawns, two fit
  EXPECT_EQ(Enemy(3).kind, 13);
  EXPECT_EQ(Enemy(9).kind, 13);
  EXPECT_EQ(Enemy(3).frame, 0);
  EXPECT_EQ(Enemy(9).frame, 1);
}

TEST_F(ScriptTest, StallsAndTheEndOfTheTableHold) {
  for (int op : {75, 77, 81, 200}) EXPECT_FALSE(WorldProbe::RunOpcode(game(), op)) << op;
  rec().scriptPos = 230;  // one past the last opcode
  WorldProbe::ScriptStep(game());
  EXPECT_EQ(rec().scriptPos, 230);
  rec().stage = 3;  // no script for the ending's stage number
  rec().scriptPos = 0;
  WorldProbe::ScriptStep(game());
  EXPECT_EQ(rec().scriptPos, 0);
}

TEST_F(ScriptTest, ClearPaysByGrade) {
  rec().score = 0;
  rec().clearGrade = 2;
  WorldProbe::RunOpcode(game(), 78);
  EXPECT_EQ(rec().shipMotion, 2);
  EXPECT_EQ(rec().shipMotionSpeed, 0);
  EXPECT_EQ(rec().soundRequest, 13);
  EXPECT_EQ(rec().score, 30000);
  EXPECT_NE(FindPopup(8), nullptr);
  EXPECT_NE(FindPopup(15), nullptr);

  game().ResetWorld();
  rec().clearGrade = 1;
  WorldProbe::RunOpcode(game(), 79);
  EXPECT_EQ(rec().soundRequest, 0);
  EXPECT_EQ(rec().score, 40000);
  EXPECT_NE(FindPopup(10), nullptr);
  EXPECT_NE(FindPopup(16), nullptr);

  game().ResetWorld();
  rec().clearGrade = 0;  // a continue was used: no bonus
  WorldProbe::RunOpcode(game(), 78);
  EXPECT_EQ(rec().score, 40000);
  EXPECT_EQ(FindPopup(15), nullptr);
  EXPECT_EQ(FindPopup(16), nullptr);
}

TEST_F(ScriptTest, MusicOpcodesWriteRequests) {
  const std::pair<int, int> requests[] = {{71, 2}, {72, 3}, {73, 4}, {74, 5}, {76, 7}, {44, 10}};
  for (auto [op, code] : requests) {
    rec().musicRequest = 0;
    EXPECT_TRUE(WorldProbe::RunOpcode(game(), op));
    EXPECT_EQ(rec().musicRequest, code) << op;
  }
  rec().musicRequest = 0;
  EXPECT_TRUE(WorldProbe::RunOpcode(game(), 80));  // fade-out is no song request
  EXPECT_EQ(rec().musicRequest, 0);
}

TEST_F(ScriptTest, PoweredUpWeaponsTurnThePowerCarrierIntoAScoreCarrier) {
  WorldProbe::RunOpcode(game(), 54);
  EXPECT_EQ(Enemy(0).look, 35);
  rec().levelA = rec().levelB = rec().levelC = 2;
  WorldProbe::RunOpcode(game(), 54);
  WorldProbe::RunOpcode(game(), 6);
  EXPECT_EQ(Enemy(1).look, 2);
  EXPECT_EQ(Enemy(2).look, 1);
  EXPECT_EQ(Enemy(1).kind, 2);
}

TEST_F(ScriptTest, AimedDiverSpeedIsDoubledAndHalvedAtMostTwice) {
  // Opcode 41 comes from x -30 at y random(300): peek at that value.
  plat::SeedRandom(11);
  const kx::i32 y = plat::random(300);
  plat::SeedRandom(11);
  PlaceShip(-10, y + 20);  // a twentieth of the way is (1, 1)
  WorldProbe::RunOpcode(game(), 41);
  EXPECT_EQ(Enemy(0).p0, 4);
  EXPECT_EQ(Enemy(0).p1, 4);

  plat::SeedRandom(11);
  PlaceShip(370, y);  // (20, 0): doubled twice, halved twice
  WorldProbe::RunOpcode(game(), 41);
  EXPECT_EQ(Enemy(1).p0, 20);
  EXPECT_EQ(Enemy(1).p1, 0);
}

}  // namespace
}  // namespace kxtest
