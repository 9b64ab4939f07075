// The WAV header reader: chunk rules, resource before file, and the errors
// of short, foreign and damaged files.
#include <string>
#include <vector>

#include "sound/Vxwavreader.h"
#include "vxsound_fixture.h"

namespace {

using namespace VexmoraSoundSystem;
using kxtest::Chunk;
using kxtest::Fmt;
using kxtest::Riff;

void AsResource(const std::string& name, const std::string& bytes) {
  const auto* p = reinterpret_cast<const std::byte*>(bytes.data());
  plat::RegisterResource("WAVE", name, std::vector<std::byte>(p, p + bytes.size()));
}
TWaveInfo Read(const std::string& bytes) {
  AsResource("t.wav", bytes);
  return ReadWaveHeader(*OpenWaveSource("t.wav"), "t.wav");
}
std::string Error(const std::string& bytes) { return kxtest::ErrorOf([&] { Read(bytes); }); }

const std::string kData = kxtest::Pcm16({2, -3, 5, -7});

TEST(WavReader, ChunkRules) {
  const TWaveInfo plain = Read(Riff(Chunk("fmt ", Fmt(1, 44100, false)) + Chunk("data", kData)));
  EXPECT_EQ(plain.dataOffset, 44u);  // only 16 bytes of record were there
  EXPECT_EQ(plain.format.nAvgBytesPerSec, 88200u);
  EXPECT_EQ(Read(Riff(Chunk("fmt ", Fmt(2, 8000)) + Chunk("data", kData))).dataOffset, 46u);
  // An unknown chunk is skipped with RIFF's pad byte, a long record to its end.
  EXPECT_EQ(Read(Riff(Chunk("fmt ", Fmt(1, 8000)) + Chunk("LIST", "abc") + '\0' + Chunk("data", kData)))
                .dataOffset,
            58u);
  EXPECT_EQ(Read(Riff(Chunk("fmt ", Fmt(1, 8000) + "0123456789") + Chunk("data", kData))).dataSize, 8u);
  const TWaveInfo late = Read(Riff(Chunk("data", kData) + Chunk("fmt ", Fmt(1, 8000))));
  EXPECT_EQ(late.dataOffset, 20u);  // samples before the format
  EXPECT_EQ(late.format.nSamplesPerSec, 8000u);
  EXPECT_EQ(Read(Riff(Chunk("fmt ", Fmt(1, 8000)) + Chunk("data", kData, 1000))).dataSize, 8u);
  plat::ClearResources();
}

TEST(WavReader, ErrorsNameTheFirstFault) {
  const std::string head = "TVexmoraSoundBuffer エラー\n\n", tail = "\nファイル名：t.wav";
  const std::string riff = head + "RIFFフォーマットではありません。" + tail;
  const std::string wave = head + "WAVEフォーマットではありません。" + tail;
  const std::string format = head + "ファイルフォーマットが不正です。" + tail;
  const std::string fmt = Chunk("fmt ", Fmt(1, 8000));
  const std::pair<std::string, std::string> cases[] = {
      {"RIFF", riff},
      {"RIFX" + kxtest::Le(4, 4) + "WAVE", riff},
      {"RIFF" + kxtest::Le(4, 4) + "WAV", wave},  // 11 bytes
      {"RIFF" + kxtest::Le(4, 4) + "AVI ", wave},
      {Riff(fmt), format},
      {Riff(fmt + Chunk("data", "")), format},
      {Riff(fmt + Chunk("data", "", 1000)), format},  // no sample present
      {Riff(Chunk("data", kData)), format},
      {Riff(Chunk("fmt ", "12345678", 16)), format},  // record cut short
      {Riff(fmt + Chunk("junk", "xx", 0xFFFFFFF0) + Chunk("data", kData)), format}};
  for (const auto& [bytes, error] : cases) EXPECT_EQ(Error(bytes), error) << bytes.size();
  plat::ClearResources();
}

TEST(WavReader, ResourceBeforeFileBeforeError) {
  kxtest::TempDir dir;
  const std::string path = dir.File("a.wav");
  std::ofstream(path, std::ios::binary) << Riff(Chunk("fmt ", Fmt(1, 8000)) + Chunk("data", kData));
  EXPECT_EQ(ReadWaveHeader(*OpenWaveSource(path), path).dataSize, 8u);
  AsResource(path, Riff(Chunk("fmt ", Fmt(1, 8000)) + Chunk("data", "ab")));
  EXPECT_EQ(ReadWaveHeader(*OpenWaveSource(path), path).dataSize, 2u);
  plat::ClearResources();
  EXPECT_EQ(kxtest::ErrorOf([&] { OpenWaveSource(path + "x"); }),
            "TVexmoraSoundBuffer エラー\n\nWAVEの読み込みに失敗しました。\nファイル名：" + path + "x");
}

}  // namespace
