// bench_world — what the world costs per frame at full tables: the enemy
// pass, the enemy-shot pass and the particle pass over 40 enemies, 102 enemy
// shots and 281 particles, drawing into the back buffer as in play.
//
// Each iteration restores the same full tables first (a 17 KB copy), so every
// measured frame sees full tables; the ship and pods are parked off screen so
// nothing is destroyed by contact.
#include <benchmark/benchmark.h>

#include "bench_game.h"

#include "plat/timer.h"

namespace kx {

struct WorldProbe {
  static void Frame(TForm1& f) {
    f.ParticlePassUnder();
    f.EnemyPass();
    f.ParticlePass();
    f.EnemyShotPass();
  }
};

}  // namespace kx

namespace {

void FillTables(kx::World& w) {
  // Enemies of many families spread over the playfield, with room to move.
  static constexpr kx::i32 kKinds[] = {0,  2,  6,  8,  12, 13, 16, 17, 18, 21,
                                       23, 24, 25, 26, 30, 36, 41, 45, 50, 53};
  for (int i = 0; i < kx::kEnemies; ++i) {
    const kx::i32 kind = kKinds[i % 20];
    w.enemies[i] = kx::Enemy{
        1, 120 + (i * 37) % 240, 40 + (i * 53) % 220, i % 4, kind, 1000, 20, 20, 2, 3, 3, 0, 0, 0,
        0, (i * 7) % 49};
  }
  for (int i = 0; i < kx::kEnemyShots; ++i) {
    w.enemyShots[i] =
        kx::EnemyShot{1, 60 + (i * 29) % 340, 30 + (i * 41) % 240, 0, i % 26, 6, 6, 1, 1, i % 16};
  }
  for (int i = 0; i < kx::kParticles; ++i) {
    w.particles[i] = kx::Particle{(i * 13) % 400, (i * 31) % 300, 1,      i % 18, 0, 200,
                                  i % 5 - 2,      i % 3 - 1,      i % 16, 0};
  }
  for (auto& s : w.shipTrail) s.x = -170;
  for (auto& p : w.podTrail) p.x[0] = p.x[1] = -500;
}

void BM_WorldPassesFullTables(benchmark::State& state) {
  kx::TForm1* game = kxbench::StartBenchGame();
  if (!game) {
    state.SkipWithError("start-up failed");
    return;
  }
  game->ResetWorld();
  game->invincible = 1;
  FillTables(game->world);
  const kx::World full = game->world;
  for (auto _ : state) {
    game->world = full;
    kx::WorldProbe::Frame(*game);
    benchmark::DoNotOptimize(game->world.g.score);
  }
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  kxbench::StopBenchGame();
}

BENCHMARK(BM_WorldPassesFullTables)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
