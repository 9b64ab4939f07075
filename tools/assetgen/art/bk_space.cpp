// bk_space.cpp — BK_01, stage 1: open space. A violet nebula band drifting
// across the strip, a distant spiral galaxy, a ringed gas giant with a small
// moon, and an icy planet seen as a crescent. Everything is dim so sprites
// stay readable; the planets are opaque (they hide the star field), the
// nebula thins out through a dither so stars twinkle through its edges.
#include <cmath>

#include "art/bk_common.h"
#include "art/groups.h"
#include "light.h"

namespace ag {
namespace {

// Dithered cloud band; density 0..1 per pixel, coloured through `ramp`.
template <std::size_t N>
void cloudPixel(Image& bk, int x, int y, double t, const Ramp<N>& ramp) {
  if (t <= 0) return;
  if (t < 0.22) {
    // Faint edge: sparse ordered dots of the darkest tone.
    if (bayer4(x, y) < t / 0.22 * 0.5) bk.set(x, y, ramp[0]);
    return;
  }
  bk.set(x, y, pickDither(ramp, (t - 0.22) / 0.78, x, y));
}

void nebula(Image& bk) {
  StripNoise body(8, 11), shape(2, 12), warp(4, 14), hue(3, 13);
  const Ramp<6> violet = {Rgb{16, 9, 34},  Rgb{26, 14, 52},  Rgb{38, 20, 70},
                          Rgb{52, 28, 88}, Rgb{68, 38, 106}, Rgb{86, 52, 124}};
  const Ramp<6> rose = {Rgb{30, 10, 30}, Rgb{46, 16, 44},  Rgb{64, 22, 58},
                        Rgb{82, 30, 70}, Rgb{100, 42, 82}, Rgb{118, 58, 96}};
  for (int y = 0; y < kBkH; ++y)
    for (int x = 0; x < kBkW; ++x) {
      // The band's centre line wanders up and down along the strip.
      double centre = 150 + 85 * (shape.fbm(x, 40, 2) - 0.5) * 2;
      double band = std::exp(-std::pow((y - centre) / 62.0, 2));
      double d = body.fbm(x + 70 * warp.at(x, y), y, 5, 0.55);
      double t = (d * band - 0.27) / 0.45;
      t = std::min(t, 1.0) * hudFade(y, 24);
      // Violet and rose patches blend through a dither.
      double h = std::clamp((hue.fbm(x, y, 2) - 0.45) * 5, 0.0, 1.0);
      if (h > bayer4(x + 1, y + 2))
        cloudPixel(bk, x, y, t, rose);
      else
        cloudPixel(bk, x, y, t, violet);
    }
}

void galaxy(Image& bk, double cx, double cy, double size, double tilt) {
  const Ramp<4> tone = {Rgb{22, 20, 40}, Rgb{40, 38, 70}, Rgb{70, 68, 104}, Rgb{124, 120, 150}};
  const double ca = std::cos(tilt), sa = std::sin(tilt);
  for (int y = static_cast<int>(cy - size); y <= cy + size; ++y)
    for (int x = static_cast<int>(cx - size * 2); x <= cx + size * 2; ++x) {
      double dx = wrapDx(x + 0.5, cx), dy = y + 0.5 - cy;
      double rx = dx * ca + dy * sa, ry = (-dx * sa + dy * ca) * 2.6;
      double r = std::hypot(rx, ry) / size;
      if (r > 1) continue;
      double ang = std::atan2(ry, rx);
      double arm = 0.5 + 0.5 * std::cos(2 * ang - r * 9.0);
      double t = (1 - r) * (0.35 + 0.65 * arm) + (r < 0.18 ? 0.6 : 0);
      if (t < 0.25) continue;
      int px = ((x % kBkW) + kBkW) % kBkW;
      bk.set(px, y, pickDither(tone, (t - 0.25) / 0.9, px, y));
    }
}

// A lit sphere: `surface` gives the albedo colour at sphere coordinates.
template <class Surface>
void sphere(Image& bk, double cx, double cy, double r, Vec3 light, const Surface& surface) {
  for (int y = static_cast<int>(cy - r - 1); y <= cy + r + 1; ++y)
    for (int x = static_cast<int>(cx - r - 1); x <= cx + r + 1; ++x) {
      double nx = wrapDx(x + 0.5, cx) / r, ny = (y + 0.5 - cy) / r;
      double q = nx * nx + ny * ny;
      if (q > 1) continue;
      Vec3 n{nx, ny, std::sqrt(1 - q)};
      double lit = std::max(0.0, dot(n, light));
      double rim = std::pow(1 - n.z, 3) * std::max(0.0, dot(Vec3{nx, ny, 0}, light)) * 1.4;
      int px = ((x % kBkW) + kBkW) % kBkW;
      bk.set(px, y, surface(n, lit, rim, px, y));
    }
}

Rgb shadeAlbedo(Rgb albedo, double lit, double rim, int x, int y) {
  // Night side stays opaque near-black; light ramps up in dithered steps.
  const Rgb night{14, 10, 28};
  double l = std::clamp(lit * 1.05 + rim, 0.0, 1.0);
  double q = std::floor(l * 7 + bayer4(x, y)) / 7.0;
  return solid(mix(night, albedo, std::clamp(q, 0.0, 1.0)));
}

void gasGiant(Image& bk) {
  const double cx = 548, cy = 134, r = 54, tilt = -0.32;
  const Vec3 light = normalised({-0.8, -0.25, 0.45});
  TileNoise bands(0, 21);
  const double ct = std::cos(tilt), st = std::sin(tilt);
  // Ring behind the planet first, then the planet, then the ring in front.
  auto ring = [&](bool front) {
    for (int y = static_cast<int>(cy - r * 1.1); y <= cy + r * 1.1; ++y)
      for (int x = static_cast<int>(cx - r * 2.4); x <= cx + r * 2.4; ++x) {
        double dx = wrapDx(x + 0.5, cx), dy = y + 0.5 - cy;
        double u = dx * ct + dy * st, v = (-dx * st + dy * ct) / 0.24;
        double rr = std::hypot(u, v) / r;
        if (rr < 1.35 || rr > 2.25) continue;
        if ((v > 0) != front) continue;
        if (!front && dx * dx + dy * dy < r * r) continue;
        double dens = 0.55 + 0.45 * std::sin(rr * 21.0) * std::sin(rr * 7.3 + 1);
        if (rr > 1.78 && rr < 1.86) continue;  // the gap between the inner and outer ring
        // Shadow of the planet across the far side of the ring.
        bool shadow = !front && u > 0 && std::abs(v) < r * 1.0 && u < r * 2.0;
        double t = std::clamp(dens, 0.0, 1.0) * (shadow ? 0.35 : 1.0);
        int px = ((x % kBkW) + kBkW) % kBkW;
        if (bayer4(px, y) > 0.35 + 0.65 * dens) continue;  // thin ring parts let stars through
        const Ramp<4> tone = {Rgb{44, 34, 40}, Rgb{78, 62, 62}, Rgb{112, 92, 82},
                              Rgb{140, 120, 100}};
        bk.set(px, y, pickDither(tone, t, px, y));
      }
  };
  ring(false);
  sphere(bk, cx, cy, r, light, [&](Vec3 n, double lit, double rim, int x, int y) {
    double lat = n.x * st + n.y * ct;  // latitude across the tilted bands
    double lon = n.x * ct - n.y * st;
    double b = bands.fbm(lat * 7.0 + 0.6 * bands.at(lon * 3, lat * 9), 3.3, 4);
    Rgb albedo = mix(Rgb{150, 96, 70}, Rgb{196, 160, 120}, b);
    if (b < 0.42) albedo = mix(Rgb{112, 64, 60}, albedo, 0.5);
    // A storm oval in the southern belt.
    double so = std::hypot((lon - 0.25) / 0.16, (lat - 0.38) / 0.07);
    if (so < 1) albedo = mix(Rgb{210, 130, 90}, Rgb{170, 90, 70}, so);
    return shadeAlbedo(scale(albedo, 0.66), lit, rim * 0.5, x, y);
  });
  ring(true);
  // Small moon beside the giant.
  sphere(bk, cx + 112, cy + 66, 9, light, [&](Vec3, double lit, double rim, int x, int y) {
    return shadeAlbedo(Rgb{120, 118, 128}, lit, rim, x, y);
  });
}

void icePlanet(Image& bk) {
  const double cx = 176, cy = 212, r = 30;
  const Vec3 light = normalised({-0.25, -0.75, 0.2});
  TileNoise cloud(0, 31);
  sphere(bk, cx, cy, r, light, [&](Vec3 n, double lit, double rim, int x, int y) {
    double c = cloud.fbm(n.x * 3 + 5, n.y * 3 + n.z * 2 + 5, 4);
    Rgb albedo = mix(Rgb{60, 110, 160}, Rgb{190, 214, 236}, std::clamp((c - 0.4) * 3, 0.0, 1.0));
    return shadeAlbedo(scale(albedo, 0.8), lit, rim, x, y);
  });
  // A thin atmosphere halo on the lit limb.
  for (int y = static_cast<int>(cy - r - 3); y <= cy + r + 3; ++y)
    for (int x = static_cast<int>(cx - r - 3); x <= cx + r + 3; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      double d = std::hypot(dx, dy);
      if (d <= r || d > r + 1.6) continue;
      if (dot(normalised({dx, dy, 0}), light) > 0.45) bk.set(x, y, Rgb{70, 110, 150});
    }
}

void distantStars(Image& bk, Rng& rng) {
  for (int i = 0; i < 90; ++i) {
    int x = rng.range(0, kBkW - 1), y = rng.range(24, kBkH - 25);
    if (bk.opaque(x, y)) continue;
    int v = rng.range(46, 96);
    Rgb c = rgb(v * 0.85, v * 0.9, v * 1.15);
    bk.set(x, y, c);
    if (rng.chance(0.12)) {
      // A soft cross on a few brighter ones.
      Rgb d = scale(c, 0.55);
      for (auto [ox, oy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        if (!bk.opaque((x + ox + kBkW) % kBkW, y + oy)) bk.set((x + ox + kBkW) % kBkW, y + oy, d);
    }
  }
}

}  // namespace

Image drawSpaceBackground() {
  Image bk(kBkW, kBkH);
  Rng rng(0xB01);
  nebula(bk);
  galaxy(bk, 330, 62, 22, 0.35);
  galaxy(bk, 760, 238, 12, -0.6);
  distantStars(bk, rng);
  gasGiant(bk);
  icePlanet(bk);
  return bk;
}

}  // namespace ag
