// fonts.cpp — the glyph cells of the two bitmap fonts: Font0 0-35 (digits,
// A-Z; white to blue so that the game's 50 % yellow blend visibly changes
// them) and Font2 0-9 (chrome HUD digits). Glyphs are left-aligned in the
// 16 x 16 cell; ink is at most 11 (Font0) and 10 (Font2) pixels wide.
#include "art/groups.h"
#include "art/text_style.h"

namespace ag {

void drawFontGlyphs(ArtSet& art) {
  const std::vector<Rgb> cool = {{255, 255, 255}, {214, 244, 255}, {120, 196, 255}, {64, 110, 236}};
  CellList& f0 = art["Font0"];
  const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (std::size_t i = 0; i < chars.size(); ++i) {
    Image cell = f0.blank();
    cell.blit(styledText(FontId::Big, std::string(1, chars[i]), cool), 0, 1);
    f0.put(static_cast<int>(i), cell);
  }
  const std::vector<Rgb> chrome = {
      {255, 255, 255}, {196, 226, 255}, {84, 116, 196}, {150, 204, 255}, {236, 248, 255}};
  CellList& f2 = art["Font2"];
  for (int d = 0; d < 10; ++d) {
    Image cell = f2.blank();
    cell.blit(styledText(FontId::Tall, std::string(1, static_cast<char>('0' + d)), chrome), 0, 0);
    f2.put(d, cell);
  }
}

}  // namespace ag
