// hazards.cpp — enemy projectiles and hazards in IL24 and IL26 (hot colours):
//   IL24 16-17  beam bolt segment filling the cell width, two-frame flicker
//   IL24 18-24  smoke puff, dense to dissipated (missile trails, debris)
//   IL24 25-30  orbiting turret: armoured ball with a twin barrel turning
//               30 degrees a frame (half a turn in six frames reads as a loop)
//   IL24 31-34  pinwheel shot, four blades turning 22.5 degrees a frame
//   IL24 35-37  mine: spiked core with a pulsing danger aura filling the cell
//   IL24 46     shell: glowing oval; 47-51 its fading trail
//   IL24 38, 45 never drawn; they repeat a neighbour
//   IL26 0-5    flash wall: an electric star growing over six steps
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"
#include "light.h"
#include "rng.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

Image beam(int frame) {
  Image img(24, 24);
  for (int x = 0; x < 24; ++x) {
    const double wob = frame ? std::sin(x * 0.9) * 0.6 : std::cos(x * 0.7) * 0.5;
    const double half = (frame ? 4.6 : 4.0) + wob;
    for (int y = 0; y < 24; ++y) {
      const double d = std::abs(y + 0.5 - 12);
      if (d > half) continue;
      const double q = d / half;
      img.set(x, y,
              q < 0.3   ? Rgb{255, 250, 240}
              : q < 0.6 ? Rgb{255, 120, 200}
                        : Rgb{200, 30, 120});
    }
  }
  return img;
}

Image smoke(int f) {
  Image img(24, 24);
  const double t = f / 6.0;
  // Three overlapping lobes, lit from the upper left, thinning out.
  const Ramp<4> grey = {Rgb{64, 62, 74}, Rgb{104, 102, 114}, Rgb{150, 148, 158},
                        Rgb{196, 194, 200}};
  const double r = 3.4 + t * 4.2;
  const Pt lobes[3] = {
      {12 - r * 0.35, 12 + r * 0.2}, {12 + r * 0.4, 12 + r * 0.25}, {12, 12 - r * 0.3}};
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      double best = 9;
      for (const Pt& l : lobes) best = std::min(best, std::hypot(x + 0.5 - l.x, y + 0.5 - l.y) / r);
      if (best > 1) continue;
      if (bayer4(x + f, y + 2 * f) < t * 0.85 - (1 - best) * 0.2) continue;
      const double lit = 0.9 - best * 0.6 - ((x - 12) + (y - 12)) / 24.0 * 0.5 - t * 0.35;
      Rgb c = pick(grey, lit);
      if (f == 0 && best < 0.4) c = Rgb{255, 180, 90};  // still glowing at the start
      img.set(x, y, c);
    }
  return img;
}

Image turret(int f) {
  Image img(24, 24);
  const double a = f * kPi / 6;  // 30 degrees a frame
  const double ca = std::cos(a), sa = std::sin(a);
  for (int side : {-1, 1})
    for (double off : {-1.8, 1.8}) {
      const Pt base{12 + ca * 3 * side - sa * off, 12 + sa * 3 * side + ca * off};
      const Pt tip{12 + ca * 9.6 * side - sa * off, 12 + sa * 9.6 * side + ca * off};
      capsule(img, base, tip, 1.1, Rgb{150, 140, 150});
      img.set(static_cast<int>(tip.x), static_cast<int>(tip.y), Rgb{255, 150, 80});
    }
  orb(img, 12, 12, 6.2, Rgb{110, 60, 70}, Rgb{190, 110, 100}, Rgb{240, 190, 160});
  fillCircle(img, 12, 12, 2.2, Rgb{255, 90, 60});
  img.set(11, 11, Rgb{255, 220, 170});
  outline(img, Rgb{40, 14, 24});
  return img;
}

Image pinwheel(int f) {
  Image img(24, 24);
  const double a0 = f * kPi / 8;
  for (int k = 0; k < 4; ++k) {
    const double a = a0 + k * kPi / 2;
    // Curved blade: a triangle swept back from its tip.
    std::vector<Pt> blade = {{12 + std::cos(a) * 1.5, 12 + std::sin(a) * 1.5},
                             {12 + std::cos(a + 0.25) * 9.5, 12 + std::sin(a + 0.25) * 9.5},
                             {12 + std::cos(a + 0.9) * 5.5, 12 + std::sin(a + 0.9) * 5.5}};
    fillPolygon(img, blade, k % 2 ? Rgb{255, 120, 40} : Rgb{255, 70, 120});
  }
  fillCircle(img, 12, 12, 3, Rgb{255, 240, 200});
  outline(img, Rgb{80, 16, 30});
  return img;
}

Image mine(int f) {
  Image img(24, 24);
  // Aura: dithered ring that pulses with the blink.
  const double aura = 10.5 + (f == 1 ? 1.2 : 0);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const double d = std::hypot(x + 0.5 - 12, y + 0.5 - 12);
      if (d > aura || d < 6) continue;
      const double t = (d - 6) / (aura - 6);
      if (bayer4(x + f, y) < t * 0.9) continue;
      img.set(x, y, t < 0.5 ? Rgb{255, 90, 40} : Rgb{190, 30, 50});
    }
  for (int k = 0; k < 8; ++k) {
    const double a = k * kPi / 4 + kPi / 8;
    capsule(img, {12, 12}, {12 + std::cos(a) * 8.5, 12 + std::sin(a) * 8.5}, 1.0,
            Rgb{120, 110, 120});
  }
  orb(img, 12, 12, 5, Rgb{70, 60, 80}, Rgb{130, 120, 140}, Rgb{190, 180, 200});
  const Rgb lamp = f == 0 ? Rgb{255, 255, 200} : f == 1 ? Rgb{255, 140, 40} : Rgb{170, 40, 40};
  fillCircle(img, 12, 12, 2, lamp);
  return img;
}

Image shell() {
  Image img(24, 24);
  fillEllipse(img, 12, 12, 10, 6, Rgb{220, 60, 30});
  fillEllipse(img, 12, 12, 8, 4.4, Rgb{255, 140, 50});
  fillEllipse(img, 11, 11, 5, 2.6, Rgb{255, 230, 150});
  fillEllipse(img, 10, 10.5, 2.4, 1.2, Rgb{255, 255, 240});
  outline(img, Rgb{80, 16, 20});
  return img;
}

Image shellTrail(int f) {
  Image img(24, 24);
  const double t = f / 4.0;
  fillEllipse(img, 12, 12, 7 - t * 4, 4.5 - t * 2.8, mix(Rgb{255, 110, 40}, Rgb{120, 20, 30}, t));
  fillEllipse(img, 12, 12, 4 - t * 2.5, 2.4 - t * 1.6,
              mix(Rgb{255, 220, 120}, Rgb{200, 60, 30}, t));
  if (t > 0.3) ditherFade(img, (t - 0.3) * 0.9, f);
  return img;
}

Image flashWall(int step) {
  Image img(26, 26);
  const double s = (step + 1) / 6.0;
  Rng rng(700 + static_cast<std::uint32_t>(step));
  // Crackling arcs: jagged lines out from the centre.
  const int arcs = 5 + step;
  for (int k = 0; k < arcs; ++k) {
    double a = k * 2 * kPi / arcs + rng.real(-0.3, 0.3);
    double x = 13, y = 13;
    const double len = 12.5 * s * rng.real(0.7, 1.0);
    for (double d = 0; d < len; d += 2) {
      a += rng.real(-0.6, 0.6);
      const double nx = x + std::cos(a) * 2, ny = y + std::sin(a) * 2;
      line(img, static_cast<int>(x), static_cast<int>(y), static_cast<int>(nx),
           static_cast<int>(ny), d < len * 0.5 ? Rgb{255, 200, 255} : Rgb{200, 80, 255});
      x = nx;
      y = ny;
    }
  }
  star4(img, 13, 13, 4 + 8.5 * s, 1 + 2.2 * s, kPi / 4 * (step % 2), Rgb{255, 150, 230},
        Rgb{255, 230, 250}, Rgb{255, 255, 255});
  fillCircle(img, 13, 13, 1 + 2.8 * s, Rgb{255, 255, 255});
  return img;
}

}  // namespace

void drawHazards(ArtSet& art) {
  CellList& il = art["IL24"];
  il.put(16, beam(0));
  il.put(17, beam(1));
  for (int f = 0; f < 7; ++f) il.put(18 + f, smoke(f));
  for (int f = 0; f < 6; ++f) il.put(25 + f, turret(f));
  for (int f = 0; f < 4; ++f) il.put(31 + f, pinwheel(f));
  for (int f = 0; f < 3; ++f) il.put(35 + f, mine(f));
  il.copy(38, 37);
  il.put(46, shell());
  for (int f = 0; f < 5; ++f) il.put(47 + f, shellTrail(f));
  CellList& wall = art["IL26"];
  for (int s = 0; s < 6; ++s) wall.put(s, flashWall(s));
}

}  // namespace ag
