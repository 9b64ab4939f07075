// Fault rules: pass N, fail M; counting; path rules after NativePath.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <vector>

#include "plat/kernel.h"
#include "plat/testing.h"
#include "support/temp_dir.h"

namespace {

using namespace plat;
namespace pt = plat::testing;

class Faults : public ::testing::Test {
 protected:
  void SetUp() override { pt::ClearFaults(); }
  void TearDown() override { pt::ClearFaults(); }

  static std::vector<bool> Calls(pt::Fault f, int n) {
    std::vector<bool> out;
    for (int i = 0; i < n; ++i) out.push_back(pt::ShouldFail(f));
    return out;
  }
};

TEST_F(Faults, PassAfterThenFailTimesThenPassAgain) {
  pt::Fail(pt::Fault::Blt, {.after = 2, .times = 3});
  EXPECT_EQ(Calls(pt::Fault::Blt, 7),
            (std::vector<bool>{false, false, true, true, true, false, false}));
  EXPECT_EQ(pt::Reached(pt::Fault::Blt), 7u);
  EXPECT_EQ(pt::Reached(pt::Fault::SoundPlay), 0u);
}

TEST_F(Faults, AlwaysNeverStops) {
  pt::Fail(pt::Fault::MidiOutOpen, {.after = 1, .times = pt::kAlways});
  EXPECT_EQ(Calls(pt::Fault::MidiOutOpen, 5), (std::vector<bool>{false, true, true, true, true}));
}

TEST_F(Faults, UnarmedPointsOnlyCountAndNewRuleRestartsTheCount) {
  EXPECT_EQ(Calls(pt::Fault::SoundLock, 3), (std::vector<bool>{false, false, false}));
  pt::Fail(pt::Fault::SoundLock, {.after = 1});
  EXPECT_EQ(Calls(pt::Fault::SoundLock, 3), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(pt::Reached(pt::Fault::SoundLock), 6u);
  pt::ClearFaults();
  EXPECT_EQ(pt::Reached(pt::Fault::SoundLock), 0u);
  EXPECT_FALSE(pt::ShouldFail(pt::Fault::SoundLock));
}

TEST_F(Faults, CountingIsThreadSafe) {
  pt::Fail(pt::Fault::SoundStop, {.after = 0, .times = 100});
  std::atomic<int> failed{0};
  std::vector<std::unique_ptr<Thread>> threads;
  for (int i = 0; i < 4; ++i)
    threads.push_back(Thread::Start([&](Thread&) {
      for (int k = 0; k < 500; ++k)
        if (pt::ShouldFail(pt::Fault::SoundStop)) ++failed;
    }));
  for (auto& t : threads) t->WaitFor();
  EXPECT_EQ(failed, 100);
  EXPECT_EQ(pt::Reached(pt::Fault::SoundStop), 2000u);
}

TEST_F(Faults, FailPathHitsOnlyThatFileAndMode) {
  kxtest::TempDir dir;
  std::ofstream(dir.File("K_score.dat")) << "x";
  std::ofstream(dir.File("other.dat")) << "y";
  pt::FailPath(dir.File("k_SCORE.DAT"), pt::Fault::OpenForUpdate);  // matched after NativePath
  EXPECT_EQ(OpenFile(dir.File("K_score.dat"), FileMode::ReadUpdate), nullptr);
  EXPECT_NE(OpenFile(dir.File("K_score.dat"), FileMode::ReadShareDenyWrite), nullptr);
  EXPECT_NE(OpenFile(dir.File("other.dat"), FileMode::ReadUpdate), nullptr);
  EXPECT_EQ(pt::Reached(pt::Fault::OpenForUpdate), 2u);
}

TEST_F(Faults, RelativeFailPathMatchesInTheWorkingDirectory) {
  kxtest::TempDir dir;
  std::ofstream(dir.File("K_score.dat")) << "x";
  const auto home = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  pt::FailPath("K_score.dat", pt::Fault::OpenForUpdate);
  const bool plainFails = OpenFile("K_score.dat", FileMode::ReadUpdate) == nullptr;
  const bool dottedFails = OpenFile(".\\K_score.dat", FileMode::ReadUpdate) == nullptr;
  std::filesystem::current_path(home);
  EXPECT_TRUE(plainFails);
  EXPECT_TRUE(dottedFails);
}

TEST_F(Faults, GlobalFileFaultsAndRename) {
  kxtest::TempDir dir;
  pt::Fail(pt::Fault::OpenForCreate, {.after = 1});
  EXPECT_NE(OpenFile(dir.File("a.bin"), FileMode::CreateWrite), nullptr);
  EXPECT_EQ(OpenFile(dir.File("b.bin"), FileMode::CreateWrite), nullptr);
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.bin")));

  pt::FailPath(dir.File("a.bin"), pt::Fault::Rename);
  EXPECT_FALSE(ReplaceFile(dir.File("a.bin"), dir.File("c.bin")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("a.bin")));
  pt::ClearFaults();
  EXPECT_TRUE(ReplaceFile(dir.File("a.bin"), dir.File("c.bin")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("c.bin")));
}

}  // namespace
