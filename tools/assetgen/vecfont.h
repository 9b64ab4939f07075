// vecfont.h — a small stroke font for titles: each capital is a few
// polylines on a 6 x 9 grid, stroked with an octagonal pen so that ends and
// corners come out chamfered (a machined look). Scales to any size; only the
// letters the titles need are defined (A C E I K N O R T U V X).
#pragma once

#include <string>

#include "image.h"

namespace ag {

struct VecStyle {
  double unit = 4.0;  // pixels per grid unit
  double pen = 2.4;   // stroke width in units
  double gap = 1.6;   // blank units between letters
  double skew = 0.0;  // italic slant: x shift per pixel of height above the baseline
};

// White-on-key mask of the text; the ink box starts at (pad, pad).
Image vecTextMask(const std::string& text, const VecStyle& style, int pad = 2);

}  // namespace ag
