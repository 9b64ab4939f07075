// The ship under the player's control: movement limits, weapon cadence and
// slot caps, pods, the charge burst, damage, destruction and recovery, played
// through real frames of the game on the headless backend.
#include <algorithm>

#include "game/game_fixture.h"

namespace kxtest {
namespace {

class ShipTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game().gameMode = kx::kNewGame;
    Frames(1);  // NewGame resets the world and enters Play
    Frames(24);
    ASSERT_EQ(rec().shipMotion, 0);
    // Hold the stage script: these tests want an empty sky.
    rec().scriptTick = -1'000'000;
  }
  kx::ShipSample& Ship() { return game().world.shipTrail[0]; }
  int Shots(int first = 0, int last = kx::kPlayerShots - 1) {
    int n = 0;
    for (int i = first; i <= last; ++i) n += game().world.playerShots[i].active != 0;
    return n;
  }
  int ShotsOfKind(kx::i32 kind) {
    int n = 0;
    for (const auto& s : game().world.playerShots) n += s.active != 0 && s.kind == kind;
    return n;
  }
  // New shots fired during n frames (a shot lives longer than n frames).
  int FiredIn(int frames) {
    const int before = Shots();
    Frames(frames);
    return Shots() - before;
  }
  void ClearShots() {
    for (auto& s : game().world.playerShots) s.active = 0;
  }
  // A still enemy on the ship that rams it every frame it is not protected.
  void Rammer() {
    auto& e = game().world.enemies[0];
    e = kx::Enemy{};
    e.state = 1;
    e.kind = 99;
    e.hp = 100000;
    e.halfW = e.halfH = 20;
    e.look = 0;
    e.x = Ship().x;
    e.y = Ship().y;
  }
};

TEST_F(ShipTest, FlyInEndsAtX142AndTheShipStaysInsideItsBox) {
  EXPECT_EQ(Ship().x, 142);
  Down(plat::VK_UP);
  Down(plat::VK_LEFT);
  Frames(60);
  EXPECT_EQ(Ship().y, 27);
  EXPECT_EQ(Ship().x, 19);
  EXPECT_EQ(Ship().bank, 9);
  EXPECT_EQ(rec().moveDir, 5);
  Up(plat::VK_UP);
  Up(plat::VK_LEFT);
  Down(plat::VK_DOWN);
  Down(plat::VK_RIGHT);
  Down('Z');  // boost: 18 pixels a frame
  Frames(1);
  EXPECT_EQ(Ship().x, 19 + 18);
  Frames(60);
  EXPECT_EQ(Ship().y, 273);
  EXPECT_EQ(Ship().x, 363);
  EXPECT_EQ(Ship().bank, 0);
  EXPECT_EQ(rec().moveDir, 7);
  Up(plat::VK_DOWN);
  Up(plat::VK_RIGHT);
  Frames(3);
  EXPECT_EQ(Ship().bank, 3);  // one step a frame back toward level
  Frames(10);
  EXPECT_EQ(Ship().bank, 4);
}

TEST_F(ShipTest, TypeALevel0KeepsAtMostFourShots) {
  Down('X');
  int most = 0;
  for (int i = 0; i < 40; ++i) {
    Frames(1);
    most = std::max(most, Shots(0, 3));
    EXPECT_EQ(Shots(4, kx::kPlayerShots - 1), 0);
  }
  EXPECT_EQ(most, 4);
}

TEST_F(ShipTest, TypeCFiresEverySecondFrameAtLevel0AndEveryFrameAbove) {
  rec().weaponType = 2;
  Down('X');
  Frames(1);
  ClearShots();
  EXPECT_EQ(FiredIn(10), 5);
  Up('X');
  ClearShots();
  rec().levelC = 1;
  Down('X');
  Frames(1);
  ClearShots();
  EXPECT_EQ(FiredIn(10), 10);
  // Level 1 is a three-way fan, level 2 five-way.
  EXPECT_GT(ShotsOfKind(1), 0);
  EXPECT_GT(ShotsOfKind(3), 0);
  EXPECT_EQ(ShotsOfKind(0) + ShotsOfKind(4), 0);
  rec().levelC = 2;
  ClearShots();
  Frames(5);
  for (kx::i32 kind = 0; kind <= 4; ++kind) EXPECT_EQ(ShotsOfKind(kind), 1) << kind;
}

TEST_F(ShipTest, FireAndBoostTogetherLaunchThePodsInsteadOfFiring) {
  Down('Z');
  Down('X');
  Frames(1);
  EXPECT_EQ(rec().podState, 1);
  EXPECT_EQ(rec().podTimer, 59);  // 60, counted once this frame
  Frames(10);
  EXPECT_EQ(Shots(), 0);
  Up('Z');
  Up('X');
  // Launched pods come home on their own and dock again.
  for (int i = 0; i < 150 && rec().podState != 0; ++i) Frames(1);
  EXPECT_EQ(rec().podState, 0);
}

TEST_F(ShipTest, EveryWeaponTypesPodsLaunchAndReturn) {
  for (kx::i32 type = 0; type <= 3; ++type) {
    rec().weaponType = type;
    rec().typeDUnlocked = 1;
    rec().charge = 100;
    rec().podState = 0;
    Frames(10);  // settle into the docked layout
    const kx::i32 x0 = game().world.podTrail[0].x[0];
    Down('Z');
    Down('X');
    Frames(1);
    Up('Z');
    Up('X');
    EXPECT_EQ(rec().podState, 1) << type;
    Frames(1);
    EXPECT_NE(game().world.podTrail[0].x[0], x0) << type;
    int frames = 0;
    while (rec().podState != 0 && frames < 200) {
      Frames(1);
      ++frames;
    }
    EXPECT_EQ(rec().podState, 0) << type;
    ClearShots();
  }
}

TEST_F(ShipTest, SwitchingWeaponsRecallsLaunchedPodsAndWrapsByUnlock) {
  Down('Z');
  Down('X');
  Frames(1);
  Up('Z');
  Up('X');
  ASSERT_EQ(rec().podState, 1);
  Down('C');
  Frames(1);
  EXPECT_EQ(rec().podState, 2);
  Frames(2);  // held: one switch only
  EXPECT_EQ(rec().weaponType, 1);
  Up('C');
  Frames(1);
  Tap('C');
  EXPECT_EQ(rec().weaponType, 2);
  Up('C');
  Frames(1);
  Tap('C');
  EXPECT_EQ(rec().weaponType, 0);  // TYPE-D is still locked
  rec().typeDUnlocked = 1;
  rec().weaponType = 2;
  Frames(1);
  Tap('C');
  EXPECT_EQ(rec().weaponType, 3);
}

TEST_F(ShipTest, TypeDNeedsAFullChargeForIts139FrameBurst) {
  rec().typeDUnlocked = 1;
  rec().weaponType = 3;
  rec().charge = 0;
  Frames(30);
  EXPECT_EQ(rec().charge, 10);  // one point every third frame
  rec().charge = 99;
  Down('Z');
  Down('X');
  Frames(1);
  EXPECT_EQ(rec().podState, 0);
  EXPECT_EQ(rec().chargeShotTimer, 0);
  rec().charge = 100;
  Frames(1);
  Up('Z');
  Up('X');
  EXPECT_EQ(rec().charge, 0);
  EXPECT_EQ(rec().chargeShotTimer, 138);
  EXPECT_GT(ShotsOfKind(23), 0);
  Frames(137);
  EXPECT_EQ(rec().chargeShotTimer, 1);
  EXPECT_EQ(rec().charge, 0);  // no charging during the burst
  Frames(1);
  EXPECT_EQ(rec().chargeShotTimer, 0);
  Frames(3);
  EXPECT_EQ(rec().charge, 1);
}

TEST_F(ShipTest, ThreeHitsGoGreenYellowRedThenExplodeIntoContinue) {
  Rammer();
  Frames(1);
  EXPECT_EQ(rec().condition, 1);
  EXPECT_EQ(rec().hitState, 2);
  // The protection lasts until the timer runs out below 0, 41 frames on;
  // the rammer strikes again in that very frame.
  Frames(40);
  EXPECT_EQ(rec().condition, 1);
  EXPECT_EQ(rec().hitState, 2);
  Frames(1);
  EXPECT_EQ(rec().condition, 2);
  EXPECT_EQ(rec().clearGrade, 1);
  Frames(41);
  EXPECT_EQ(rec().condition, 3);
  for (int i = 0; i < 16; ++i) {
    Frames(1);
    ASSERT_EQ(game().gameMode, kx::kPlay) << i;
  }
  Frames(1);
  EXPECT_EQ(game().gameMode, kx::kContinue);
  EXPECT_EQ(rec().releaseLatch, 1);
  EXPECT_EQ(rec().continueChoice, 0);
}

TEST_F(ShipTest, ADamagedShipHoldingStillRepairsIn334Frames) {
  rec().condition = 1;
  Frames(334);
  EXPECT_EQ(rec().condition, 1);
  EXPECT_EQ(rec().recoverPoints, 334 * 30);
  Frames(1);  // the overflow is handled at the top of the next frame
  EXPECT_EQ(rec().condition, 0);
  EXPECT_EQ(rec().recoverPoints, 0);
  EXPECT_EQ(game().world.shipTrail[0].burstActive, 1);
  // Green: nothing accumulates; moving halves the rate; firing stops it.
  Frames(10);
  EXPECT_EQ(rec().recoverPoints, 0);
  rec().condition = 2;
  Down(plat::VK_UP);
  Frames(10);
  EXPECT_EQ(rec().recoverPoints, 150);
  Up(plat::VK_UP);
  Down('X');
  Frames(10);
  EXPECT_EQ(rec().recoverPoints, 150);
}

}  // namespace
}  // namespace kxtest
