// screen_pixels.h — counting colours in a region of a presented frame, for
// the screen tests. Colours are the bitmap's 0xRRGGBB.
#pragma once

#include "plat/canvas.h"

namespace kxtest {

inline int CountColour(const plat::Bitmap& shot, int x0, int y0, int x1, int y1,
                       plat::RgbColor rgb) {
  int n = 0;
  for (int y = y0; y < y1 && y < shot.Height(); ++y)
    for (int x = x0; x < x1 && x < shot.Width(); ++x)
      if (shot.Pixel(x, y) == rgb) ++n;
  return n;
}

}  // namespace kxtest
