// What playing buffers sound like in the capture: one-shots and loops, the
// volume and pan law, resampling, the primary format and clipping.
#include <array>
#include <numeric>

#include "support/sound_fixture.h"

namespace {

using namespace plat;
using kxtest::CountNonZero;
using PlaybackTest = kxtest::SoundTest;

std::vector<std::int16_t> Constant(std::size_t n, std::int16_t v) { return std::vector(n, v); }

TEST_F(PlaybackTest, StaticBufferPlaysOnceStopsAndReplaysFromTheStart) {
  auto b = Mono(Constant(441, 1000));
  ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(Status(*b), DSBSTATUS_PLAYING);
  control_->Advance(50);
  EXPECT_EQ(Status(*b), 0u);
  const auto left = Side(0);
  ASSERT_EQ(left.size(), 2205u);
  EXPECT_EQ(CountNonZero(left), 441u);
  EXPECT_EQ(left[440], 1000);
  ASSERT_EQ(b->Play(0, 0, 0), DS_OK);  // the cursor went back to 0 at the end
  control_->Advance(20);
  EXPECT_EQ(CountNonZero(Side(0)), 882u);
}

TEST_F(PlaybackTest, LoopingBufferWrapsAndStopKeepsThePosition) {
  std::vector<std::int16_t> ramp(100);
  std::iota(ramp.begin(), ramp.end(), std::int16_t{1});
  auto b = Mono(ramp);
  ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  EXPECT_EQ(Status(*b), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  control_->Advance(10);  // 441 frames: 4 laps and 41
  ASSERT_EQ(b->Stop(), DS_OK);
  control_->Advance(10);
  ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  control_->Advance(10);
  const auto left = Side(0);
  for (std::size_t i = 0; i < 441; ++i) ASSERT_EQ(left[i], static_cast<int>(i % 100 + 1));
  EXPECT_EQ(CountNonZero({left.begin() + 441, left.begin() + 882}), 0u);
  EXPECT_EQ(left[882], 42);  // resumed where Stop left it
}

TEST_F(PlaybackTest, VolumeAndPanFollowTheDecibelLaw) {
  auto b = Mono(Constant(441, 16000));
  auto hear = [&](std::int32_t volume, std::int32_t pan) {
    EXPECT_EQ(b->SetVolume(volume), DS_OK);
    EXPECT_EQ(b->SetPan(pan), DS_OK);
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
    control_->Advance(10);
    return std::array<int, 2>{Side(0).back(), Side(1).back()};
  };
  using Pair = std::array<int, 2>;
  EXPECT_EQ(hear(0, 0), (Pair{16000, 16000}));
  EXPECT_EQ(hear(-600, 0), (Pair{8019, 8019}));    // -6 dB: about half
  EXPECT_EQ(hear(0, 10000), (Pair{0, 16000}));     // full right: left silent
  EXPECT_EQ(hear(0, -2000), (Pair{16000, 1600}));  // -20 dB on the right
  EXPECT_EQ(hear(-10000, 0), (Pair{0, 0}));
  ASSERT_EQ(primary_->SetVolume(-600), DS_OK);  // the master gain
  EXPECT_EQ(hear(0, 0), (Pair{8019, 8019}));
  for (std::int32_t v : {1, -10001}) EXPECT_EQ(b->SetVolume(v), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetPan(10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(primary_->SetVolume(1), DSERR_INVALIDPARAM);
}

TEST_F(PlaybackTest, FrequencyResamplesLinearly) {
  auto slow = Mono(Constant(441, 3000), 22050);  // 20 ms at its own rate
  ASSERT_EQ(slow->Play(0, 0, 0), DS_OK);
  control_->Advance(30);
  EXPECT_EQ(CountNonZero(Side(0)), 882u);
  ASSERT_EQ(slow->SetFrequency(88200), DS_OK);
  ASSERT_EQ(slow->Play(0, 0, 0), DS_OK);
  control_->Advance(10);
  EXPECT_EQ(CountNonZero(Side(0)), 882u + 221u);
  for (std::uint32_t hz : {99u, 100001u}) EXPECT_EQ(slow->SetFrequency(hz), DSERR_INVALIDPARAM);

  auto ramp = Mono({0, 1000}, 22050);
  ASSERT_EQ(ramp->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  control_->Advance(10);
  const auto left = Side(0);
  const std::vector<int> start(left.end() - 441, left.end() - 436);
  EXPECT_EQ(start, (std::vector<int>{0, 500, 1000, 500, 0}));  // halfway back to the loop start
}

TEST_F(PlaybackTest, StereoEightBitSourceAndClipping) {
  auto b = Make(kxtest::Pcm(2, 8, 44100), 2 * 441);
  kxtest::Write(*b, 0, Constant(441, 0x00C0));  // frames of left 0xC0, right 0x00
  auto loud = Mono(Constant(441, 30000));
  ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
  ASSERT_EQ(loud->Play(0, 0, 0), DS_OK);
  control_->Advance(10);
  EXPECT_EQ(Side(0)[5], 32767);  // 16384 + 30000, clipped
  EXPECT_EQ(Side(1)[5], -2768);  // -32768 + 30000
}

TEST_F(PlaybackTest, PrimaryFormatSetsTheDeviceRateAndShape) {
  auto b = Mono(Constant(441, 1001));
  ASSERT_EQ(b->SetPan(10000), DS_OK);
  const WAVEFORMATEX mono8 = kxtest::Pcm(1, 8, 22050), bad = kxtest::Pcm(3, 16, 22050);
  EXPECT_EQ(primary_->SetFormat(&bad), DSERR_BADFORMAT);
  EXPECT_EQ(b->SetFormat(&mono8), DSERR_INVALIDPARAM);
  ASSERT_EQ(primary_->SetFormat(&mono8), DS_OK);
  EXPECT_EQ(control_->AudioRate(), 22050);
  ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
  control_->Advance(20);
  EXPECT_EQ(control_->AudioCapture().size(), 2u * 441);  // 20 ms at 22050 Hz
  EXPECT_EQ(Side(0)[0], 256);  // panned right, mixed down to mono, cut to 8 bits
  EXPECT_EQ(Side(1)[0], 256);
  EXPECT_EQ(CountNonZero(Side(0)), 221u);
}

}  // namespace
