// Particles: overflow, the slow decay of drift, trail lifetimes, glints.
#include "world_fixture.h"

namespace kxtest {
namespace {

using kx::WorldProbe;

class ParticleTest : public WorldTest {};

TEST_F(ParticleTest, FullTableShowsFewerSparksAndNothingBreaks) {
  for (auto& p : game().world.particles) p = kx::Particle{10, 10, 1, 7, 0, 100, 0, 0, 0, 0};
  WorldProbe::LargeSparks(game(), 200, 150, 76);
  EXPECT_EQ(ActiveParticles(), kx::kParticles);
  for (const auto& p : game().world.particles) EXPECT_EQ(p.x, 10);
  // A kill still explodes and scores with no room for its sparks.
  Spawn(kKindWithoutMotion, 300, 60, 1, 20, 15, 16);
  Shot(0, 5, 300, 60, 6);
  rec().score = 0;
  EnemyPasses(1);
  EXPECT_EQ(Enemy(0).state, 2);
  EXPECT_EQ(rec().score, 170);
  WorldProbe::ParticlePass(game());
  game().world.particles[100].active = 0;
  WorldProbe::LargeSparks(game(), 200, 150, 5);  // one slot free: one spark
  EXPECT_EQ(ActiveParticles(), kx::kParticles);
  EXPECT_EQ(game().world.particles[100].x, 200);
}

TEST_F(ParticleTest, DriftDecaysOneUnitEverySixthFrame) {
  auto& p = game().world.particles[0];
  p = kx::Particle{100, 100, 1, 9, 0, 50, 3, -2, 0, 0};
  for (int i = 0; i < 5; ++i) WorldProbe::ParticlePass(game());
  EXPECT_EQ(p.x, 115);
  EXPECT_EQ(p.y, 90);
  WorldProbe::ParticlePass(game());
  EXPECT_EQ(p.dx, 2);
  EXPECT_EQ(p.dy, -1);
  EXPECT_EQ(p.x, 117);
  EXPECT_EQ(p.life, 50 - 12);  // pixel sparks lose two a frame
}

TEST_F(ParticleTest, TrailsLiveByTheirFramesInTheFirstPass) {
  auto& trail = game().world.particles[0];
  trail = kx::Particle{100, 100, 1, 11, 0, 30, 0, 0, 0, 0};
  auto& smoke = game().world.particles[1];
  smoke = kx::Particle{100, 100, 1, 15, 1, 30, 0, 0, 0, 0};
  auto& other = game().world.particles[2];
  other = kx::Particle{100, 100, 1, 4, 0, 30, 0, 0, 0, 0};
  WorldProbe::ParticlePassUnder(game());
  WorldProbe::ParticlePassUnder(game());
  EXPECT_EQ(trail.active, 1);
  EXPECT_EQ(other.frame, 0);  // the first pass leaves other kinds alone
  WorldProbe::ParticlePassUnder(game());
  EXPECT_EQ(trail.active, 0);  // frames 0, 1, 2
  WorldProbe::ParticlePassUnder(game());
  WorldProbe::ParticlePassUnder(game());
  EXPECT_EQ(smoke.active, 0);  // frames 1..5
}

TEST_F(ParticleTest, ItemGlintsFlyOutEightPixelsAFrame) {
  auto& p = game().world.particles[0];
  p = kx::Particle{100, 100, 1, 17, 0, 20, 0, 0, 4, 0};  // direction 4: straight up
  WorldProbe::ParticlePass(game());
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 100 - 7);  // sine 15 x 8 / 16
  for (int i = 0; i < 5; ++i) WorldProbe::ParticlePass(game());
  EXPECT_EQ(p.active, 0);  // six frames of glint
}

TEST_F(ParticleTest, EnemyShotsLeaveTrailsAndSparks) {
  WorldProbe::NewEnemyShot(game(), 12, 300, 100, 6, 6);
  WorldProbe::NewEnemyShot(game(), 9, 300, 200, 6, 6);
  WorldProbe::EnemyShotPass(game());
  int trails = 0, sparks = 0;
  for (const auto& p : game().world.particles) {
    trails += p.active && p.kind == 11;
    sparks += p.active && p.kind == 10;
  }
  EXPECT_EQ(trails, 1);
  EXPECT_EQ(sparks, 3);
}

}  // namespace
}  // namespace kxtest
