// The MIDI output: short messages reach the device with the length their
// status implies, odd ones are refused, reset silences every channel, and the
// device is opened once for all handles and released with the last.
#include "plat/midiout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "plat/headless.h"
#include "plat/testing.h"

namespace {

using namespace plat;
using Bytes = std::vector<std::uint8_t>;

class MidiOutTest : public ::testing::Test {
 protected:
  void SetUp() override { control_ = &headless::Start(); }
  void TearDown() override {
    midiOutClose(a_);
    midiOutClose(b_);
    plat::testing::ClearFaults();
    headless::Stop();
  }
  std::vector<Bytes> Sent() const {
    std::vector<Bytes> out;
    for (const auto& e : control_->MidiLog()) out.push_back(e.bytes);
    return out;
  }

  headless::Control* control_ = nullptr;
  std::unique_ptr<MidiOut> a_, b_;
};

TEST_F(MidiOutTest, ShortMessagesTakeTheLengthOfTheirStatus) {
  ASSERT_EQ(midiOutOpen(a_), MMSYSERR_NOERROR);
  EXPECT_EQ(midiOutShortMsg(*a_, 0x7F3C90), MMSYSERR_NOERROR);
  EXPECT_EQ(midiOutShortMsg(*a_, 0xFF05C1), MMSYSERR_NOERROR);     // program change: one data byte
  EXPECT_EQ(midiOutShortMsg(*a_, 0x0102F2), MMSYSERR_NOERROR);     // song position: two
  EXPECT_EQ(midiOutShortMsg(*a_, 0x0000F8), MMSYSERR_NOERROR);     // clock: none
  EXPECT_EQ(midiOutShortMsg(*a_, 0x00403C), MMSYSERR_INVALPARAM);  // no status
  EXPECT_EQ(midiOutShortMsg(*a_, 0x0000F0), MMSYSERR_INVALPARAM);  // sysex is a long message
  const Bytes sysex{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  EXPECT_EQ(midiOutLongMsg(*a_, sysex), MMSYSERR_NOERROR);
  EXPECT_EQ(Sent(), (std::vector<Bytes>{
                        {0x90, 0x3C, 0x7F}, {0xC1, 0x05}, {0xF2, 0x02, 0x01}, {0xF8}, sysex}));
  EXPECT_EQ(control_->MidiLog()[0].ms, 0u);
}

TEST_F(MidiOutTest, ResetReleasesSustainAndEveryNoteOnAllChannels) {
  ASSERT_EQ(midiOutOpen(a_), MMSYSERR_NOERROR);
  midiOutReset(*a_);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 32u);
  for (std::uint8_t ch = 0; ch < 16; ++ch) {
    EXPECT_EQ(sent[2 * ch], (Bytes{static_cast<std::uint8_t>(0xB0 | ch), 64, 0}));
    EXPECT_EQ(sent[2 * ch + 1], (Bytes{static_cast<std::uint8_t>(0xB0 | ch), 123, 0}));
  }
}

TEST_F(MidiOutTest, OpenFailsWithoutADeviceOrWhenTold) {
  plat::testing::Fail(plat::testing::Fault::MidiOutOpen);
  EXPECT_NE(midiOutOpen(a_), MMSYSERR_NOERROR);
  EXPECT_EQ(a_, nullptr);
  headless::Config none;
  none.midiDevice = false;
  control_ = &headless::Start(none);
  EXPECT_EQ(midiOutOpen(a_), MMSYSERR_NODRIVER);
  // A handle left open while the backend was replaced does not keep the new
  // one from opening its device.
  control_ = &headless::Start();
  ASSERT_EQ(midiOutOpen(a_), MMSYSERR_NOERROR);
  control_ = &headless::Start();
  ASSERT_EQ(midiOutOpen(b_), MMSYSERR_NOERROR);
  EXPECT_EQ(midiOutShortMsg(*b_, 0x403C90), MMSYSERR_NOERROR);
  EXPECT_EQ(Sent(), (std::vector<Bytes>{{0x90, 0x3C, 0x40}}));
}

TEST_F(MidiOutTest, BusyDeviceSendsNothing) {
  ASSERT_EQ(midiOutOpen(a_), MMSYSERR_NOERROR);
  plat::testing::Fail(plat::testing::Fault::MidiLongMsgNotReady);
  MIDIHDR h{};
  const Bytes gm{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  h.lpData = gm.data();
  h.dwBufferLength = static_cast<std::uint32_t>(gm.size());
  EXPECT_EQ(midiOutLongMsg(*a_, h), MMSYSERR_INVALPARAM);  // not prepared
  midiOutPrepareHeader(*a_, h);
  EXPECT_EQ(midiOutLongMsg(*a_, h), MIDIERR_NOTREADY);
  EXPECT_EQ(midiOutLongMsg(*a_, h), MMSYSERR_NOERROR);
  midiOutUnprepareHeader(*a_, h);
  EXPECT_EQ(Sent(), std::vector<Bytes>{gm});
}

}  // namespace
