// Streamed sounds through the capture: played once and looped, a source cut
// short, and a worker that is stopped and joined before its buffer is played
// again, deleted or cleaned up.
#include <filesystem>
#include <string>
#include <vector>

#include "core/Vxautoptr.h"
#include "plat/timer.h"
#include "vxsound_fixture.h"

namespace {

using namespace VexmoraSoundSystem;
using plat::Sleep;

constexpr std::size_t kRate = 22050;

class StreamPlay : public kxtest::VxSoundTest {
 protected:
  void SetUp() override {
    VxSoundTest::SetUp();
    sound_->Init();
  }
  void Load(double seconds) {  // the test signal as streamed buffer "bgm"
    signal_ = kxtest::Signal(static_cast<std::size_t>(seconds * kRate));
    path_ = WriteWav("bgm.wav", kxtest::MonoWav(signal_));
    sound_->CreateBuffer("bgm", path_, true);
  }
  // Whether `seconds` of capture from frame `from` hold the signal from its
  // start (looped, or followed by silence).
  bool Heard(std::size_t from, double seconds, bool loop = false) const {
    const auto left = Side(0);
    const auto to = from + static_cast<std::size_t>(seconds * kRate);
    for (std::size_t i = from, k = 0; i < to; ++i, ++k) {
      const std::int16_t want = loop || k < signal_.size() ? signal_[k % signal_.size()] : 0;
      if (i >= left.size() || left[i] != want) return false;
    }
    return true;
  }
  bool Running() const { return Buffer("bgm").StreamRunning(); }

  std::vector<std::int16_t> signal_;
  std::string path_;
};

TEST_F(StreamPlay, AOneShotPlaysEverySampleAndStopsOnceTheHalfHoldingItsEndHasPlayed) {
  // Shorter than a half, exactly two halves, and five seconds.
  const std::pair<double, std::uint32_t> cases[] = {{0.5, 2000}, {4.0, 4000}, {5.0, 6000}};
  for (const auto& [seconds, stopsAt] : cases) {
    const std::size_t at = Side(0).size();
    Load(seconds);
    sound_->Play("bgm", false);
    Sleep(stopsAt - 10);
    EXPECT_TRUE(sound_->IsPlaying("bgm")) << seconds;
    Sleep(20);
    EXPECT_FALSE(sound_->IsPlaying("bgm")) << seconds;
    EXPECT_FALSE(Running());
    Sleep(990);
    EXPECT_TRUE(Heard(at, stopsAt / 1000.0 + 1)) << seconds;
    sound_->DeleteBuffer("bgm");
  }
}

TEST_F(StreamPlay, ALoopGoesOnWithoutAGapAndPlayingAgainJoinsItsWorkerFirst) {
  Load(5.0);
  sound_->Play("bgm", true);
  Sleep(12000);
  EXPECT_TRUE(Heard(0, 12.0, true));
  EXPECT_TRUE(Buffer("bgm").Looping());
  sound_->Play("bgm", false);  // the old worker took the stop; the new one starts clean
  sound_->Play("bgm", false);
  Sleep(7000);
  EXPECT_TRUE(Heard(12 * kRate, 7.0));
  EXPECT_FALSE(Running());
  EXPECT_FALSE(Buffer("bgm").Looping());
  sound_->Play("bgm", true);
  sound_->Stop("bgm");
  Sleep(10);
  EXPECT_FALSE(Running());
}

TEST_F(StreamPlay, ASourceThatStopsDeliveringEndsEvenALoop) {
  Load(5.0);
  std::filesystem::resize_file(path_, 46 + 2 * kRate);  // one second left
  sound_->Play("bgm", true);
  Sleep(4000);
  EXPECT_FALSE(sound_->IsPlaying("bgm"));
  signal_.resize(kRate);
  EXPECT_TRUE(Heard(0, 4.0));
}

TEST_F(StreamPlay, DeletingOrCleaningUpEndsTheWorkerBeforeTheBufferGoes) {
  Load(5.0);
  sound_->Play("bgm", true);
  Sleep(2500);
  sound_->DeleteBuffer("bgm");
  signal_.clear();
  Sleep(1000);
  EXPECT_TRUE(Heard(static_cast<std::size_t>(2.5 * kRate), 1.0));

  Load(5.0);
  sound_->Play("bgm", true);
  Sleep(500);
  VexmoraSystem::TVexmoraAutoPtr<TVexmoraSoundBuffer> kept(sound_->FindBuffer("bgm"));
  sound_->CleanUp();  // the application's copy survives, quiet
  EXPECT_FALSE(kept->StreamRunning());
  std::uint32_t status = 1;
  kept->Buffer(0)->GetStatus(&status);
  EXPECT_EQ(status, 0u);

  sound_->Init();
  Load(5.0);
  sound_->Play("bgm", true);
  Sleep(500);
  owner_.reset();  // the form deletes the component with its buffers and workers
  Sleep(500);
}

TEST_F(StreamPlay, AWorkerThatCannotStartOrABufferThatCannotPlayIsReported) {
  Load(1.0);
  plat::testing::Fail(plat::testing::Fault::ThreadStart);
  EXPECT_EQ(kxtest::ErrorOf([&] { sound_->Play("bgm", false); }),
            "TVexmoraSound エラー\n\nスレッドの作成に失敗しました。\nバッファ名：bgm");
  plat::testing::Fail(plat::testing::Fault::SoundPlay);
  EXPECT_EQ(kxtest::ErrorOf([&] { sound_->Play("bgm", false); }),
            "TVexmoraSound エラー\n\nバッファの再生に失敗しました。失敗しました。\nバッファ名：bgm");
  EXPECT_TRUE(Running());     // waiting for a sound that never starts
  sound_->Play("bgm", false);  // wakes and joins it
  Sleep(2500);
  EXPECT_TRUE(Heard(0, 2.5));
  EXPECT_FALSE(Running());
}

}  // namespace
