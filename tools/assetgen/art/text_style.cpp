// text_style.cpp — bevelled, outlined lettering.
#include "art/text_style.h"

namespace ag {

Image styledText(FontId id, const std::string& text, const std::vector<Rgb>& stops,
                 bool diagonalOutline) {
  Image mask = textMask(id, text);
  Image out(mask.width() + 2, mask.height() + 2);
  out.blit(mask, 1, 1);
  // Only rows that carry ink take part in the gradient.
  int top = out.height(), bottom = 0;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (out.opaque(x, y)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  gradientOverInk(out, top, bottom, stops);
  Image flat = out;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      if (!flat.opaque(x, y)) continue;
      bool lowerRight = !flat.opaque(x + 1, y) || !flat.opaque(x, y + 1);
      bool upperLeft = !flat.opaque(x - 1, y) || !flat.opaque(x, y - 1);
      if (lowerRight && !upperLeft) out.set(x, y, scale(flat.get(x, y), 0.72));
    }
  outline(out, kInk, diagonalOutline);
  return out;
}

}  // namespace ag
