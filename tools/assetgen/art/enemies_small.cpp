// enemies_small.cpp — IL50 (50 x 50): small craft, missiles and the torpedo.
//   0-6    look 1 fighter: turns from facing left (0) to facing right (6)
//   7-13   looks 2/35 item carrier: the same turn, olive with a cargo pod
//   14-16  look 7 torpedo: nose left, flame flickering (never animated by the
//          game, so the three differ only in the flame)
//   17-20  look 8 drone disc: level, then banking up to 45 degrees
//   21-23  look 12 missile (stage 1 boss), 68-70 look 17 (gunship), 56-58
//          look 37 (armoured): nose left, three-frame exhaust flicker
//   24-29  look 13: U-turn from facing left to facing right
//   30-36  look 14: pitches from nose-up to nose-down while bobbing
//   37-41  look 19: charges a glow at its muzzle, full at 41
//   42-48  look 33 and 49-55 look 34: face right at the first cell, turn to
//          face left at the last
//   59-67  look 40: three-armed spinner, a third of a turn over nine frames
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "art/kit.h"

namespace ag {
namespace {

constexpr int kS = 50;

Mesh fighter(bool carrier) {
  Mesh m;
  fuselage(m, 26, 3.6, kHull);
  m.ellipsoid({2, 2.4, 0}, {5, 2.2, 2.2}, 10, kCanopy);
  wingPair(m, {{2, 2}, {-8, 11}, {-11, 11}, {-9, 2}}, -0.8, 0.4, kAccent);
  m.extrudeXY({{-13, 1}, {-6, 1}, {-10, 7}, {-13, 7}}, -0.6, 0.6, kAccent);
  m.lathe({{-14, 2.2}, {-12.5, 2.6}}, 10, kMetal, 0.85);
  if (carrier) m.ellipsoid({-1, -4.2, 0}, {7, 2.6, 3.2}, 10, kBright);
  return m;
}

Image turnFrame(const Mesh& m, const std::vector<Material>& mats, double yaw) {
  Image img = kitRender(m, mats, kS, kS, kitView(yaw, 0, 0, 24), 1.0);
  // Exhaust glow behind the tail while it faces sideways.
  const double c = std::cos(yaw * kDegToRad);
  if (std::abs(c) > 0.3) {
    const double tx = kS / 2.0 - c * 14.5;
    flame(img, tx, kS / 2.0 + 0.5, 5 * std::abs(c), 1.8, Rgb{255, 110, 40}, Rgb{255, 200, 90}, 0,
          c > 0 ? -1 : 1);
  }
  return img;
}

Image missile(const std::vector<Material>& mats, int frame, double len) {
  Mesh m;
  missileBody(m, len, 2.6, kHull, kAccent, kMetal);
  Image img = kitRender(m, mats, kS, kS, kitView(180, 0, 0, 18), 1.0);
  flame(img, kS / 2.0 + len / 2, kS / 2.0, 6 + (frame % 3) * 2.0, 2.2 - (frame == 1) * 0.4,
        Rgb{255, 120, 40}, Rgb{255, 220, 120}, frame, 1);
  return img;
}

Image disc(const std::vector<Material>& mats, double bank) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {12, 3.0, 12}, 18, kHull);
  m.ellipsoid({0, 2.2, 0}, {5, 3, 5}, 12, kCanopy);
  m.ellipsoid({0, -2.2, 0}, {5, 3, 5}, 12, kCanopy);
  Mesh rim;
  rim.lathe({{-1.3, 12.6}, {1.3, 12.6}}, 24, kAccent);
  rim.transform(Mat3::rotZ(90 * kDegToRad));  // band around the vertical axis
  m.append(rim);
  return kitRender(m, mats, kS, kS, kitView(0, 0, bank, 14), 1.0);
}

// Dart used by looks 13, 33 and 34: swept (or forward-swept) wings, twin fins.
Mesh dart(bool forwardSwept) {
  Mesh m;
  fuselage(m, 30, 3.4, kHull);
  m.ellipsoid({4, 2.2, 0}, {5.5, 2.0, 2.0}, 10, kCanopy);
  if (forwardSwept)
    wingPair(m, {{-8, 2}, {2, 12}, {-1, 12}, {-12, 2}}, -0.7, 0.5, kAccent);
  else
    wingPair(m, {{4, 2}, {-10, 10}, {-13, 10}, {-12, 2}}, -0.7, 0.5, kAccent);
  wingPair(m, {{-10, 2}, {-15, 5}, {-15, 6}, {-13, 2}}, 0, 5, kAccent);
  m.lathe({{-16, 2.2}, {-14.5, 2.7}}, 10, kMetal, 0.85);
  return m;
}

Image bobber(const std::vector<Material>& mats, double pitch) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {11, 6.5, 7}, 14, kHull);
  m.lathe({{-13, 3}, {-9, 4.5}}, 10, kMetal, 1, 1);
  m.lathe({{6, 1.2}, {15, 1.2}}, 8, kMetal, 1, 1, {0, -2.5, 3});
  m.lathe({{6, 1.2}, {15, 1.2}}, 8, kMetal, 1, 1, {0, -2.5, -3});
  m.ellipsoid({5, 3, 0}, {4, 2.5, 3}, 10, kGlow);
  wingPair(m, {{-2, 6}, {-8, 11}, {-10, 11}, {-8, 6}}, -0.5, 0.5, kAccent);
  return kitRender(m, mats, kS, kS, kitView(180, pitch, 0, 20), 1.0);
}

Image charger(const std::vector<Material>& mats, int k) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {9, 8, 8}, 14, kHull);
  m.lathe({{4, 5}, {9, 4}, {11, 2.5}}, 12, kMetal, 1, 1);  // muzzle ring
  wingPair(m, {{-3, 6}, {-9, 12}, {-11, 12}, {-8, 6}}, -0.6, 0.6, kAccent);
  m.box({-11, 7, -1}, {-4, 11, 1}, kAccent);
  m.box({-11, -11, -1}, {-4, -7, 1}, kAccent);
  Image img = kitRender(m, mats, kS, kS, kitView(180, 0, 0, 16), 1.0);
  // The beam leaves from (x - 5, y): the charge sits just in front of the muzzle.
  const double r = 1.2 + k * 1.3;
  fillCircle(img, 14.5, 25, r + 1, Rgb{150, 30, 80});
  fillCircle(img, 14.5, 25, r, k >= 3 ? Rgb{255, 150, 220} : Rgb{230, 80, 160});
  fillCircle(img, 14.5, 25, r * 0.5, Rgb{255, 245, 250});
  if (k == 4)
    star4(img, 14.5, 25, 10, 1.5, 0, Rgb{255, 120, 200}, Rgb{255, 220, 240}, Rgb{255, 255, 255});
  return img;
}

Image spinner(const std::vector<Material>& mats, int f) {
  Mesh m;
  for (int k = 0; k < 3; ++k) {
    Mesh arm;
    arm.extrudeXY({{2, -2.5}, {15, -1}, {17, 2}, {4, 3}}, -1.5, 1.5, kAccent);
    arm.ellipsoid({16, 0.5, 0}, {2.6, 2.6, 2.6}, 8, kGlow);
    arm.transform(Mat3::rotZ(k * 120 * kDegToRad));
    m.append(arm);
  }
  m.ellipsoid({0, 0, 0}, {7, 7, 5}, 14, kHull);
  m.ellipsoid({0, 0, 3}, {3, 3, 3}, 10, kCanopy);
  const double spin = f * 120.0 / 9;
  return kitRender(m, mats, kS, kS, Mat3::rotX(25 * kDegToRad) * Mat3::rotZ(-spin * kDegToRad),
                   1.0);
}

}  // namespace

void drawSmallEnemies(ArtSet& art) {
  CellList& il = art["IL50"];
  const auto red = kitMaterials(Rgb{196, 60, 56}, Rgb{150, 150, 168});
  const auto olive = kitMaterials(Rgb{140, 150, 60}, Rgb{220, 180, 60});
  const Mesh f1 = fighter(false), f2 = fighter(true);
  for (int f = 0; f < 7; ++f) {
    il.put(f, turnFrame(f1, red, 180 - f * 30));
    il.put(7 + f, turnFrame(f2, olive, 180 - f * 30));
  }
  const auto torp = kitMaterials(Rgb{110, 120, 140}, Rgb{200, 70, 50});
  for (int f = 0; f < 3; ++f) {
    Mesh m;
    missileBody(m, 36, 3.4, kHull, kAccent, kMetal);
    Image img = kitRender(m, torp, kS, kS, kitView(180, 0, 0, 14), 1.0);
    flame(img, kS / 2.0 + 18, kS / 2.0, 4.5 + f, 2.4, Rgb{255, 120, 40}, Rgb{255, 210, 120}, f, 1);
    il.put(14 + f, img);
  }
  const auto steel = kitMaterials(Rgb{150, 156, 176}, Rgb{220, 90, 50});
  for (int f = 0; f < 4; ++f) il.put(17 + f, disc(steel, f * 15.0));
  const auto m1 = kitMaterials(Rgb{220, 220, 228}, Rgb{220, 50, 50});
  const auto m2 = kitMaterials(Rgb{210, 190, 90}, Rgb{90, 90, 100});
  const auto m3 = kitMaterials(Rgb{120, 170, 110}, Rgb{230, 230, 230});
  for (int f = 0; f < 3; ++f) {
    il.put(21 + f, missile(m1, f, 30));
    il.put(68 + f, missile(m2, f, 30));
    il.put(56 + f, missile(m3, f, 30));
  }
  const auto violet = kitMaterials(Rgb{140, 70, 180}, Rgb{210, 160, 80});
  const Mesh d13 = dart(true);
  for (int f = 0; f < 6; ++f) il.put(24 + f, turnFrame(d13, violet, 180 - f * 36));
  const auto bronze = kitMaterials(Rgb{176, 120, 70}, Rgb{120, 70, 150});
  for (int f = 0; f < 7; ++f) il.put(30 + f, bobber(bronze, 24 - f * 8));
  const auto plum = kitMaterials(Rgb{120, 60, 120}, Rgb{180, 180, 196});
  for (int k = 0; k < 5; ++k) il.put(37 + k, charger(plum, k));
  const auto teal = kitMaterials(Rgb{70, 140, 130}, Rgb{230, 150, 50});
  const auto rust = kitMaterials(Rgb{190, 100, 50}, Rgb{80, 120, 160});
  const Mesh d33 = dart(false);
  for (int f = 0; f < 7; ++f) {
    il.put(42 + f, turnFrame(d33, teal, f * 30));
    il.put(49 + f, turnFrame(d33, rust, f * 30));
  }
  const auto saw = kitMaterials(Rgb{170, 60, 70}, Rgb{200, 200, 210});
  for (int f = 0; f < 9; ++f) il.put(59 + f, spinner(saw, f));
}

}  // namespace ag
