// Item capsules: drops, ramming them in, the power-up rules and both chains.
#include "world_fixture.h"

namespace kxtest {
namespace {

using kx::WorldProbe;

class ItemTest : public WorldTest {
 protected:
  // Puts an item of `type` on the ship and rams it until it is collected.
  int Collect(kx::i32 type) {
    WorldProbe::SpawnItem(game(), 142, 150, type);
    for (int frames = 1; frames <= 10; ++frames) {
      EnemyPasses(1);
      if (Alive(3) == 0) return frames;
    }
    return -1;
  }
};

TEST_F(ItemTest, RammingCollectsOnTheFourthFrameWithoutHarm) {
  rec().score = 0;
  EXPECT_EQ(Collect(1), 4);
  EXPECT_EQ(rec().score, 100);
  EXPECT_EQ(rec().condition, 0);
  EXPECT_EQ(rec().soundRequest, 4);
  EXPECT_NE(FindPopup(5), nullptr);
  EXPECT_EQ(FindPopup(5)->timer, 20);
  EXPECT_EQ(ActiveParticles(), 8);  // glints in eight directions
}

TEST_F(ItemTest, FiveSmallItemsInARowEarnTypeD) {
  for (int i = 0; i < 4; ++i) Collect(1);
  EXPECT_EQ(rec().chainSmall, 4);
  EXPECT_EQ(rec().typeDUnlocked, 0);
  Collect(1);
  EXPECT_EQ(rec().typeDUnlocked, 1);
  EXPECT_EQ(rec().chainSmall, 0);
  ASSERT_NE(FindPopup(11), nullptr);
  EXPECT_EQ(FindPopup(11)->timer, 39);
  Collect(1);  // once earned, the chain stays put
  EXPECT_EQ(rec().chainSmall, 0);
}

TEST_F(ItemTest, OtherItemsBreakTheChains) {
  Collect(1);
  Collect(1);
  Collect(2);
  EXPECT_EQ(rec().chainSmall, 0);
  EXPECT_EQ(rec().chainLarge, 1);
  Collect(1);
  EXPECT_EQ(rec().chainLarge, 0);
  Collect(0);
  EXPECT_EQ(rec().chainSmall, 0);
}

TEST_F(ItemTest, FiveLargeItemsPayMoreWithoutPowerUps) {
  rec().score = 0;
  for (int i = 0; i < 5; ++i) Collect(2);
  EXPECT_EQ(rec().score, 5 * 300 + 100000);
  EXPECT_NE(FindPopup(14), nullptr);
  rec().levelB = 1;
  for (int i = 0; i < 5; ++i) Collect(2);
  EXPECT_EQ(rec().score, 2 * 1500 + 100000 + 50000);
  EXPECT_NE(FindPopup(13), nullptr);
}

TEST_F(ItemTest, PowerUpRaisesTheCurrentWeaponUpToTwoThenPays) {
  rec().score = 0;
  rec().weaponType = 2;
  Collect(0);
  Collect(0);
  EXPECT_EQ(rec().levelC, 2);
  EXPECT_NE(FindPopup(3), nullptr);
  Collect(0);
  EXPECT_EQ(rec().levelC, 2);
  EXPECT_EQ(rec().score, 500);
  EXPECT_NE(FindPopup(4), nullptr);
  rec().weaponType = 3;  // TYPE-D has no levels
  Collect(0);
  EXPECT_EQ(rec().score, 1000);
  EXPECT_EQ(rec().levelA + rec().levelB, 0);
}

TEST_F(ItemTest, CarrierDropsAnItemThatDriftsOff) {
  Spawn(kKindWithoutMotion, 300, 60, 1, 12, 11, 35);
  Shot(0, 5, 300, 60, 6);
  EnemyPasses(1);
  kx::Enemy& item = Enemy(1);
  ASSERT_EQ(item.kind, 3);
  EXPECT_EQ(item.look, 3);  // the early carrier always drops a power-up
  EXPECT_EQ(item.hp, 10);
  // It took a higher slot, so it already moved in the pass that spawned it:
  // thrown right first (10, 9, ...), then drifting left at 9.
  EXPECT_EQ(item.x, 310);
  EnemyPasses(1);
  EXPECT_EQ(item.x, 319);
  EnemyPasses(16);
  EXPECT_EQ(item.p2, 9);
  const kx::i32 x1 = item.x;
  EnemyPasses(1);
  EXPECT_EQ(item.x, x1 - 9);
  EnemyPasses(60);
  EXPECT_EQ(item.state, 0);
}

}  // namespace
}  // namespace kxtest
