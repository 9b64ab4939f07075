// bk_common.cpp — wrapping, HUD fading and rock rendering for backgrounds.
#include "art/bk_common.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "light.h"

namespace ag {

void blitWrapped(Image& bk, const Image& src, int x, int y) {
  x = ((x % kBkW) + kBkW) % kBkW;
  bk.blit(src, x, y);
  bk.blit(src, x - kBkW, y);
}

double hudFade(int y, int margin) {
  const double top = 21, bottom = 278;
  double a = std::clamp((y - top) / margin, 0.0, 1.0);
  double b = std::clamp((bottom - y) / margin, 0.0, 1.0);
  return std::min(a, b);
}

Image makeRock(Rng& rng, double radius, const Ramp6& ramp, double roughness) {
  const int size = static_cast<int>(std::ceil(radius * 2)) + 4;
  const double c = size / 2.0;
  const std::uint32_t seed = static_cast<std::uint32_t>(rng.next());
  TileNoise outline(0, seed), bumps(0, seed ^ 0x5A5A5A5Au);
  // Radius per angle: a lumpy outline, lumpier for rough rocks.
  auto edge = [&](double ang) {
    double u = std::cos(ang) * 1.3 + 4, v = std::sin(ang) * 1.3 + 4;
    return radius * (1.0 - roughness * 0.5 + roughness * outline.fbm(u, v, 3));
  };
  // Craters: a few bowls placed on the face.
  struct Crater {
    double x, y, r;
  };
  std::vector<Crater> craters;
  int n = static_cast<int>(radius / 5) + rng.range(0, 2);
  for (int i = 0; i < n; ++i)
    craters.push_back(
        {rng.real(-0.6, 0.6) * radius, rng.real(-0.6, 0.6) * radius, rng.real(0.12, 0.3) * radius});
  auto height = [&](double px, double py) {
    double dx = px - c, dy = py - c;
    double r = std::hypot(dx, dy);
    double e = edge(std::atan2(dy, dx));
    if (r >= e) return -1.0;
    double q = r / e;
    double h = std::sqrt(std::max(0.0, 1 - q * q)) * radius * 0.8;
    h += (bumps.fbm(px / 6.0, py / 6.0, 3) - 0.5) * radius * 0.35 * roughness;
    for (const Crater& k : craters) {
      double d = std::hypot(dx - k.x, dy - k.y) / k.r;
      if (d < 1)
        h -= (1 - d * d) * k.r * 0.6;
      else if (d < 1.3)
        h += (1.3 - d) * k.r * 0.5;
    }
    return h;
  };
  Image img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double h = height(px, py);
      if (h < 0) continue;
      double hx = height(px + 1, py), hy = height(px, py + 1);
      if (hx < 0) hx = h - 1;
      if (hy < 0) hy = h - 1;
      double lit = lightLevel(heightNormal(hx - h, hy - h), 0.1, 0.15);
      img.set(x, y, pickDither(ramp, lit * 0.95, x, y));
    }
  // Darkest tone along the rim so rocks separate from each other.
  Image src = img;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (src.opaque(x, y) && (!src.opaque(x + 1, y) || !src.opaque(x, y + 1)))
        img.set(x, y, ramp[0]);
  return img;
}

}  // namespace ag
