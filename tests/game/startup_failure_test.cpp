// A missing or malformed asset stops start-up: its message names the file,
// no frame ever runs, and Escape still closes the window.
#include <filesystem>
#include <fstream>

#include "game_fixture.h"
#include "plat/timer.h"

namespace kxtest {
namespace {

namespace fs = std::filesystem;

class BrokenDataTest : public ::testing::Test {
 protected:
  TempDir temp_;
  plat::headless::Control* control_ = nullptr;

  void SetUp() override {
    fs::copy(KX_BINARY_DIR "/data", temp_.path() / "data", fs::copy_options::recursive);
    control_ = &plat::headless::Start();
  }
  void TearDown() override {
    kx::ShutdownGame();
    plat::headless::Stop();
  }
  kx::TForm1* Start() {
    kx::GameOptions o;
    o.dataDir = (temp_.path() / "data").string();
    o.scoreFile = temp_.File("K_score.dat");
    return kx::StartGame(o);
  }
};

TEST_F(BrokenDataTest, MissingBitmapStopsStartUpAndEscapeStillCloses) {
  fs::remove(temp_.path() / "data/bmp/64_57.bmp");
  EXPECT_EQ(Start(), nullptr);
  ASSERT_FALSE(control_->MessageBoxTexts().empty());
  EXPECT_NE(control_->MessageBoxTexts().back().find("64_57.bmp"), std::string::npos)
      << control_->MessageBoxTexts().back();
  // No idle handler: no frame paces itself, so the clock stands still.
  const auto t0 = plat::timeGetTime();
  EXPECT_TRUE(control_->StepFrames(3));
  EXPECT_EQ(plat::timeGetTime(), t0);
  control_->Key(plat::VK_ESCAPE, true);
  EXPECT_FALSE(control_->StepFrames(1));
}

TEST_F(BrokenDataTest, MalformedBitmapNamesTheFileAndTheProblem) {
  std::ofstream(temp_.path() / "data/bmp/BK_02.bmp", std::ios::trunc) << "BMnot really";
  EXPECT_EQ(Start(), nullptr);
  ASSERT_FALSE(control_->MessageBoxTexts().empty());
  EXPECT_NE(control_->MessageBoxTexts().back().find("BK_02.bmp"), std::string::npos)
      << control_->MessageBoxTexts().back();
}

}  // namespace
}  // namespace kxtest
