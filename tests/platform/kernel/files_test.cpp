// File streams, NativePath's case-insensitive fallback and the resource
// registry.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "plat/kernel.h"
#include "support/temp_dir.h"

namespace {

using namespace plat;
namespace fs = std::filesystem;

std::string ReadAll(Stream& s) {
  std::string out;
  char buf[7];  // odd size: several short reads
  for (std::size_t n; (n = s.Read(buf, sizeof buf)) > 0;) out.append(buf, n);
  return out;
}

TEST(NativePath, TurnsBackslashesIntoSlashes) {
  EXPECT_EQ(NativePath("no\\such\\dir\\x.wav"), "no/such/dir/x.wav");
  EXPECT_EQ(NativePath(""), "");
}

TEST(NativePath, FallsBackToACaseInsensitiveMatchPerComponent) {
  kxtest::TempDir dir;
  fs::create_directories(dir.path() / "Bmp" / "form");
  std::ofstream(dir.path() / "Bmp" / "form" / "Font0.bmp") << "x";
  const std::string base = dir.path().string();
  EXPECT_EQ(NativePath(base + "\\BMP\\FORM\\font0.BMP"), base + "/Bmp/form/Font0.bmp");
  EXPECT_EQ(NativePath(base + "/Bmp/form/Font0.bmp"), base + "/Bmp/form/Font0.bmp");
  // A missing file keeps its name but lands in the folder that exists.
  EXPECT_EQ(NativePath(base + "\\bmp\\New.dat"), base + "/Bmp/New.dat");
  EXPECT_EQ(NativePath(base + "\\nothing\\bmp"), base + "/nothing/bmp");
}

TEST(NativePath, ResolvesRelativePathsAndTrailingSeparators) {
  kxtest::TempDir dir;
  fs::create_directories(dir.path() / "WAV");
  std::ofstream(dir.path() / "WAV" / "A1_05101.wav") << "x";
  const auto home = fs::current_path();
  fs::current_path(dir.path());
  const std::string file = NativePath("wav\\a1_05101.WAV");
  const std::string folder = NativePath("wav\\");
  fs::current_path(home);
  EXPECT_EQ(file, "WAV/A1_05101.wav");
  EXPECT_EQ(folder, "WAV/");
}

TEST(NativePath, PrefersTheExactNameWhenSeveralDifferInCase) {
  kxtest::TempDir dir;
  std::ofstream(dir.File("abc")) << "1";
  std::ofstream(dir.File("ABC")) << "2";
  std::ofstream(dir.File("Abc")) << "3";
  EXPECT_EQ(NativePath(dir.File("Abc")), dir.File("Abc"));
  EXPECT_EQ(NativePath(dir.File("aBC")), dir.File("ABC"));  // first in byte order
}

TEST(FileStream, CreateWriteReadBackAndSeek) {
  kxtest::TempDir dir;
  const std::string path = dir.File("data.bin");
  {
    auto w = OpenFile(path, FileMode::CreateWrite);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Write("hello world, twenty-six b", 25), 25u);
    EXPECT_EQ(w->Size(), 25);
    EXPECT_EQ(w->Seek(0, SeekOrigin::Begin), 0);
    EXPECT_EQ(ReadAll(*w), "hello world, twenty-six b");  // wb+ reads too
  }
  auto r = OpenFile(path, FileMode::ReadShareDenyWrite);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Write("x", 1), 0u);  // read-only
  EXPECT_EQ(r->Seek(6, SeekOrigin::Begin), 6);
  EXPECT_EQ(r->Seek(-1, SeekOrigin::Current), 5);
  EXPECT_EQ(r->Seek(-2, SeekOrigin::End), 23);
  char tail[8] = {};
  EXPECT_EQ(r->Read(tail, sizeof tail), 2u);  // short read = end
  EXPECT_STREQ(tail, " b");
  EXPECT_EQ(r->Seek(-1, SeekOrigin::Begin), -1);
}

TEST(FileStream, ReadUpdateNeedsAnExistingFileAndMixesReadsAndWrites) {
  kxtest::TempDir dir;
  const std::string path = dir.File("K_score.dat");
  EXPECT_EQ(OpenFile(path, FileMode::ReadUpdate), nullptr);
  std::ofstream(path) << "0123456789";
  {
    auto f = OpenFile(path, FileMode::ReadUpdate);
    ASSERT_NE(f, nullptr);
    char two[2];
    EXPECT_EQ(f->Read(two, 2), 2u);
    EXPECT_EQ(f->Write("ab", 2), 2u);  // read then write without a seek
    EXPECT_EQ(f->Read(two, 2), 2u);
    EXPECT_EQ(std::string(two, 2), "45");
  }
  std::ifstream in(path);
  std::string all;
  in >> all;
  EXPECT_EQ(all, "01ab456789");
  auto truncated = OpenFile(path, FileMode::CreateWrite);
  EXPECT_EQ(truncated->Size(), 0);
}

TEST(FileStream, FoldersAreNotFiles) {
  kxtest::TempDir dir;
  EXPECT_EQ(OpenFile(dir.path().string(), FileMode::ReadShareDenyWrite), nullptr);
}

std::vector<std::byte> Bytes(const char* text) {
  std::vector<std::byte> out(std::strlen(text));
  std::memcpy(out.data(), text, out.size());
  return out;
}

TEST(Resources, LookupIgnoresCaseOfTypeAndName) {
  ClearResources();
  RegisterResource("WAVE", "_G_swd9.wav", Bytes("RIFF...."));
  EXPECT_EQ(OpenResource("WAVE", "_G_SWD9"), nullptr);
  auto s = OpenResource("wave", "_g_SWD9.WAV");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Size(), 8);
  EXPECT_EQ(ReadAll(*s), "RIFF....");
  EXPECT_EQ(OpenResource("MIDI", "_G_swd9.wav"), nullptr);
  ClearResources();
}

TEST(Resources, StreamsAreReadOnlyAndOutliveClear) {
  ClearResources();
  RegisterResource("VEXMORAX", "ship", Bytes("abcdef"));
  auto s = OpenResource("VexmoraX", "SHIP");
  ClearResources();
  EXPECT_EQ(OpenResource("VEXMORAX", "ship"), nullptr);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Write("z", 1), 0u);
  EXPECT_EQ(s->Seek(-2, SeekOrigin::End), 4);
  EXPECT_EQ(ReadAll(*s), "ef");
  EXPECT_EQ(s->Seek(-1, SeekOrigin::Begin), -1);
}

}  // namespace
