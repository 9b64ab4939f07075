// The BMP reader on hand-made hostile files, its file and resource loaders,
// and robustness against truncated and corrupted real files. (Decoding
// itself is checked against the corpus renders.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "plat/canvas.h"
#include "plat/kernel.h"
#include "support/temp_dir.h"

namespace {

using plat::Bitmap;
using plat::EBitmapLoad;
using Bytes = std::vector<std::byte>;

// A BMP with a 40-byte header followed by `tables` (masks or palette, 4 bytes
// an entry) and `pixels`.
Bytes MakeBmp(int w, int h, int bits, std::vector<std::uint8_t> pixels,
              std::uint32_t compression = 0, std::vector<std::uint32_t> tables = {}) {
  const auto offset = static_cast<std::uint32_t>(54 + 4 * tables.size());
  const auto size = static_cast<std::uint32_t>(pixels.size());
  const auto width = static_cast<std::uint32_t>(w), height = static_cast<std::uint32_t>(h);
  std::vector<std::uint32_t> words = {
      offset + size, 0,    offset, 40,   width, height, 1u | bits << 16,
      compression,   size, 2835,   2835, 0,     0};
  words.insert(words.end(), tables.begin(), tables.end());
  Bytes b = {std::byte{'B'}, std::byte{'M'}};
  for (const std::uint32_t v : words)
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::byte>(v >> (8 * i)));
  for (const std::uint8_t p : pixels) b.push_back(static_cast<std::byte>(p));
  return b;
}

std::string ErrorOf(const std::function<void()>& load) {
  try {
    load();
  } catch (const EBitmapLoad& e) {
    return e.what();
  }
  return "loaded";
}
std::string Error(const Bytes& bytes) {
  return ErrorOf([&] { Bitmap().LoadFromBytes(bytes, "bmp/x.bmp"); });
}

TEST(BmpReader, RejectsRleThatLeavesTheImageOrStopsEarly) {
  auto rle = [](std::vector<std::uint8_t> data) {
    return Error(MakeBmp(4, 2, 8, data, 1, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}));
  };
  EXPECT_EQ(rle({2, 1, 0, 0, 2, 3, 0, 1}), "loaded");
  EXPECT_EQ(rle({5, 1, 0, 1}),
            "bmp/x.bmp: RLE run leaves the image (line 0 from the bottom, column 0)");
  EXPECT_NE(rle({0, 0, 0, 0, 1, 1, 0, 1}).find("leaves the image (line 2"), std::string::npos);
  EXPECT_NE(rle({0, 2, 5, 0, 0, 1}).find("RLE delta leaves the image"), std::string::npos);
  EXPECT_NE(rle({0, 5, 1, 1, 1, 1, 1, 0, 0, 1}).find("leaves the image"), std::string::npos);
  EXPECT_NE(rle({2, 1, 0, 0}).find("truncated"), std::string::npos);
  EXPECT_NE(rle({2, 9, 0, 1}).find("palette index 9 out of range"), std::string::npos);
}

TEST(BmpReader, RejectsBrokenHeadersNamingTheFile) {
  const Bytes good = MakeBmp(2, 2, 24, std::vector<std::uint8_t>(16));
  EXPECT_EQ(Error(good), "loaded");
  EXPECT_EQ(Error(Bytes(good.begin(), good.begin() + 30)),
            "bmp/x.bmp: file is truncated (header needs 54 bytes, 30 present)");
  EXPECT_EQ(Error(MakeBmp(100, 80, 24, std::vector<std::uint8_t>(2000))),
            "bmp/x.bmp: file is truncated (pixel data needs 24000 bytes, 2000 present)");
  EXPECT_EQ(Error(MakeBmp(2, 2, 7, {})), "bmp/x.bmp: unsupported bit count 7");
  // Refused before anything is allocated.
  EXPECT_EQ(Error(MakeBmp(16384, -16384, 24, {})), "bmp/x.bmp: image too large (16384 x 16384)");
  EXPECT_EQ(Error(MakeBmp(1, 1, 16, {0, 0, 0, 0}, 3, {0xF00F, 0x0F00, 0x00F0})),
            "bmp/x.bmp: red bit-field mask 0xF00F is not contiguous");
}

TEST(BmpReader, LoadsFilesAndResourcesAndKeepsTheBitmapOnFailure) {
  kxtest::TempDir dir;
  const Bytes bytes = MakeBmp(1, 1, 24, {1, 2, 3, 0});
  std::ofstream(dir.File("t.bmp"), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  Bitmap bmp;
  bmp.LoadFromFile(dir.File("t.bmp"));
  EXPECT_EQ(bmp.Pixel(0, 0), 0x030201u);
  const std::string missing = dir.File("none.bmp");
  EXPECT_EQ(ErrorOf([&] { bmp.LoadFromFile(missing); }), missing + ": cannot open file");
  EXPECT_EQ(bmp.Pixel(0, 0), 0x030201u);  // the failed load changed nothing

  plat::ClearResources();
  EXPECT_FALSE(bmp.LoadFromResourceName("TILE"));
  plat::RegisterResource("BITMAP", "TILE", MakeBmp(1, 1, 24, {9, 8, 7, 0}));
  EXPECT_TRUE(bmp.LoadFromResourceName("tile"));
  EXPECT_EQ(bmp.Pixel(0, 0), 0x070809u);
  plat::ClearResources();
}

// Every prefix of real files is rejected cleanly (corrupted files are left
// to the fuzz target; the sanitizer builds catch any stray access here).
TEST(BmpReader, RejectsEveryPrefixOfARealFile) {
  for (const char* name : {"pal4rle.bmp", "pal8rle.bmp", "rgb16-565.bmp", "pal8os2.bmp"}) {
    std::ifstream in(std::filesystem::path(KX_CORPORA_DIR) / "bmp" / "good" / name,
                     std::ios::binary);
    const std::vector<char> raw{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(raw.size(), 54u) << name;
    Bytes file(raw.size());
    std::ranges::transform(raw, file.begin(), [](char c) { return static_cast<std::byte>(c); });
    // Without the file and image size fields only the data checks can tell.
    std::fill_n(file.begin() + 2, 4, std::byte{0});
    if (file[14] == std::byte{40}) std::fill_n(file.begin() + 34, 4, std::byte{0});
    for (std::size_t n = 0; n < file.size(); n += 1 + n / 64)
      EXPECT_THROW(Bitmap().LoadFromBytes(std::span(file).first(n)), EBitmapLoad)
          << name << " " << n;
  }
}

}  // namespace
