// Song playback on virtual time: tick conversion and tempo changes, whole-
// song and marker loops, the fade-out ramp, the Stop handshake, the end
// notification and its Reset, and songs deleted while they play.
#include <array>

#include "midi_fixture.h"

namespace {

using kxtest::Track;

class MidiPlayback : public kxtest::MidiTest {};

// Cycles come at 0, 10, 20 ... ms; Run(n) returns before the cycle at n.
TEST_F(MidiPlayback, TicksFollowTheTempoAcrossTheClockWrap) {
  plat::headless::Config wrap;
  wrap.startMs = 0xFFFFFFF6;  // the first cycles straddle 2^32
  Open(wrap);
  const std::uint32_t start = plat::timeGetTime();
  Track t;  // 250 ms, then 1000 ms, then 0.5 ms (taken as 1 ms) per quarter
  t.Tempo(0, 250000).On(400, 0, 61).Tempo(0, 1000000).On(100, 0, 62).Tempo(0, 500);
  t.On(1000, 0, 63).End();
  Song("a", 100, {t});
  midi_->Play("a", false);
  EXPECT_EQ(RunUntilEnd(3000) - start, 2020u);  // ended in the cycle at 2010
  EXPECT_EQ(Times(0x90, 61), std::vector<std::uint32_t>{start + 1000});
  EXPECT_EQ(Times(0x90, 62), std::vector<std::uint32_t>{start + 2000});
  EXPECT_EQ(Times(0x90, 63), std::vector<std::uint32_t>{start + 2010});

  Track slow;
  slow.On(0, 0, 60).Off(100000, 0, 60).End();
  Song("b", 480, {slow});
  midi_->Play("b", false);
  Run(5);  // the cycle at 2020: 10 ms × 480 / 500 = 9 ticks, 300 carried
  EXPECT_EQ(midi_->GetDeltaTime(), 9u);
  Run(10);  // (300 + 4800) / 500 = 10, 100 carried
  EXPECT_EQ(midi_->GetDeltaTime(), 19u);
}

// A cycle that runs late does not shift the ones after it.
TEST_F(MidiPlayback, CyclesKeepTheirTenMillisecondGrid) {
  struct SlowOnce : VexmoraMidiSystem::TVexmoraMidi {
    using TVexmoraMidi::TVexmoraMidi;
    void UserPlay(std::uint32_t elapsed) override {
      TVexmoraMidi::UserPlay(elapsed);
      if (plat::timeGetTime() == 100) plat::Sleep(3);
    }
  };
  midi_ = std::make_unique<SlowOnce>(nullptr);
  midi_->Init();
  Run(105);
  midi_->NoteOn(0, 60, 100, 20);
  Run(100);
  EXPECT_EQ(Times(0x90, 60), std::vector<std::uint32_t>{110});
  EXPECT_EQ(Times(0x80, 60), std::vector<std::uint32_t>{130});
}

TEST_F(MidiPlayback, SongEndsOnceOrLoopsWhole) {
  Track t;
  t.Raw(0, {0xF0, 1, 0xF7}).On(0, 0, 60).Off(96, 0, 60).End();  // 500 ms
  Song("a", 96, {t});
  midi_->Play("a", false);
  midi_->Play("a", true);  // ignored while playing
  EXPECT_EQ(RunUntilEnd(2000), 510u);
  Run(500);
  EXPECT_EQ(ends_, 1);
  EXPECT_EQ(midi_->GetDeltaTime(), 0u);
  EXPECT_EQ(midi_->GetMusicTempo(), 500000u);
  EXPECT_EQ(Times(0x90, 60).size(), 1u);
  EXPECT_EQ(Log(0xF0).size(), 2u);  // GM System On, then the song's own
  // One tick: system-exclusive before channel messages.
  EXPECT_EQ(control_->MidiLog()[1].bytes, (kxtest::Bytes{0xF0, 0xF7}));

  midi_->Play("a", true);  // each pass starts in the cycle after the last one ended
  Run(1550);
  EXPECT_EQ(Times(0x90, 60, 1010), (std::vector<std::uint32_t>{1010, 1510, 2010, 2510}));
  EXPECT_EQ(ends_, 1);
}

// Marker loops return to the start marker with the tempo in force there,
// send nothing from before it again, and let no note of the pass hang.
TEST_F(MidiPlayback, RepeatMarkersLoopOnlyWhenLooping) {
  Track t;
  t.On(0, 0, 50).Off(10, 0, 50).Tempo(950, 250000).Meta(960, 6, "repeatstart");
  t.On(0, 0, 60).Meta(1920, 7, "END").Off(0, 0, 60).On(0, 0, 70).Off(10, 0, 70).End();
  Song("a", 480, {t});
  midi_->Play("a", true);
  Run(3600);
  EXPECT_EQ(Times(0x90, 50).size(), 1u);
  EXPECT_EQ(Times(0x90, 60), (std::vector<std::uint32_t>{1500, 2510, 3510}));
  EXPECT_EQ(Times(0x80, 60), (std::vector<std::uint32_t>{2500, 3500}));  // before each jump
  EXPECT_TRUE(Times(0x90, 70).empty());
  EXPECT_EQ(midi_->GetMusicTempo(), 250000u);
  midi_->Stop();

  midi_->Play("a", false);
  Run(10);  // delivers the stop's notification
  ends_ = 0;
  RunUntilEnd(5000);
  EXPECT_EQ(ends_, 1);
  EXPECT_EQ(Times(0x90, 70, 3600).size(), 1u);
}

TEST_F(MidiPlayback, AnEndMarkerAtItsStartDoesNotStallTheSong) {
  Track t;
  t.Meta(0, 6, "RepeatEnd").On(0, 0, 60).Off(96, 0, 60).End();
  Song("a", 96, {t});
  midi_->Play("a", true);
  Run(1100);
  EXPECT_EQ(Times(0x90, 60).size(), 3u);
}

TEST_F(MidiPlayback, FadeOutLowersEveryVolumeLinearlyAndEndsTheSong) {
  Track t;
  t.Raw(0, {0xB0, 7, 80}).On(0, 0, 60).Off(96000, 0, 60).End();
  Song("a", 96, {t});
  midi_->Play("a", true);
  Run(100);
  midi_->SetFadeOut(3500);
  Run(1000);
  midi_->SetFadeOut(100);           // a fade is running: no effect
  midi_->ControlChange(0, 7, 127);  // reaches the device, leaves the volume alone
  const std::uint32_t end = RunUntilEnd(5000);
  EXPECT_EQ(end, 3600u);  // the fade's last cycle is at 3590
  EXPECT_EQ(ends_, 1);

  const auto steps = Log(0xB0, 0xF0, 100);
  ASSERT_EQ(steps.size() % 16, 1u);  // 16 channels a step, plus the one sent by hand
  std::uint32_t previous = 0;
  for (const kxtest::Sent& s : steps) {
    if (s.bytes[2] == 127) continue;
    const std::uint32_t first = steps.front().ms;
    EXPECT_EQ((s.ms - first) % 320, 0u);
    const int base = (s.bytes[0] & 0x0F) == 0 ? 80 : 100;
    const double level = 1.0 - (s.ms - first + 10) / 3500.0;
    EXPECT_NEAR(s.bytes[2], base * level, 1.0) << s.ms;
    previous = s.ms;
  }
  EXPECT_GE(previous, 3300u);
  std::array<VexmoraMidiSystem::TVexmoraMidiChannel, 16> ch{};
  midi_->GetChannelData(ch);
  EXPECT_EQ(ch[0].volume, 100);  // the end's Reset
}

TEST_F(MidiPlayback, StopReturnsOnceTheThreadLeftThePlayAndTheNextSongKeepsItsState) {
  Track a, b;
  a.On(0, 0, 60).Off(96000, 0, 60).End();
  b.Tempo(0, 300000).On(0, 1, 64).Off(96000, 1, 64).End();
  Song("a", 96, {a});
  Song("b", 96, {b});
  midi_->Play("a", false);
  Run(55);
  midi_->Stop();
  EXPECT_EQ(plat::timeGetTime(), 60u);         // the thread's next cycle
  EXPECT_EQ(Log(0xB0, 0xF0, 60).size(), 32u);  // sustain off and all notes off, 16 channels
  midi_->Play("b", false);                     // the same frame: not ignored
  Run(50);
  EXPECT_EQ(ends_, 1);  // the stop's notification, handled after b started
  EXPECT_EQ(Times(0x91, 64), std::vector<std::uint32_t>{70});
  EXPECT_EQ(midi_->GetMusicTempo(), 300000u);  // b's tempo survives that late Reset
  EXPECT_GT(midi_->GetDeltaTime(), 0u);
}

TEST_F(MidiPlayback, ADeletedSongPlaysToItsEnd) {
  Track t;
  t.On(0, 0, 60).Off(96, 0, 60).End();
  Song("a", 96, {t});
  midi_->Play("a", false);
  midi_->DeleteAllData();
  EXPECT_EQ(RunUntilEnd(2000), 510u);
  EXPECT_EQ(Times(0x80, 60), std::vector<std::uint32_t>{500});
  EXPECT_THROW(midi_->Play("a", false), VexmoraSystem::EVxMidi);
}

}  // namespace
