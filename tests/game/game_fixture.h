// game_fixture.h — the real game on the headless backend, started the way
// the program starts it (start-up with the build's data folder), one test at
// a time.
#pragma once

#include <gtest/gtest.h>


#include "game/Kx_main.h"
#include "plat/headless.h"
#include "plat/testing.h"
#include "support/temp_dir.h"

namespace kxtest {

class GameTest : public ::testing::Test {
 protected:
  GameTest() { options_.scoreFile = temp_.File("K_score.dat"); }

  // Override before SetUp runs (in the derived constructor) to change them.
  TempDir temp_;
  plat::headless::Config config_;
  kx::GameOptions options_;

  void SetUp() override {
    control_ = &plat::headless::Start(config_);
    options_.dataDir = KX_BINARY_DIR "/data";
    options_.seedGiven = true;
    game_ = kx::StartGame(options_);
    ASSERT_NE(game_, nullptr) << (control_->MessageBoxTexts().empty()
                                      ? std::string("start-up failed")
                                      : control_->MessageBoxTexts().back());
  }
  void TearDown() override {
    plat::testing::ClearFaults();
    kx::ShutdownGame();
    plat::headless::Stop();
  }

  kx::TForm1& game() { return *game_; }
  kx::GameRecord& rec() { return game_->world.g; }
  plat::headless::Control& control() { return *control_; }
  bool Frames(int n) { return control_->StepFrames(n); }
  void Down(std::uint16_t vk) { control_->Key(vk, true); }
  void Up(std::uint16_t vk) { control_->Key(vk, false); }
  void Tap(std::uint16_t vk) {
    Down(vk);
    Frames(1);
    Up(vk);
  }

 private:
  plat::headless::Control* control_ = nullptr;
  kx::TForm1* game_ = nullptr;
};

}  // namespace kxtest
