// boss_stage2.cpp — IL150 0-24, the stage 2 boss: one continuous morph that
// the game plays both ways, in three stretches:
//   0-11   the closed cruiser opens into its armed form: upper and lower jaws
//          part around the mouth at cell (70, 80) and the volley gun slides
//          out to (35, 80)
//   11-20  the wings sweep forward into the sweeping pose
//   20-24  the wings spread wide and the core lights up (flash-wall pose)
// Rear fan launcher at (105..110, 75), child launcher at (120, 70).
#include <algorithm>
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "art/kit.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

Image morph(const std::vector<Material>& mats, int step) {
  const double jaw = std::min(step, 11) / 11.0;
  const double sweep = std::clamp((step - 11) / 9.0, 0.0, 1.0);
  const double spread = std::clamp((step - 20) / 4.0, 0.0, 1.0);
  Mesh m;
  // Body: a long shell along x, centred a little right of the cell centre.
  m.lathe({{-30, 6}, {-20, 20}, {10, 26}, {34, 22}, {44, 12}, {48, 4}}, 20, kHull, 1.15, 0.9,
          {0, 0, 0});
  m.extrudeXY({{-4, 24}, {30, 22}, {40, 36}, {10, 34}}, -5, 5, kAccent);      // dorsal crest
  m.extrudeXY({{-4, -24}, {30, -22}, {40, -36}, {10, -34}}, -5, 5, kAccent);  // keel
  // Jaws above and below the mouth at (-5, -5), opening.
  for (int side : {-1, 1}) {
    Mesh j;
    j.extrudeXY({{-38, 0}, {-6, 0}, {4, 12}, {-30, 10}}, -14, 14, kAccent);
    if (side < 0) j.transform(Mat3::scaled(1, -1, 1));
    j.transform(Mat3::rotZ(side * jaw * 22 * kDegToRad), {0, -5 + side * (2 + jaw * 4), 0});
    m.append(j);
  }
  m.ellipsoid({-6, -5, 0}, {8, 4 + jaw * 5, 10}, 12, kGlow);
  // Volley gun sliding out toward (-40, -5).
  m.lathe({{-16 - jaw * 24, 3}, {-6, 4}}, 10, kBright, 1, 1, {0, -5, 12});
  // Wings: hinged at the back of the body, sweeping forward, then spreading.
  for (int side : {-1, 1}) {
    Mesh w;
    w.extrudeXY({{0, -4}, {36, 2}, {48, 20}, {4, 16}}, -3, 3, kAccent);
    w.extrudeXY({{14, 6}, {40, 9}, {44, 16}, {16, 13}}, -3.6, 3.6, kMetal);
    w.extrudeXY({{42, 13}, {48, 20}, {45, 22}, {39, 16}}, -4, 4, kGlow);
    if (side < 0) w.transform(Mat3::scaled(1, -1, 1));
    const double angle = side * (60 + sweep * 40 - spread * 70);
    w.transform(Mat3::rotZ(angle * kDegToRad), {22, side * 22.0, -10});
    m.append(w);
  }
  // Rear launchers.
  m.box({28, -6, -10}, {38, 6, 10}, kMetal);
  m.lathe({{38, 3}, {46, 2.5}}, 10, kBright, 1, 1, {0, 0, 0});
  m.ellipsoid({45, 5, 8}, {5, 4, 5}, 10, kMetal);
  m.ellipsoid({-14, 10, 14}, {6, 4, 4}, 10, kCanopy);
  RenderOpts o;
  o.w = o.h = 150;
  o.cx = 75;
  o.cy = 75;
  o.rot = Mat3::rotX(14 * kDegToRad) * Mat3::rotY(-14 * kDegToRad);
  o.edgeDepth = 2.5;
  o.brightness = 0.9 + spread * 0.15;
  Image img = renderMesh(m, mats, o);
  if (spread > 0.99)
    star4(img, 70, 80, 18, 3, kPi / 4, Rgb{255, 140, 220}, Rgb{255, 230, 245}, Rgb{255, 255, 255});
  return img;
}

}  // namespace

void drawStage2Boss(ArtSet& art) {
  CellList& il = art["IL150"];
  auto mats = kitMaterials(Rgb{120, 80, 150}, Rgb{200, 150, 80}, Rgb{255, 90, 170});
  mats[kHull].panel = 9;
  mats[kAccent].panel = 7;
  for (int s = 0; s < 25; ++s) il.put(s, morph(mats, s));
}

}  // namespace ag
