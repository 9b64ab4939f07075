// Canvas::Ellipse: the outline is closed, thin, symmetric, inside its box and
// touching every side; merge pen, brush fill and clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "draw_check.h"
#include "plat/canvas.h"

namespace {

using namespace plat;
constexpr RgbColor kInk = 0xFFFFFF;

// The outline of a w x h box at (x, y) of a black bitmap of size bw x bh.
Bitmap Outline(int w, int h, int x = 2, int y = 2, int bw = 0, int bh = 0) {
  Bitmap bmp(bw ? bw : w + 4, bh ? bh : h + 4);
  Canvas canvas(bmp);
  canvas.Brush.style = BrushStyle::Clear;
  canvas.Pen.color = clWhite;
  canvas.Ellipse({x, y, x + w, y + h});
  return bmp;
}

// Which pixels are reachable from (x, y) through 4-neighbours that are not ink.
std::vector<bool> Flood(const Bitmap& b, int x, int y) {
  std::vector<bool> seen(b.Pixels().size());
  for (std::vector<std::pair<int, int>> todo{{x, y}}; !todo.empty();) {
    const auto [px, py] = todo.back();
    todo.pop_back();
    const std::size_t i = static_cast<std::size_t>(py) * b.Width() + px;
    if (px < 0 || py < 0 || px >= b.Width() || py >= b.Height() || seen[i] ||
        b.Pixel(px, py) == kInk)
      continue;
    seen[i] = true;
    todo.insert(todo.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
  }
  return seen;
}

TEST(Ellipse, OutlineIsClosedThinSymmetricAndFillsItsBox) {
  for (int w = 1; w <= 40; ++w)
    for (int h = 1; h <= 40; h += h < 12 ? 1 : 7) {
      SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
      const Bitmap b = Outline(w, h);
      std::vector<int> rows(h), cols(w);
      for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
          if (b.Pixel(x, y) != kInk) continue;
          ASSERT_TRUE(x >= 2 && x < 2 + w && y >= 2 && y < 2 + h) << "ink at " << x << ", " << y;
          ++rows[y - 2], ++cols[x - 2];
          ASSERT_EQ(b.Pixel(2 + w - 1 - (x - 2), y), kInk) << "not mirrored left-right";
          ASSERT_EQ(b.Pixel(x, 2 + h - 1 - (y - 2)), kInk) << "not mirrored top-bottom";
          // No 2 x 2 block, except where the halves of a small or elongated
          // ellipse meet in a tip (even sizes have two centre columns or rows).
          const bool block = b.Pixel(x + 1, y) == kInk && b.Pixel(x, y + 1) == kInk &&
                             b.Pixel(x + 1, y + 1) == kInk;
          ASSERT_FALSE(block && w >= 5 && h >= 5 && w <= 2 * h && h <= 2 * w)
              << "block at " << x << ", " << y;
        }
      EXPECT_EQ(std::ranges::count(rows, 0) + std::ranges::count(cols, 0), 0) << "a side not met";
      EXPECT_FALSE(w >= 3 && h >= 3 && Flood(b, 2 + w / 2, 2 + h / 2)[0]) << "the inside leaks out";
    }
}

TEST(Ellipse, MergePenOrsAndSolidBrushFillsExactlyTheInside) {
  const Bitmap shape = Outline(20, 14, 3, 2, 30, 24);
  const std::vector<bool> inside = Flood(shape, 13, 9);
  for (const BrushStyle style : {BrushStyle::Clear, BrushStyle::Solid}) {
    Bitmap bmp(30, 24);
    kxtest::FillPattern(bmp);
    const Bitmap before = bmp;
    Canvas canvas(bmp);
    canvas.Brush = {clBlue, style};
    canvas.Pen = {0xAA2200, 1, PenMode::Merge};  // toolkit order: pixel 0x0022AA
    canvas.Ellipse({3, 2, 23, 16});
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 30; ++x) {
        RgbColor want = before.Pixel(x, y);
        if (shape.Pixel(x, y) == kInk)
          want |= 0x0022AA;
        else if (style == BrushStyle::Solid && inside[static_cast<std::size_t>(y) * 30 + x])
          want = 0x0000FF;
        ASSERT_EQ(bmp.Pixel(x, y), want) << x << ", " << y;
      }
  }
}

TEST(Ellipse, ClipsAtEveryEdge) {
  kxtest::ExpectClipsAtEveryEdge(24, 18, 15, 11, [](Canvas& c, int x, int y) {
    c.Pen = {clYellow, 1, PenMode::Merge};
    c.Brush.color = clTeal;
    c.Ellipse({x, y, x + 15, y + 11});
  });
}

TEST(Ellipse, EmptyAndHugeBoxesDrawNothing) {
  Bitmap bmp(8, 8);
  Canvas canvas(bmp);
  for (const Rect r : {Rect{4, 4, 4, 9}, Rect{6, 6, 2, 2}, Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                       Rect{-100000, 0, 100, 8}})
    canvas.Ellipse(r);
  EXPECT_TRUE(std::ranges::all_of(bmp.Pixels(), [](RgbColor p) { return p == 0; }));
}

}  // namespace
