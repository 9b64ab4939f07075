// boss_stage1.cpp — IL80 (80 x 80): the stage 1 boss and the spinner turrets.
//   0-4    boss tilts: 0 diving, 2 level, 4 climbing; a tall armoured craft
//          with its front gun at cell (24, 35), top emitter at (55, 2) and
//          rear launcher at (55, 27)
//   5-9    the same tilts in the recoil pose: hull kicked back, muzzle flash
//   10-17  look 41 spinner: twin barrel along frame x 22.5 degrees
//          (0 horizontal, 2 "\", 4 vertical, 6 "/")
//   18-25  look 42: the same turret in another colour
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "art/kit.h"

namespace ag {
namespace {

constexpr int kS = 80;

// Model in cell pixels relative to the centre, facing left already (x grows
// to the right on screen), so the anchors can be placed directly.
Mesh bossModel() {
  Mesh m;
  auto vertical = [](Mesh part) {
    part.transform(Mat3::rotZ(1.5707963267948966));  // lathe axis from x to y
    return part;
  };
  // Core: a tall armoured capsule with a chest plate and a spine.
  Mesh core;
  core.lathe({{-30, 4}, {-26, 11}, {-10, 14}, {12, 14}, {24, 10}, {28, 5}}, 18, kHull, 1, 0.9);
  m.append(vertical(core));
  m.ellipsoid({-9, 4, 6}, {6, 16, 7}, 14, kAccent);
  m.ellipsoid({-11, 15, 5}, {4, 3.5, 4}, 10, kCanopy);
  // Front cannon at (-16, +5) from the centre.
  m.ellipsoid({-9, 5, 0}, {8, 6, 8}, 12, kMetal);
  m.lathe({{-27, 2.2}, {-24, 3.2}, {-10, 3.2}}, 12, kBright, 1, 1, {0, 5, 0});
  // Top emitter at (+15, +38): a mast with a glowing bulb.
  Mesh mast;
  mast.lathe({{22, 3.5}, {30, 2.5}, {34, 2.5}}, 10, kMetal);
  mast = vertical(mast);
  mast.transform(Mat3(), {15, 0, 0});
  m.append(mast);
  m.ellipsoid({15, 36, 0}, {3.5, 3, 3.5}, 10, kGlow);
  m.extrudeXY({{6, 18}, {16, 20}, {15, 26}, {8, 24}}, -3, 3, kAccent);
  // Rear launcher at (+15, +13), barrels to the right.
  m.box({9, 8, -7}, {19, 18, 7}, kMetal);
  for (double z : {-4.0, 4.0}) m.lathe({{18, 2}, {26, 1.8}}, 8, kBright, 1, 1, {0, 13, z});
  // Engine pods low at the back, and tail fins.
  for (double z : {-9.0, 9.0})
    m.lathe({{4, 3}, {8, 5}, {22, 5}, {24, 4}}, 12, kMetal, 1, 1, {0, -22, z});
  m.extrudeXY({{4, -28}, {14, -30}, {22, -38}, {12, -38}}, -1.5, 1.5, kAccent);
  return m;
}

Image bossFrame(const std::vector<Material>& mats, int tilt, bool recoil) {
  Mesh m = bossModel();
  const double pitch = (tilt - 2) * 9.0;  // climbing raises the nose (left side)
  Mat3 rot =
      Mat3::rotX(12 * kDegToRad) * Mat3::rotY(-18 * kDegToRad) * Mat3::rotZ(-pitch * kDegToRad);
  RenderOpts o;
  o.w = o.h = kS;
  o.cx = 40 + (recoil ? 2 : 0);
  o.cy = 40;
  o.rot = rot;
  o.edgeDepth = 2;
  Image img = renderMesh(m, mats, o);
  // Engine glow at the back, muzzle flash at the front gun on recoil.
  const double ex = 40 + 23 + (recoil ? 2 : 0), ey = 40 + 22 + pitch * 0.35;
  flame(img, ex, ey, 6, 3, Rgb{255, 110, 40}, Rgb{255, 220, 120}, tilt, 1);
  if (recoil)
    star4(img, 22, 35 - pitch * 0.3, 11, 2.4, 0, Rgb{255, 150, 60}, Rgb{255, 240, 180},
          Rgb{255, 255, 255});
  return img;
}

Image spinnerTurret(const std::vector<Material>& mats, int f) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {16, 16, 14}, 18, kHull);
  m.lathe({{-3, 17}, {3, 17}}, 22, kAccent);
  // Twin barrel through the body, along the model x axis.
  for (double off : {-4.0, 4.0}) m.lathe({{-28, 2.4}, {28, 2.4}}, 10, kMetal, 1, 1, {0, off, 0});
  m.box({-6, -7, -6}, {6, 7, 6}, kMetal);
  m.ellipsoid({0, 0, 12}, {5, 5, 4}, 12, kGlow);
  // Screen angle f * 22.5 degrees measured downward from the right.
  const double a = f * 22.5 * kDegToRad;
  Image img = kitRender(m, mats, kS, kS, Mat3::rotZ(-a) * Mat3::rotX(10 * kDegToRad), 1.0);
  // Muzzle lamps at both barrel ends.
  for (int side : {-1, 1}) {
    const double ex = 40 + side * std::cos(a) * 27, ey = 40 + side * std::sin(a) * 27;
    fillCircle(img, ex, ey, 2.2, Rgb{255, 160, 70});
  }
  return img;
}

}  // namespace

void drawStage1Boss(ArtSet& art) {
  CellList& il = art["IL80"];
  auto mats = kitMaterials(Rgb{150, 60, 70}, Rgb{190, 170, 140});
  mats[kHull].panel = 8;
  for (int t = 0; t < 5; ++t) {
    il.put(t, bossFrame(mats, t, false));
    il.put(5 + t, bossFrame(mats, t, true));
  }
  const auto a = kitMaterials(Rgb{110, 120, 150}, Rgb{200, 80, 60});
  const auto b = kitMaterials(Rgb{150, 120, 70}, Rgb{80, 150, 140});
  for (int f = 0; f < 8; ++f) {
    il.put(10 + f, spinnerTurret(a, f));
    il.put(18 + f, spinnerTurret(b, f));
  }
}

}  // namespace ag
