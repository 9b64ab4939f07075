// bench_game.h — starts the real game on the headless backend for a
// benchmark: the build's data, a fixed seed, the default ranking (a score
// file that cannot exist, so nothing is written).
#pragma once

#include "game/Kx_main.h"
#include "plat/headless.h"

namespace kxbench {

inline kx::TForm1* StartBenchGame() {
  plat::headless::Config config;
  config.keepAudio = false;  // many frames: keep no sound
  plat::headless::Start(config);
  kx::GameOptions options;
  options.dataDir = KX_DATA_DIR;
  options.seedGiven = true;
  options.scoreFile = "/nonexistent/K_score.dat";
  return kx::StartGame(options);
}

inline void StopBenchGame() {
  kx::ShutdownGame();
  plat::headless::Stop();
}

}  // namespace kxbench
