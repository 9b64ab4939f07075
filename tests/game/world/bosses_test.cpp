// The three bosses spawned by their opcodes and followed frame by frame: the
// movement machines, the attack cycles and the last boss's chain of forms.
// Only the enemy pass runs, so enemy shots stay where they were fired; each
// frame's new shots are collected and cleared.
#include <algorithm>
#include <map>
#include <vector>

#include "world_fixture.h"

namespace kxtest {
namespace {

using kx::i32;
using kx::WorldProbe;

class BossTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    PlaceShip(-170, 150);  // out of every box: the bosses never get hit
  }
  // One enemy pass; returns the enemy shots it fired and empties the table.
  std::vector<kx::EnemyShot> Step() {
    EnemyPasses(1);
    std::vector<kx::EnemyShot> fired;
    for (auto& s : game().world.enemyShots) {
      if (s.active) fired.push_back(s);
      s.active = 0;
    }
    return fired;
  }
  static int Count(const std::vector<kx::EnemyShot>& shots, i32 kind) {
    return static_cast<int>(std::count_if(shots.begin(), shots.end(),
                                          [kind](const auto& s) { return s.kind == kind; }));
  }
  // Children of `kind` launched since the last call, which are spawned with
  // `hp` and marked as seen by one more hit point.
  int NewChildren(i32 kind, i32 hp = 1) {
    int n = 0;
    for (auto& e : game().world.enemies) {
      if (e.state == 1 && e.kind == kind && e.hp == hp) {
        ++n;
        e.hp = hp + 1;
      }
    }
    return n;
  }
  void KillWithShot(int slot) {
    Enemy(slot).hp = 1;
    Shot(0, 5, Enemy(slot).x, Enemy(slot).y, 6);
    EnemyPasses(1);
  }
  // The first form in slot 0 killed at its patrol; returns the second form.
  kx::Enemy& ReachSecondForm() {
    WorldProbe::RunOpcode(game(), 43);
    for (int i = 0; i < 160; ++i) Step();
    KillWithShot(0);
    return Enemy(27);
  }
};

TEST_F(BossTest, StageOneBossCirclesADiamondTiltingWithItsClimb) {
  WorldProbe::RunOpcode(game(), 18);
  const kx::Enemy& boss = Enemy(0);
  std::vector<i32> legs;
  for (int f = 0; f < 700; ++f) {
    const i32 leg = boss.p0, lastX = boss.x, lastY = boss.y;
    Step();
    if (boss.p0 != leg) {
      legs.push_back(boss.p0);
      // In at x 290; turning points y 150 and 260 on the way down, x 340, y 50.
      const bool intoLoop = leg == 0 ? boss.x < 290 && lastX >= 290 : boss.y < 50 && lastY >= 50;
      const bool crossed[5] = {false, intoLoop, boss.y > 150 && lastY <= 150,
                               boss.y > 260 && lastY <= 260, boss.x > 340 && lastX <= 340};
      EXPECT_TRUE(crossed[boss.p0]) << "into leg " << boss.p0 << " at " << boss.x << "," << boss.y;
    }
    if (leg != 0) {  // the loop stays on screen, clear of the left edge
      EXPECT_TRUE(boss.x > 100 && boss.x < 360) << boss.x;
      EXPECT_TRUE(boss.y > 40 && boss.y < 270) << boss.y;
    }
    // Full vertical speed: nose down (0) diving, up (4) climbing.
    const i32 tilt = boss.frame - 5 * boss.p5;
    EXPECT_TRUE(tilt >= 0 && tilt <= 4);
    EXPECT_TRUE(boss.p2 < 6 || tilt == (boss.p0 >= 3 ? 4 : 0)) << f;
  }
  ASSERT_GE(legs.size(), 6u);
  EXPECT_EQ(std::vector<i32>(legs.begin(), legs.begin() + 6), (std::vector<i32>{1, 2, 3, 4, 1, 2}));
}

TEST_F(BossTest, StageOneBossRunsItsWholeAttackCycle) {
  WorldProbe::RunOpcode(game(), 18);
  const kx::Enemy& boss = Enemy(0);
  std::map<i32, int> shots;
  int missiles = 0, recoils = 0;
  // One cycle: waits of 31 frames, charge 20, ring, beams 26, missiles 61,
  // thrown shots 40.
  for (int f = 0; f < 31 * 4 + 20 + 1 + 26 + 61 + 40; ++f) {
    const auto fired = Step();
    for (const auto& s : fired) shots[s.kind] += 1;
    missiles += NewChildren(15);
    if (Count(fired, 6) > 0) {
      EXPECT_EQ(fired[0].x, boss.x - 16);
      EXPECT_GE(boss.frame, 5);  // the recoil cell for this frame only
      ++recoils;
    } else {
      EXPECT_LE(boss.frame, 4);
    }
    if (Count(fired, 22) > 0) {
      EXPECT_EQ(Count(fired, 22), 16);
      EXPECT_EQ(rec().soundRequest, 14);
    }
  }
  EXPECT_EQ(shots[22], 16);
  EXPECT_EQ(shots[6], 7);
  EXPECT_EQ(shots[7], 7);
  EXPECT_EQ(recoils, 7);
  EXPECT_EQ(missiles, 21);
  EXPECT_EQ(shots[20], 10);
  EXPECT_EQ(boss.p3, 0);  // back to the first wait
}

TEST_F(BossTest, DamagedStageOneBossOnlyChargesAndFiresRings) {
  WorldProbe::RunOpcode(game(), 18);
  Enemy(0).hp = 39;
  std::vector<int> ringFrames;
  for (int f = 0; f < 700; ++f) {
    const auto fired = Step();
    if (Count(fired, 22) == 16) ringFrames.push_back(f);
    EXPECT_EQ(static_cast<int>(fired.size()), Count(fired, 22));
    EXPECT_EQ(NewChildren(15), 0);
  }
  ASSERT_GE(ringFrames.size(), 10u);
  for (size_t i = 1; i < ringFrames.size(); ++i)  // wait 31, charge 20, ring
    EXPECT_EQ(ringFrames[i] - ringFrames[i - 1], 52);
}

TEST_F(BossTest, StageTwoBossLeavesToTheLeftAndSweepsBackFiringFans) {
  WorldProbe::RunOpcode(game(), 38);
  const kx::Enemy& boss = Enemy(0);
  int f = 0;
  for (; f < 1000 && boss.p0 != 8; ++f) Step();
  ASSERT_EQ(boss.p0, 8);
  EXPECT_EQ(boss.x, -80);
  std::vector<i32> fanOrigins;
  int fanShots = 0;
  while (boss.p0 == 8) {
    const i32 x = boss.x;
    const auto fired = Step();
    if (boss.p0 == 8) {
      EXPECT_EQ(boss.x, x + 3);
    }
    fanShots += Count(fired, 20);
    if (!fired.empty()) fanOrigins.push_back(fired[0].x - 35);
  }
  EXPECT_EQ(fanOrigins, (std::vector<i32>{55, 100, 145, 190, 235, 280}));
  EXPECT_EQ(fanShots, 3 * 6 + 3 * 7);
  EXPECT_GT(boss.x, 305);
  int debris = 0, flashes = 0;
  for (int i = 0; i < 1000 && boss.p0 != 13; ++i) {
    const auto fired = Step();
    debris += NewChildren(60);
    flashes += Count(fired, 26);
  }
  EXPECT_EQ(debris, 73);
  EXPECT_EQ(flashes, 22);
  // States 5..17 repeat: a second dash off the left edge.
  int dashes = 0;
  for (int i = 0; i < 2000 && dashes < 1; ++i) {
    const i32 state = boss.p0;
    Step();
    dashes += state == 7 && boss.p0 == 8;
  }
  EXPECT_EQ(dashes, 1);
  EXPECT_EQ(boss.x, -80);
}

TEST_F(BossTest, LastBossFirstFormPatrolsAndTurnsItsPinwheelBothWays) {
  WorldProbe::RunOpcode(game(), 43);
  const kx::Enemy& boss = Enemy(0);
  i32 lowY = 1000, highY = -1000;
  std::vector<i32> armX;  // arm 0's vx / 3 per pinwheel volley, by step
  std::vector<i32> armSteps;
  for (int f = 0; f < 700; ++f) {
    const i32 step = boss.p2;
    const auto fired = Step();
    if (boss.p0 != 0) {
      EXPECT_EQ(boss.x, 300);
      lowY = std::min(lowY, boss.y);
      highY = std::max(highY, boss.y);
    }
    if (Count(fired, 9) > 0) {  // the barrage: six speeds from two barrels
      EXPECT_EQ(fired.size(), 12u);
      EXPECT_EQ(fired[0].x, boss.x - 50);
    }
    if (Count(fired, 16) == 4) {
      armX.push_back(fired[0].vx / 3);
      armSteps.push_back(step);
    }
  }
  EXPECT_EQ(lowY, 100);
  EXPECT_EQ(highY, 200);
  ASSERT_GE(armX.size(), 12u);
  for (size_t i = 1; i < armX.size(); ++i) {
    if (armSteps[i] != armSteps[i - 1]) continue;
    if (armSteps[i] == 9 || armSteps[i] == 13) {
      EXPECT_EQ(armX[i], armX[i - 1] == 4 ? 0 : armX[i - 1] + 1);
    } else {
      EXPECT_EQ(armX[i], armX[i - 1] == 0 ? 5 : armX[i - 1] - 1);
    }
  }
}

TEST_F(BossTest, LastBossFormsTakeTheirFixedSlotsOverWhateverWasThere) {
  for (int i = 0; i < kx::kEnemies; ++i) Spawn(kKindWithoutMotion, 100, 100, 1, 10, 10, 1);
  Enemy(5) = kx::Enemy{1, 300, 150, 0, 31, 1, 92, 36, 0, 0, 0, 0, 0, 0, 0, 25};
  Shot(0, 5, 300, 150, 6);
  EnemyPasses(1);
  EXPECT_EQ(Enemy(27).kind, 33);
  EXPECT_EQ(Enemy(27).hp, 500);
  EXPECT_EQ(Enemy(27).x, Enemy(5).x);
  for (int slot : {28, 29, 30}) {
    EXPECT_EQ(Enemy(slot).kind, 34);
    EXPECT_EQ(Enemy(slot).state, 1);
  }
  // The turrets circle the second form wherever it goes.
  for (int f = 0; f < 120; ++f) {
    Step();
    for (int slot : {28, 29, 30}) {
      EXPECT_LE(std::abs(Enemy(slot).x - Enemy(27).x), 60);
      EXPECT_LE(std::abs(Enemy(slot).y - Enemy(27).y), 100);
    }
  }
  EXPECT_NE(Enemy(28).x, Enemy(29).x);
  KillWithShot(27);
  for (int slot : {28, 29, 30}) {  // all in the same explosion frame
    EXPECT_EQ(Enemy(slot).state, 2);
    EXPECT_EQ(Enemy(slot).frame, Enemy(28).frame);
  }
  EXPECT_EQ(Enemy(26).kind, 59);
  EXPECT_EQ(Enemy(26).look, 48);
  EXPECT_EQ(Enemy(26).x, Enemy(27).x);
  EXPECT_EQ(Enemy(26).y, Enemy(27).y);
}

TEST_F(BossTest, SecondFormRunsItsScriptAndLoopsFromTheBeamRun) {
  kx::Enemy& core = ReachSecondForm();
  std::vector<i32> states{core.p0};
  int mines = 0, turretShots = 0, ringsInBurst = 0, rounds = 0;
  for (int f = 0; f < 3000 && rounds < 2; ++f) {  // two rounds of states 7..19
    const auto fired = Step();
    if (core.p0 != states.back()) {
      rounds += states.back() == 19;
      states.push_back(core.p0);
      if (core.p0 == 7 && states.size() < 10) {  // arrived at the top-right corner
        EXPECT_NEAR(core.x, 340, 17);
        EXPECT_NEAR(core.y, 60, 17);
      }
    }
    if (core.p0 == 8) turretShots += Count(fired, 20);
    if (core.p0 == 10) ringsInBurst += Count(fired, 22) / 16;
    const int dropped = NewChildren(35, 10000);
    if (dropped > 0) {
      mines += dropped;
      for (const auto& e : game().world.enemies)
        if (e.state == 1 && e.kind == 35) {
          EXPECT_EQ(e.p1 % 5, 0);
        }
    }
    ASSERT_EQ(core.state, 1);
  }
  ASSERT_EQ(rounds, 2);
  ASSERT_GE(states.size(), 22u);
  std::vector<i32> firstRound(states.begin(), states.begin() + 22);
  std::vector<i32> expected;
  for (i32 s = 0; s <= 19; ++s) expected.push_back(s);
  expected.push_back(7);
  expected.push_back(8);
  EXPECT_EQ(firstRound, expected);
  EXPECT_EQ(mines, 8 * 2);  // one row per round
  EXPECT_EQ(turretShots, 3 * 2);
  EXPECT_EQ(ringsInBurst, 5 * 2);
}

TEST_F(BossTest, ThirdFormStandsStillFiresItsSequenceAndPaysOnDeath) {
  kx::Enemy& core = ReachSecondForm();
  for (int i = 0; i < 30; ++i) Step();
  KillWithShot(27);
  kx::Enemy& third = Enemy(26);
  const i32 x = third.x, y = third.y;
  std::map<i32, int> shots;
  std::vector<i32> outerDrifts;  // the outermost fan shot's drift, volley by volley
  for (int f = 0; f < 1000; ++f) {
    const auto fired = Step();
    for (const auto& s : fired) shots[s.kind] += 1;
    if (Count(fired, 23) == 1) outerDrifts.push_back(fired.back().vx);
    EXPECT_EQ(third.x, x);
    EXPECT_EQ(third.y, y);
  }
  EXPECT_GE(shots[22], 16 * 4);  // two rings per round, several rounds
  EXPECT_GE(shots[20], 6);
  // The fan widens volley by volley and starts narrow again each round.
  ASSERT_GE(outerDrifts.size(), 8u);
  EXPECT_EQ(std::vector<i32>(outerDrifts.begin(), outerDrifts.begin() + 8),
            (std::vector<i32>{2, 4, 6, 8, 2, 4, 6, 8}));
  EXPECT_EQ(core.state, 0);  // the second form's explosion is over
  rec().score = 0;
  KillWithShot(26);
  EXPECT_EQ(third.state, 2);
  EXPECT_EQ(rec().score, 30000 + 490);
}

}  // namespace
}  // namespace kxtest
