// Contacts: the strict box test, piercing shots, kill scores, ramming, the
// pods, and enemy shots against the pods and the ship.
#include "world_fixture.h"

namespace kxtest {
namespace {

using kx::WorldProbe;

class CollisionTest : public WorldTest {};

TEST_F(CollisionTest, TouchingBoxesDoNotCollide) {
  kx::Enemy* e = Spawn(kKindWithoutMotion, 200, 150, 5, 20, 15, 1);
  Shot(0, 5, 226, 150, 6);  // |dx| = 20 + 6: touching
  Shot(1, 5, 200, 129, 6);  // |dy| = 15 + 6: touching
  EnemyPasses(1);
  EXPECT_EQ(e->hp, 5);
  EXPECT_EQ(game().world.playerShots[0].active, 1);
  Shot(0, 5, 225, 150, 6);
  Shot(1, 5, 200, 130, 6);
  EnemyPasses(1);
  EXPECT_EQ(e->hp, 3);
  EXPECT_EQ(game().world.playerShots[0].active, 0);
  EXPECT_EQ(game().world.playerShots[1].active, 0);
}

TEST_F(CollisionTest, LancesPassThroughAllButTheLargestBosses) {
  kx::Enemy* small = Spawn(kKindWithoutMotion, 200, 150, 5, 20, 15, 1);
  Shot(0, 17, 200, 150, 10);
  EnemyPasses(2);  // one hit per frame of overlap
  EXPECT_EQ(small->hp, 3);
  EXPECT_EQ(game().world.playerShots[0].active, 1);
  small->state = 0;
  kx::Enemy* boss = Spawn(kKindWithoutMotion, 200, 150, 600, 39, 60, 23);
  EnemyPasses(1);
  EXPECT_EQ(boss->hp, 599);
  EXPECT_EQ(game().world.playerShots[0].active, 0);
  Shot(1, 23, 200, 150, 28);  // the charge burst is never stopped
  EnemyPasses(1);
  EXPECT_EQ(game().world.playerShots[1].active, 1);
}

TEST_F(CollisionTest, KillPaysLookScoreOnceAndExplodesForSixteenFrames) {
  rec().score = 0;
  kx::Enemy* e = Spawn(kKindWithoutMotion, 200, 150, 1, 20, 15, 9);
  Shot(0, 5, 200, 150, 6);
  Shot(1, 5, 200, 150, 6);  // a second shot on the same dead enemy
  EnemyPasses(1);
  EXPECT_EQ(rec().score, 100);  // look 9: 9 x 10 + 10
  EXPECT_EQ(rec().soundRequest, 5);
  EXPECT_EQ(e->state, 2);
  EXPECT_EQ(game().world.playerShots[1].active, 1);
  EXPECT_EQ(ActiveParticles(), 13);
  EnemyPasses(14);
  EXPECT_EQ(e->state, 2);
  EnemyPasses(1);
  EXPECT_EQ(e->state, 0);
}

TEST_F(CollisionTest, BossKillPaysItsExtraWithLargeSparks) {
  rec().score = 0;
  kx::Enemy* boss = Spawn(kKindWithoutMotion, 200, 150, 1, 20, 32, 11);
  Shot(0, 5, 200, 150, 6);
  EnemyPasses(1);
  EXPECT_EQ(boss->state, 2);
  EXPECT_EQ(rec().score, 10000 + 120);
  EXPECT_EQ(rec().soundRequest, 6);
  EXPECT_EQ(ActiveParticles(), 51);
}

TEST_F(CollisionTest, RammingKillsWithoutBaseScoreAndHurtsTheShip) {
  rec().score = 0;
  kx::Enemy* e = Spawn(kKindWithoutMotion, 150, 150, 3, 20, 15, 9);
  EnemyPasses(1);
  EXPECT_EQ(e->state, 2);
  EXPECT_EQ(rec().score, 0);
  EXPECT_EQ(rec().condition, 1);
  EXPECT_EQ(rec().hitState, 2);
  EXPECT_EQ(rec().hitTimer, 40);
  EXPECT_EQ(rec().clearGrade, 1);
  EXPECT_EQ(rec().soundRequest, 1);
  // While the hit state lasts, or with the no-damage flag, contact is free.
  Spawn(kKindWithoutMotion, 150, 150, 30, 20, 15, 16);
  EnemyPasses(1);
  EXPECT_EQ(rec().condition, 1);
  rec().hitState = 0;
  game().invincible = 1;
  EnemyPasses(1);
  EXPECT_EQ(rec().condition, 1);
}

TEST_F(CollisionTest, BossTouchedByLaunchedPodRecallsThem) {
  kx::Enemy* boss = Spawn(kKindWithoutMotion, 300, 100, 270, 20, 32, 11);
  rec().podState = 1;
  game().world.podTrail[3].x[1] = 300;  // only the oldest trail entry touches
  game().world.podTrail[3].y[1] = 100;
  EnemyPasses(1);
  EXPECT_EQ(rec().podState, 2);
  EXPECT_EQ(rec().soundRequest, 9);
  EXPECT_EQ(boss->hp, 269);
  EnemyPasses(1);  // returning pods count only where they are now
  EXPECT_EQ(boss->hp, 269);
}

TEST_F(CollisionTest, PodsSwallowShotsAndHelpRepairOnlyWhenDamaged) {
  PlacePods(300, 100);
  rec().score = 0;
  rec().recoverPoints = 0;
  kx::EnemyShot* s = WorldProbe::NewEnemyShot(game(), 10, 320, 100, 6, 6);
  WorldProbe::EnemyShotPass(game());  // x -= 20 brings it onto the pod
  EXPECT_EQ(s->active, 0);
  EXPECT_EQ(rec().score, 10);
  EXPECT_EQ(rec().recoverPoints, 0);
  rec().condition = 1;
  WorldProbe::NewEnemyShot(game(), 10, 320, 100, 6, 6);
  WorldProbe::EnemyShotPass(game());
  EXPECT_EQ(rec().recoverPoints, 200);
  // Flashes are not absorbed.
  kx::EnemyShot* flash = WorldProbe::NewEnemyShot(game(), 26, 300, 100, 10, 10);
  WorldProbe::EnemyShotPass(game());
  EXPECT_EQ(flash->active, 1);
}

TEST_F(CollisionTest, PiercingAimedShotHitsOnceAndFliesOn) {
  kx::EnemyShot* s = WorldProbe::NewEnemyShot(game(), 5, 153, 150, 5, 5);  // dir 0: left 11
  WorldProbe::EnemyShotPass(game());
  EXPECT_EQ(s->active, 1);
  EXPECT_EQ(rec().condition, 1);
  WorldProbe::EnemyShotPass(game());
  EXPECT_EQ(rec().condition, 1);
  kx::EnemyShot* plain = WorldProbe::NewEnemyShot(game(), 10, 162, 150, 6, 6);
  WorldProbe::EnemyShotPass(game());
  EXPECT_EQ(plain->active, 0);
}

TEST_F(CollisionTest, ShotsLeavingThePlayfieldAreFreed) {
  kx::EnemyShot* s = WorldProbe::NewEnemyShot(game(), 0, -5, 60, 9, 14);
  WorldProbe::EnemyShotPass(game());
  EXPECT_EQ(s->active, 1);  // x = -15
  WorldProbe::EnemyShotPass(game());
  EXPECT_EQ(s->active, 0);  // x = -25
}

}  // namespace
}  // namespace kxtest
