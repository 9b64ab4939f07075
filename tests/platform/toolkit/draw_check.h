// draw_check.h — the clipping check the toolkit drawing tests share: a call
// made on a small bitmap must leave exactly what the same call leaves in the
// matching window of a bitmap with a wide margin (where nothing is clipped).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "plat/canvas.h"

namespace kxtest {

// A background in which every pixel differs from its neighbours.
inline void FillPattern(plat::Bitmap& b, std::uint32_t salt = 0) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.Row(y)[x] = (static_cast<std::uint32_t>(x * 7 + y * 131) * 2654435761u ^ salt) & 0xFFFFFF;
}

// Runs draw(canvas, x, y) with the object at every position beyond, across
// and inside each edge of a w x h target, for an object of size objW x objH.
template <class Draw>
void ExpectClipsAtEveryEdge(int w, int h, int objW, int objH, Draw draw) {
  auto positions = [](int size, int limit) {
    return std::vector<int>{-size - 3, -size,        -size + 1,        -size / 2, 0,     1,
                            limit / 2, limit - size, limit - size / 2, limit - 1, limit, limit + 4};
  };
  const int m = std::max(objW, objH) + 8;
  for (int x : positions(objW, w))
    for (int y : positions(objH, h)) {
      plat::Bitmap small(w, h), big(w + 2 * m, h + 2 * m);
      FillPattern(big);
      for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) small.Row(r)[c] = big.Pixel(c + m, r + m);
      plat::Canvas smallCanvas(small), bigCanvas(big);
      draw(smallCanvas, x, y);
      draw(bigCanvas, x + m, y + m);
      int wrong = 0;
      for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) wrong += small.Pixel(c, r) != big.Pixel(c + m, r + m);
      ASSERT_EQ(wrong, 0) << "drawn at (" << x << ", " << y << ")";
    }
}

}  // namespace kxtest
