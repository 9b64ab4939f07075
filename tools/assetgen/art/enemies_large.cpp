// enemies_large.cpp — IL74 64-103 (74 x 74), the big armoured craft:
//   64-71  look 20: 64 wings folded (entering), 64-67 wings unfold into a
//          tall X; 68-71 turns to face right and lights the afterburner
//   72-77  look 36: upright armoured pod facing right; 72-75 retro jets die
//          down as it brakes,
//          76 launcher open, 77 launch flash at (x + 10, y - 8)
//   78-84  look 43, 85-91 look 44, 92-98 look 45: turret ships braking (the
//          nose retro jet dies down) while the shell launcher on the rear deck
//          rises into firing position; heavier variants add side pods and,
//          on 45, the volley gun at (x - 21, y - 21)
//   99-103 never drawn; they repeat 98
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "art/kit.h"

namespace ag {
namespace {

constexpr int kS = 74;
constexpr double kC = 37;

Image render(const Mesh& m, const std::vector<Material>& mats, const Mat3& rot,
             double scale = 1.0) {
  return kitRender(m, mats, kS, kS, rot, scale);
}

// Look 20: a fuselage facing left with two long wings hinged at its back;
// folded they lie along the hull, unfolded they stand up and down (a tall
// X seen from the side). The spread gun sits under the nose.
Image unfolder(const std::vector<Material>& mats, double unfold, double yaw, double burn) {
  Mesh m;
  m.lathe({{-20, 3}, {-14, 7}, {8, 8}, {18, 5}, {24, 0}}, 14, kHull, 0.9, 1.0);
  m.ellipsoid({8, 4.5, 0}, {7, 3, 3.4}, 12, kCanopy);
  m.lathe({{14, 1.8}, {22, 1.6}}, 8, kBright, 1, 1, {0, -6, 0});
  m.box({8, -8, -2.5}, {16, -4, 2.5}, kMetal);
  for (int side : {-1, 1})
    for (double z : {-5.0, 5.0}) {
      Mesh w;
      w.extrudeXY({{-2, 0}, {4, 0}, {-2, 27}, {-8, 27}}, -1, 1, kAccent);
      w.extrudeXY({{-3.6, 22}, {-1, 22}, {-2, 27}, {-8, 27}}, -1.4, 1.4, kGlow);
      if (side < 0) w.transform(Mat3::scaled(1, -1, 1));
      // Folded: swung back along the hull (80 degrees); open: upright.
      w.transform(Mat3::rotZ(-side * (1 - unfold) * 78 * kDegToRad), {-8, side * 3.0, z});
      m.append(w);
    }
  m.lathe({{-22, 4}, {-19, 5}}, 12, kMetal, 0.9, 1.0);
  Image img = render(m, mats, kitView(yaw, 0, 0, 16));
  const double c = std::cos(yaw * kDegToRad);
  if (burn > 0 && std::abs(c) > 0.2)
    flame(img, kC - c * 22, kC + 0.5, burn * 14 * std::abs(c), 3.5, Rgb{255, 110, 40},
          Rgb{255, 220, 120}, 0, c > 0 ? -1 : 1);
  return img;
}

// Look 36: an upright armoured pod facing right, retro jets on its front,
// missile box on its upper front at (x + 10, y - 8).
Image armoured(const std::vector<Material>& mats, double retro, double hatch, bool flash) {
  Mesh m;
  Mesh body;
  body.lathe({{-28, 5}, {-24, 11}, {-4, 14}, {14, 13}, {24, 9}, {28, 4}}, 18, kHull, 1, 0.85);
  body.transform(Mat3::rotZ(1.5707963267948966));
  m.append(body);
  m.ellipsoid({6, 12, 8}, {9, 7, 6}, 12, kAccent);     // shoulder armour
  m.ellipsoid({-2, -10, 8}, {9, 10, 6}, 12, kAccent);  // hip armour
  m.ellipsoid({9, 2, 6}, {4, 3, 4}, 10, kCanopy);
  m.box({4, 12, -7}, {14, 20, 7}, kMetal);  // missile box
  Mesh lid;
  lid.box({0, 0, -7}, {10, 2, 7}, kAccent);
  lid.transform(Mat3::rotZ(hatch * 70 * kDegToRad), {4, 20, 0});
  m.append(lid);
  for (double y : {-16.0, 4.0}) m.lathe({{12, 2.5}, {16, 3.2}}, 10, kMetal, 1, 1, {0, y, 0});
  Image img = render(m, mats, kitView(0, 0, 0, 14) * Mat3::rotY(-20 * kDegToRad));
  if (retro > 0)
    for (double y : {kC + 16, kC - 4})
      flame(img, kC + 17, y, retro * 12, 2.8, Rgb{255, 120, 40}, Rgb{255, 220, 120}, 0, 1);
  if (flash)
    star4(img, kC + 10, kC - 8, 10, 2, 0, Rgb{255, 150, 60}, Rgb{255, 240, 180},
          Rgb{255, 255, 255});
  return img;
}

Image turretShip(const std::vector<Material>& mats, int weight, double deploy, double retro) {
  Mesh m;
  m.lathe({{-26, 8}, {-20, 12}, {12, 12}, {22, 8}, {27, 2}}, 16, kHull, 0.95, 1.0);
  m.extrudeXY({{-24, -12}, {20, -12}, {14, -18}, {-20, -18}}, -8, 8, kAccent);
  m.ellipsoid({14, 6, 0}, {7, 4, 5}, 12, kCanopy);
  // Shell launcher on the rear deck (the model faces left, so +x is the rear
  // after the turn): rises from the deck as it deploys.
  Mesh tur;
  tur.ellipsoid({0, 0, 0}, {6, 4, 6}, 12, kMetal);
  tur.lathe({{0, 2}, {10, 1.7}}, 8, kBright, 1, 1);
  tur.transform(Mat3::rotZ((20 + deploy * 25) * kDegToRad), {0, 0, 0});
  tur.transform(Mat3(), {-15, 10 + deploy * 4, 0});
  m.append(tur);
  if (weight >= 1)
    for (int side : {-1, 1})
      m.lathe({{-18, 3}, {-14, 5}, {8, 5}, {12, 2}}, 10, kMetal, 1, 1, {0, -4, side * 13.0});
  if (weight >= 2) {
    // Volley gun block on the upper nose.
    m.box({16, 12, -4}, {26, 18, 4}, kAccent);
    for (int k = -1; k <= 1; ++k) m.lathe({{26, 1}, {30, 1}}, 6, kBright, 1, 1, {0, 15, k * 2.5});
  }
  Image img = render(m, mats, kitView(180, 0, 0, 20), 1.0);
  if (retro > 0)
    flame(img, kC - 28, kC + 2, retro * 12, 3.4, Rgb{255, 120, 40}, Rgb{255, 220, 120}, 0, -1);
  return img;
}

}  // namespace

void drawLargeEnemies(ArtSet& art) {
  CellList& il = art["IL74"];
  const auto look20 = kitMaterials(Rgb{170, 80, 60}, Rgb{210, 190, 120});
  for (int k = 0; k < 4; ++k) il.put(64 + k, unfolder(look20, k / 3.0, 180, 0));
  for (int k = 0; k < 4; ++k)
    il.put(68 + k, unfolder(look20, 1, 180 - (k + 1) * 45, 0.4 + k * 0.2));
  const auto look36 = kitMaterials(Rgb{100, 110, 130}, Rgb{190, 150, 50});
  const double retro[4] = {1.0, 0.7, 0.45, 0.2};
  for (int k = 0; k < 4; ++k) il.put(72 + k, armoured(look36, retro[k], 0, false));
  il.put(76, armoured(look36, 0, 1, false));
  il.put(77, armoured(look36, 0, 1, true));
  const auto l43 = kitMaterials(Rgb{120, 140, 100}, Rgb{170, 90, 60});
  const auto l44 = kitMaterials(Rgb{140, 110, 150}, Rgb{200, 170, 80});
  const auto l45 = kitMaterials(Rgb{170, 70, 70}, Rgb{90, 90, 110});
  for (int f = 0; f < 7; ++f) {
    const double d = f / 6.0, r = 1 - f / 6.0;
    il.put(78 + f, turretShip(l43, 0, d, r));
    il.put(85 + f, turretShip(l44, 1, d, r));
    il.put(92 + f, turretShip(l45, 2, d, r));
  }
  for (int c = 99; c <= 103; ++c) il.copy(c, 98);
}

}  // namespace ag
