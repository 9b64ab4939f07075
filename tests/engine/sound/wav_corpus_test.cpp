// The WAV corpus: each well-formed PCM file the mixer can play loads, static
// and streamed, with exactly its samples, and plays to its end; every other
// file fails with the error its first fault deserves. None may crash or hang.
#include <filesystem>
#include <map>
#include <string>

#include "plat/timer.h"
#include "vxsound_fixture.h"

namespace {

namespace fs = std::filesystem;

using WavCorpus = kxtest::VxSoundTest;

TEST_F(WavCorpus, EveryFileLoadsAndPlaysOrFailsWithItsDocumentedError) {
  const std::string mono = kxtest::Pcm16({2, -3, 5, -7}), format = "!ファイルフォーマットが不正です。",
                    create = "!バッファの作成に失敗しました。";  // a format the mixer cannot play
  // File → its sample bytes ("" when unpublished), or "!" and the error.
  const std::map<std::string, std::string> expected = {
      {"pcmwaveformat-16bit-44100Hz-mono.wav", mono},
      {"pcmwaveformat-16bit-44100Hz-mono-extra.wav", mono},
      {"waveformatex-16bit-44100Hz-mono.wav", mono},
      {"waveformatex-16bit-44100Hz-mono-extra.wav", mono},
      {"waveformatex-16bit-44100Hz-stereo.wav", kxtest::Pcm16({2, -3, 5, -7, 11, -13, 17, -19})},
      {"pcmwaveformat-8bit-44100Hz-mono.wav", "\x93\x4B\xD9\x01"},
      {"waveformatex-8bit-11025Hz-mono.wav", std::string(4, '\0')},
      {"pop.wav", ""},  // extensible integer PCM
      {"pcmwaveformat-24bit-4byte-48kHz-stereo.wav", create},
      {"waveformatex-ieeefloat-44100Hz-mono.wav", create},
      {"waveformatextensible-ieeefloat-44100Hz-mono.wav", create},
      {"waveformatextensible-24bit-192kHz-mono.wav", create},
      {"waveformatextensible-24bit-4byte-48kHz-stereo.wav", create},
      {"waveformatextensible-32bit-48kHz-stereo.wav", create},
      {"nonstandard-01.wav", create},
      {"nonstandard-02.wav", create},
      {"fuzz/crash-e5471f5b58397287b509db7d026e95f1724454f5.wav", create},
      {"fuzz/crash-24728523ef4be15c838293b676f6853e73723bf4.wav", format},
      {"fuzz/crash-b8447179832529c48f9c6bf17feab6337bbc78ea.wav", format},
      {"fuzz/crash-cbd757427cea12bd8a21f86cd8cf74d98ce56bee.wav", format},
      {"fuzz/crash-e879de4eb4d206c59e21f0e01def16457af80fdc.wav", format},
      {"fuzz/oom-48ae4cd061ff8578ad3f23dc87624bd365cf5216.wav", format}};
  const fs::path root = fs::path(KX_CORPORA_DIR) / "wav";
  sound_->Init();
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path().extension() != ".wav") continue;
    ++files;
    const std::string name = fs::relative(entry.path(), root).generic_string(),
                      path = entry.path().string();
    ASSERT_TRUE(expected.contains(name)) << "not described: " << name;
    const std::string& want = expected.at(name);
    for (bool stream : {false, true}) {
      SCOPED_TRACE(name + (stream ? " streamed" : " static"));
      const std::string error = kxtest::ErrorOf([&] { sound_->CreateBuffer("w", path, stream); });
      if (want.starts_with("!")) {
        EXPECT_EQ(error, "TVexmoraSoundBuffer エラー\n\n" + want.substr(1) + "\nファイル名：" + path);
        continue;
      }
      ASSERT_EQ(error, "");
      const auto& b = Buffer("w");
      void *p1 = nullptr, *p2 = nullptr;
      std::uint32_t n1 = 0, n2 = 0;
      if (!stream && !want.empty() &&
          b.Buffer(0)->Lock(0, b.DataSize(), &p1, &n1, &p2, &n2, 0) == plat::DS_OK) {
        EXPECT_EQ(std::string(static_cast<char*>(p1), n1), want);
      }
      sound_->Play("w", false);
      plat::Sleep(2100);  // a streamed sound stops after its first half
      EXPECT_FALSE(sound_->IsPlaying("w"));
      sound_->DeleteBuffer("w");
    }
  }
  EXPECT_EQ(files, expected.size());
}

}  // namespace
