// boss_stage3.cpp — the final boss (stage 3), three forms:
//   IL200 0      first form: a battleship 184 x 72 with its bridge above;
//                barrage guns at cell (50, 56) and (50, 76), ring emitter
//                dome at (76, 36), debris launcher at (160, 105)
//   IL100 5-14   second form leaning: 5 into leftward motion .. 14 rightward
//   IL100 15-19  crest opens and the ring emitter at (70, 15) charges
//   IL100 20-24  beam wind-up at the arm cannon (17, 27); 25 recoil
//   IL100 26-32  mine bay under the cannon opens (26-29), mines drop (30-32)
//   IL100 33     never drawn (repeats 32)
//   IL100 66-79  third form idle pulse; 80-94 charges (80-86) then its
//                armour petals open for the volleys (86-94)
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "art/kit.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

Mesh upright(Mesh part) {
  part.transform(Mat3::rotZ(kPi / 2));  // lathe axis from x to y
  return part;
}

Image battleship() {
  auto mats = kitMaterials(Rgb{164, 140, 96}, Rgb{150, 50, 60});
  mats[kHull].panel = 9;
  mats[kAccent].panel = 6;
  Mesh m;
  m.lathe({{-92, 6}, {-84, 22}, {-40, 30}, {50, 30}, {84, 24}, {92, 14}}, 22, kHull, 0.62, 0.9);
  // Keel and armour belt.
  m.extrudeXY({{-80, -16}, {80, -16}, {70, -30}, {-70, -30}}, -12, 12, kAccent);
  // Superstructure: bridge blocks stepping up to the emitter dome at (-24, 49).
  m.extrudeXY({{-44, 14}, {24, 14}, {18, 28}, {-38, 28}}, -12, 12, kHull);
  m.extrudeXY({{-36, 26}, {-4, 26}, {-8, 40}, {-32, 40}}, -8, 8, kAccent);
  m.ellipsoid({-24, 44, 0}, {8, 6, 8}, 14, kMetal);
  m.ellipsoid({-24, 48, 0}, {4, 3, 4}, 10, kGlow);
  m.lathe({{0, 1}, {12, 0.6}}, 6, kBright, 1, 1, {-6, 42, 0});  // antenna
  // Barrage turrets facing left at (-50, 29) and (-50, 9).
  for (double y : {29.0, 9.0}) {
    m.ellipsoid({-44, y, 6}, {7, 5, 7}, 12, kMetal);
    m.lathe({{-56, 1.6}, {-44, 2}}, 8, kBright, 1, 1, {0, y + 1.5, 6});
    m.lathe({{-56, 1.6}, {-44, 2}}, 8, kBright, 1, 1, {0, y - 1.5, 6});
  }
  // Debris launcher at (+60, -20) and the engine block at the stern.
  m.box({52, -26, -10}, {70, -14, 10}, kMetal);
  for (double z : {-12.0, 0.0, 12.0}) m.lathe({{86, 5}, {96, 6}}, 10, kMetal, 1, 1, {0, 0, z});
  // Window row along the hull.
  for (int k = 0; k < 9; ++k) m.box({-60.0 + k * 13, 3, 24}, {-55.0 + k * 13, 5, 26}, kCanopy);
  RenderOpts o;
  o.w = 200;
  o.h = 170;
  o.cx = 100;
  o.cy = 85;
  o.rot = Mat3::rotX(14 * kDegToRad) * Mat3::rotY(-12 * kDegToRad);
  o.edgeDepth = 2.5;
  Image img = renderMesh(m, mats, o);
  for (double dy : {-11.0, 0.0, 11.0})
    flame(img, 100 + 95, 85 + dy * 0.8 + 2, 5, 3, Rgb{255, 110, 40}, Rgb{255, 220, 120}, 0, 1);
  return img;
}

struct SecondPose {
  double lean = 0;       // degrees, positive leans the top to the left
  double crest = 0;      // 0..1 crest petals open, emitter charging
  double gunCharge = 0;  // 0..1 glow at the arm cannon
  bool recoil = false;
  double bay = 0;  // 0..1 mine bay open
  int mines = 0;   // mines shown dropping
};

Image secondForm(const std::vector<Material>& mats, const SecondPose& p) {
  Mesh m;
  m.append(upright([] {
    Mesh b;
    b.lathe({{-34, 6}, {-28, 12}, {-6, 15}, {14, 14}, {26, 9}, {32, 4}}, 18, kHull, 1, 0.85);
    return b;
  }()));
  m.ellipsoid({-8, 8, 8}, {6, 12, 5}, 12, kAccent);
  // Crest petals around the emitter at (+20, +35).
  for (int k = -1; k <= 1; ++k) {
    Mesh petal;
    petal.extrudeXY({{0, 0}, {4, 12}, {0, 16}, {-4, 12}}, -2, 2, kAccent);
    petal.transform(Mat3::rotZ((k * 30 - 35 - p.crest * 25 * (k == 0 ? 0 : k)) * kDegToRad),
                    {12, 26, 0});
    m.append(petal);
  }
  m.ellipsoid({20, 34, 0}, {3 + p.crest * 2, 3 + p.crest * 2, 3}, 10, kGlow);
  // Arm cannon reaching to (-33, +23), mine bay below it at (-30, +20).
  m.ellipsoid({-16, 20, 0}, {8, 7, 8}, 12, kMetal);
  m.lathe({{-38, 2.6}, {-22, 3.4}}, 10, kBright, 1, 1, {0, 23, 0});
  Mesh hatch;
  hatch.box({0, -1, -5}, {10, 1, 5}, kAccent);
  hatch.transform(Mat3::rotZ(-p.bay * 70 * kDegToRad), {-34, 15, 0});
  m.append(hatch);
  m.box({-34, 15, -4}, {-22, 19, 4}, kMetal);
  // Legs/thrusters.
  for (double z : {-8.0, 8.0}) m.lathe({{-32, 3}, {-22, 5}}, 10, kMetal, 1, 1, {0, 0, z});
  const Mat3 rot =
      Mat3::rotZ(p.lean * kDegToRad) * Mat3::rotX(12 * kDegToRad) * Mat3::rotY(-15 * kDegToRad);
  RenderOpts o;
  o.w = o.h = 100;
  o.cx = 50 + (p.recoil ? 2 : 0);
  o.cy = 50;
  o.rot = rot;
  o.edgeDepth = 2;
  Image img = renderMesh(m, mats, o);
  if (p.crest > 0.95)
    star4(img, 70, 15, 12, 2.5, 0, Rgb{255, 120, 200}, Rgb{255, 220, 240}, Rgb{255, 255, 255});
  if (p.gunCharge > 0) {
    const double r = 1 + p.gunCharge * 4;
    fillCircle(img, 15, 27, r + 1, Rgb{160, 30, 90});
    fillCircle(img, 15, 27, r, Rgb{255, 130, 210});
    fillCircle(img, 15, 27, r * 0.5, Rgb{255, 250, 255});
  }
  if (p.recoil)
    star4(img, 14, 27, 13, 2.6, 0, Rgb{255, 120, 200}, Rgb{255, 230, 245}, Rgb{255, 255, 255});
  for (int k = 0; k < p.mines; ++k) {
    const double y = 36 + k * 8;
    fillCircle(img, 21, y, 3.2, Rgb{90, 80, 100});
    fillCircle(img, 21, y, 1.5, Rgb{255, 90, 50});
  }
  return img;
}

Image thirdForm(const std::vector<Material>& mats, double pulse, double charge, double open) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {13, 13, 13}, 18, kGlow);
  for (int k = 0; k < 6; ++k) {
    Mesh petal;
    petal.ellipsoid({0, 20, 0}, {10, 15, 6}, 12, kHull);
    petal.transform(Mat3::rotX(open * 35 * kDegToRad));
    petal.transform(Mat3::rotZ(k * kPi / 3 + kPi / 6));
    m.append(petal);
  }
  m.ellipsoid({15, 0, 8}, {6, 4, 6}, 10, kMetal);  // shell launcher at (+15, 0)
  m.lathe({{14, 1.8}, {24, 1.6}}, 8, kBright, 1, 1, {0, 0, 8});
  RenderOpts o;
  o.w = o.h = 100;
  o.cx = o.cy = 50;
  o.rot = Mat3::rotX(10 * kDegToRad) * Mat3::rotY(-10 * kDegToRad);
  o.brightness = 0.85 + pulse * 0.2;
  Image img = renderMesh(m, mats, o);
  if (charge > 0) {
    fillCircle(img, 50, 50, 2 + charge * 6, Rgb{255, 200, 250});
    fillCircle(img, 50, 50, 1 + charge * 3, Rgb{255, 255, 255});
  }
  return img;
}

}  // namespace

void drawStage3Boss(ArtSet& art) {
  art["IL200"].put(0, battleship());
  CellList& il = art["IL100"];
  auto mats = kitMaterials(Rgb{90, 70, 130}, Rgb{190, 150, 90}, Rgb{255, 90, 180});
  mats[kHull].panel = 7;
  for (int f = 0; f < 10; ++f) {
    SecondPose p;
    p.lean = 18 - f * 4;
    il.put(5 + f, secondForm(mats, p));
  }
  for (int k = 0; k < 5; ++k) {
    SecondPose p;
    p.crest = (k + 1) / 5.0;
    il.put(15 + k, secondForm(mats, p));
  }
  for (int k = 0; k < 5; ++k) {
    SecondPose p;
    p.gunCharge = (k + 1) / 5.0;
    il.put(20 + k, secondForm(mats, p));
  }
  SecondPose rec;
  rec.recoil = true;
  il.put(25, secondForm(mats, rec));
  for (int k = 0; k < 7; ++k) {
    SecondPose p;
    p.bay = std::min(1.0, (k + 1) / 4.0);
    p.mines = k >= 4 ? k - 3 : 0;
    il.put(26 + k, secondForm(mats, p));
  }
  il.copy(33, 32);
  auto core = kitMaterials(Rgb{130, 60, 90}, Rgb{180, 180, 200}, Rgb{255, 80, 120});
  core[kHull].panel = 6;
  for (int f = 0; f < 14; ++f)
    il.put(66 + f, thirdForm(core, 0.5 + 0.5 * std::sin(f * 2 * kPi / 14), 0, 0));
  for (int k = 0; k < 15; ++k) {
    const double charge = std::min(1.0, k / 6.0), open = std::clamp((k - 6) / 8.0, 0.0, 1.0);
    il.put(80 + k, thirdForm(core, 0.5, charge * (1 - open * 0.5), open));
  }
}

}  // namespace ag
