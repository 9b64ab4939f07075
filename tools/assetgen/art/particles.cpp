// particles.cpp — small effect cells, all centred in their cells:
//   Font0 36-37  TYPE-A weaving sparkle shot (cool star, 37 a rotated variant)
//   Font0 38-40  player-shot trail, bright to faint (cool)
//   Font0 41-43  enemy-shot trail, bright to faint (hot)
//   Font2 10-19  fireball puff; 20-31 shock ring; 32-45 flame burst to smoke
//                (one-shot strips thrown out by explosions)
//   Spa8 0-5     spark twinkle: a four-point star turning 15 degrees a frame,
//                so the loop reads forwards and backwards
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

Image trailDot(int size, double r, Rgb outer, Rgb inner, double holes) {
  Image img(size, size);
  const double c = size / 2.0;
  fillCircle(img, c, c, r, outer);
  if (r > 1.5) fillCircle(img, c, c, r * 0.55, inner);
  if (holes > 0) ditherFade(img, holes);
  return img;
}

void fontSparkles(CellList& f0) {
  Image a(16, 16);
  star4(a, 8, 8, 7.5, 1.6, 0, Rgb{60, 150, 255}, Rgb{170, 230, 255}, Rgb{255, 255, 255});
  star4(a, 8, 8, 4.0, 1.6, kPi / 4, Rgb{60, 150, 255}, Rgb{170, 230, 255}, Rgb{255, 255, 255});
  f0.put(36, a);
  Image b(16, 16);
  star4(b, 8, 8, 7.5, 1.6, kPi / 4, Rgb{60, 150, 255}, Rgb{170, 230, 255}, Rgb{255, 255, 255});
  star4(b, 8, 8, 4.0, 1.6, 0, Rgb{60, 150, 255}, Rgb{170, 230, 255}, Rgb{255, 255, 255});
  f0.put(37, b);
  f0.put(38, trailDot(16, 3.2, Rgb{90, 180, 255}, Rgb{230, 250, 255}, 0));
  f0.put(39, trailDot(16, 2.6, Rgb{50, 110, 220}, Rgb{140, 210, 255}, 0.25));
  f0.put(40, trailDot(16, 2.0, Rgb{40, 70, 170}, Rgb{70, 120, 220}, 0.5));
  f0.put(41, trailDot(16, 3.2, Rgb{255, 120, 30}, Rgb{255, 240, 160}, 0));
  f0.put(42, trailDot(16, 2.6, Rgb{210, 60, 20}, Rgb{255, 160, 60}, 0.25));
  f0.put(43, trailDot(16, 2.0, Rgb{130, 30, 24}, Rgb{190, 60, 30}, 0.5));
}

void puffs(CellList& f2) {
  for (int i = 0; i < 10; ++i) {
    const double t = i / 9.0;
    Image img(16, 16);
    FireStyle st;
    st.heat = 1.0 - t * 0.75;
    st.smoke = std::max(0.0, t - 0.5) * 1.6;
    st.holes = std::max(0.0, t - 0.45) * 1.3;
    st.ragged = 0.25 + t * 0.2;
    st.seed = 200 + static_cast<std::uint32_t>(i % 3);
    fireball(img, 8, 8, 3.0 + t * 4.2, st);
    f2.put(10 + i, img);
  }
}

void rings(CellList& f2) {
  for (int i = 0; i < 12; ++i) {
    const double t = i / 11.0;
    Image img(16, 16);
    const double r = 2.0 + t * 5.6, w = 2.6 - t * 1.4;
    Rgb in = mix(Rgb{255, 255, 220}, Rgb{200, 90, 40}, t);
    Rgb out = mix(Rgb{255, 200, 90}, Rgb{110, 30, 30}, t);
    shockRing(img, 8, 8, r, w, in, out, std::max(0.0, t - 0.35) * 1.2, i);
    if (i < 2) fillCircle(img, 8, 8, 2.2 - i, Rgb{255, 255, 255});
    f2.put(20 + i, img);
  }
}

void bursts(CellList& f2) {
  for (int i = 0; i < 14; ++i) {
    const double t = i / 13.0;
    Image img(16, 16);
    FireStyle st;
    st.heat = 1.05 - t * 0.9;
    st.smoke = std::clamp((t - 0.35) * 1.6, 0.0, 1.0);
    st.holes = std::max(0.0, t - 0.55) * 1.6;
    st.ragged = 0.45;
    st.seed = 300 + static_cast<std::uint32_t>(i);
    // The flame licks outward and the smoke rises a little as it cools.
    fireball(img, 8, 8.5 - t * 1.5, 2.5 + t * 5.0, st);
    f2.put(32 + i, img);
  }
}

void twinkles(CellList& spa) {
  for (int i = 0; i < 6; ++i) {
    Image img(10, 10);
    const double a = i * kPi / 12;  // 15 degrees a frame; 6 frames = a quarter turn
    star4(img, 5, 5, 4.8, 1.0, a, Rgb{255, 190, 80}, Rgb{255, 240, 170}, Rgb{255, 255, 255});
    spa.put(i, img);
  }
}

}  // namespace

void drawParticles(ArtSet& art) {
  fontSparkles(art["Font0"]);
  puffs(art["Font2"]);
  rings(art["Font2"]);
  bursts(art["Font2"]);
  twinkles(art["Spa8"]);
}

}  // namespace ag
