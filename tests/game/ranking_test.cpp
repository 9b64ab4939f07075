// The ranking: its file, the default ranking, entering a score, and a save
// that never loses the stored ranking.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/ranking.h"
#include "game_fixture.h"
#include "support/slurp.h"

namespace kxtest {
namespace {

kx::Ranking Sample() {
  kx::Ranking r{};
  const std::u16string date = u"2026/12/08 04:05:06";
  for (int i = 0; i < 7; ++i) {
    r[i].score = 70000 - 10000 * i;
    std::copy(date.begin(), date.end(), r[i].dateText.begin());
  }
  return r;
}

TEST(RankingFile, RoundTripIsByteExactAnd308Bytes) {
  const kx::Ranking r = Sample();
  const auto bytes = kx::SerializeRanking(r);
  EXPECT_EQ(bytes.size(), 308u);
  EXPECT_EQ(bytes[0], std::byte{0x70});  // 70000 = 0x11170, little-endian
  EXPECT_EQ(bytes[1], std::byte{0x11});
  EXPECT_EQ(bytes[4], std::byte{'2'});
  EXPECT_EQ(bytes[5], std::byte{0});
  kx::Ranking back{};
  kx::ParseRanking(bytes, back);
  EXPECT_EQ(kx::SerializeRanking(back), bytes);
}

TEST(RankingFile, ShortFileFillsTheRowsItCoversAndGarbageIsHarmless) {
  const auto full = kx::SerializeRanking(Sample());
  kx::Ranking r{};
  kx::ParseRanking(std::span(full.data(), 44 + 2), r);  // one row and a bit
  EXPECT_EQ(r[0].score, 70000);
  EXPECT_EQ(r[1].score, 60000);  // the low half of its score is there: 0xEA60
  EXPECT_EQ(r[1].dateText[0], 0);
  EXPECT_EQ(r[2].score, 0);

  std::vector<std::byte> garbage(5000, std::byte{0xD8});  // lone surrogates, no terminator
  kx::ParseRanking(garbage, r);
  EXPECT_EQ(r[6].dateText[19], 0);
  EXPECT_EQ(kx::Utf16ToUtf8(r[6].dateText).substr(0, 3), "\xEF\xBF\xBD");
  EXPECT_EQ(r[7].score, 0);  // the spare row is never read
}

TEST(RankingFile, DateTextsConvertBothWays) {
  const std::string text = "2026/12/08 日本 \xF0\x9F\x9A\x80";
  const std::u16string u = kx::Utf8ToUtf16(text);
  EXPECT_EQ(kx::Utf16ToUtf8(u), text);
}

TEST_F(GameTest, FirstStartShowsTheMessageAndTheDefaultRanking) {
  ASSERT_GE(control().MessageBoxTexts().size(), 2u);
  EXPECT_EQ(control().MessageBoxTexts()[0], "スコア記録ファイルを作成します。");
  EXPECT_EQ(control().MessageBoxTexts()[1], "400*300(FullScreen)モードで起動しますか？");
  for (int i = 0; i < 7; ++i) EXPECT_EQ(game().highScores[i].score, 14000 - 2000 * i);
  EXPECT_EQ(game().highScores[7].score, 0);
  EXPECT_EQ(kx::Utf16ToUtf8(game().highScores[6].dateText).size(), 19u);
}

TEST_F(GameTest, ClosingWritesTheRankingAndTheNextStartReadsIt) {
  game().highScores[2].score = 12345;
  game().Window().Close();
  EXPECT_EQ(std::filesystem::file_size(options_.scoreFile), 308u);
  TearDown();
  SetUp();
  EXPECT_EQ(game().highScores[2].score, 12345);
  EXPECT_EQ(control().MessageBoxTexts().size(), 1u);  // only the display question
}

TEST_F(GameTest, EqualScoreEntersBelowAndTheNewRowBlinks) {
  rec().score = game().highScores[3].score;  // 8000
  game().gameMode = kx::kDemo;
  game().rankingInserted = 0;
  Frames(1);
  EXPECT_EQ(game().rankingMark, 4);
  EXPECT_EQ(game().highScores[4].score, 8000);
  EXPECT_EQ(game().highScores[5].score, 6000);  // old row 4 pushed down
  EXPECT_EQ(game().highScores[6].score, 4000);  // old row 6 (2000) dropped
  const int blink = game().rankingBlink;
  Frames(1);
  EXPECT_NE(game().rankingBlink, blink);
  EXPECT_EQ(game().highScores[5].score, 6000);  // entered once per Demo
}

TEST_F(GameTest, ScoreThatBeatsNoRowChangesNothing) {
  rec().score = 100;
  game().gameMode = kx::kDemo;
  game().rankingInserted = 0;
  Frames(1);
  EXPECT_EQ(game().rankingMark, 10);
  EXPECT_EQ(game().highScores[6].score, 2000);
}

class UnreadableRankingTest : public GameTest {
 protected:
  void SetUp() override {
    {
      std::ofstream f(options_.scoreFile, std::ios::binary);
      const auto bytes = kx::SerializeRanking(Sample());
      f.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    // A read-only file cannot be opened for update (root ignores the mode bits).
    plat::testing::FailPath(options_.scoreFile, plat::testing::Fault::OpenForUpdate);
    GameTest::SetUp();
  }
};

TEST_F(UnreadableRankingTest, GivesTheDefaultRankingWithTheMessage) {
  EXPECT_EQ(control().MessageBoxTexts()[0], "スコア記録ファイルを作成します。");
  EXPECT_EQ(game().highScores[0].score, 14000);
}

TEST_F(UnreadableRankingTest, FailedSaveKeepsTheStoredRankingIntact) {
  const std::string before = Slurp(options_.scoreFile);
  for (auto fault : {plat::testing::Fault::OpenForCreate, plat::testing::Fault::Rename}) {
    plat::testing::ClearFaults();
    plat::testing::FailPath(options_.scoreFile + ".tmp", fault);
    plat::testing::FailPath(options_.scoreFile, fault);
    const auto shown = control().MessageBoxTexts().size();
    game().FormClose();
    ASSERT_EQ(control().MessageBoxTexts().size(), shown + 1);
    EXPECT_EQ(control().MessageBoxTexts().back(), "K_score.dat へのアクセスに失敗しました。");
    EXPECT_EQ(Slurp(options_.scoreFile), before);
    EXPECT_FALSE(std::filesystem::exists(options_.scoreFile + ".tmp"));
  }
}

TEST_F(GameTest, AnsweringNoGivesThe640ModeWithThePlayfieldCentred) {
  EXPECT_EQ(control().DisplayMode(), (std::array<int, 3>{640, 480, 16}));
  EXPECT_EQ(game().Window().ImagePosition(), (plat::Point{120, 90}));
  game().Window().Close();
  EXPECT_FALSE(control().DisplayMode().has_value());  // the desktop mode is back
}

TEST_F(GameTest, AnsweringYesGivesThe400ModeWithThePlayfieldAtTheCorner) {
  TearDown();  // start again with a Yes scripted for the question
  plat::headless::Control& c = plat::headless::Start(config_);
  c.AnswerMessageBoxes({true});
  ASSERT_NE(kx::StartGame(options_), nullptr);
  EXPECT_EQ(c.DisplayMode(), (std::array<int, 3>{400, 300, 16}));
  EXPECT_EQ(plat::Application::MainForm()->ImagePosition(), (plat::Point{0, 0}));
}

}  // namespace
}  // namespace kxtest
