// clip.h — internal to the toolkit: clipping of fills and same-size copies.
//
// Done once per call, in 64-bit arithmetic so that far-off coordinates
// cannot overflow; the drawing loops that follow need no per-pixel checks.
#pragma once

#include <algorithm>
#include <cstdint>

#include "plat/base.h"

namespace plat::clip {

// `r` cut to [0, width) x [0, height); Empty() when nothing remains.
inline Rect ToBounds(Rect r, int width, int height) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
          std::min(r.bottom, height)};
}

// A copy of a w x h block from (srcX, srcY) to (dstX, dstY), both sides
// already inside their bitmaps.
struct Copy {
  int dstX, dstY, srcX, srcY, width, height;
};

// Clips the copy of a `w` x `h` block at (sx, sy) of a `srcW` x `srcH` source
// to (dx, dy) of a `dstW` x `dstH` target, keeping pixels in correspondence.
// False when nothing remains.
inline bool ClipCopy(std::int64_t dx, std::int64_t dy, std::int64_t sx, std::int64_t sy,
                     std::int64_t w, std::int64_t h, int dstW, int dstH, int srcW, int srcH,
                     Copy& out) {
  auto axis = [](std::int64_t& d, std::int64_t& s, std::int64_t& n, std::int64_t dLimit,
                 std::int64_t sLimit) {
    if (d < 0) {
      s -= d;
      n += d;
      d = 0;
    }
    if (s < 0) {
      d -= s;
      n += s;
      s = 0;
    }
    n = std::min({n, dLimit - d, sLimit - s});
    return n > 0;
  };
  if (!axis(dx, sx, w, dstW, srcW) || !axis(dy, sy, h, dstH, srcH)) return false;
  out = {static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(sx),
         static_cast<int>(sy), static_cast<int>(w),  static_cast<int>(h)};
  return true;
}

}  // namespace plat::clip
