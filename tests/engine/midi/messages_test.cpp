// Direct messages through the play thread's queue, the fixed GS and GM
// system-exclusive bytes, a busy device, the channel report, and the
// component's errors.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "midi_fixture.h"

namespace {

using namespace VexmoraMidiSystem;
using kxtest::Bytes;

class MidiMessages : public kxtest::MidiTest {
 protected:
  static std::string Error(const std::string& detail) { return "TVexmoraMidi エラー\n\n" + detail; }
  std::string Thrown(const std::function<void()>& call) {
    try {
      call();
    } catch (const VexmoraSystem::EVxMidi& e) {
      return e.Message();
    }
    return "nothing thrown";
  }
  std::vector<Bytes> All() const {
    std::vector<Bytes> out;
    for (const auto& e : control_->MidiLog()) out.push_back(e.bytes);
    return out;
  }
};

TEST_F(MidiMessages, NotesGoOutInTheNextCycleAndEndOnTime) {
  Run(1234);
  midi_->NoteOn(0, 60, 100, 500);
  midi_->NoteOn(0, 61, 100, 0xFFFFFFFF);  // stays on
  midi_->NoteOn(0, 62, 100, 300);
  midi_->NoteOn(0, 63, 100, 100);
  midi_->ProgramChange(1, 5);  // queued before the note: sent before it
  midi_->NoteOn(1, 64, 90, 0);
  midi_->PitchBend(2, 0x55);
  Run(2000);
  EXPECT_EQ(Times(0x90, 60), std::vector<std::uint32_t>{1240});  // the next cycle
  EXPECT_EQ(Times(0x80, 60), std::vector<std::uint32_t>{1740});  // 500 ms after its note
  EXPECT_TRUE(Times(0x80, 61).empty());
  EXPECT_EQ(Times(0x80, 62), std::vector<std::uint32_t>{1540});
  EXPECT_EQ(Times(0x80, 63), std::vector<std::uint32_t>{1340});
  const std::vector<Bytes> all = All();
  const std::vector<Bytes> first(all.begin(), all.begin() + 7);
  EXPECT_EQ(first, (std::vector<Bytes>{{0x90, 60, 100},
                                       {0x90, 61, 100},
                                       {0x90, 62, 100},
                                       {0x90, 63, 100},
                                       {0xC1, 5},
                                       {0x91, 64, 90},
                                       {0x81, 64, 0}}));
  ASSERT_EQ(Log(0xE2).size(), 1u);
  EXPECT_EQ(Log(0xE2)[0].bytes, (Bytes{0xE2, 0x55, 0x00}));
}

TEST_F(MidiMessages, ResetsAndGsMacrosSendTheirExactBytes) {
  midi_->SetGSReverb(rvHall2);
  midi_->SetGSChorus(chChorus3);
  midi_->SetGSDelay(dlDelay1);
  midi_->MidiReset(mrGS);
  midi_->MidiReset(mrGM);
  midi_->MidiReset(static_cast<TMidiReset>(2));  // sends nothing
  midi_->SetGSReverb(static_cast<TGSReverb>(20));
  const std::vector<Bytes> expected{
      {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30, 0x04, 0x0B, 0xF7},
      {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x38, 0x02, 0x05, 0xF7},
      {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x50, 0x00, 0x6F, 0xF7},
      {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7},
      {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7},
      {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30, 20, 0x7B, 0xF7}};  // a valid checksum
  EXPECT_EQ(All(), expected);
}

TEST_F(MidiMessages, ABusyDeviceIsAskedUpTo200Times) {
  plat::testing::Fail(plat::testing::Fault::MidiLongMsgNotReady, {.times = 199});
  midi_->SetGSReverb(rvRoom1);
  EXPECT_EQ(plat::testing::Reached(plat::testing::Fault::MidiLongMsgNotReady), 200u);
  EXPECT_EQ(All().size(), 1u);
  plat::testing::Fail(plat::testing::Fault::MidiLongMsgNotReady, {.times = 200});
  midi_->SetGSReverb(rvRoom1);
  EXPECT_EQ(All().size(), 1u);  // given up
}

TEST_F(MidiMessages, ChannelReportFollowsTheSong) {
  kxtest::Track t;
  t.Raw(0, {0xC0, 30}).Raw(0, {0xB0, 10, 20}).Raw(0, {0xB0, 91, 70}).Raw(0, {0xB0, 7, 90});
  t.On(0, 0, 60, 100).Off(9600, 0, 60).End();
  Song("a", 96, {t});
  midi_->Play("a", false);
  Run(25);  // cycles at 0, 10 and 20: the note's level has decayed twice
  std::array<TVexmoraMidiChannel, 16> ch{};
  midi_->GetChannelData(ch);
  EXPECT_EQ(ch[0].level, 92);
  EXPECT_EQ(ch[0].program, 30);
  EXPECT_EQ(ch[0].pan, 20);
  EXPECT_EQ(ch[0].reverb, 70);
  EXPECT_EQ(ch[0].volume, 90);
  EXPECT_EQ(ch[1].volume, 100);
  EXPECT_EQ(ch[1].expression, 127);

  midi_->Report = false;
  EXPECT_EQ(Thrown([&] { midi_->GetChannelData(ch); }),
            Error("Reportプロパティは、falseになっています。"));
  midi_->ControlChange(1, 7, 33);
  midi_->NoteOn(1, 60, 120, 0xFFFFFFFF);
  Run(20);
  midi_->Report = true;
  Run(10);
  midi_->GetChannelData(ch);
  EXPECT_EQ(ch[1].volume, 33);
  EXPECT_EQ(ch[1].level, 0);
}

TEST_F(MidiMessages, ErrorsNameTheirCause) {
  EXPECT_EQ(Thrown([&] { midi_->Play("zz", false); }),
            Error("データが存在しません。\nデータ名：zz"));
  EXPECT_EQ(Thrown([&] { midi_->GetSMFData("zz"); }),
            Error("データが存在しません。\nデータ名：zz"));
  midi_->CleanUp();
  const std::string notReady = Error("まだ初期化されてません。");
  EXPECT_EQ(Thrown([&] { midi_->Play("zz", false); }), notReady);
  EXPECT_EQ(Thrown([&] { midi_->Stop(); }), notReady);
  EXPECT_EQ(Thrown([&] { midi_->SetFadeOut(10); }), notReady);
  EXPECT_EQ(Thrown([&] { midi_->MidiReset(mrGM); }), notReady);
  EXPECT_EQ(Thrown([&] { midi_->SetGSChorus(chFlanger); }), notReady);

  plat::testing::Fail(plat::testing::Fault::MidiOutOpen);
  EXPECT_EQ(Thrown([&] { midi_->Init(); }), Error("MidiOutの作成に失敗しました。"));
  plat::headless::Config noDevice;
  noDevice.midiDevice = false;
  Open(noDevice, false);
  EXPECT_EQ(Thrown([&] { midi_->Init(); }), Error("MidiOutの作成に失敗しました。"));
  EXPECT_FALSE(midi_->Initialised());
  plat::testing::Fail(plat::testing::Fault::ThreadStart);
  Open({}, false);
  EXPECT_EQ(Thrown([&] { midi_->Init(); }), "nothing thrown");  // Init starts the thread again
}

}  // namespace
