// colour.h — colour arithmetic and shading ramps for pixel art.
// Ramps shift hue as they darken (toward blue-violet) and brighten (toward
// warm white), the usual way hand-pixelled sprites are shaded.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

#include "image.h"

namespace ag {

inline std::uint8_t clampByte(double v) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}
inline Rgb rgb(double r, double g, double b) {
  return Rgb{clampByte(r), clampByte(g), clampByte(b)};
}
// Game tables write colours as 0xBBGGRR.
inline Rgb fromBgr(std::uint32_t v) {
  return Rgb{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
             static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}
inline Rgb mix(Rgb a, Rgb b, double t) {
  return rgb(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t);
}
inline Rgb scale(Rgb a, double k) {
  return rgb(a.r * k, a.g * k, a.b * k);
}
// Opaque colour that can never turn into the transparent key.
inline Rgb solid(Rgb c) {
  if (std::max({c.r, c.g, c.b}) >= 8) return c;
  return Rgb{std::max<std::uint8_t>(c.r, 6), std::max<std::uint8_t>(c.g, 6), 10};
}

// Standard near-black outline colour (cool, never the key).
constexpr Rgb kInk{14, 10, 26};

// A shading ramp, index 0 darkest.
template <std::size_t N>
using Ramp = std::array<Rgb, N>;

using Ramp6 = Ramp<6>;

// Six tones around a base colour: shadows drift to violet, lights to warm white.
inline Ramp6 makeRamp(Rgb base) {
  const Rgb shadow{24, 16, 48};
  const Rgb light{255, 250, 230};
  Ramp6 r;
  r[0] = solid(mix(shadow, base, 0.30));
  r[1] = solid(mix(shadow, base, 0.62));
  r[2] = mix(shadow, base, 0.85);
  r[3] = base;
  r[4] = mix(base, light, 0.40);
  r[5] = mix(base, light, 0.78);
  return r;
}

// Picks a colour from a palette by a 0..1 value.
template <std::size_t N>
Rgb pick(const Ramp<N>& ramp, double t) {
  int i = static_cast<int>(std::floor(std::clamp(t, 0.0, 0.9999) * N));
  return ramp[static_cast<std::size_t>(i)];
}

// 4x4 ordered-dither threshold in (0, 1).
inline double bayer4(int x, int y) {
  static constexpr int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (m[y & 3][x & 3] + 0.5) / 16.0;
}

// Ramp lookup with ordered dithering between neighbouring tones.
template <std::size_t N>
Rgb pickDither(const Ramp<N>& ramp, double t, int x, int y) {
  double f = std::clamp(t, 0.0, 1.0) * (N - 1);
  int i = static_cast<int>(std::floor(f));
  double frac = f - i;
  if (i >= static_cast<int>(N) - 1) return ramp[N - 1];
  return frac > bayer4(x, y) ? ramp[static_cast<std::size_t>(i + 1)]
                             : ramp[static_cast<std::size_t>(i)];
}

}  // namespace ag
