// draw.h — 2D drawing helpers on Image: filled and outlined shapes, lines,
// gradients, outlines and dithered fades. Coordinates are pixel centres
// (pixel (x, y) covers x..x+1); shapes are hard-edged (the game draws with a
// 1-bit mask, so there is no anti-aliasing).
#pragma once

#include <functional>
#include <vector>

#include "colour.h"
#include "image.h"

namespace ag {

struct Pt {
  double x = 0, y = 0;
};

void fillRect(Image& img, int x, int y, int w, int h, Rgb c);
void strokeRect(Image& img, int x, int y, int w, int h, Rgb c);
void fillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c);
inline void fillCircle(Image& img, double cx, double cy, double r, Rgb c) {
  fillEllipse(img, cx, cy, r, r, c);
}
// Ring between radii r0 < r <= r1.
void fillRing(Image& img, double cx, double cy, double r0, double r1, Rgb c);
void fillPolygon(Image& img, const std::vector<Pt>& pts, Rgb c);
void line(Image& img, int x0, int y0, int x1, int y1, Rgb c);
// Round-capped thick segment of the given radius.
void capsule(Image& img, Pt a, Pt b, double radius, Rgb c);

// Calls fn(x, y) for every pixel, writing what it returns (key = leave as is).
void shade(Image& img, const std::function<Rgb(int x, int y, Rgb old)>& fn);

// Vertical gradient over the opaque pixels inside rows y0..y1 (for lettering).
void gradientOverInk(Image& img, int y0, int y1, const std::vector<Rgb>& stops);

// Adds a one-pixel outline of colour c around every opaque region
// (4-neighbour; with diagonal also the corners).
void outline(Image& img, Rgb c, bool diagonal = false);
// Adds a shadow offset by (dx, dy) under the opaque pixels.
void dropShadow(Image& img, int dx, int dy, Rgb c);
// Removes opaque pixels with an ordered dither: amount 0 keeps all, 1 none.
void ditherFade(Image& img, double amount, int phase = 0);
// Maps every opaque pixel through fn.
void recolour(Image& img, const std::function<Rgb(Rgb)>& fn);

// Distance from p to segment ab.
double segDist(Pt p, Pt a, Pt b);
// Inside test for a simple polygon (even-odd rule).
bool insidePolygon(const std::vector<Pt>& pts, double x, double y);

}  // namespace ag
