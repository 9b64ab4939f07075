// enemies_medium.cpp — IL64 (64 x 64), fourteen enemy looks. All face left
// unless the look turns; each strip's meaning comes from the game's use:
//   0-15   look 0: 0-11 flight loop (a spiked gyro ring turns 10 degrees a
//          frame), 12-15 air brakes open, 15 fires (muzzle glow)
//   16-22  look 32: armoured three-toothed cog, 120/7 degrees a frame
//   23-28  look 6: manta weaver, rolling through its weave (slow at 0 and 5)
//   29-33  look 9: long flat craft rippling (roll -24..+24)
//   34-38  look 10: rotor craft, rotor angle and core glow follow the phase
//   39-42  look 15: clam pod opening over four steps
//   43-49  look 18: heavy fighter turning from left to right
//   50-55  look 21: twin-hull craft rolling; 56-61 look 22: wings flapping
//   62-75  look 30: 62-71 turbine loop; 72-75 nose plates open on the beam gun
//   76-81  look 31: three-bladed rotor, 20 degrees a frame (reads any way)
//   82-94  look 38: lift jets (82-85), swinging the jets back (86-91),
//          afterburner dash flicker (92-94)
//   95-99  look 39: rocket, five-frame flame loop
//   100-104 look 46: tall craft swaying
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "art/kit.h"

namespace ag {
namespace {

constexpr int kS = 64;
constexpr double kPi = 3.14159265358979323846;

Image render(const Mesh& m, const std::vector<Material>& mats, const Mat3& rot,
             double scale = 1.0) {
  return kitRender(m, mats, kS, kS, rot, scale);
}

Image gyroFighter(const std::vector<Material>& mats, double ringAngle, double brake, bool fire) {
  Mesh m;
  fuselage(m, 44, 7, kHull, 0.8);
  m.ellipsoid({8, 4.5, 0}, {8, 3.5, 3.5}, 12, kCanopy);
  wingPair(m, {{0, 5}, {-14, 16}, {-19, 16}, {-16, 5}}, -1, 1, kAccent);
  Mesh ring;
  ring.lathe({{-3, 10.5}, {-2, 11.5}, {2, 11.5}, {3, 10.5}}, 20, kMetal);
  for (int k = 0; k < 3; ++k) {
    const double a = ringAngle * kDegToRad + k * 2 * kPi / 3;
    const Vec3 dir{0, std::cos(a), std::sin(a)};
    Mesh spike;
    spike.lathe({{0, 2.2}, {6, 0}}, 8, kGlow);
    spike.transform(Mat3::rotZ(kPi / 2));  // point along +y
    Mat3 orient = Mat3::rotX(a);
    spike.transform(orient, dir * 11.0);
    ring.append(spike);
  }
  ring.transform(Mat3(), {-6, 0, 0});
  m.append(ring);
  // Air brakes: plates hinged on the nose that swing open.
  for (int side : {-1, 1}) {
    Mesh plate;
    plate.extrudeXY({{0, 0}, {9, 0}, {9, 1.2}, {0, 1.2}}, -4, 4, kAccent);
    plate.transform(Mat3::rotZ(side * brake * 70 * kDegToRad), {10, side * 5.0, 0});
    m.append(plate);
  }
  m.lathe({{20, 1.8}, {27, 1.6}}, 8, kMetal, 1, 1, {0, -3, 0});
  Image img = render(m, mats, kitView(180, 0, 0, 20), 1.15);
  if (fire)
    star4(img, 32 - 30, 35, 7, 1.6, 0, Rgb{255, 140, 60}, Rgb{255, 230, 160}, Rgb{255, 255, 255});
  flame(img, 32 + 23, 32.5, 6 + std::fmod(ringAngle, 20) / 6, 3, Rgb{255, 110, 40},
        Rgb{255, 210, 110}, 0, 1);
  return img;
}

Image cog(const std::vector<Material>& mats, int f) {
  // Built facing the viewer (in the x-y plane) and spun in that plane.
  Mesh m;
  for (int k = 0; k < 3; ++k) {
    Mesh tooth;
    tooth.extrudeXY({{9, -7}, {23, -3.5}, {23, 3.5}, {9, 7}}, -3.5, 3.5, kAccent);
    tooth.box({20, -2.5, 3.5}, {24, 2.5, 5}, kMetal);
    tooth.transform(Mat3::rotZ(k * 2 * kPi / 3));
    m.append(tooth);
  }
  Mesh hub;
  hub.lathe({{-6, 11}, {-5, 13}, {5, 13}, {6, 11}}, 20, kHull);
  hub.transform(Mat3::rotY(kPi / 2));  // axis along z, toward the viewer
  m.append(hub);
  m.ellipsoid({0, 0, 6}, {5.5, 5.5, 3}, 12, kGlow);
  for (int k = 0; k < 6; ++k) {
    const double a = k * kPi / 3 + kPi / 6;
    m.ellipsoid({std::cos(a) * 9, std::sin(a) * 9, 5}, {1.3, 1.3, 1.3}, 6, kBright);
  }
  return render(m, mats,
                Mat3::rotX(18 * kDegToRad) * Mat3::rotY(-20 * kDegToRad) *
                    Mat3::rotZ(-f * 120.0 / 7 * kDegToRad));
}

Image manta(const std::vector<Material>& mats, double roll) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {16, 4.5, 8}, 14, kHull);
  wingPair(m, {{10, 4}, {-4, 22}, {-10, 20}, {-12, 4}}, -1.2, 0.8, kAccent);
  m.lathe({{-30, 0.6}, {-14, 2.5}}, 8, kMetal);  // tail
  m.ellipsoid({9, 2.5, 0}, {5, 2.5, 3}, 10, kCanopy);
  m.ellipsoid({-6, -3, 0}, {5, 2, 3}, 10, kGlow);
  return render(m, mats, kitView(180, 0, roll, 24));
}

// Long, flat craft for the wide looks (60 x 22 boxes); booms = twin hulls.
Image longship(const std::vector<Material>& mats, double roll, bool booms) {
  Mesh m;
  if (booms) {
    for (int side : {-1, 1})
      m.lathe({{-26, 1.5}, {-20, 3.4}, {14, 3.4}, {24, 0}}, 10, kHull, 1, 1, {0, 0, side * 6.0});
    m.box({-14, -1, -6}, {8, 1, 6}, kAccent);
    m.ellipsoid({-2, 2, 0}, {8, 3, 3.5}, 10, kCanopy);
    wingPair(m, {{-18, 6}, {-24, 11}, {-27, 11}, {-26, 6}}, -0.6, 0.6, kAccent);
    for (int side : {-1, 1}) m.ellipsoid({-26, 0, side * 6.0}, {1.5, 2.6, 2.6}, 8, kGlow);
  } else {
    m.lathe({{-28, 2}, {-22, 5}, {10, 5}, {22, 2.5}, {29, 0}}, 14, kHull, 0.7, 1.6);
    wingPair(m, {{6, 7}, {-8, 13}, {-14, 13}, {-12, 7}}, -0.8, 0.6, kAccent);
    m.ellipsoid({8, 3, 0}, {7, 2.4, 3}, 10, kCanopy);
    for (int k = 0; k < 4; ++k) m.ellipsoid({-16.0 + k * 7, -3.2, 0}, {2, 1, 5}, 8, kGlow);
  }
  return render(m, mats, kitView(180, 0, roll, 24));
}

Image flapper(const std::vector<Material>& mats, double flap) {
  Mesh m;
  m.lathe({{-27, 2}, {-20, 4.5}, {12, 4.5}, {27, 0}}, 14, kHull, 0.9, 1.0);
  m.ellipsoid({9, 3, 0}, {6, 2.5, 3}, 10, kCanopy);
  for (int side : {-1, 1}) {
    Mesh w;
    w.extrudeXZ({{8, 0}, {-8, 14}, {-16, 14}, {-12, 0}}, -0.8, 0.8, kAccent);
    w.extrudeXZ({{-7, 12}, {-16, 12}, {-16, 14}, {-8, 14}}, -1, 1, kGlow);
    if (side < 0) {
      Mat3 mirror = Mat3::scaled(1, 1, -1);
      w.transform(mirror);
    }
    w.transform(Mat3::rotX(side * flap * kDegToRad), {0, 0, side * 4.0});
    m.append(w);
  }
  return render(m, mats, kitView(180, 0, 0, 22));
}

Image rotorCraft(const std::vector<Material>& mats, int phase) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {13, 7, 7}, 14, kHull);
  m.ellipsoid({-2, 0, 0}, {4, 4, 8.5}, 10, kGlow);
  Mesh rotor;
  for (int k = 0; k < 4; ++k) {
    Mesh blade;
    blade.extrudeXY({{0, -1.8}, {15, -1}, {15, 1}, {0, 1.8}}, -0.5, 0.5, kMetal);
    blade.transform(Mat3::rotY(k * kPi / 2));
    rotor.append(blade);
  }
  rotor.transform(Mat3::rotY(phase * 18 * kDegToRad), {-2, 8, 0});
  m.append(rotor);
  m.lathe({{-6, 1.2}, {-2, 1.2}}, 8, kMetal, 1, 1, {0, 6.5, 0});
  m.ellipsoid({8, 2, 0}, {4.5, 3, 4}, 10, kCanopy);
  const double pulse = 0.85 + 0.1 * phase;
  return kitRender(m, mats, kS, kS, kitView(180, 0, 0, 22), 1.5, pulse);
}

Image clam(const std::vector<Material>& mats, double open) {
  Mesh m;
  for (int side : {-1, 1}) {
    Mesh shell;
    shell.ellipsoid({0, 0, 0}, {15, 8, 10}, 14, kHull);
    // Keep only the half on this side of the seam.
    Mesh half;
    for (const Tri& t : shell.tris()) {
      const double cy = (t.p[0].y + t.p[1].y + t.p[2].y) / 3;
      if (cy * side >= 0) half.add(t);
    }
    half.transform(Mat3::rotZ(-side * open * 40 * kDegToRad), {10, 0, 0});
    half.transform(Mat3(), {-10, side * open * 2, 0});
    m.append(half);
  }
  m.ellipsoid({0, 0, 0}, {9, 5.5 * (0.3 + open), 7}, 12, kGlow);
  m.lathe({{2, 2}, {16, 1.6}}, 8, kMetal, 1, 1, {0, 0, 0});
  return render(m, mats, kitView(180, 0, 0, 18), 1.4);
}

Mesh heavyFighter() {
  Mesh m;
  fuselage(m, 42, 6, kHull);
  m.ellipsoid({6, 4, 0}, {7, 3, 3}, 12, kCanopy);
  wingPair(m, {{2, 5}, {-10, 19}, {-16, 19}, {-14, 5}}, -1, 1, kAccent);
  wingPair(m, {{-12, 5}, {-18, 9}, {-20, 9}, {-20, 5}}, 0, 7, kAccent);
  for (int side : {-1, 1})
    m.lathe({{-20, 3}, {-4, 3.4}, {2, 2}}, 10, kMetal, 1, 1, {0, -2, side * 7.0});
  return m;
}

Image turnHeavy(const Mesh& m, const std::vector<Material>& mats, double yaw) {
  Image img = render(m, mats, kitView(yaw, 0, 0, 24));
  const double c = std::cos(yaw * kDegToRad);
  if (std::abs(c) > 0.3)
    flame(img, 32 - c * 21, 33, 7 * std::abs(c), 2.6, Rgb{255, 110, 40}, Rgb{255, 210, 110}, 0,
          c > 0 ? -1 : 1);
  return img;
}

Image gunship30(const std::vector<Material>& mats, int loop, double open) {
  Mesh m;
  m.lathe({{-20, 7}, {-14, 10}, {6, 10}, {14, 8}, {20, 5}}, 16, kHull, 0.9, 1.0);
  // Turbine vanes turning inside the intake ring at the back.
  m.lathe({{-22, 8}, {-18, 9}}, 16, kMetal, 0.9, 1.0);
  for (int k = 0; k < 5; ++k) {
    const double a = (k * 72 + loop * 7.2) * kDegToRad;
    Mesh vane;
    vane.box({-22.5, -0.8, 0}, {-21.5, 0.8, 7}, kBright);
    vane.transform(Mat3::rotX(a));
    m.append(vane);
  }
  // Nose plates slide apart to bare the beam gun.
  for (int side : {-1, 1}) {
    Mesh plate;
    plate.extrudeXY({{14, 0}, {24, 0}, {20, 6}, {14, 6}}, -5, 5, kAccent);
    if (side < 0) plate.transform(Mat3::scaled(1, -1, 1));
    plate.transform(Mat3(), {-open * 5, side * open * 4, 0});
    m.append(plate);
  }
  m.lathe({{14, 3}, {24, 2}}, 10, kGlow, 1, 1);
  wingPair(m, {{-2, 9}, {-10, 18}, {-15, 18}, {-12, 9}}, -1, 1, kAccent);
  m.ellipsoid({0, 8, 0}, {7, 3.5, 4}, 12, kCanopy);
  Image img = render(m, mats, kitView(180, 0, 0, 20));
  if (open > 0.9)
    star4(img, 32 - 13, 32, 8, 2, 0, Rgb{255, 80, 160}, Rgb{255, 200, 230}, Rgb{255, 255, 255});
  return img;
}

Image rotorBlade(const std::vector<Material>& mats, int f) {
  Mesh m;
  for (int k = 0; k < 3; ++k) {
    Mesh b;
    b.extrudeXY({{3, -3}, {22, -1}, {23, 2}, {4, 4}}, -1, 1, kAccent);
    b.transform(Mat3::rotZ(k * 2 * kPi / 3));
    m.append(b);
  }
  m.ellipsoid({0, 0, 0}, {8, 8, 5}, 14, kHull);
  m.ellipsoid({0, 0, 3}, {3.5, 3.5, 3}, 10, kGlow);
  return render(m, mats, Mat3::rotX(40 * kDegToRad) * Mat3::rotZ(-f * 20 * kDegToRad));
}

Image jetCraft(const std::vector<Material>& mats, double swing, int flick, bool dash) {
  Mesh m;
  fuselage(m, 40, 6, kHull, 0.75);
  m.ellipsoid({6, 3.5, 0}, {7, 3, 3}, 12, kCanopy);
  wingPair(m, {{0, 4}, {-8, 16}, {-14, 16}, {-12, 4}}, -1, 1, kAccent);
  // Engine pods on the wings; they swing from pointing down to pointing back.
  for (int side : {-1, 1}) {
    Mesh pod;
    pod.lathe({{-6, 2.5}, {-4, 3.4}, {5, 3.4}, {7, 2}}, 10, kMetal);
    pod.transform(Mat3::rotZ(-swing * kDegToRad), {-10, -1, side * 12.0});
    m.append(pod);
  }
  Image img = render(m, mats, kitView(180, 0, 0, 22));
  // Facing left: the pods' exhausts point down (swing 90) or right (swing 0).
  const double a = swing * kDegToRad;
  const double ex = 32 + 10 + std::cos(a) * 6, ey = 34 + std::sin(a) * 6;
  const double len = dash ? 12 + flick * 2 : 6 + flick;
  if (swing > 45)
    for (int k = 0; k < static_cast<int>(len); ++k)
      fillCircle(img, ex + std::cos(a) * k * 0.3, ey + k, 2.2 - k * 0.15,
                 k < 2 ? Rgb{255, 250, 200} : Rgb{255, 150, 60});
  else
    flame(img, ex, ey, len, 3, Rgb{255, 110, 40}, Rgb{255, 210, 110}, flick, 1);
  return img;
}

Image rocket(const std::vector<Material>& mats, int f) {
  Mesh m;
  missileBody(m, 46, 5, kHull, kAccent, kAccent);
  m.lathe({{-23, 3.5}, {-25, 4.2}}, 10, kMetal);
  Image img = render(m, mats, kitView(180, 0, 0, 16));
  flame(img, 32 + 24, 32, 6 + (f % 5) * 1.2, 3.6 - (f % 2) * 0.5, Rgb{255, 110, 40},
        Rgb{255, 220, 120}, f, 1);
  return img;
}

Image tallCraft(const std::vector<Material>& mats, double roll) {
  Mesh m;
  m.ellipsoid({0, 0, 0}, {10, 20, 8}, 16, kHull);
  m.ellipsoid({4, 8, 0}, {5, 4, 4}, 10, kCanopy);
  m.extrudeXY({{-12, -14}, {4, -10}, {4, 10}, {-12, 14}}, -2, 2, kAccent);
  m.ellipsoid({0, -12, 0}, {6, 4, 6}, 10, kGlow);
  m.lathe({{2, 1.5}, {14, 1.5}}, 8, kMetal, 1, 1, {0, -4, 0});
  return render(m, mats, kitView(180, 0, roll, 16), 1.2);
}

}  // namespace

void drawMediumEnemies(ArtSet& art) {
  CellList& il = art["IL64"];
  const auto crimson = kitMaterials(Rgb{190, 56, 64}, Rgb{160, 160, 176});
  for (int f = 0; f < 12; ++f) il.put(f, gyroFighter(crimson, f * 10.0, 0, false));
  for (int k = 0; k < 4; ++k) il.put(12 + k, gyroFighter(crimson, 0, (k + 1) / 4.0, k == 3));
  const auto iron = kitMaterials(Rgb{120, 126, 150}, Rgb{90, 96, 120}, Rgb{120, 200, 255});
  for (int f = 0; f < 7; ++f) il.put(16 + f, cog(iron, f));
  const auto sea = kitMaterials(Rgb{60, 110, 170}, Rgb{200, 70, 60});
  for (int f = 0; f < 6; ++f) il.put(23 + f, manta(sea, -40 * std::cos(f * kPi / 5)));
  const auto sand = kitMaterials(Rgb{200, 150, 80}, Rgb{130, 60, 50});
  for (int f = 0; f < 5; ++f) il.put(29 + f, longship(sand, -24 + f * 12, false));
  const auto rotorMats = kitMaterials(Rgb{150, 80, 160}, Rgb{200, 200, 210});
  for (int f = 0; f < 5; ++f) il.put(34 + f, rotorCraft(rotorMats, f));
  const auto pearl = kitMaterials(Rgb{190, 180, 200}, Rgb{120, 60, 150}, Rgb{255, 80, 140});
  for (int f = 0; f < 4; ++f) il.put(39 + f, clam(pearl, f / 3.0));
  const auto wine = kitMaterials(Rgb{150, 50, 110}, Rgb{200, 170, 90});
  const Mesh hf = heavyFighter();
  for (int f = 0; f < 7; ++f) il.put(43 + f, turnHeavy(hf, wine, 180 - f * 30));
  const auto moss = kitMaterials(Rgb{110, 150, 80}, Rgb{170, 90, 160});
  for (int f = 0; f < 6; ++f) il.put(50 + f, longship(moss, -30 + f * 12, true));
  const auto copper = kitMaterials(Rgb{200, 110, 60}, Rgb{110, 90, 150});
  for (int f = 0; f < 6; ++f) il.put(56 + f, flapper(copper, -25 + f * 10));
  const auto gun = kitMaterials(Rgb{90, 120, 110}, Rgb{200, 160, 60}, Rgb{255, 80, 160});
  for (int f = 0; f < 10; ++f) il.put(62 + f, gunship30(gun, f, 0));
  for (int k = 0; k < 4; ++k) il.put(72 + k, gunship30(gun, 0, (k + 1) / 4.0));
  const auto blade = kitMaterials(Rgb{100, 100, 120}, Rgb{210, 80, 60});
  for (int f = 0; f < 6; ++f) il.put(76 + f, rotorBlade(blade, f));
  const auto jet = kitMaterials(Rgb{170, 170, 186}, Rgb{200, 60, 60});
  for (int f = 0; f < 4; ++f) il.put(82 + f, jetCraft(jet, 90, f % 2, false));
  for (int k = 0; k < 6; ++k) il.put(86 + k, jetCraft(jet, 90 - (k + 1) * 15, k % 2, k >= 4));
  for (int f = 0; f < 3; ++f) il.put(92 + f, jetCraft(jet, 0, f, true));
  const auto rocketMats = kitMaterials(Rgb{210, 200, 180}, Rgb{180, 50, 50});
  for (int f = 0; f < 5; ++f) il.put(95 + f, rocket(rocketMats, f));
  const auto tall = kitMaterials(Rgb{80, 130, 150}, Rgb{200, 120, 60});
  for (int f = 0; f < 5; ++f) il.put(100 + f, tallCraft(tall, -20 + f * 10));
}

}  // namespace ag
