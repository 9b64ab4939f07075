// pixfont.h — hand-made pixel fonts. Each glyph is a small table of rows
// ('#' ink, '.' blank) drawn at 1:1; there is no scaling, so every size is its
// own design:
//   Label  mixed case, printable ASCII subset, cap height 9, descenders 3 (13 rows)
//   Big    capitals and digits, 9 x 12, 2-pixel strokes (bitmap font cells)
//   Tall   digits only, 8 x 14 (HUD numbers)
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace ag {

enum class FontId { Label, Big, Tall };

struct Glyph {
  int width = 0;
  int top = 0;                    // first row of the table below the font's top line
  std::vector<std::string> rows;  // '#' = ink
};

struct PixFont {
  int height = 0;    // rows from the top line to the bottom of descenders
  int baseline = 0;  // rows from the top line to just below capitals
  int spacing = 1;   // blank columns between glyphs
  int spaceWidth = 3;
  std::vector<Glyph> glyphs;  // indexed by character code 32..126; width 0 = absent
  const Glyph* find(char ch) const;
};

const PixFont& font(FontId id);

// Ink mask (white on key) of a text; unknown characters throw std::logic_error.
Image textMask(FontId id, const std::string& text);
int textWidth(FontId id, const std::string& text);
// Draws the text in one colour with its top line at y.
void drawText(Image& img, int x, int y, const std::string& text, Rgb c, FontId id = FontId::Label);

// Builds a font from compact definitions "rows separated by '/'".
struct GlyphDef {
  char ch;
  int top;
  const char* rows;
};
PixFont buildFont(int height, int baseline, int spacing, int spaceWidth,
                  const std::vector<GlyphDef>& defs);

}  // namespace ag
