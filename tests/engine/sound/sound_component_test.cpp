// TVexmoraSound's life: Init and its failures, the primary volume, the
// checks before Init, the buffer table and its loading errors, log lines,
// the palette.
#include <algorithm>
#include <string>

#include "vxsound_fixture.h"

namespace {

using namespace VexmoraSoundSystem;
using kxtest::ErrorOf;
using plat::testing::Fail;
using plat::testing::Fault;
using plat::testing::Reached;

using SoundComponent = kxtest::VxSoundTest;
const std::string kSound = "TVexmoraSound エラー\n\n", kBuffer = "TVexmoraSoundBuffer エラー\n\n";

TEST_F(SoundComponent, InitAndThePrimaryVolume) {
  EXPECT_EQ(sound_->TargetWindow(), &form_);
  sound_->SetSamplingRatio(11025);
  sound_->Init();
  EXPECT_EQ(control_->AudioRate(), 11025);
  EXPECT_EQ(Reached(Fault::PrimaryVolume), 0u);  // volume 1 leaves the device alone
  sound_->SetPrimaryVolume(-300);
  sound_->SetPrimaryVolume(-300);
  sound_->Init();
  EXPECT_EQ(Reached(Fault::PrimaryVolume), 2u);  // the change, and the next Init
  const std::pair<Fault, const char*> steps[] = {
      {Fault::DirectSoundCreate, "COMオブジェクトの作成に失敗しました。"},
      {Fault::DirectSoundInitialize, "DirectSoundの初期化に失敗しました。"},
      {Fault::SoundCooperativeLevel, "協調レベルの設定に失敗しました。"},
      {Fault::CreatePrimaryBuffer, "プライマリバッファの作成に失敗しました。"},
      {Fault::SetFormat, "ウェブフォーマットの設定に失敗しました。"},
      {Fault::PrimaryVolume, "マスターボリュームの設定に失敗しました。"}};
  for (const auto& [fault, text] : steps) {
    Fail(fault);
    EXPECT_EQ(ErrorOf([&] { sound_->Init(); }), kSound + text);
    EXPECT_FALSE(sound_->Initialized());
  }
  plat::headless::Config noAudio;
  noAudio.audioDevice = false;
  Restart(noAudio);
  EXPECT_EQ(ErrorOf([&] { sound_->Init(); }), kSound + "DirectSoundの初期化に失敗しました。");
}

TEST_F(SoundComponent, PlayingOperationsNeedInitAndAKnownName) {
  const std::string wav = WriteWav("a.wav", kxtest::MonoWav({1, 2, 3, 4}));
  const std::function<void()> ops[] = {
      [&] { sound_->CreateBuffer("a", wav, false); }, [&] { sound_->Play("a", false); },
      [&] { sound_->Stop("a"); },                     [&] { sound_->IsPlaying("a"); },
      [&] { sound_->SetPan("a", 0); },                [&] { sound_->SetVolume("a", 0); },
      [&] { sound_->SetFrequency("a", 0); }};
  for (const auto& op : ops) EXPECT_EQ(ErrorOf(op), kSound + "まだ初期化されてません。");
  sound_->DeleteBuffer("a");
  sound_->DeleteAllBuffer();
  sound_->CleanUp();
  sound_->Init();
  for (std::size_t i = 1; i < std::size(ops); ++i)
    EXPECT_EQ(ErrorOf(ops[i]), kSound + "バッファが存在しません。\nバッファ名：a");
}

TEST_F(SoundComponent, BuffersKeepTheirNameAndAFailedLoadLeavesNothing) {
  sound_->Init();
  const std::string a = WriteWav("a.wav", kxtest::MonoWav({7, -7, 9, -9}));
  const std::string b = WriteWav("b.wav", kxtest::MonoWav({1, 2, 3}, 11025));
  sound_->CreateBuffer("x", a, false);
  sound_->CreateBuffer("x", b, true);  // name taken: nothing is read
  const TVexmoraSoundBuffer& x = Buffer("x");
  EXPECT_EQ(x.fileName, a);
  EXPECT_FALSE(x.HasStreamSource());
  for (int i = 0; i < 4; ++i) {  // four copies, one set of samples
    void *p1 = nullptr, *p2 = nullptr;
    std::uint32_t n1 = 0, n2 = 0;
    ASSERT_EQ(x.Buffer(i)->Lock(0, 8, &p1, &n1, &p2, &n2, 0), plat::DS_OK);
    EXPECT_EQ(std::string(static_cast<char*>(p1), n1), kxtest::Pcm16({7, -7, 9, -9}));
  }
  sound_->CreateBuffer("y", b, true);
  EXPECT_EQ(Buffer("y").HalfSize(), 2u * 11025 * 2);  // two seconds
  EXPECT_EQ(Buffer("y").Buffer(1), nullptr);
  EXPECT_FALSE(sound_->IsPlaying("y"));
  const std::tuple<Fault, bool, std::string> steps[] = {
      {Fault::CreateSoundBuffer, false, "バッファの作成に失敗しました。\nファイル名："},
      {Fault::SoundLock, false, "バッファのロックに失敗しました。\nファイル名："},
      {Fault::DuplicateBuffer, false, "バッファの複製に失敗しました。\nファイル名："},
      {Fault::QueryNotify, true, "通知オブジェクトの作成に失敗しました。\nファイル名："},
      {Fault::SetNotifications, true, "通知オブジェクトの作成に失敗しました。\nバッファ名："}};
  for (const auto& [fault, stream, text] : steps) {
    Fail(fault);
    EXPECT_EQ(ErrorOf([&] { sound_->CreateBuffer("z", b, stream); }), kBuffer + text + b);
    EXPECT_EQ(sound_->FindBuffer("z"), nullptr);
  }
}

TEST_F(SoundComponent, TracesAndTimesItsOperations) {
  Open(true, true);
  const std::string wav = WriteWav("a.wav", kxtest::MonoWav({1, 2, 3, 4}));
  sound_->Init();
  sound_->CreateBuffer("e01", wav, false);
  EXPECT_THROW(sound_->Play("e02", false), VexmoraSystem::EVxSound);
  sound_->DeleteBuffer("e01");
  sound_->DeleteAllBuffer();
  const std::string log = CloseAndRead();
  EXPECT_EQ(Traces(log), kxtest::Sjis("TVexmoraSound::初期化開始\nTVexmoraSound::クリーンアップ\n"
                                      "TVexmoraSound::COMオブジェクトの生成に成功\n"
                                      "TVexmoraSound::DirectSoundの初期化に成功\n"
                                      "TVexmoraSound::プライマリバッファの作成に成功\n"
                                      "TVexmoraSound::ウェブフォーマットの設定に成功\n"
                                      "TVexmoraSound::バッファ作成  FileName:" + wav +
                                      "  BufferName:e01\n" + kSound +
                                      "バッファが存在しません。\nバッファ名：e02\n"
                                      "TVexmoraSound::バッファ削除BufferName:e01\n"
                                      "TVexmoraSound::全バッファの削除\n"));
  EXPECT_NE(Rows(log).find(" TVexmoraSoundBuffer::LoadFile\n"), std::string::npos);
}

TEST_F(SoundComponent, RegistersOnTheVexmoraPage) {
  Register();
  auto* made = dynamic_cast<TVexmoraSound*>(plat::CreateComponent("TVexmoraSound", owner_.get()));
  ASSERT_NE(made, nullptr);  // deleted with its owner
  EXPECT_EQ(made->TargetWindow(), &form_);
  const auto entries = plat::PaletteEntries();
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const auto& e) {
    return e.className == "TVexmoraSound" && e.page == "Vexmora";
  }));
}

}  // namespace
