// draw.cpp — implementation of the 2D drawing helpers.
#include "draw.h"

#include <algorithm>
#include <cmath>

namespace ag {

void fillRect(Image& img, int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) img.set(i, j, c);
}

void strokeRect(Image& img, int x, int y, int w, int h, Rgb c) {
  for (int i = x; i < x + w; ++i) {
    img.set(i, y, c);
    img.set(i, y + h - 1, c);
  }
  for (int j = y; j < y + h; ++j) {
    img.set(x, j, c);
    img.set(x + w - 1, j, c);
  }
}

void fillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c) {
  if (rx <= 0 || ry <= 0) return;
  int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) img.set(x, y, c);
    }
}

void fillRing(Image& img, double cx, double cy, double r0, double r1, Rgb c) {
  int y0 = static_cast<int>(std::floor(cy - r1)), y1 = static_cast<int>(std::ceil(cy + r1));
  int x0 = static_cast<int>(std::floor(cx - r1)), x1 = static_cast<int>(std::ceil(cx + r1));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d > r0 && d <= r1) img.set(x, y, c);
    }
}

bool insidePolygon(const std::vector<Pt>& pts, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
    const Pt& a = pts[i];
    const Pt& b = pts[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

void fillPolygon(Image& img, const std::vector<Pt>& pts, Rgb c) {
  if (pts.size() < 3) return;
  double minY = pts[0].y, maxY = pts[0].y, minX = pts[0].x, maxX = pts[0].x;
  for (const Pt& p : pts) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
  }
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y)
    for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(std::ceil(maxX)); ++x)
      if (insidePolygon(pts, x + 0.5, y + 0.5)) img.set(x, y, c);
}

void line(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    img.set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

double segDist(Pt p, Pt a, Pt b) {
  double vx = b.x - a.x, vy = b.y - a.y;
  double len2 = vx * vx + vy * vy;
  double t = len2 > 0 ? std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

void capsule(Image& img, Pt a, Pt b, double radius, Rgb c) {
  int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - radius));
  int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + radius));
  int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - radius));
  int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + radius));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (segDist({x + 0.5, y + 0.5}, a, b) <= radius) img.set(x, y, c);
}

void shade(Image& img, const std::function<Rgb(int, int, Rgb)>& fn) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      Rgb c = fn(x, y, img.get(x, y));
      if (!c.isKey()) img.set(x, y, c);
    }
}

void gradientOverInk(Image& img, int y0, int y1, const std::vector<Rgb>& stops) {
  const int n = static_cast<int>(stops.size());
  for (int y = 0; y < img.height(); ++y) {
    double t = y1 > y0 ? std::clamp((y - y0) / double(y1 - y0), 0.0, 1.0) : 0.0;
    double f = t * (n - 1);
    int i = std::min(static_cast<int>(f), n - 2);
    Rgb c = mix(stops[i], stops[i + 1], f - i);
    for (int x = 0; x < img.width(); ++x)
      if (img.opaque(x, y)) img.set(x, y, c);
  }
}

void outline(Image& img, Rgb c, bool diagonal) {
  Image src = img;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      if (src.opaque(x, y)) continue;
      bool edge = src.opaque(x - 1, y) || src.opaque(x + 1, y) || src.opaque(x, y - 1) ||
                  src.opaque(x, y + 1);
      if (diagonal)
        edge = edge || src.opaque(x - 1, y - 1) || src.opaque(x + 1, y - 1) ||
               src.opaque(x - 1, y + 1) || src.opaque(x + 1, y + 1);
      if (edge) img.set(x, y, c);
    }
}

void dropShadow(Image& img, int dx, int dy, Rgb c) {
  Image src = img;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (!src.opaque(x, y) && src.opaque(x - dx, y - dy)) img.set(x, y, c);
}

void ditherFade(Image& img, double amount, int phase) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.opaque(x, y) && bayer4(x + phase, y + phase * 3) < amount) img.set(x, y, kKey);
}

void recolour(Image& img, const std::function<Rgb(Rgb)>& fn) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.opaque(x, y)) img.set(x, y, solid(fn(img.get(x, y))));
}

}  // namespace ag
