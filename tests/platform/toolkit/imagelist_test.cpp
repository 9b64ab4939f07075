// ImageList: masked cells, the selected style's blend, indices without a
// cell, and clipping on every edge.
#include <gtest/gtest.h>

#include <algorithm>

#include "draw_check.h"
#include "plat/canvas.h"

namespace {

using namespace plat;

TEST(ImageList, MaskedPixelsLeaveTheCanvasAlone) {
  Bitmap cell(4, 3);  // black (the default transparent colour) on the diagonal
  kxtest::FillPattern(cell, 1);
  for (int i = 0; i < 3; ++i) cell.Row(i)[i] = 0;
  ImageList list(4, 3);
  EXPECT_EQ(list.AddMasked(cell), 0);
  Bitmap bmp(8, 8);
  kxtest::FillPattern(bmp);
  const Bitmap before = bmp;
  Canvas canvas(bmp);
  list.Draw(canvas, 2, 3, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int cx = x - 2, cy = y - 3;
      const bool opaque = cx >= 0 && cx < 4 && cy >= 0 && cy < 3 && cx != cy;
      EXPECT_EQ(bmp.Pixel(x, y), opaque ? cell.Pixel(cx, cy) : before.Pixel(x, y));
    }
  // The transparent colour is a toolkit colour: clBlue is pixel 0x0000FF.
  Bitmap two(2, 1);
  two.Row(0)[0] = 0xFF0000;
  two.Row(0)[1] = 0x0000FF;
  list.SetCellSize(2, 1);
  list.AddMasked(two, clBlue);
  list.Draw(canvas, 0, 0, 0);
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(bmp.Pixel(1, 0), before.Pixel(1, 0));
}

TEST(ImageList, SelectedStyleHalvesCellPlusBlendPerChannel) {
  Bitmap cell(3, 1);
  cell.Row(0)[0] = 0x112131;
  cell.Row(0)[1] = 0xFFFFFF;  // cell pixel 2 stays black: masked
  ImageList list(3, 1);
  list.AddMasked(cell);
  list.DrawingStyle = ImageList::Style::Selected;  // blend colour: yellow
  Bitmap bmp(3, 1);
  bmp.Row(0)[2] = 0x445566;
  Canvas canvas(bmp);
  list.Draw(canvas, 0, 0, 0);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x889018u);  // (0x11+0xFF)>>1, (0x21+0xFF)>>1, (0x31+0)>>1
  EXPECT_EQ(bmp.Pixel(1, 0), 0xFFFF7Fu);
  EXPECT_EQ(bmp.Pixel(2, 0), 0x445566u);
  list.BlendColor = clBlack;
  list.Draw(canvas, 0, 0, 0);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x081018u);  // odd channels do not spill into their neighbours
}

TEST(ImageList, IndicesWithoutACellDrawNothing) {
  ImageList list(2, 2);
  Bitmap bmp(2, 2);
  kxtest::FillPattern(bmp);
  EXPECT_EQ(list.AddMasked(bmp), 0);
  EXPECT_EQ(list.AddMasked(bmp), 1);
  Bitmap target(4, 4);
  Canvas canvas(target);
  for (int index : {-1, 2, 1000}) list.Draw(canvas, 0, 0, index);
  EXPECT_EQ(std::ranges::count(target.Pixels(), 0u), 16);
}

TEST(ImageList, ClipsAtEveryEdgeInBothStyles) {
  Bitmap cell(9, 7);
  kxtest::FillPattern(cell, 3);
  for (int i = 0; i < 9; ++i) cell.Row(i % 7)[i] = 0;
  ImageList list(9, 7);
  list.AddMasked(cell);
  for (const auto style : {ImageList::Style::Normal, ImageList::Style::Selected}) {
    list.DrawingStyle = style;
    kxtest::ExpectClipsAtEveryEdge(20, 16, 9, 7,
                                   [&](Canvas& c, int x, int y) { list.Draw(c, x, y, 0); });
  }
}

}  // namespace
