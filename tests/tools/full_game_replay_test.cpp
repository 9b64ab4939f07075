// A whole game replayed headless: tests/data/full_game.input (fire held, the
// ship weaving) with the no-damage flag. Every stage must reach its boss, see
// the boss through its phases to its death, pay the clear and fly out; the
// third ends in "MISSION  COMPLETE.", twenty black frames and the ending.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/Kx_main.h"
#include "input_script.h"
#include "plat/headless.h"
#include "support/temp_dir.h"

namespace kxtest {
namespace {

// What one stage showed, gathered frame by frame.
struct StageLog {
  std::map<kx::i32, std::set<kx::i32>> bossStates;  // boss kind -> states (p0) seen
  int bossFirstFrame = 0, bossLastFrame = 0;
  int clearFrame = 0;  // STAGE CLEAR / MISSION COMPLETE
  bool bonus = false;
  int flyOutFrame = 0, changeFrame = 0;
};

bool IsBoss(kx::i32 kind) {
  return kind == 14 || kind == 28 || kind == 31 || kind == 33 || kind == 59;
}

class FullGameReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    events_ = kxh::LoadInputScript(KX_SOURCE_DIR "/tests/data/full_game.input");
    plat::headless::Config config;
    config.keepAudio = false;  // 17,000 frames of sound are not needed here
    control_ = &plat::headless::Start(config);
    kx::GameOptions options;
    options.dataDir = KX_BINARY_DIR "/data";
    options.invincibleEveryGame = true;
    options.seedGiven = true;
    options.seed = 1;
    options.scoreFile = temp_.File("K_score.dat");
    game_ = kx::StartGame(options);
    ASSERT_NE(game_, nullptr);
  }
  void TearDown() override {
    kx::ShutdownGame();
    plat::headless::Stop();
  }
  void Step() {
    ++frame_;
    for (; next_ < events_.size() && events_[next_].frame == frame_; ++next_)
      control_->Key(events_[next_].vk, events_[next_].kind == kxh::InputEvent::Kind::KeyDown);
    control_->StepFrames(1);
  }
  bool Popup(kx::i32 kind) const {
    for (const auto& p : game_->world.popups)
      if (p.timer > 0 && p.kind == kind) return true;
    return false;
  }

  TempDir temp_;
  std::vector<kxh::InputEvent> events_;
  std::size_t next_ = 0;
  int frame_ = 0;
  plat::headless::Control* control_ = nullptr;
  kx::TForm1* game_ = nullptr;
};

TEST_F(FullGameReplay, ClearsAllThreeStagesAndReachesTheEnding) {
  std::vector<StageLog> stages(3);
  int endingFrame = 0, blackFrames = 0, demoFrame = 0;
  kx::i32 lastStage = 0;
  while (frame_ < 20000 && demoFrame == 0) {
    Step();
    const auto mode = game_->gameMode;
    const kx::i32 s = game_->world.g.stage;
    if (mode == kx::kPlay && s >= 0 && s < 3) {
      StageLog& log = stages[static_cast<std::size_t>(s)];
      for (const auto& e : game_->world.enemies) {
        if (e.state != 1 || !IsBoss(e.kind)) continue;
        log.bossStates[e.kind].insert(e.p0);
        if (log.bossFirstFrame == 0) log.bossFirstFrame = frame_;
        log.bossLastFrame = frame_;
      }
      if (log.clearFrame == 0 && (Popup(8) || Popup(10))) log.clearFrame = frame_;
      if (Popup(15) || Popup(16)) log.bonus = true;
      if (log.flyOutFrame == 0 && game_->world.g.shipMotion == 2) log.flyOutFrame = frame_;
    }
    if (mode == kx::kStageChange) {
      if (s != lastStage && s >= 1 && s <= 3)
        stages[static_cast<std::size_t>(s - 1)].changeFrame = frame_;
      if (s == 3 && game_->modeTimer >= 1) ++blackFrames;  // after the last play frame
    }
    lastStage = s;
    if (mode == kx::kEnding && endingFrame == 0) endingFrame = frame_;
    if (mode == kx::kDemo && endingFrame != 0) demoFrame = frame_;
  }

  for (int i = 0; i < 3; ++i) {
    const StageLog& log = stages[static_cast<std::size_t>(i)];
    SCOPED_TRACE("stage " + std::to_string(i + 1));
    ASSERT_GT(log.bossFirstFrame, 0) << "the boss never came";
    EXPECT_GT(log.clearFrame, log.bossLastFrame) << "the clear came before the boss died";
    EXPECT_TRUE(log.bonus);
    EXPECT_GE(log.flyOutFrame, log.clearFrame);
    EXPECT_GT(log.changeFrame, log.flyOutFrame);
  }
  // Each boss went through its moves: the first loops its diamond, the
  // second runs its long sequence, the last shows all three forms.
  EXPECT_EQ(stages[0].bossStates[14], (std::set<kx::i32>{0, 1, 2, 3, 4}));
  EXPECT_GE(stages[1].bossStates[28].size(), 10u);
  EXPECT_EQ(stages[2].bossStates.count(31), 1u);
  EXPECT_GE(stages[2].bossStates[33].size(), 5u);
  EXPECT_EQ(stages[2].bossStates.count(59), 1u);

  EXPECT_EQ(blackFrames, 20);
  ASSERT_GT(endingFrame, 0);
  EXPECT_GT(demoFrame, endingFrame);
}

}  // namespace
}  // namespace kxtest
