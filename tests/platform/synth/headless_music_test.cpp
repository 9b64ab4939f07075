// The headless backend's music: with Config::midiSynth the MIDI output is
// heard in the audio capture, each note from the sample of its virtual send
// time; without it the capture stays the mixer's alone. The log is kept
// either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "plat/detail/backend.h"
#include "plat/headless.h"
#include "plat/midiout.h"
#include "plat/timer.h"
#include "synth/soundfont.h"

namespace {

using namespace plat;

constexpr int kRate = 22050;

class HeadlessMusic : public ::testing::Test {
 protected:
  void TearDown() override {
    midiOutClose(out_);
    headless::Stop();
  }
  // Starts the backend, opens the audio device (silent mixer) and the MIDI
  // output, and plays a note at 100 ms of virtual time.
  void PlayNote(bool synth) {
    headless::Config config;
    config.midiSynth = synth;
    control_ = &headless::Start(config);
    ASSERT_EQ(detail::ActiveBackend()->OpenAudio(
                  kRate, [](std::int16_t* o, int frames) { std::fill_n(o, 2 * frames, 0); }),
              kRate);
    ASSERT_EQ(midiOutOpen(out_), MMSYSERR_NOERROR);
    midiOutShortMsg(*out_, 0x50C0);  // program 80
    control_->Advance(100);
    midiOutShortMsg(*out_, 0x7F4890);  // note 72, full velocity
    control_->Advance(400);
  }
  int Loudest(int fromFrame, int toFrame) const {
    const auto pcm = control_->AudioCapture();
    int m = 0;
    for (int i = 2 * fromFrame; i < 2 * toFrame && i < static_cast<int>(pcm.size()); ++i)
      m = std::max(m, std::abs(int{pcm[static_cast<std::size_t>(i)]}));
    return m;
  }

  headless::Control* control_ = nullptr;
  std::unique_ptr<MidiOut> out_;
};

TEST_F(HeadlessMusic, ANoteIsHeardFromTheSampleOfItsVirtualTime) {
  if (synth::FindSoundfont().empty()) GTEST_SKIP() << "no soundfont";
  PlayNote(true);
  const int noteFrame = 100 * kRate / 1000;
  EXPECT_EQ(Loudest(0, noteFrame - 8), 0);
  EXPECT_GT(Loudest(noteFrame, noteFrame + 64), 0);
  EXPECT_GT(Loudest(noteFrame + 64, noteFrame + 4000), 1000);
  ASSERT_EQ(control_->MidiLog().size(), 2u);
  EXPECT_EQ(control_->MidiLog()[1].ms - control_->MidiLog()[0].ms, 100u);
}

TEST_F(HeadlessMusic, WithoutTheSynthesiserTheCaptureHasOnlyTheMixerAndTheLogIsKept) {
  PlayNote(false);
  EXPECT_EQ(static_cast<int>(control_->AudioCapture().size()), 2 * 500 * kRate / 1000);
  EXPECT_EQ(Loudest(0, 500 * kRate / 1000), 0);
  EXPECT_EQ(control_->MidiLog().size(), 2u);
}

}  // namespace
