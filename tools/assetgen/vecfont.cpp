// vecfont.cpp — stroke definitions and the octagonal-pen rasteriser.
#include "vecfont.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace ag {
namespace {

struct P2 {
  double x, y;
};
using Stroke = std::vector<P2>;
struct VecGlyph {
  char ch;
  double width;
  std::vector<Stroke> strokes;
};

const std::vector<VecGlyph>& glyphs() {
  static const std::vector<VecGlyph> g = {
      {'A', 6, {{{0, 9}, {0, 2}, {2, 0}, {4, 0}, {6, 2}, {6, 9}}, {{0, 5.5}, {6, 5.5}}}},
      {'C', 6, {{{6, 2}, {4, 0}, {2, 0}, {0, 2}, {0, 7}, {2, 9}, {4, 9}, {6, 7}}}},
      {'E', 5.5, {{{5.5, 0}, {0, 0}, {0, 9}, {5.5, 9}}, {{0, 4.5}, {4.2, 4.5}}}},
      {'I', 0, {{{0, 0}, {0, 9}}}},
      {'K', 6, {{{0, 0}, {0, 9}}, {{0.6, 5.0}, {6, 0}}, {{2.4, 3.6}, {6, 9}}}},
      {'N', 6, {{{0, 9}, {0, 0}, {6, 9}, {6, 0}}}},
      {'O', 6, {{{2, 0}, {4, 0}, {6, 2}, {6, 7}, {4, 9}, {2, 9}, {0, 7}, {0, 2}, {2, 0}}}},
      {'R', 6, {{{0, 9}, {0, 0}, {4, 0}, {6, 2}, {6, 3}, {4, 5}, {0, 5}}, {{3.4, 5}, {6, 9}}}},
      {'T', 6, {{{0, 0}, {6, 0}}, {{3, 0}, {3, 9}}}},
      {'U', 6, {{{0, 0}, {0, 7}, {2, 9}, {4, 9}, {6, 7}, {6, 0}}}},
      {'V', 6, {{{0, 0}, {0, 4.5}, {3, 9}, {6, 4.5}, {6, 0}}}},
      {'X', 6, {{{0, 0}, {6, 9}}, {{6, 0}, {0, 9}}}},
  };
  return g;
}

const VecGlyph& find(char ch) {
  for (const VecGlyph& g : glyphs())
    if (g.ch == ch) return g;
  throw std::logic_error(std::string("no stroke glyph for '") + ch + "'");
}

// Octagonal norm: a regular-ish octagon pen of "radius" 1.
double octNorm(double dx, double dy) {
  dx = std::abs(dx);
  dy = std::abs(dy);
  return std::max({dx, dy, (dx + dy) * 0.70710678});  // diagonal faces of a regular octagon
}

double segOct(double px, double py, P2 a, P2 b) {
  double best = 1e9;
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  const int steps = std::max(1, static_cast<int>(len * 12));
  for (int i = 0; i <= steps; ++i) {
    double t = double(i) / steps;
    best = std::min(best, octNorm(px - (a.x + (b.x - a.x) * t), py - (a.y + (b.y - a.y) * t)));
  }
  return best;
}

}  // namespace

Image vecTextMask(const std::string& text, const VecStyle& st, int pad) {
  // Lay out the strokes in units, one glyph after another.
  std::vector<std::pair<P2, P2>> segs;
  const double half = st.pen / 2;
  double x = half;
  for (char ch : text) {
    if (ch == ' ') {
      x += 4 + st.gap;
      continue;
    }
    const VecGlyph& g = find(ch);
    for (const Stroke& s : g.strokes)
      for (std::size_t i = 0; i + 1 < s.size(); ++i)
        segs.push_back({{s[i].x + x, s[i].y + half}, {s[i + 1].x + x, s[i + 1].y + half}});
    x += g.width + st.pen + st.gap;
  }
  const double inkW = (x - st.gap - half) * st.unit, inkH = (9 + st.pen) * st.unit;
  const int w = static_cast<int>(std::ceil(inkW + inkH * st.skew)) + 2 * pad;
  const int h = static_cast<int>(std::ceil(inkH)) + 2 * pad;
  Image m(w, h);
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) {
      // 3 x 3 samples per pixel; ink where most samples are inside.
      int hits = 0;
      for (int sy = 0; sy < 3; ++sy)
        for (int sx = 0; sx < 3; ++sx) {
          double yy = py - pad + (sy + 0.5) / 3.0;
          double xx = px - pad + (sx + 0.5) / 3.0 - (inkH - yy) * st.skew;
          double ux = xx / st.unit, uy = yy / st.unit;
          for (const auto& [a, b] : segs) {
            if (ux < std::min(a.x, b.x) - half - 0.1 || ux > std::max(a.x, b.x) + half + 0.1 ||
                uy < std::min(a.y, b.y) - half - 0.1 || uy > std::max(a.y, b.y) + half + 0.1)
              continue;
            if (segOct(ux, uy, a, b) <= half) {
              ++hits;
              break;
            }
          }
        }
      if (hits >= 5) m.set(px, py, Rgb{255, 255, 255});
    }
  return m;
}

}  // namespace ag
