// logo.cpp — the title logo KORVANIX (IT cell 0, and the splash logo in the
// Logo strip, the same picture) and the CONTINUE banner (CONT cell 0).
// Chrome letters with a dark horizon line, a bevel lit from the upper left, a
// near-black outline and a hot rim so they read over any background, an
// afterburner streak underneath and a glint on the K.
#include <algorithm>
#include <cmath>

#include "art/groups.h"
#include "draw.h"
#include "vecfont.h"

namespace ag {
namespace {

// Chrome gradient: sky above the horizon, dark band, bright ground reflection.
Rgb chrome(double v) {
  struct Stop {
    double at;
    Rgb c;
  };
  static const Stop stops[] = {{0.00, {255, 255, 255}}, {0.30, {196, 230, 255}},
                               {0.49, {104, 160, 240}}, {0.50, {28, 36, 112}},
                               {0.60, {60, 90, 190}},   {0.85, {170, 214, 255}},
                               {1.00, {236, 248, 255}}};
  for (std::size_t i = 1; i < std::size(stops); ++i)
    if (v <= stops[i].at)
      return mix(stops[i - 1].c, stops[i].c,
                 (v - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
  return stops[std::size(stops) - 1].c;
}

// Turns a text mask into bevelled chrome with outline and rim.
Image chromeLetters(const Image& mask, Rgb rimHot, Rgb rimCool) {
  Image out(mask.width(), mask.height());
  int top = mask.height(), bottom = 0;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (mask.opaque(x, y)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x) {
      if (!mask.opaque(x, y)) continue;
      Rgb c = chrome((y - top) / double(std::max(1, bottom - top)));
      // Two-pixel bevel: light where the upper left is open, shade at lower right.
      bool ul1 = !mask.opaque(x - 1, y - 1) || !mask.opaque(x, y - 1);
      bool lr1 = !mask.opaque(x + 1, y + 1) || !mask.opaque(x + 1, y);
      bool lr2 = !mask.opaque(x + 2, y + 2);
      if (lr1)
        c = mix(c, Rgb{20, 30, 90}, 0.55);
      else if (lr2)
        c = mix(c, Rgb{30, 50, 120}, 0.3);
      else if (ul1)
        c = mix(c, Rgb{255, 255, 255}, 0.7);
      out.set(x, y, c);
    }
  outline(out, kInk, true);
  // Hot rim: outer ring, upper part warm, lower part cooler.
  Image inner = out;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      if (inner.opaque(x, y)) continue;
      bool near = inner.opaque(x - 1, y) || inner.opaque(x + 1, y) || inner.opaque(x, y - 1) ||
                  inner.opaque(x, y + 1);
      if (near) out.set(x, y, mix(rimHot, rimCool, y / double(out.height())));
    }
  return out;
}

void glint(Image& img, int cx, int cy, int len) {
  for (int k = -len; k <= len; ++k) {
    double f = 1.0 - std::abs(k) / double(len + 1);
    Rgb c = mix(Rgb{120, 170, 255}, Rgb{255, 255, 255}, f);
    img.set(cx + k, cy, c);
    if (std::abs(k) <= len / 2) img.set(cx, cy + k, c);
  }
  img.set(cx - 1, cy - 1, Rgb{200, 230, 255});
  img.set(cx + 1, cy + 1, Rgb{200, 230, 255});
  img.set(cx + 1, cy - 1, Rgb{200, 230, 255});
  img.set(cx - 1, cy + 1, Rgb{200, 230, 255});
}

Image titleLogo() {
  Image logo(359, 61);
  // Afterburner streak: a tapered blade from the left, white-hot to red,
  // fraying out through a dither toward its tip.
  for (int x = 6; x < 354; ++x) {
    const double t = (x - 6) / 348.0;
    const double half = 2.6 * (1 - t) + 0.7;
    for (int y = 46; y < 61; ++y) {
      const double d = std::abs(y + 0.5 - 53.5 - t * 2.0);
      if (d > half) continue;
      Rgb c = mix(Rgb{255, 240, 190}, Rgb{240, 110, 30}, std::min(1.0, t * 1.8));
      if (t > 0.55) c = mix(c, Rgb{140, 30, 50}, (t - 0.55) / 0.45);
      if (d > half - 0.9) c = mix(c, Rgb{90, 20, 40}, 0.5);
      if (t > 0.7 && bayer4(x, y) < (t - 0.7) * 3.2) continue;
      logo.set(x, y, c);
    }
  }
  VecStyle st;
  st.unit = 4.0;
  st.pen = 2.3;
  st.gap = 1.9;
  st.skew = 0.22;
  Image letters =
      chromeLetters(vecTextMask("KORVANIX", st, 3), Rgb{255, 150, 40}, Rgb{190, 40, 60});
  logo.blit(letters, (359 - letters.width()) / 2, 1);
  glint(logo, (359 - letters.width()) / 2 + 18, 7, 6);
  return logo;
}

Image continueBanner() {
  Image cont(130, 20);
  VecStyle st;
  st.unit = 1.42;
  st.pen = 2.6;
  st.gap = 1.9;
  st.skew = 0.18;
  Image letters =
      chromeLetters(vecTextMask("CONTINUE", st, 2), Rgb{255, 170, 60}, Rgb{200, 60, 60});
  cont.blit(letters, (130 - letters.width()) / 2, (20 - letters.height()) / 2);
  return cont;
}

}  // namespace

void drawLogos(ArtSet& art) {
  Image logo = titleLogo();
  art["IT"].put(0, logo);
  art["Logo"].put(0, logo);
  art["CONT"].put(0, continueBanner());
}

}  // namespace ag
