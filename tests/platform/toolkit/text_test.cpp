// Canvas::TextOut and TextExtent: unblended ink in the font colour with
// clear and solid brushes, sizes by points, the Japanese face, clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "draw_check.h"
#include "plat/canvas.h"

namespace {

using namespace plat;

// Draws `text` at (6, 5) on a patterned bitmap; every changed pixel must be
// ink or brush colour and lie in the text cell. Returns {ink, brush} counts.
std::pair<int, int> DrawText(BrushStyle style, const char* text) {
  Bitmap bmp(120, 40);
  kxtest::FillPattern(bmp);
  const Bitmap before = bmp;
  Canvas canvas(bmp);
  canvas.Brush = {clNavy, style};  // pixel 0x000080
  canvas.font = {11, clYellow, ""};
  canvas.TextOut(6, 5, text);
  const Point cell = canvas.TextExtent(text);
  int ink = 0, brush = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const RgbColor p = bmp.Pixel(x, y);
      if (p == before.Pixel(x, y)) continue;
      EXPECT_TRUE(x >= 6 && x < 6 + cell.x && y >= 5 && y < 5 + cell.y) << x << ", " << y;
      ink += p == 0xFFFF00;
      brush += p == 0x000080;
      EXPECT_TRUE(p == 0xFFFF00 || p == 0x000080) << "blended pixel " << p;
    }
  if (style == BrushStyle::Solid) {
    EXPECT_EQ(ink + brush, cell.x * cell.y);
  }
  return {ink, brush};
}

TEST(Text, ClearBrushWritesOnlyInkAndSolidBrushFillsTheCell) {
  const auto [ink, brush] = DrawText(BrushStyle::Clear, "SCORE 0123");
  EXPECT_GT(ink, 40);
  EXPECT_EQ(brush, 0);
  const auto [ink2, brush2] = DrawText(BrushStyle::Solid, "Hi 42");
  EXPECT_GT(ink2, 10);
  EXPECT_GT(brush2, 100);
  // Non-ASCII text goes to the Japanese face.
  EXPECT_GT(DrawText(BrushStyle::Clear, "スコア").first, 20);
}

TEST(Text, SizeGrowsWithPoints) {
  Bitmap bmp(1, 1);
  Canvas canvas(bmp);
  int last = 0;
  for (const auto& [points, pixels] : {std::pair{9, 12}, std::pair{11, 15}, std::pair{14, 19}}) {
    canvas.font.size = points;
    const int height = canvas.TextExtent("Hg").y;
    EXPECT_TRUE(height >= pixels && height <= pixels * 3 / 2 && height > last)
        << points << " pt: " << height;
    last = height;
  }
  EXPECT_GT(canvas.TextExtent("WWWW").x, canvas.TextExtent("WW").x);
}

TEST(Text, ClipsAtEveryEdge) {
  Bitmap probe(1, 1);
  const Point cell = Canvas(probe).TextExtent("Wy8");
  kxtest::ExpectClipsAtEveryEdge(40, 20, cell.x, cell.y, [](Canvas& c, int x, int y) {
    c.Brush.color = clGreen;
    c.TextOut(x, y, "Wy8");
  });
}

}  // namespace
