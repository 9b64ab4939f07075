// Standard MIDI File loading: merging tracks by tick, running status, system-
// exclusive and meta events, track ends and lengths, and every malformed file
// failing with its text and the file name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Vxerror.h"
#include "midi/Vxmididata.h"
#include "smf_builder.h"

namespace {

using namespace VexmoraMidiSystem;
using kxtest::AddSong;
using kxtest::Bytes;
using kxtest::Smf;
using kxtest::Track;

struct Short {
  std::uint32_t tick;
  int status, d1, d2;
  bool operator==(const Short&) const = default;
};

std::vector<Short> Shorts(const TVexmoraMidiData& d) {
  std::vector<Short> out;
  for (const auto& m : d.shortMessages) out.push_back({m.tick, m.status, m.data1, m.data2});
  return out;
}

class SmfReader : public ::testing::Test {
 protected:
  void TearDown() override { plat::ClearResources(); }
  void Load(const Bytes& bytes) {
    AddSong("song.mid", bytes);
    data_.LoadFile("song.mid");
  }
  // The load's error message, or "loaded".
  std::string Error(const Bytes& bytes) {
    try {
      Load(bytes);
    } catch (const VexmoraSystem::EVxMidi& e) {
      return e.Message();
    }
    return "loaded";
  }
  static std::string Expected(const std::string& detail, const std::string& name = "song.mid") {
    return "TVexmoraMidi エラー\n\n" + detail + "\nファイル名：" + name;
  }

  TVexmoraMidiData data_;
};

TEST_F(SmfReader, Format1MergesEveryTrackByTickWithEarlierTracksFirst) {
  Track tempo, a, b;
  tempo.Tempo(0, 400000).Meta(960, 6, "RepeatStart").End();
  a.On(0, 0, 60).Off(480, 0, 60).End();
  b.On(0, 1, 64).Off(240, 1, 64).On(240, 1, 67).Off(480, 1, 67).End();
  Load(Smf(1, 480, {tempo, a, b}));
  EXPECT_EQ(data_.format, 1u);
  EXPECT_EQ(data_.division, 480u);
  EXPECT_EQ(data_.lengthTicks, 960u);
  EXPECT_EQ(Shorts(data_), (std::vector<Short>{{0, 0x90, 60, 100},
                                               {0, 0x91, 64, 100},
                                               {240, 0x81, 64, 0},
                                               {480, 0x80, 60, 0},
                                               {480, 0x91, 67, 100},
                                               {960, 0x81, 67, 0}}));
  ASSERT_EQ(data_.metaEvents.size(), 2u);
  EXPECT_EQ(data_.metaEvents.front().type, 0x51);
  EXPECT_EQ(data_.metaEvents.front().value, 400000);
  EXPECT_EQ(data_.metaEvents.back().tick, 960u);
  EXPECT_EQ(data_.metaEvents.back().text, "RepeatStart");
}

TEST_F(SmfReader, RunningStatusCarriesAcrossDeltasAndProgramChangesTakeOneByte) {
  Track t;
  t.Raw(0, {0x90, 60, 100}).Raw(10, {62, 90}).Raw(0, {0xC3, 5}).Raw(5, {6}).Raw(0, {0xE0, 1, 64});
  t.End();
  Load(Smf(0, 96, {t}));
  EXPECT_EQ(Shorts(data_), (std::vector<Short>{{0, 0x90, 60, 100},
                                               {10, 0x90, 62, 90},
                                               {10, 0xC3, 5, 0},
                                               {15, 0xC3, 6, 0},
                                               {15, 0xE0, 1, 64}}));
}

TEST_F(SmfReader, SystemExclusiveKeepsItsLeadByteAndDataAfterItContinuesTheKind) {
  Track t;
  t.Raw(0, {0xF0, 5, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
  t.Raw(4, {0xF7, 2, 0xF8, 0xFA});  // an "escape": raw bytes
  t.Raw(0, {1, 0x11});              // running status: another F7 message
  t.Meta(1, 1, "first").Raw(0, {0x01, 6, 's', 'e', 'c', 'o', 'n', 'd'});  // and another meta
  t.End();
  Load(Smf(0, 96, {t}));
  ASSERT_EQ(data_.longMessages.size(), 3u);
  auto it = data_.longMessages.begin();
  EXPECT_EQ(it->data, (Bytes{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
  EXPECT_EQ(it->length, 6u);
  ++it;
  EXPECT_EQ(it->tick, 4u);
  EXPECT_EQ(it->data, (Bytes{0xF7, 0xF8, 0xFA}));
  EXPECT_EQ((++it)->data, (Bytes{0xF7, 0x11}));
  EXPECT_EQ(data_.texts, (std::vector<std::string>{"first", "second"}));
}

TEST_F(SmfReader, MetaEventsGoToTheirListsAndTextsStayWithinTheirBuffer) {
  Track t;
  t.Meta(0, 2, "(c) us").Meta(0, 3, "Lead").Meta(0, 5, "la").Meta(0, 7, "repeat");
  t.Raw(0, {0xFF, 0x58, 4, 3, 2, 24, 8}).Raw(0, {0xFF, 0x58, 4, 6, 3, 36, 8});  // the last counts
  t.Raw(0, {0xFF, 0x51, 2, 0x07, 0xA1});  // too short to be a tempo
  t.Raw(0, {0xFF, 0x7F, 3, 1, 2, 3});     // sequencer-specific: ignored
  t.Raw(0, {0xFF, 0x01, 5, 'a', 'b', 0, 'c', 'd'});
  t.Meta(0, 6, std::string(300, 'x'));
  t.End();
  Load(Smf(0, 96, {t}));
  EXPECT_EQ(data_.noticeTexts, std::vector<std::string>{"(c) us"});
  EXPECT_EQ(data_.trackNames, std::vector<std::string>{"Lead"});
  EXPECT_EQ(data_.texts, std::vector<std::string>{"ab"});
  EXPECT_EQ(data_.timeSigNumerator, 6u);
  EXPECT_EQ(data_.timeSigDenominator, 3u);
  EXPECT_EQ(data_.timeSigClocks, 36u);
  std::vector<std::pair<int, std::string>> metas;
  for (const auto& m : data_.metaEvents) metas.emplace_back(m.type, m.text);
  EXPECT_EQ(metas, (std::vector<std::pair<int, std::string>>{
                       {5, "la"}, {7, "repeat"}, {6, std::string(255, 'x')}}));
}

TEST_F(SmfReader, EndOfTrackStopsItsTrackAndTheLengthCountsTrailingDeltas) {
  Track a, b;
  a.On(0, 0, 60).Off(100, 0, 60).End(50).Raw(0, {0xF4, 0xF4});  // bytes after the end: ignored
  b.On(0, 1, 60).Off(120, 1, 60);                               // no end-of-track: read to its end
  Load(Smf(1, 96, {a, b}));
  EXPECT_EQ(data_.lengthTicks, 150u);
  EXPECT_EQ(data_.shortMessages.size(), 4u);
}

TEST_F(SmfReader, HeaderLengthIsIgnoredAndOtherChunksAreSkipped) {
  Track t;
  t.On(0, 0, 60).End();
  Load(Smf(0, 96, {t}, 10));  // the tracks still start at offset 14
  EXPECT_EQ(data_.shortMessages.size(), 1u);

  Bytes junk = Smf(0, 96, {});
  junk[11] = 1;  // one track, after a chunk of another kind
  for (const Bytes& c : {kxtest::Chunk("Junk", {1, 2, 3}), kxtest::Chunk("MTrk", t.bytes())})
    junk.insert(junk.end(), c.begin(), c.end());
  Load(junk);
  EXPECT_EQ(data_.shortMessages.size(), 1u);
}

TEST_F(SmfReader, LoadingAgainStartsFromNothing) {
  Track longer, shorter;
  longer.Raw(0, {0xFF, 0x58, 4, 3, 2, 24, 8}).On(0, 0, 60).Off(960, 0, 60).End();
  shorter.On(0, 0, 60).Off(96, 0, 60).End();
  Load(Smf(0, 96, {longer}));
  Load(Smf(0, 96, {shorter}));
  EXPECT_EQ(data_.lengthTicks, 96u);
  EXPECT_EQ(data_.timeSigNumerator, 0u);
  EXPECT_EQ(data_.shortMessages.size(), 2u);
}

TEST_F(SmfReader, EveryMalformedFileFailsWithItsTextAndName) {
  const std::string header = "ファイルヘッダが不正です。",
                    format = "SMFFormat0またはSMFFormat1ではありません。",
                    trackHeader = "トラックヘッダが不正です。", data = "ファイルデータが不正です。",
                    events = "トラックデータが不正です。";
  Track ok;
  ok.On(0, 0, 60).End();
  auto withTrack = [](Bytes trackBytes, std::uint32_t declared) {
    Bytes b = Smf(0, 96, {});
    b[11] = 1;
    b.insert(b.end(), {'M', 'T', 'r', 'k'});
    kxtest::Put32(b, declared);
    b.insert(b.end(), trackBytes.begin(), trackBytes.end());
    return b;
  };
  Bytes shortHeader = Smf(0, 96, {ok});
  shortHeader.resize(10);
  Bytes notMThd = Smf(0, 96, {ok});
  notMThd[3] = 'x';
  Bytes noDivision = Smf(0, 0, {ok});
  Bytes missingTrack = Smf(1, 96, {ok});
  missingTrack[11] = 2;
  Bytes binaryId = Smf(0, 96, {ok});
  binaryId[14] = 0;

  EXPECT_EQ(Error(shortHeader), Expected(header));
  EXPECT_EQ(Error(notMThd), Expected(header));
  EXPECT_EQ(Error(noDivision), Expected(header));
  EXPECT_EQ(Error(Smf(2, 96, {ok})), Expected(format));
  EXPECT_EQ(Error(Smf(0, 96, {ok, ok})), Expected(format));
  EXPECT_EQ(Error(missingTrack), Expected(trackHeader));
  EXPECT_EQ(Error(binaryId), Expected(trackHeader));
  EXPECT_EQ(Error(withTrack({0, 0x90, 60, 100}, 100)), Expected(data));
  EXPECT_EQ(Error(withTrack({0, 0x90, 60}, 3)), Expected(events));             // cut-off event
  EXPECT_EQ(Error(withTrack({0, 0x90, 60, 100, 0x83}, 5)), Expected(events));  // cut delta
  EXPECT_EQ(Error(withTrack({0, 0xF0, 0x7F, 1}, 4)), Expected(events));        // sysex too long
  EXPECT_EQ(Error(withTrack({0, 0xFF, 1, 9, 'a'}, 5)), Expected(events));      // text too long
  EXPECT_EQ(Error(withTrack({0, 60, 100}, 3)), Expected(events));  // data before any status
  EXPECT_EQ(Error(withTrack({0, 0xF4, 0, 0x90, 60, 100}, 6)), Expected(events));  // unknown length
}

TEST_F(SmfReader, AMissingFileNamesTheFile) {
  try {
    data_.LoadFile("mid\\nowhere.mid");
    FAIL() << "loaded";
  } catch (const VexmoraSystem::EVxMidi& e) {
    EXPECT_EQ(e.Message(), Expected("MIDIの読み込みに失敗しました。", "mid\\nowhere.mid"));
  }
}

}  // namespace
