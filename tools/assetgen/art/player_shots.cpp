// player_shots.cpp — the player's shots in cool colours (IL24, drawn centred):
//   0      TYPE-A level 2 bolt; 1 level 1 bolt; 2-3 level 0 bolt, two-frame tail flicker
//   4-5    pod orb fired in any direction (5 is a variant)
//   6-9    TYPE-B piercing lances, longer and brighter with each level
//   10-14  TYPE-C wave: a crescent whose glow travels along the arc; 14 leads into 10
//   15     flash of a pod absorbing a bullet or ramming
//   39-44  TYPE-D burst star, then the pick-up sparkle fading out (45 repeats 44)
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Horizontal bolt centred in the cell: pointed front, tapered tail.
Image bolt(double len, double half, Rgb edge, Rgb mid, Rgb core, double tailFlicker) {
  Image img(24, 24);
  const double x0 = 12 - len / 2, x1 = 12 + len / 2;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const double px = x + 0.5, dy = std::abs(y + 0.5 - 12);
      if (px < x0 || px > x1) continue;
      const double t = (px - x0) / len;  // 0 tail .. 1 nose
      double h = t > 0.8 ? half * (1 - t) / 0.2 : half * (0.45 + 0.55 * t / 0.8);
      if (t < 0.25) h *= 0.7 + tailFlicker * 0.3;
      if (dy > h + 0.2) continue;
      const double q = dy / std::max(h, 0.5);
      img.set(x, y, q < 0.35 ? core : q < 0.7 ? mid : edge);
    }
  return img;
}

Image lance(int level) {
  const double len = 12 + level * 4, half = 2.2 + level * 0.5;
  Image img = bolt(len, half, Rgb{70, 70, 230}, Rgb{150, 150, 255}, Rgb{240, 240, 255}, 1);
  // Arrowhead fins.
  const double nose = 12 + len / 2;
  fillPolygon(
      img,
      {{nose - 5, 12 - half - 2.2}, {nose - 1, 12}, {nose - 5, 12 + half + 2.2}, {nose - 3.5, 12}},
      Rgb{120, 110, 255});
  return img;
}

Image wave(int phase) {
  Image img(24, 24);
  // Crescent opening to the left; a bright spot slides along it.
  const double glow = -0.9 + phase * 0.45;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const double dx = x + 0.5 - 6, dy = y + 0.5 - 12;
      const double r = std::hypot(dx, dy), a = std::atan2(dy, dx);
      if (std::abs(a) > 1.15) continue;
      const double thick = 2.6 * std::cos(a * 1.2) + 0.6;
      if (std::abs(r - 11) > thick) continue;
      const double near = std::abs(std::sin(a) - glow);
      Rgb c = std::abs(r - 11) < thick * 0.4 ? Rgb{210, 255, 230} : Rgb{60, 220, 170};
      if (near < 0.3) c = Rgb{255, 255, 255};
      img.set(x, y, c);
    }
  outline(img, Rgb{20, 70, 80});
  return img;
}

}  // namespace

void drawPlayerShots(ArtSet& art) {
  CellList& il = art["IL24"];
  il.put(0, bolt(22, 4.2, Rgb{40, 150, 255}, Rgb{140, 230, 255}, Rgb{255, 255, 255}, 1));
  il.put(1, bolt(18, 3.4, Rgb{40, 140, 255}, Rgb{140, 225, 255}, Rgb{255, 255, 255}, 1));
  il.put(2, bolt(14, 2.8, Rgb{40, 120, 240}, Rgb{130, 210, 255}, Rgb{240, 250, 255}, 1));
  il.put(3, bolt(14, 2.8, Rgb{40, 120, 240}, Rgb{130, 210, 255}, Rgb{240, 250, 255}, 0));
  Image pod(24, 24);
  orb(pod, 12, 12, 5, Rgb{40, 140, 255}, Rgb{130, 220, 255}, Rgb{255, 255, 255});
  outline(pod, Rgb{20, 40, 110});
  il.put(4, pod);
  Image pod2(24, 24);
  shockRing(pod2, 12, 12, 5.2, 1.4, Rgb{120, 220, 255}, Rgb{40, 120, 240}, 0, 0);
  orb(pod2, 12, 12, 3.6, Rgb{60, 170, 255}, Rgb{170, 240, 255}, Rgb{255, 255, 255});
  il.put(5, pod2);
  for (int l = 0; l < 4; ++l) il.put(6 + l, lance(l));
  for (int f = 0; f < 5; ++f) il.put(10 + f, wave(f));
  Image flash(24, 24);
  star4(flash, 12, 12, 10, 2.2, kPi / 4, Rgb{90, 180, 255}, Rgb{200, 245, 255}, Rgb{255, 255, 255});
  star4(flash, 12, 12, 7, 1.5, 0, Rgb{90, 180, 255}, Rgb{200, 245, 255}, Rgb{255, 255, 255});
  il.put(15, flash);
  for (int f = 0; f < 6; ++f) {
    const double t = f / 5.0;
    Image s(24, 24);
    const Rgb tip = mix(Rgb{120, 200, 255}, Rgb{40, 70, 170}, t);
    const Rgb mid = mix(Rgb{230, 250, 255}, Rgb{90, 140, 230}, t);
    const Rgb core = mix(Rgb{255, 255, 255}, Rgb{150, 190, 255}, t);
    star4(s, 12, 12, 11 - t * 7, 2.4 - t * 1.6, 0, tip, mid, core);
    if (f < 3) star4(s, 12, 12, 6 - t * 4, 1.4, kPi / 4, tip, mid, core);
    if (f >= 4) ditherFade(s, (f - 3) * 0.25);
    il.put(39 + f, s);
  }
  il.copy(45, 44);  // never drawn
}

}  // namespace ag
