// pixfont.cpp — glyph lookup, font building and text drawing.
#include "pixfont.h"

#include <stdexcept>

namespace ag {

std::vector<GlyphDef> labelGlyphDefs();
std::vector<GlyphDef> bigGlyphDefs();
std::vector<GlyphDef> tallGlyphDefs();

const Glyph* PixFont::find(char ch) const {
  int i = static_cast<unsigned char>(ch) - 32;
  if (i < 0 || i >= static_cast<int>(glyphs.size()) ||
      glyphs[static_cast<std::size_t>(i)].width == 0)
    return nullptr;
  return &glyphs[static_cast<std::size_t>(i)];
}

PixFont buildFont(int height, int baseline, int spacing, int spaceWidth,
                  const std::vector<GlyphDef>& defs) {
  PixFont f;
  f.height = height;
  f.baseline = baseline;
  f.spacing = spacing;
  f.spaceWidth = spaceWidth;
  f.glyphs.resize(95);
  for (const GlyphDef& d : defs) {
    Glyph g;
    g.top = d.top;
    std::string all = d.rows;
    std::size_t start = 0;
    for (;;) {
      std::size_t end = all.find('/', start);
      g.rows.push_back(all.substr(start, end == std::string::npos ? end : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    g.width = static_cast<int>(g.rows[0].size());
    for (const std::string& r : g.rows)
      if (static_cast<int>(r.size()) != g.width)
        throw std::logic_error(std::string("ragged glyph '") + d.ch + "'");
    if (g.top + static_cast<int>(g.rows.size()) > height)
      throw std::logic_error(std::string("glyph too tall '") + d.ch + "'");
    f.glyphs[static_cast<std::size_t>(d.ch - 32)] = g;
  }
  return f;
}

const PixFont& font(FontId id) {
  static const PixFont label = buildFont(12, 9, 1, 3, labelGlyphDefs());
  static const PixFont big = buildFont(12, 12, 1, 6, bigGlyphDefs());
  static const PixFont tall = buildFont(14, 14, 1, 5, tallGlyphDefs());
  switch (id) {
    case FontId::Big:
      return big;
    case FontId::Tall:
      return tall;
    case FontId::Label:
      break;
  }
  return label;
}

int textWidth(FontId id, const std::string& text) {
  const PixFont& f = font(id);
  int w = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i) w += f.spacing;
    if (text[i] == ' ') {
      w += f.spaceWidth;
      continue;
    }
    const Glyph* g = f.find(text[i]);
    if (!g) throw std::logic_error(std::string("no glyph for '") + text[i] + "'");
    w += g->width;
  }
  return w;
}

void drawText(Image& img, int x, int y, const std::string& text, Rgb c, FontId id) {
  const PixFont& f = font(id);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i) x += f.spacing;
    if (text[i] == ' ') {
      x += f.spaceWidth;
      continue;
    }
    const Glyph* g = f.find(text[i]);
    if (!g) throw std::logic_error(std::string("no glyph for '") + text[i] + "'");
    for (std::size_t r = 0; r < g->rows.size(); ++r)
      for (int col = 0; col < g->width; ++col)
        if (g->rows[r][static_cast<std::size_t>(col)] == '#')
          img.set(x + col, y + g->top + static_cast<int>(r), c);
    x += g->width;
  }
}

Image textMask(FontId id, const std::string& text) {
  Image m(textWidth(id, text), font(id).height);
  drawText(m, 0, 0, text, Rgb{255, 255, 255}, id);
  return m;
}

}  // namespace ag
