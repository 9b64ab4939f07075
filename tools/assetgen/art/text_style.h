// text_style.h — shared lettering looks: glyph masks turned into shaded,
// outlined letters for the font cells, labels and titles.
#pragma once

#include <string>
#include <vector>

#include "draw.h"
#include "pixfont.h"

namespace ag {

// Colours ink rows top to bottom through the stops, darkens ink pixels on the
// lower-right edge (a one-pixel bevel) and adds a near-black outline.
Image styledText(FontId id, const std::string& text, const std::vector<Rgb>& stops,
                 bool diagonalOutline = true);

}  // namespace ag
