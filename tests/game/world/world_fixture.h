// world_fixture.h — lets tests run single world passes and spawns of the game
// (TForm1 keeps them private) and gives a world fixture: the real game with
// an empty world, the ship parked at a known place and the pods out of reach.
#pragma once

#include "game/Kx_main.h"
#include "game/game_fixture.h"
#include "game/world/stage_scripts.h"
#include "plat/timer.h"

namespace kx {

struct WorldProbe {
  static void ScriptStep(TForm1& f) { f.ScriptStep(); }
  static bool RunOpcode(TForm1& f, i32 op) { return f.RunScriptOpcode(op); }
  static void EnemyPass(TForm1& f) { f.EnemyPass(); }
  static void EnemyShotPass(TForm1& f) { f.EnemyShotPass(); }
  static void ParticlePassUnder(TForm1& f) { f.ParticlePassUnder(); }
  static void ParticlePass(TForm1& f) { f.ParticlePass(); }
  static Enemy* NewEnemy(TForm1& f, i32 kind, i32 x, i32 y, i32 hp, i32 hw, i32 hh, i32 look) {
    return f.NewEnemy(kind, x, y, hp, hw, hh, look);
  }
  static EnemyShot* NewEnemyShot(TForm1& f, i32 kind, i32 x, i32 y, i32 hw, i32 hh) {
    return f.NewEnemyShot(kind, x, y, hw, hh);
  }
  static void SpawnItem(TForm1& f, i32 x, i32 y, i32 type) { f.SpawnItem(x, y, type); }
  static void LargeSparks(TForm1& f, i32 x, i32 y, int n) { f.LargeSparks(x, y, n, 16); }
};

}  // namespace kx

namespace kxtest {

class WorldTest : public GameTest {
 protected:
  static constexpr kx::i32 kKindWithoutMotion = 99;  // stands still: boxes stay put

  void SetUp() override {
    GameTest::SetUp();
    game().ResetWorld();
    rec().stage = 0;
    PlaceShip(142, 150);
    PlacePods(-500, -500);
    plat::SeedRandom(7);
  }
  void PlaceShip(kx::i32 x, kx::i32 y) {
    game().world.shipTrail[0].x = x;
    game().world.shipTrail[0].y = y;
  }
  void PlacePods(kx::i32 x, kx::i32 y) {
    for (auto& p : game().world.podTrail)
      for (int i = 0; i < 2; ++i) {
        p.x[i] = x;
        p.y[i] = y;
      }
  }
  kx::Enemy& Enemy(int slot) { return game().world.enemies[slot]; }
  kx::Enemy* Spawn(kx::i32 kind, kx::i32 x, kx::i32 y, kx::i32 hp, kx::i32 hw, kx::i32 hh,
                   kx::i32 look) {
    return kx::WorldProbe::NewEnemy(game(), kind, x, y, hp, hw, hh, look);
  }
  kx::PlayerShot& Shot(int slot, kx::i32 kind, kx::i32 x, kx::i32 y, kx::i32 half) {
    auto& s = game().world.playerShots[slot];
    s = kx::PlayerShot{1, x, y, 0, kind, 0, 0, 0, 0, half, half};
    return s;
  }
  void EnemyPasses(int n) {
    for (int i = 0; i < n; ++i) kx::WorldProbe::EnemyPass(game());
  }
  int Alive(kx::i32 kind) {
    int n = 0;
    for (const auto& e : game().world.enemies) n += e.state == 1 && e.kind == kind;
    return n;
  }
  int ActiveShots(kx::i32 kind) {
    int n = 0;
    for (const auto& s : game().world.enemyShots) n += s.active == 1 && s.kind == kind;
    return n;
  }
  int ActiveParticles() {
    int n = 0;
    for (const auto& p : game().world.particles) n += p.active;
    return n;
  }
  const kx::Popup* FindPopup(kx::i32 kind) {
    for (const auto& p : game().world.popups)
      if (p.timer > 0 && p.kind == kind) return &p;
    return nullptr;
  }
};

}  // namespace kxtest
