// bk_belt.cpp — BK_02, stage 2: an asteroid belt with wreckage. Two dusty
// bands of rock (a thin one above, a dense one below) leave the middle of the
// playfield open; far rocks are small and dark, near rocks larger and lit from
// the upper left. Broken girders of a lost station drift between them.
#include <algorithm>
#include <cmath>
#include <vector>

#include "art/bk_common.h"
#include "art/groups.h"
#include "draw.h"
#include "light.h"

namespace ag {
namespace {

void dust(Image& bk) {
  StripNoise n(10, 41), m(2, 42);
  const Ramp<5> brown = {Rgb{24, 16, 14}, Rgb{36, 24, 20}, Rgb{50, 34, 28}, Rgb{64, 44, 36},
                         Rgb{78, 56, 44}};
  for (int y = 0; y < kBkH; ++y)
    for (int x = 0; x < kBkW; ++x) {
      double wob = (m.fbm(x, 150, 2) - 0.5) * 40;
      double lower = std::exp(-std::pow((y - 238 - wob) / 34.0, 2));
      double upper = 0.7 * std::exp(-std::pow((y - 52 + wob * 0.5) / 22.0, 2));
      double clump = 0.55 + 0.9 * m.fbm(x * 2, y, 3);  // thick and thin stretches
      double d = n.fbm(x, y, 5, 0.55) * std::max(lower, upper) * clump;
      double t = (d - 0.2) / 0.42 * hudFade(y, 14);
      if (t <= 0) continue;
      if (t < 0.25) {
        if (bayer4(x, y) < t / 0.25 * 0.5) bk.set(x, y, brown[0]);
        continue;
      }
      bk.set(x, y, pickDither(brown, (t - 0.25) / 0.75, x, y));
    }
}

// Rocks of one depth layer scattered along a band.
void rocks(Image& bk, Rng& rng, int count, double rMin, double rMax, double yMid, double ySpread,
           const Ramp6& ramp, double rough) {
  for (int i = 0; i < count; ++i) {
    double r = rng.real(rMin, rMax);
    double x = rng.real(0, kBkW);
    double y = yMid + rng.real(-1, 1) * ySpread;
    Image rock = makeRock(rng, r, ramp, rough);
    int top = static_cast<int>(y) - rock.height() / 2;
    top = std::clamp(top, 24, kBkH - 24 - rock.height());
    blitWrapped(bk, rock, static_cast<int>(x) - rock.width() / 2, top);
  }
}

// One broken truss beam, drawn into its own picture then placed.
Image girder(Rng& rng, int length, double angle) {
  const int size = length + 12;
  Image img(size, size);
  const double c = size / 2.0, ca = std::cos(angle), sa = std::sin(angle);
  const Rgb rail{86, 92, 112}, railDark{44, 46, 64}, strut{62, 66, 86};
  auto to = [&](double u, double v) { return Pt{c + u * ca - v * sa, c + u * sa + v * ca}; };
  const double half = length / 2.0;
  // Ragged broken ends.
  double cutA = rng.real(0, 8), cutB = rng.real(0, 8);
  for (double s : {-4.0, 4.0}) {
    Pt a = to(-half + (s < 0 ? cutA : 0), s), b = to(half - (s > 0 ? cutB : 0), s);
    capsule(img, a, b, 1.6, s < 0 ? rail : railDark);
  }
  for (double u = -half + 6; u < half - 6; u += 8) {
    capsule(img, to(u, -4), to(u + 8, 4), 0.7, strut);
    capsule(img, to(u + 8, -4), to(u + 8, 4), 0.7, strut);
  }
  return img;
}

// A dead satellite: a drum body with one intact and one broken solar wing.
Image satellite(double angle) {
  Image img(60, 60);
  const double c = 30, ca = std::cos(angle), sa = std::sin(angle);
  auto to = [&](double u, double v) { return Pt{c + u * ca - v * sa, c + u * sa + v * ca}; };
  auto quad = [&](double u0, double v0, double u1, double v1, Rgb col) {
    fillPolygon(img, {to(u0, v0), to(u1, v0), to(u1, v1), to(u0, v1)}, col);
  };
  const Rgb frame{70, 74, 96}, cellA{30, 40, 84}, cellB{40, 54, 104}, body{96, 90, 84};
  quad(-26, -5, -8, 5, frame);
  for (int i = 0; i < 4; ++i) quad(-25 + i * 4.3, -4, -22 + i * 4.3, 4, i % 2 ? cellA : cellB);
  quad(8, -5, 16, 5, frame);  // the other wing snapped off short
  quad(9, -4, 15, 4, cellA);
  quad(-8, -2, 8, 2, Rgb{50, 50, 64});
  fillPolygon(img, {to(-6, -7), to(6, -7), to(7, 7), to(-7, 7)}, body);
  fillPolygon(img, {to(-6, -7), to(6, -7), to(6, -4), to(-6, -4)}, Rgb{130, 122, 110});
  capsule(img, to(0, -7), to(0, -13), 0.6, frame);  // antenna
  outline(img, Rgb{18, 18, 30});
  return img;
}

void wreck(Image& bk, Rng& rng) {
  blitWrapped(bk, satellite(0.5), 590, 84);
  blitWrapped(bk, girder(rng, 70, -0.3), 400, 30);
  blitWrapped(bk, girder(rng, 44, 0.9), 70, 170);
  blitWrapped(bk, girder(rng, 56, 0.15), 705, 196);
}

}  // namespace

Image drawBeltBackground() {
  Image bk(kBkW, kBkH);
  Rng rng(0xB02);
  dust(bk);
  const Ramp6 far = {Rgb{18, 14, 20}, Rgb{30, 24, 28}, Rgb{42, 34, 36},
                     Rgb{54, 44, 44}, Rgb{66, 56, 52}, Rgb{80, 68, 60}};
  const Ramp6 mid = {Rgb{20, 14, 22}, Rgb{40, 30, 34},  Rgb{60, 46, 44},
                     Rgb{82, 64, 56}, Rgb{104, 84, 70}, Rgb{128, 106, 88}};
  const Ramp6 near = {Rgb{22, 16, 26}, Rgb{46, 34, 38},   Rgb{72, 56, 50},
                      Rgb{98, 78, 64}, Rgb{126, 102, 82}, Rgb{156, 132, 106}};
  rocks(bk, rng, 34, 1.5, 3.5, 50, 16, far, 0.4);
  rocks(bk, rng, 14, 1.2, 2.5, 145, 60, far, 0.3);  // strays in the open middle
  rocks(bk, rng, 70, 1.5, 4.0, 236, 30, far, 0.4);
  wreck(bk, rng);
  rocks(bk, rng, 10, 4, 8, 50, 12, mid, 0.6);
  rocks(bk, rng, 26, 4, 10, 238, 24, mid, 0.6);
  rocks(bk, rng, 9, 11, 20, 252, 16, near, 0.8);
  rocks(bk, rng, 3, 9, 13, 44, 6, near, 0.8);
  return bk;
}

}  // namespace ag
