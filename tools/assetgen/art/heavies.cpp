// heavies.cpp — IL100 (100 x 100): the gunship and the rising walker.
//   0-4    look 16 gunship: sways through five roll steps (each held 3 frames
//          by the game); missiles leave the rear pods at (x + 20, y)
//   34-43  look 47 walker rising on its lift jets, legs swinging (loop)
//   44-56  transforming: legs fold up under the hull while the cannon slides
//          out toward (x - 27, y)
//   57-65  moving right and firing: cannon recoil and a running light (loop)
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "art/kit.h"

namespace ag {
namespace {

constexpr int kS = 100;
constexpr double kC = 50;
constexpr double kPi = 3.14159265358979323846;

Image gunship(const std::vector<Material>& mats, double roll) {
  Mesh m;
  Mesh hull;
  hull.lathe({{-34, 5}, {-28, 13}, {-6, 16}, {16, 15}, {30, 10}, {36, 4}}, 18, kHull, 1, 0.85);
  hull.transform(Mat3::rotZ(kPi / 2));
  m.append(hull);
  m.ellipsoid({-12, 14, 4}, {7, 6, 7}, 12, kCanopy);
  m.lathe({{-30, 2.5}, {-14, 3}}, 10, kBright, 1, 1, {0, 2, 0});
  for (int side : {-1, 1}) {
    // Missile pods on stub wings, open at the rear (+x).
    m.extrudeXZ({{-6, 10}, {8, 10}, {8, 20}, {-2, 20}}, -2, 2, kAccent);
    m.lathe({{-10, 3}, {-6, 6}, {18, 6}, {20, 5}}, 12, kMetal, 1, 1, {0, -4, side * 22.0});
  }
  m.extrudeXZ({{-6, -10}, {8, -10}, {8, -20}, {-2, -20}}, -2, 2, kAccent);
  m.extrudeXY({{4, 30}, {18, 30}, {22, 40}, {10, 38}}, -2, 2, kAccent);
  Image img = kitRender(m, mats, kS, kS, kitView(0, 0, roll, 16) * Mat3::rotY(kPi), 1.15);
  flame(img, kC + 21, kC + 4, 6, 3, Rgb{255, 110, 40}, Rgb{255, 220, 120}, 0, 1);
  return img;
}

// Walker: hull, a cannon on the left, two legs that swing and fold.
Image walker(const std::vector<Material>& mats, double legSwing, double fold, double gunOut,
             double jets, int loop, bool firing) {
  Mesh m;
  m.lathe({{-24, 6}, {-18, 14}, {14, 14}, {22, 10}, {26, 4}}, 16, kHull, 0.8, 1.0);
  m.extrudeXY({{-16, 10}, {12, 10}, {8, 20}, {-10, 20}}, -9, 9, kAccent);
  m.ellipsoid({-6, 14, 6}, {6, 4, 4}, 10, kCanopy);
  // Cannon sliding out to the left; muzzle reaches x - 27 when fully out.
  const double gx = -10 - gunOut * 8;
  m.lathe({{gx - 9, 2.4}, {gx + 6, 3}}, 10, kBright, 1, 1, {0, 0, 0});
  m.box({-16, -4, -5}, {-8, 4, 5}, kMetal);
  for (int side : {-1, 1}) {
    Mesh leg;
    leg.lathe({{-20, 2.4}, {0, 3.4}}, 10, kMetal);  // thigh, hip at the origin
    leg.transform(Mat3::rotZ(kPi / 2));             // hang down
    Mesh shin;
    shin.lathe({{-22, 1.8}, {0, 2.6}}, 10, kMetal);
    shin.ellipsoid({0, -22, 0}, {5, 2, 4}, 8, kAccent);  // foot (after turning)
    shin.transform(Mat3::rotZ(kPi / 2));
    shin.transform(Mat3::rotZ((0.5 + fold * 1.6) * kPi / 4), {0, -20, 0});
    leg.append(shin);
    leg.transform(Mat3::rotZ((side * legSwing + fold * 80) * kDegToRad),
                  {side * 6.0, -10, side * 8.0});
    m.append(leg);
  }
  Image img = kitRender(m, mats, kS, kS, kitView(0, 0, 0, 18), 1.3);
  if (jets > 0)
    for (int side : {-1, 1}) {
      const double x = kC + side * 13, y = kC + 15;
      for (int k = 0; k < static_cast<int>(jets * 10) + (loop % 2); ++k)
        fillCircle(img, x, y + k, 3.2 - k * 0.25, k < 3 ? Rgb{255, 250, 210} : Rgb{255, 150, 60});
    }
  if (firing) {
    star4(img, kC - 27, kC, 9, 2, 0, Rgb{255, 150, 60}, Rgb{255, 240, 180}, Rgb{255, 255, 255});
  }
  // Running light along the hull side.
  fillCircle(img, kC - 18 + (loop % 9) * 4.5, kC + 10, 1.2, Rgb{255, 220, 120});
  return img;
}

}  // namespace

void drawHeavies(ArtSet& art) {
  CellList& il = art["IL100"];
  auto gmats = kitMaterials(Rgb{110, 120, 90}, Rgb{180, 140, 70});
  gmats[kHull].panel = 7;
  for (int f = 0; f < 5; ++f) il.put(f, gunship(gmats, -16 + f * 8));
  auto wmats = kitMaterials(Rgb{170, 130, 80}, Rgb{90, 100, 130});
  wmats[kHull].panel = 7;
  for (int f = 0; f < 10; ++f)
    il.put(34 + f, walker(wmats, 12 * std::sin(f * 2 * kPi / 10), 0, 0, 1, f, false));
  for (int k = 0; k < 13; ++k) {
    const double u = (k + 1) / 13.0;
    il.put(44 + k, walker(wmats, 0, u, u, 1 - u, k, false));
  }
  for (int f = 0; f < 9; ++f)
    il.put(57 + f, walker(wmats, 0, 1, 1 - (f % 3 == 0) * 0.15, 0, f, f % 3 == 0));
}

}  // namespace ag
