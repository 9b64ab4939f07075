// The third-party MIDI corpus: every valid file loads with the right events,
// every malformed one fails with a clear error naming it, and the edge cases
// behave as decided: extra bytes after the last track are ignored, unknown
// chunks skipped, over-long delta times read; running status continued across
// a meta or system-exclusive event is refused (the data byte would start an
// event of that kind, which then runs past its track), and format 2 is
// refused by design.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/Vxerror.h"
#include "midi/Vxmididata.h"

namespace {

using VexmoraMidiSystem::TVexmoraMidiData;

const std::string kDir = std::string(KX_CORPORA_DIR) + "/midi/";

// The failing files and the detail each fails with.
std::map<std::string, std::string> Refused() {
  std::map<std::string, std::string> r{
      {"test-empty-file.mid", "ファイルヘッダが不正です。"},
      {"test-not-a-midi-file.mid", "ファイルヘッダが不正です。"},
      {"test-corrupt-file-missing-byte.mid", "ファイルデータが不正です。"},
      {"test-2-tracks-type-0.mid", "SMFFormat0またはSMFFormat1ではありません。"},
      {"test-2-tracks-type-2.mid", "SMFFormat0またはSMFFormat1ではありません。"},
      {"test-running-status-metaevent.mid", "トラックデータが不正です。"},
      {"test-running-status-sysex.mid", "トラックデータが不正です。"},
      {"test-illegal-message-all.mid", "トラックデータが不正です。"}};
  for (const char* m :
       {"f1-xx", "f2-xx-xx", "f3-xx", "f4", "f5", "f6", "f8", "f9", "fa", "fb", "fc", "fd", "fe"})
    r[std::string("test-illegal-message-") + m + ".mid"] = "トラックデータが不正です。";
  return r;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> Events(const TVexmoraMidiData& d) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> out;
  for (const auto& m : d.shortMessages) out.emplace_back(m.tick, m.Packed());
  return out;
}

TEST(MidiCorpus, EveryFileLoadsOrFailsWithItsError) {
  const auto refused = Refused();
  int loaded = 0, failed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kDir)) {
    if (entry.path().extension() != ".mid") continue;
    const std::string name = entry.path().filename().string();
    const std::string path = entry.path().string();
    SCOPED_TRACE(name);
    TVexmoraMidiData d;
    const auto it = refused.find(name);
    try {
      d.LoadFile(path);
      EXPECT_TRUE(it == refused.end()) << "loaded";
      EXPECT_LE(d.format, 1u);
      ++loaded;
    } catch (const VexmoraSystem::EVxMidi& e) {
      ASSERT_TRUE(it != refused.end()) << e.Message();
      EXPECT_EQ(e.Message(), "TVexmoraMidi エラー\n\n" + it->second + "\nファイル名：" + path);
      ++failed;
    }
  }
  EXPECT_EQ(failed, static_cast<int>(refused.size()));
  EXPECT_EQ(loaded + failed, 72);
}

TEST(MidiCorpus, ValidFilesCarryTheirEvents) {
  TVexmoraMidiData scale;
  scale.LoadFile(kDir + "test-c-major-scale.mid");
  ASSERT_EQ(scale.shortMessages.size(), 16u);
  int note = 0;
  for (const auto& m : scale.shortMessages) {
    if (m.status != 0x90) continue;
    EXPECT_EQ(m.tick, static_cast<std::uint32_t>(note * 96));
    EXPECT_EQ(m.data1, (std::vector<int>{60, 62, 64, 65, 67, 69, 71, 72})[note]);
    ++note;
  }
  EXPECT_EQ(note, 8);
  EXPECT_EQ(scale.lengthTicks, 768u);
  EXPECT_EQ(scale.trackNames, std::vector<std::string>{"C Major Scale Test"});

  // The same scale written with over-long delta times, after an unknown
  // chunk, or followed by a stray byte.
  for (const char* same : {"test-vlq-2-byte.mid", "test-vlq-3-byte.mid", "test-vlq-4-byte.mid",
                           "test-non-midi-track.mid", "test-corrupt-file-extra-byte.mid"}) {
    TVexmoraMidiData d;
    d.LoadFile(kDir + same);
    EXPECT_EQ(Events(d), Events(scale)) << same;
  }

  TVexmoraMidiData gm;
  gm.LoadFile(kDir + "test-sysex-7e-09-01-gm1-enable.mid");
  ASSERT_EQ(gm.longMessages.size(), 1u);
  EXPECT_EQ(gm.longMessages.front().data,
            (std::vector<std::uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));

  TVexmoraMidiData two;  // format 1: both tracks' notes in one list, in tick order
  two.LoadFile(kDir + "test-2-tracks-type-1.mid");
  EXPECT_EQ(two.shortMessages.size(), 32u);
  EXPECT_TRUE(std::is_sorted(two.shortMessages.begin(), two.shortMessages.end(),
                             [](const auto& a, const auto& b) { return a.tick < b.tick; }));
  EXPECT_EQ(two.shortMessages.front().status, 0x90);
  EXPECT_EQ((++two.shortMessages.begin())->status, 0x91);
}

}  // namespace
