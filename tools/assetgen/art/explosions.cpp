// explosions.cpp — one-shot explosion strips, each read as flash -> fireball
// -> break-up -> smoke. The game advances the frame before drawing, so cell 0
// of Bo32, Bo64 and IL96 is never shown and repeats frame 1.
//   Bo32 1-15      small fire burst (fighters, missiles, children, mines)
//   Bo64 1-15      set A: fire burst; 16-30 set B: blue-white plasma with
//                  metal shrapnel for armoured and mechanical enemies
//   Bo96 0-15      the player's ship: white flash, blue-cored fire, hull
//                  shards, smoke (cell 0 may be shown, so it is the flash)
//   IL96 1-15      big multi-ball blast for bosses and large craft
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"
#include "rng.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Blast {
  int size;
  int balls;  // secondary fireballs
  bool plasma;
  bool shrapnel;  // metal shards
  std::uint32_t seed;
};

// Frame t in 0..1 of a blast (0 = the flash).
Image blastFrame(const Blast& b, double t) {
  Image img(b.size, b.size);
  const double c = b.size / 2.0, R = b.size * 0.46;
  Rng rng(b.seed);  // same layout in every frame, so the pieces move smoothly
  if (t < 0.04) {
    // Flash: white core and long rays.
    star4(img, c, c, R * 0.95, R * 0.16, 0, b.plasma ? Rgb{120, 200, 255} : Rgb{255, 210, 90},
          Rgb{255, 250, 220}, Rgb{255, 255, 255});
    star4(img, c, c, R * 0.55, R * 0.12, kPi / 4, Rgb{255, 230, 160}, Rgb{255, 255, 240},
          Rgb{255, 255, 255});
    fillCircle(img, c, c, R * 0.22, Rgb{255, 255, 255});
    return img;
  }
  // The main ball grows fast, then breaks up.
  FireStyle core;
  core.heat = 1.05 - t * 1.0;
  core.smoke = std::clamp((t - 0.4) * 1.8, 0.0, 1.0);
  core.holes = std::clamp((t - 0.45) * 1.6, 0.0, 0.86);
  core.ragged = 0.3 + t * 0.25;
  core.plasma = b.plasma;
  core.seed = b.seed;
  const double cr = R * (0.3 + 0.42 * std::sin(std::min(1.0, t * 2.2) * kPi * 0.5));
  fireball(img, c, c - t * R * 0.08, cr, core);
  // Secondary balls burst out from the core, then cool into smoke.
  for (int i = 0; i < b.balls; ++i) {
    const double a = 2 * kPi * i / b.balls + rng.real(-0.4, 0.4);
    const double reach = R * rng.real(0.5, 0.72) * std::min(1.0, 0.3 + t * 1.4);
    const double delay = rng.real(0.0, 0.25);
    const double lt = std::clamp((t - delay) / (1 - delay), 0.0, 1.0);
    if (t < delay) continue;
    FireStyle st;
    st.heat = 0.9 - lt * 0.85;
    st.smoke = std::clamp((lt - 0.35) * 1.7, 0.0, 1.0);
    st.holes = std::clamp((lt - 0.5) * 1.7, 0.0, 0.85);
    st.plasma = b.plasma;
    st.seed = b.seed * 7 + static_cast<std::uint32_t>(i);
    const double r =
        R * (0.18 + 0.22 * std::sin(std::min(1.0, lt * 1.4) * kPi * 0.5)) * rng.real(0.8, 1.15);
    fireball(img, c + std::cos(a) * reach, c + std::sin(a) * reach - lt * R * 0.1, r, st);
  }
  // Debris sparks fly out and fade.
  const int sparks = 6 + b.size / 8;
  for (int i = 0; i < sparks; ++i) {
    const double a = rng.real(0, 2 * kPi), v = rng.real(0.55, 1.0);
    const double d = R * v * std::min(1.0, 0.25 + t * 1.3);
    if (t > 0.75 || rng.chance(t)) continue;
    const Pt p{c + std::cos(a) * d, c + std::sin(a) * d};
    const Pt q{c + std::cos(a) * (d - R * 0.12), c + std::sin(a) * (d - R * 0.12)};
    const Rgb hot = b.plasma ? Rgb{170, 220, 255} : Rgb{255, 220, 120};
    line(img, static_cast<int>(q.x), static_cast<int>(q.y), static_cast<int>(p.x),
         static_cast<int>(p.y), scale(hot, 1 - t * 0.6));
    img.set(static_cast<int>(p.x), static_cast<int>(p.y), Rgb{255, 255, 240});
  }
  if (b.shrapnel && t < 0.85) {
    Rng sh(b.seed ^ 0xABCDu);
    for (int i = 0; i < 7; ++i) {
      const double a = sh.real(0, 2 * kPi), v = sh.real(0.5, 1.0), spin = sh.real(-3, 3);
      const double d = R * v * (0.2 + t * 0.9);
      const double px = c + std::cos(a) * d, py = c + std::sin(a) * d + t * t * R * 0.2;
      const double rot = spin * t, len = sh.real(2, 3.5) * b.size / 64.0 + 1;
      std::vector<Pt> q = {{px + std::cos(rot) * len, py + std::sin(rot) * len},
                           {px - std::sin(rot) * len * 0.5, py + std::cos(rot) * len * 0.5},
                           {px - std::cos(rot) * len, py - std::sin(rot) * len}};
      fillPolygon(img, q, i % 2 ? Rgb{150, 156, 176} : Rgb{96, 100, 124});
      img.set(static_cast<int>(px), static_cast<int>(py), Rgb{220, 226, 240});
    }
  }
  if (t > 0.05 && t < 0.4) {
    // Thin shock ring racing out ahead of the fire.
    const double rr = R * (0.4 + t * 1.5);
    shockRing(img, c, c, rr, 1.4, b.plasma ? Rgb{200, 240, 255} : Rgb{255, 240, 190},
              b.plasma ? Rgb{80, 140, 255} : Rgb{255, 150, 60}, t * 1.6, 0);
  }
  return img;
}

void strip(CellList& list, int first, int frames, const Blast& b, bool copyFrameOne) {
  for (int f = 1; f <= frames; ++f)
    list.put(first + f, blastFrame(b, (f - 1) / double(frames - 1)));
  if (copyFrameOne) list.copy(first, first + 1);
}

}  // namespace

void drawExplosions(ArtSet& art) {
  strip(art["Bo32"], 0, 15, {32, 3, false, false, 31}, true);
  strip(art["Bo64"], 0, 15, {64, 5, false, false, 64}, true);
  // Set B starts at cell 16 (its frame 1); cell 15 is the end of set A.
  for (int f = 0; f < 15; ++f)
    art["Bo64"].put(16 + f, blastFrame({64, 4, true, true, 65}, f / 14.0));
  // The ship's destruction: 16 frames, cell 0 is the flash.
  for (int f = 0; f < 16; ++f) art["Bo96"].put(f, blastFrame({96, 6, false, true, 96}, f / 15.0));
  strip(art["IL96"], 0, 15, {96, 8, false, false, 97}, true);
}

}  // namespace ag
