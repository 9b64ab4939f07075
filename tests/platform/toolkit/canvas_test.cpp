// Canvas fills, pixels and copies: colour order, clipping on every edge (on
// both sides of a copy), overlapping copies, and PNG output.
#include "plat/canvas.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "draw_check.h"
#include "support/temp_dir.h"

namespace {

using namespace plat;
using kxtest::ExpectClipsAtEveryEdge;

TEST(Canvas, FillRectTakesToolkitColoursClipsAndSkipsAClearBrush) {
  ExpectClipsAtEveryEdge(20, 15, 6, 5, [](Canvas& c, int x, int y) {
    c.Brush.color = clAqua;
    c.FillRect({x, y, x + 6, y + 5});
  });
  Bitmap bmp(3, 3);
  Canvas canvas(bmp);
  canvas.Brush = {0x112233, BrushStyle::Solid};
  canvas.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(std::ranges::count(bmp.Pixels(), 0x332211u), 9);
  canvas.Brush = {clWhite, BrushStyle::Clear};
  canvas.FillRect({0, 0, 3, 3});
  EXPECT_EQ(bmp.Pixel(1, 1), 0x332211u);
}

TEST(Canvas, DrawAndCopyRectClipTheDestination) {
  Bitmap tile(7, 5);
  kxtest::FillPattern(tile, 0xABCDEF);
  ExpectClipsAtEveryEdge(16, 12, 7, 5, [&](Canvas& c, int x, int y) { c.Draw(x, y, tile); });
  ExpectClipsAtEveryEdge(16, 12, 7, 5, [&](Canvas& c, int x, int y) {
    c.CopyRect({x, y, x + 7, y + 5}, Canvas(tile), {0, 0, 7, 5});
  });
  Bitmap bmp(4, 4);  // far-off coordinates must not overflow
  Canvas canvas(bmp);
  canvas.CopyRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Canvas(tile), {INT_MIN, 0, INT_MAX, 4});
  canvas.CopyRect({INT_MAX - 1, 0, INT_MAX, 4}, Canvas(tile), {0, 0, 1, 4});
  canvas.Draw(INT_MIN, INT_MAX, tile);
  EXPECT_EQ(std::ranges::count(bmp.Pixels(), 0u), 16);
}

TEST(Canvas, CopyRectClipsTheSourceKeepingPixelsInPlace) {
  Bitmap source(10, 8);
  kxtest::FillPattern(source, 0x77);
  for (int sx : {-12, -4, 0, 3, 6, 10})
    for (int sy : {-9, -3, 0, 5, 8}) {
      Bitmap target(20, 20);
      kxtest::FillPattern(target);
      const Bitmap before = target;
      Canvas(target).CopyRect({5, 6, 13, 12}, Canvas(source), {sx, sy, sx + 8, sy + 6});
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
          const int fx = x - 5 + sx, fy = y - 6 + sy;
          const bool copied =
              x >= 5 && x < 13 && y >= 6 && y < 12 && fx >= 0 && fx < 10 && fy >= 0 && fy < 8;
          ASSERT_EQ(target.Pixel(x, y), copied ? source.Pixel(fx, fy) : before.Pixel(x, y))
              << "source (" << sx << ", " << sy << "), pixel (" << x << ", " << y << ")";
        }
    }
}

TEST(Canvas, CopyRectWithinOneBitmapHandlesOverlap) {
  for (const auto& [dx, dy] :
       {std::pair{1, 1}, std::pair{-1, -2}, std::pair{2, -1}, std::pair{-3, 1}}) {
    Bitmap bmp(12, 12);
    kxtest::FillPattern(bmp);
    Bitmap expected = bmp, copy = bmp;
    Canvas(expected).CopyRect({2 + dx, 2 + dy, 10 + dx, 10 + dy}, Canvas(copy), {2, 2, 10, 10});
    Canvas canvas(bmp);
    canvas.CopyRect({2 + dx, 2 + dy, 10 + dx, 10 + dy}, canvas, {2, 2, 10, 10});
    EXPECT_TRUE(std::ranges::equal(bmp.Pixels(), expected.Pixels())) << dx << ", " << dy;
  }
}

TEST(SavePng, WritesRgbThatReadsBack) {
  kxtest::TempDir dir;
  Bitmap bmp(5, 3);
  kxtest::FillPattern(bmp);
  const std::string path = dir.File("shot.png");
  ASSERT_EQ(SavePng(bmp, path), "");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0);
  EXPECT_EQ(image.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
  for (std::size_t i = 0; i < bmp.Pixels().size(); ++i)
    EXPECT_EQ(static_cast<RgbColor>(rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2]),
              bmp.Pixels()[i]);
  const std::string bad = dir.File("none/shot.png");
  EXPECT_TRUE(SavePng(bmp, bad).starts_with(bad + ": "));
}

}  // namespace
