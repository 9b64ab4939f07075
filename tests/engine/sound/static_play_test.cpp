// Static sounds heard through the capture: four copies in turn, settings for
// the copy that plays next, Stop of every copy, the playing errors.
#include <cmath>
#include <string>
#include <vector>

#include "plat/timer.h"
#include "vxsound_fixture.h"

namespace {

using kxtest::ErrorOf;
using plat::testing::Fail;
using plat::testing::Fault;

class StaticPlay : public kxtest::VxSoundTest {
 protected:
  void SetUp() override {
    VxSoundTest::SetUp();
    sound_->Init();
    // 100 ms of a constant 1000: every sounding copy adds 1000.
    const std::vector<std::int16_t> tone(2205, 1000);
    sound_->CreateBuffer("01", WriteWav("01.wav", kxtest::MonoWav(tone)), false);
  }
};

TEST_F(StaticPlay, FiveQuickPlaysOverlapOnFourCopiesAndTheFifthRestartsTheFirst) {
  for (int i = 0; i < 5; ++i) {
    sound_->Play("01", false);
    plat::Sleep(10);  // plays start at frames 0, 220, 441, 661 and 882
  }
  EXPECT_EQ(Buffer("01").PlayCount(), 5);
  plat::Sleep(200);
  const auto left = Side(0);
  const std::pair<std::size_t, int> heard[] = {
      {100, 1000}, {300, 2000}, {500, 3000}, {700, 4000}, {1000, 4000},  // no fifth voice
      {2300, 4000},  // copy 0 restarted: its first play would have ended at 2205
      {2500, 3000}, {2700, 2000}, {3000, 1000}, {3100, 0}};
  for (const auto& [frame, value] : heard) EXPECT_EQ(left[frame], value) << frame;
  EXPECT_FALSE(sound_->IsPlaying("01"));
}

TEST_F(StaticPlay, SettingsGoToTheCopyThatPlaysNextAndStopSilencesAll) {
  sound_->Play("01", true);       // copy 0 at full volume
  sound_->SetVolume("01", -600);  // copy 1
  sound_->SetPan("01", 10000);    // copy 1: left side off
  plat::Sleep(10);
  sound_->Play("01", true);
  plat::Sleep(20);
  const auto gain = std::lround(65536 * std::pow(10.0, -600 / 2000.0));
  EXPECT_EQ(Side(0)[300], 1000);
  EXPECT_EQ(Side(1)[300], 1000 + ((1000 * gain + 0x8000) >> 16));
  sound_->Stop("01");
  EXPECT_FALSE(sound_->IsPlaying("01"));
  const std::size_t at = Side(0).size();
  plat::Sleep(20);
  EXPECT_EQ(Side(0)[at + 100], 0);
}

TEST_F(StaticPlay, DeviceFailuresNameTheBuffer) {
  const std::string bad = "TVexmoraSound エラー\n\n";
  const std::pair<Fault, const char*> steps[] = {
      {Fault::SoundStop, "バッファの再生停止に失敗しました。"},
      {Fault::SoundSetPosition, "バッファのシークに失敗しました。"},
      {Fault::SoundPlay, "バッファの再生に失敗しました。"}};
  for (const auto& [fault, text] : steps) {
    Fail(fault);
    EXPECT_EQ(ErrorOf([&] { sound_->Play("01", false); }), bad + text + "\nバッファ名：01");
  }
  EXPECT_EQ(Buffer("01").PlayCount(), 0);  // only a play that started counts
  EXPECT_EQ(ErrorOf([&] { sound_->SetPan("01", 10001); }), bad + "パンの設定に失敗しました。\nバッファ名：01");
  EXPECT_EQ(ErrorOf([&] { sound_->SetVolume("01", 1); }), bad + "音量の設定に失敗しました。\nバッファ名：01");
  EXPECT_EQ(ErrorOf([&] { sound_->SetFrequency("01", 50); }), bad + "周波数の設定に失敗しました。\nバッファ名：01");
  sound_->Play("01", false);
  Fail(Fault::SoundStop);
  EXPECT_EQ(ErrorOf([&] { sound_->Stop("01"); }), bad + "バッファ停止に失敗しました。\nバッファ名：01");
  EXPECT_TRUE(sound_->IsPlaying("01"));
}

}  // namespace
