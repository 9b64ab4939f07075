// The game's music and effects: requests become component calls at fixed
// points of the frame.
#include <cstdio>

#include "game_fixture.h"
#include "midi/Vxmidi.h"
#include "sound/Vxsound.h"

namespace kxtest {
namespace {

TEST_F(GameTest, EveryGeneratedEffectAndSongLoadsWithTheEngineReaders) {
  char name[8];
  for (int i = 1; i <= 17; ++i) {
    std::snprintf(name, sizeof name, "%02d", i);
    EXPECT_NE(game().SOU->FindBuffer(name), nullptr) << name;
  }
  for (int i = 1; i <= 8; ++i) {
    std::snprintf(name, sizeof name, "%02d", i);
    EXPECT_NE(game().BMD->GetSMFData(name), nullptr) << name;
  }
}

TEST_F(GameTest, TitleSongStartsOnTheFirstFrame) {
  Frames(1);
  const auto& songs = game().Log().songs;
  ASSERT_EQ(songs.size(), 2u);
  EXPECT_EQ(songs[0].name, "stop");
  EXPECT_EQ(songs[1].name, "01");
  EXPECT_TRUE(songs[1].loop);
  EXPECT_EQ(rec().musicRequest, 0);
  // The MIDI output has seen the song's first messages after a moment.
  Frames(30);
  EXPECT_FALSE(control().MidiLog().empty());
}

TEST_F(GameTest, SongCodesWithoutARowStopTheMusic) {
  Frames(1);
  for (int code : {6, 8, 11}) {
    rec().musicRequest = code;
    const auto before = game().Log().songs.size();
    Frames(1);
    ASSERT_EQ(game().Log().songs.size(), before + 1);
    EXPECT_EQ(game().Log().songs.back().name, "stop");
  }
  rec().musicRequest = 9;  // the game-over song plays once
  Frames(1);
  EXPECT_EQ(game().Log().songs.back().name, "07");
  EXPECT_FALSE(game().Log().songs.back().loop);
}

TEST_F(GameTest, OnlyTheLastEffectRequestOfAFramePlays) {
  Down('Z');
  Frames(2);  // into Play
  ASSERT_EQ(game().gameMode, kx::kPlay);
  rec().soundRequest = 5;
  rec().soundRequest = 13;
  Frames(1);
  ASSERT_FALSE(game().Log().sounds.empty());
  EXPECT_EQ(game().Log().sounds.back().second, "13");
  EXPECT_EQ(rec().soundRequest, 0);
  Frames(20);
  // The effect reached the mixer: the capture is no longer silent.
  bool heard = false;
  for (auto s : control().AudioCapture()) heard |= s != 0;
  EXPECT_TRUE(heard);
}

}  // namespace
}  // namespace kxtest
