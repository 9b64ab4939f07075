// assetgen_test.cpp — runs the picture generator (twice, into two folders)
// and checks what the game relies on: every file it loads exists at its
// list's cell size as a plain 24-bit BMP, the runs are byte-identical (the
// sounds and songs too; their own checks are in assetgen_audio_test), no
// opaque colour collapses to the transparent key on a 16-bit display, the
// HUD lettering fits its layout, and the backgrounds tile seamlessly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assetgen_run.h"

namespace fs = std::filesystem;

namespace {

struct Bmp {
  int w = 0, h = 0;
  std::vector<std::uint8_t> rgb;  // top-down, 3 bytes a pixel
  int r(int x, int y) const { return rgb[(static_cast<std::size_t>(y) * w + x) * 3]; }
  int g(int x, int y) const { return rgb[(static_cast<std::size_t>(y) * w + x) * 3 + 1]; }
  int b(int x, int y) const { return rgb[(static_cast<std::size_t>(y) * w + x) * 3 + 2]; }
  bool ink(int x, int y) const { return r(x, y) || g(x, y) || b(x, y); }
};

std::vector<std::uint8_t> slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

std::uint32_t le32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

// Reads the one BMP flavour the game needs; fails the test on anything else.
Bmp readBmp(const fs::path& p) {
  const std::vector<std::uint8_t> d = slurp(p);
  Bmp out;
  EXPECT_GE(d.size(), 54u) << p;
  if (d.size() < 54) return out;
  EXPECT_EQ(d[0], 'B');
  EXPECT_EQ(d[1], 'M');
  EXPECT_EQ(le32(d, 14), 40u) << p << ": BITMAPINFOHEADER";
  EXPECT_EQ(d[28] | d[29] << 8, 24) << p << ": bits per pixel";
  EXPECT_EQ(le32(d, 30), 0u) << p << ": BI_RGB";
  out.w = static_cast<int>(le32(d, 18));
  out.h = static_cast<int>(le32(d, 22));  // positive: bottom-up
  const std::size_t stride = (static_cast<std::size_t>(out.w) * 3 + 3) & ~std::size_t{3};
  EXPECT_EQ(d.size(), le32(d, 10) + stride * out.h) << p;
  if (d.size() != le32(d, 10) + stride * out.h) return out;
  out.rgb.resize(static_cast<std::size_t>(out.w) * out.h * 3);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) {
      const std::size_t src = le32(d, 10) + (out.h - 1 - y) * stride + x * 3;
      const std::size_t dst = (static_cast<std::size_t>(y) * out.w + x) * 3;
      out.rgb[dst] = d[src + 2];
      out.rgb[dst + 1] = d[src + 1];
      out.rgb[dst + 2] = d[src];
    }
  return out;
}

struct FileList {
  std::string prefix;
  int first, count, digits, w, h;
};

// The bitmap files the game loads, with their cell sizes.
const std::vector<FileList>& gameFiles() {
  static const std::vector<FileList> lists = {
      {"BK_", 1, 3, 2, 800, 300},   {"B30_", 0, 16, 0, 32, 32},   {"B64_", 0, 31, 0, 64, 64},
      {"B96_", 0, 16, 0, 96, 96},   {"96_", 0, 16, 2, 96, 96},    {"74_", 1, 104, 2, 74, 74},
      {"24_", 1, 52, 2, 24, 24},    {"64_", 1, 105, 2, 64, 64},   {"26_", 1, 6, 2, 26, 26},
      {"40_", 1, 21, 2, 40, 40},    {"50_", 1, 71, 2, 50, 50},    {"80_", 1, 26, 2, 80, 80},
      {"100_", 1, 95, 2, 100, 100}, {"150_", 1, 25, 2, 150, 150},
  };
  return lists;
}

std::string numbered(const FileList& l, int i) {
  std::string n = std::to_string(l.first + i);
  while (static_cast<int>(n.size()) < l.digits) n.insert(n.begin(), '0');
  return l.prefix + n + ".bmp";
}

// Ink columns of one cell of a strip: first and last column with any ink.
std::pair<int, int> inkSpan(const Bmp& strip, int cellW, int cell) {
  int lo = cellW, hi = -1;
  for (int y = 0; y < strip.h; ++y)
    for (int x = 0; x < cellW; ++x)
      if (strip.ink(cell * cellW + x, y)) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
  return {lo, hi};
}

class AssetgenOutput : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = kxtest::assetgenRuns();
    ASSERT_FALSE(root_.empty()) << "assetgen failed";
  }
  static fs::path dir(const char* run = "a") { return root_ / run; }
  static inline fs::path root_;
};

TEST_F(AssetgenOutput, WritesEveryGameFileAtItsCellSize) {
  int files = 0;
  for (const FileList& l : gameFiles())
    for (int i = 0; i < l.count; ++i, ++files) {
      const Bmp b = readBmp(dir() / "bmp" / numbered(l, i));
      EXPECT_EQ(b.w, l.w) << numbered(l, i);
      EXPECT_EQ(b.h, l.h) << numbered(l, i);
    }
  for (auto [name, w, h] : {std::tuple{"title.bmp", 359, 61}, {"200.bmp", 200, 170}}) {
    const Bmp b = readBmp(dir() / "bmp" / name);
    EXPECT_EQ(b.w, w) << name;
    EXPECT_EQ(b.h, h) << name;
    ++files;
  }
  EXPECT_EQ(files, 589);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir() / "bmp"), fs::directory_iterator{}), 589);
  // Form-resource lists: one horizontal strip per list.
  for (auto [name, w, h] : {std::tuple{"Font0", 44 * 16, 16},
                            {"Font2", 46 * 16, 16},
                            {"IL20", 26 * 20, 20},
                            {"ISC", 9 * 75, 17},
                            {"Spa8", 6 * 10, 10},
                            {"CONT", 130, 20},
                            {"Logo", 359, 61}}) {
    const Bmp b = readBmp(dir() / "form" / (std::string(name) + ".bmp"));
    EXPECT_EQ(b.w, w) << name;
    EXPECT_EQ(b.h, h) << name;
  }
}

TEST_F(AssetgenOutput, IsByteIdenticalAcrossRuns) {
  int compared = 0;
  for (const auto& e : fs::recursive_directory_iterator(dir("a"))) {
    if (!e.is_regular_file()) continue;
    const fs::path other = dir("b") / fs::relative(e.path(), dir("a"));
    EXPECT_TRUE(slurp(e.path()) == slurp(other)) << other;
    ++compared;
  }
  EXPECT_EQ(compared, 596 + 17 + 8);  // pictures, sounds, songs
}

TEST_F(AssetgenOutput, OpaqueColoursStayOpaqueInSixteenBit) {
  for (const char* folder : {"bmp", "form"}) {
    for (const auto& e : fs::directory_iterator(dir() / folder)) {
      const Bmp b = readBmp(e.path());
      int bad = 0;
      for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x)
          if (b.ink(x, y) && std::max({b.r(x, y), b.g(x, y), b.b(x, y)}) < 8) ++bad;
      EXPECT_EQ(bad, 0) << e.path();
    }
  }
}

TEST_F(AssetgenOutput, HudLetteringFitsTheLayout) {
  // Labels are followed by numbers at fixed places: Score 63 px, Hi-Score 93,
  // Recover 64 (Point is drawn over its tail), Point 48; all start at x 0.
  const Bmp isc = readBmp(dir() / "form" / "ISC.bmp");
  const int maxWidth[] = {63, 93, 64, 48};
  for (int cell = 0; cell < 4; ++cell) {
    auto [lo, hi] = inkSpan(isc, 75, cell);
    EXPECT_LE(lo, 1) << "ISC " << cell;
    EXPECT_LE(hi + 1, maxWidth[cell]) << "ISC " << cell;
  }
  auto [rlo, rhi] = inkSpan(isc, 75, 8);  // ~Ranking~ is centred in its cell
  EXPECT_LE(std::abs((rlo + rhi) - 74), 2);
  // Font0 advances 12 px, Font2 10 px: glyphs left-aligned and narrower.
  const Bmp f0 = readBmp(dir() / "form" / "Font0.bmp");
  for (int cell = 0; cell < 36; ++cell) {
    auto [lo, hi] = inkSpan(f0, 16, cell);
    EXPECT_LE(lo, 1) << "Font0 " << cell;
    EXPECT_LE(hi + 1, 11) << "Font0 " << cell;
  }
  const Bmp f2 = readBmp(dir() / "form" / "Font2.bmp");
  for (int cell = 0; cell < 10; ++cell) {
    auto [lo, hi] = inkSpan(f2, 16, cell);
    EXPECT_LE(lo, 1) << "Font2 " << cell;
    EXPECT_LE(hi + 1, 10) << "Font2 " << cell;
  }
}

TEST_F(AssetgenOutput, BackgroundsTileSeamlesslyWithQuietHudBands) {
  for (const char* name : {"BK_01.bmp", "BK_02.bmp", "BK_03.bmp"}) {
    const Bmp b = readBmp(dir() / "bmp" / name);
    ASSERT_EQ(b.w, 800);
    auto colDiff = [&](int x0, int x1) {
      long sum = 0;
      for (int y = 0; y < b.h; ++y)
        sum += std::abs(b.r(x0, y) - b.r(x1, y)) + std::abs(b.g(x0, y) - b.g(x1, y)) +
               std::abs(b.b(x0, y) - b.b(x1, y));
      return sum;
    };
    // The wrap from column 799 to 0 must look like any neighbouring pair.
    long typical = 0;
    for (int x = 0; x < 799; ++x) typical += colDiff(x, x + 1);
    typical /= 799;
    EXPECT_LE(colDiff(799, 0), typical * 2 + 200) << name;
    // HUD bands: dark on average, so labels and digits read.
    for (auto [y0, y1] : {std::pair{0, 20}, {279, 299}}) {
      long lum = 0;
      for (int y = y0; y <= y1; ++y)
        for (int x = 0; x < 800; ++x) lum += b.r(x, y) + b.g(x, y) + b.b(x, y);
      EXPECT_LT(lum / (3 * 800 * (y1 - y0 + 1)), 70) << name << " rows " << y0;
    }
  }
}

TEST(Assetgen, RefusesUnknownArguments) {
  const std::string cmd = std::string(KX_ASSETGEN) + " --bogus x 2> /dev/null";
  EXPECT_NE(std::system(cmd.c_str()), 0);
  EXPECT_NE(std::system((std::string(KX_ASSETGEN) + " 2> /dev/null").c_str()), 0);
}

}  // namespace
