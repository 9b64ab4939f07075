// The headless driver's contract: its input files, its options, and runs
// that repeat byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "driver.h"
#include "input_script.h"
#include "support/slurp.h"
#include "support/temp_dir.h"

namespace kxtest {
namespace {

TEST(InputScript, ReadsKeysAndJoystickInFrameOrder) {
  const auto events = kxh::ParseInputScript(
      "# a comment\n\n12 down x\n3 joy 0 65535 3\n12 up Escape\n3 down Left\n", "in.txt");
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].frame, 3);
  EXPECT_EQ(events[0].kind, kxh::InputEvent::Kind::Joy);
  EXPECT_EQ(events[0].buttons, 3u);
  EXPECT_EQ(events[1].vk, 0x25);  // Left, after the joy line of the same frame
  EXPECT_EQ(events[2].vk, 'X');
  EXPECT_EQ(events[3].vk, 0x1B);
  EXPECT_EQ(events[3].kind, kxh::InputEvent::Kind::KeyUp);
}

TEST(InputScript, BadLinesNameTheFileAndLine) {
  for (const char* bad : {"0 down X\n", "5 press X\n", "5 down F1\n", "5 joy 1 2\n",
                          "5 joy 70000 0 0\n", "5 down X extra\n"}) {
    try {
      kxh::ParseInputScript(std::string("# ok\n") + bad, "script.txt");
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("script.txt:2:"), std::string::npos) << e.what();
    }
  }
}

TEST(DriverOptions, RejectsUnknownAndMalformedOptions) {
  EXPECT_THROW(kxh::ParseOptions({"--frames", "ten"}), std::runtime_error);
  EXPECT_THROW(kxh::ParseOptions({"--bogus"}), std::runtime_error);
  EXPECT_THROW(kxh::ParseOptions({"--shot-every", "5"}), std::runtime_error);
  EXPECT_THROW(kxh::ParseOptions({"--seed"}), std::runtime_error);
  const auto o = kxh::ParseOptions({"--frames", "7", "--seed", "42", "--invincible"});
  EXPECT_EQ(o.frames, 7);
  EXPECT_EQ(o.seed, 42u);
  EXPECT_TRUE(o.invincible);
}

TEST(Driver, SameSeedAndInputGiveIdenticalStateAndShots) {
  TempDir dir;
  {
    std::ofstream in(dir.File("input.txt"));
    in << "5 down Z\n6 up Z\n40 down X\n60 up X\n";
  }
  std::string json[2], shot[2];
  for (int run = 0; run < 2; ++run) {
    kxh::Options o;
    o.seed = 7;
    o.frames = 120;
    o.inputFile = dir.File("input.txt");
    o.scoreFile = dir.File("K_score" + std::to_string(run) + ".dat");
    o.stateOut = dir.File("state" + std::to_string(run) + ".json");
    o.shotEvery = 50;
    o.shotDir = dir.File("shots" + std::to_string(run));
    ASSERT_EQ(kxh::RunDriver(o), 0);
    json[run] = Slurp(o.stateOut);
    shot[run] = Slurp(o.shotDir + "/frame-000100.png");
    EXPECT_FALSE(Slurp(o.shotDir + "/frame-000120.png").empty());  // the last frame
  }
  EXPECT_EQ(json[0], json[1]);
  EXPECT_EQ(shot[0], shot[1]);
  EXPECT_NE(json[0].find("\"frame\": 120"), std::string::npos);
  EXPECT_NE(json[0].find("\"gameModeName\": \"Play\""), std::string::npos);
  EXPECT_NE(json[0].find("\"podAngle\": [0, 21]"), std::string::npos);
}

TEST(Driver, EscapeEndsTheRunEarlyAndAMissingDataFolderFailsClearly) {
  TempDir dir;
  {
    std::ofstream in(dir.File("input.txt"));
    in << "10 down Escape\n";
  }
  kxh::Options o;
  o.frames = 100;
  o.scoreFile = dir.File("K_score.dat");
  o.inputFile = dir.File("input.txt");
  o.stateOut = dir.File("state.json");
  ASSERT_EQ(kxh::RunDriver(o), 0);
  EXPECT_NE(Slurp(o.stateOut).find("\"frame\": 9"), std::string::npos);

  o.dataDir = dir.File("nowhere");
  testing::internal::CaptureStderr();
  EXPECT_EQ(kxh::RunDriver(o), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("nowhere"), std::string::npos);
}

}  // namespace
}  // namespace kxtest
