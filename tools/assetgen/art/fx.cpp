// fx.cpp — effect painters.
#include "art/fx.h"

#include <algorithm>
#include <cmath>

#include "light.h"
#include "noise.h"

namespace ag {

Rgb fireColour(double h) {
  struct Stop {
    double at;
    Rgb c;
  };
  static const Stop s[] = {{0.00, {40, 34, 40}},   {0.15, {74, 60, 62}},   {0.28, {120, 30, 24}},
                           {0.45, {214, 60, 20}},  {0.62, {250, 140, 30}}, {0.80, {255, 220, 90}},
                           {1.00, {255, 255, 236}}};
  h = std::clamp(h, 0.0, 1.0);
  for (std::size_t i = 1; i < std::size(s); ++i)
    if (h <= s[i].at) return mix(s[i - 1].c, s[i].c, (h - s[i - 1].at) / (s[i].at - s[i - 1].at));
  return s[std::size(s) - 1].c;
}

Rgb plasmaColour(double h) {
  struct Stop {
    double at;
    Rgb c;
  };
  static const Stop s[] = {{0.00, {36, 38, 56}},   {0.15, {60, 64, 90}},    {0.30, {50, 60, 150}},
                           {0.48, {70, 120, 230}}, {0.65, {130, 190, 255}}, {0.82, {200, 235, 255}},
                           {1.00, {255, 255, 255}}};
  h = std::clamp(h, 0.0, 1.0);
  for (std::size_t i = 1; i < std::size(s); ++i)
    if (h <= s[i].at) return mix(s[i - 1].c, s[i].c, (h - s[i - 1].at) / (s[i].at - s[i - 1].at));
  return s[std::size(s) - 1].c;
}

void fireball(Image& img, double cx, double cy, double radius, const FireStyle& st) {
  if (radius <= 0.3) return;
  TileNoise n(0, st.seed);
  const int x0 = static_cast<int>(cx - radius * 1.5) - 1,
            x1 = static_cast<int>(cx + radius * 1.5) + 1;
  const int y0 = static_cast<int>(cy - radius * 1.5) - 1,
            y1 = static_cast<int>(cy + radius * 1.5) + 1;
  const double scaleN = 3.2 / std::max(radius, 2.0);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double nv = n.fbm(dx * scaleN + 7.3, dy * scaleN + 3.1, 3);
      const double d = std::hypot(dx, dy) / radius + (nv - 0.5) * 2 * st.ragged;
      if (d >= 1) continue;
      if (st.holes > 0 && (bayer4(x, y) * 0.7 + nv * 0.6) < st.holes * 1.15) continue;
      // Hotter in the middle and toward the upper left, where light would be.
      double heat = st.heat * (1.05 - d * d * 0.85) + (nv - 0.5) * 0.3 - dy / radius * 0.06;
      heat = heat * (1 - st.smoke) + st.smoke * 0.12 * (1.2 - d);
      Rgb c = st.plasma ? plasmaColour(heat) : fireColour(heat);
      img.set(x, y, solid(c));
    }
}

void shockRing(Image& img, double cx, double cy, double radius, double width, Rgb inner, Rgb outer,
               double holes, int phase) {
  const int r = static_cast<int>(radius + width) + 1;
  for (int y = static_cast<int>(cy) - r; y <= cy + r; ++y)
    for (int x = static_cast<int>(cx) - r; x <= cx + r; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double t = (d - (radius - width / 2)) / width;
      if (t < 0 || t > 1) continue;
      if (holes > 0 && bayer4(x + phase, y + phase) < holes) continue;
      img.set(x, y, mix(inner, outer, t));
    }
}

void star4(Image& img, double cx, double cy, double arm, double core, double angle, Rgb tip,
           Rgb mid, Rgb centre) {
  const int r = static_cast<int>(arm) + 1;
  for (int y = static_cast<int>(cy) - r; y <= cy + r; ++y)
    for (int x = static_cast<int>(cx) - r; x <= cx + r; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double dc = std::hypot(dx, dy);
      if (dc <= core) {
        img.set(x, y, centre);
        continue;
      }
      // Four tapered arms: distance across the nearest arm against its
      // half-width, which shrinks from the core to a point at the tip.
      for (int k = 0; k < 4; ++k) {
        const double a = angle + k * 1.5707963267948966;
        const double along = dx * std::cos(a) + dy * std::sin(a);
        const double across = std::abs(-dx * std::sin(a) + dy * std::cos(a));
        if (along <= 0 || along > arm) continue;
        const double t = along / arm;
        const double half = std::max(0.5, core * 0.9 * (1 - t) + 0.35);
        if (across <= half) {
          img.set(x, y, t < 0.45 ? mid : tip);
          break;
        }
      }
    }
}

void orb(Image& img, double cx, double cy, double r, Rgb rim, Rgb body, Rgb core) {
  const int ri = static_cast<int>(r) + 1;
  const Vec3 l = keyLight();
  for (int y = static_cast<int>(cy) - ri; y <= cy + ri; ++y)
    for (int x = static_cast<int>(cx) - ri; x <= cx + ri; ++x) {
      const double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
      const double q = dx * dx + dy * dy;
      if (q > 1) continue;
      const double z = std::sqrt(1 - q);
      const double lit = std::max(0.0, dx * l.x + dy * l.y + z * l.z);
      Rgb c = q > 0.72 ? rim : mix(body, core, std::clamp((z - 0.45) * 1.6, 0.0, 1.0));
      if (lit > 0.93 && q < 0.5) c = Rgb{255, 255, 255};
      img.set(x, y, c);
    }
}

}  // namespace ag
