// The device object: no audio device, call order and parameter checks,
// every fault point, and the capture written as a WAV file.
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>

#include "support/sound_fixture.h"
#include "support/temp_dir.h"

namespace {

using namespace plat;
using plat::testing::Fault;
using DeviceTest = kxtest::SoundTest;

TEST_F(DeviceTest, WithoutAnAudioDeviceInitializeFails) {
  TearDown();
  headless::Config config;
  config.audioDevice = false;
  Open(config);
  EXPECT_EQ(ds_->Initialize(), DSERR_NODRIVER);
  std::shared_ptr<IDirectSoundBuffer> b;
  EXPECT_EQ(ds_->CreateSoundBuffer({0x81, 0, nullptr}, b), DSERR_GENERIC);
}

TEST_F(DeviceTest, ChecksCallOrderFormatsAndSizes) {
  EXPECT_EQ(ds_->Initialize(), DSERR_GENERIC);  // once only
  EXPECT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DSERR_INVALIDPARAM);
  const WAVEFORMATEX ok = kxtest::Pcm(2, 16, 22050);
  WAVEFORMATEX badAlign = ok, bits24 = kxtest::Pcm(1, 24, 22050), rate = kxtest::Pcm(1, 8, 99);
  badAlign.nBlockAlign = 2;
  std::shared_ptr<IDirectSoundBuffer> b;
  for (const WAVEFORMATEX* f : {&badAlign, &bits24, &rate, static_cast<WAVEFORMATEX*>(nullptr)})
    EXPECT_EQ(ds_->CreateSoundBuffer({kxtest::kStaticCaps, 64, f}, b), DSERR_BADFORMAT);
  EXPECT_EQ(ds_->CreateSoundBuffer({kxtest::kStaticCaps, 3, &ok}, b), DSERR_INVALIDPARAM);
  EXPECT_EQ(ds_->CreateSoundBuffer({0x81, 64, nullptr}, b), DSERR_INVALIDPARAM);
  ASSERT_EQ(ds_->CreateSoundBuffer({0, 64, &ok}, b), DS_OK);  // no controls asked for
  EXPECT_EQ(b->SetVolume(0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetPan(0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetFrequency(0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetCurrentPosition(64), DSERR_INVALIDPARAM);

  ASSERT_EQ(ds_->SetCooperativeLevel(&form_, DSSCL_NORMAL), DS_OK);
  EXPECT_EQ(primary_->SetFormat(&ok), DSERR_INVALIDPARAM);  // needs the priority level
}

TEST_F(DeviceTest, EveryCallChecksItsFaultPointFirst) {
  const WAVEFORMATEX f = kxtest::Pcm(1, 16, 44100);
  auto b = Make(f, 64, kxtest::kStreamCaps);
  Event e;
  const DSBPOSITIONNOTIFY note{0, &e};
  void *p1, *p2;
  std::uint32_t n1, n2;
  std::shared_ptr<IDirectSound> d;
  std::shared_ptr<IDirectSoundBuffer> out;
  const std::vector<std::pair<Fault, std::function<HRESULT()>>> calls{
      {Fault::DirectSoundCreate, [&] { return CoCreateDirectSound(d); }},
      {Fault::DirectSoundInitialize, [&] { CoCreateDirectSound(d); return d->Initialize(); }},
      {Fault::SoundCooperativeLevel, [&] { return ds_->SetCooperativeLevel(&form_, 2); }},
      {Fault::CreatePrimaryBuffer, [&] { return ds_->CreateSoundBuffer({0x81, 0, nullptr}, out); }},
      {Fault::SetFormat, [&] { return primary_->SetFormat(&f); }},
      {Fault::PrimaryVolume, [&] { return primary_->SetVolume(-100); }},
      {Fault::CreateSoundBuffer, [&] { return ds_->CreateSoundBuffer({0, 64, &f}, out); }},
      {Fault::SoundLock, [&] { return b->Lock(0, 4, &p1, &n1, &p2, &n2, 0); }},
      {Fault::DuplicateBuffer, [&] { return ds_->DuplicateSoundBuffer(b, out); }},
      {Fault::QueryNotify, [&] { return b->QueryNotify(); }},
      {Fault::SetNotifications, [&] { return b->SetNotificationPositions({&note, 1}); }},
      {Fault::SoundPlay, [&] { return b->Play(0, 0, 0); }},
      {Fault::SoundStop, [&] { return b->Stop(); }},
      {Fault::SoundSetPosition, [&] { return b->SetCurrentPosition(0); }},
      {Fault::SoundSetPan, [&] { return b->SetPan(0); }},
      {Fault::SoundSetVolume, [&] { return b->SetVolume(0); }},
      {Fault::SoundSetFrequency, [&] { return b->SetFrequency(0); }},
  };
  for (const auto& [fault, call] : calls) {
    SCOPED_TRACE(static_cast<int>(fault));
    plat::testing::ClearFaults();
    EXPECT_EQ(call(), DS_OK);
    plat::testing::Fail(fault);
    EXPECT_EQ(call(), DSERR_GENERIC);
    EXPECT_EQ(call(), DS_OK);
    EXPECT_EQ(plat::testing::Reached(fault), 3u);
  }
}

TEST_F(DeviceTest, CaptureIsRepeatableAndWritesAsWav) {
  auto run = [&] {
    TearDown();
    headless::Config config;
    config.audioPeriodMs = 7;
    Open(config);
    auto b = Mono({-3000, 7000, 12000, 500}, 11025);
    EXPECT_EQ(b->SetPan(-1234), DS_OK);
    EXPECT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    control_->Advance(95);
    const auto pcm = control_->AudioCapture();
    return std::vector<std::int16_t>(pcm.begin(), pcm.end());
  };
  const auto first = run();
  EXPECT_EQ(first.size(), 2u * 44100 * 91 / 1000);  // ticks every 7 ms reached 91 ms
  EXPECT_EQ(run(), first);

  // Not keeping the sound: the mixer still runs, only its last block stays,
  // and it is the same last block as the kept capture ends with.
  TearDown();
  headless::Config lean;
  lean.audioPeriodMs = 7;
  lean.keepAudio = false;
  Open(lean);
  auto b = Mono({-3000, 7000, 12000, 500}, 11025);
  EXPECT_EQ(b->SetPan(-1234), DS_OK);
  EXPECT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  control_->Advance(95);
  const auto last = control_->AudioCapture();
  ASSERT_FALSE(last.empty());
  ASSERT_LE(last.size(), 2u * 44100 * 7 / 1000 + 2);
  EXPECT_TRUE(std::equal(last.begin(), last.end(), first.end() - static_cast<long>(last.size())));

  kxtest::TempDir dir;
  ASSERT_TRUE(headless::WriteWav(dir.File("out.wav"), first, 44100));
  std::ifstream in(dir.File("out.wav"), std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(bytes.size(), 44 + first.size() * 2);
  EXPECT_EQ(bytes[24] | bytes[25] << 8 | bytes[26] << 16, 44100);
  EXPECT_EQ(static_cast<std::int16_t>(bytes[44] | bytes[45] << 8), first[0]);
}

}  // namespace
