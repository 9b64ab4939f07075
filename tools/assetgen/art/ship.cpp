// ship.cpp — IL74 0-63, the player's ship, pre-rendered from a small 3D model
// (nose right, centre of the cell on the model origin).
//   0-9    normal flight, ten roll steps (4 = level, seen slightly from above)
//   16-25  boosting: the same rolls with the wings swept back
//   38-47  afterimages of 16-25: dark blue, half dithered away
//   48-57  hit blink: white-hot tint of 0-9
//   overlays (drawn 1 px right and down of the ship): engine flame on the roll
//   axis, so it fits every roll step, plus the weapon-type lamp on the nose and,
//   in odd cells, the muzzle glow at the gun port:
//   10-15 flight (type A cyan, B green, C violet; odd = fired), 26/28/30 long
//   afterburner, 32/34/36 dim flame for the afterimages, 58-63 hit-blink tints.
//   27, 29, 31, 33, 35, 37 are never shown and repeat their even neighbour.
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"
#include "render3d.h"

namespace ag {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;
constexpr int kCell = 74;
constexpr double kC = 37;         // cell centre
constexpr double kNozzleX = -26;  // engine exit on the roll axis
const Rgb kTypeColour[3] = {{80, 220, 255}, {100, 255, 140}, {196, 130, 255}};

enum Mat { Hull, Trim, Glass, Dark, Gun, Stripe };

std::vector<Material> shipMaterials() {
  std::vector<Material> m(6);
  m[Hull].ramp = makeRamp(Rgb{196, 204, 222});
  m[Trim].ramp = makeRamp(Rgb{54, 104, 206});
  m[Glass].ramp = makeRamp(Rgb{70, 190, 250});
  m[Glass].specular = 0.8;
  m[Dark].ramp = makeRamp(Rgb{70, 72, 96});
  m[Gun].ramp = makeRamp(Rgb{140, 148, 168});
  m[Stripe].ramp = makeRamp(Rgb{220, 70, 60});
  return m;
}

void mirrorPair(Mesh& m, const std::vector<std::pair<double, double>>& plan, double y0, double y1,
                int mat) {
  m.extrudeXZ(plan, y0, y1, mat);
  std::vector<std::pair<double, double>> mirrored;
  for (auto [x, z] : plan) mirrored.push_back({x, -z});
  m.extrudeXZ(mirrored, y0, y1, mat);
}

Mesh shipModel(bool boost) {
  Mesh m;
  m.lathe({{-24, 4.6},
           {-21, 6.0},
           {-14, 7.0},
           {-4, 7.2},
           {6, 6.4},
           {14, 5.0},
           {22, 3.0},
           {27, 1.5},
           {29.5, 0}},
          16, Hull, 0.82, 1.0);
  // Engine bell and a trim ring behind the cockpit.
  m.lathe({{kNozzleX, 4.0}, {-24, 4.9}}, 16, Dark, 0.82, 1.0);
  m.lathe({{-6, 7.35}, {-3, 7.35}}, 16, Trim, 0.82, 1.0);
  m.ellipsoid({8, 4.2, 0}, {8, 3.4, 3.0}, 12, Glass);
  // Main wings: delta in flight, swept back while boosting.
  if (boost)
    mirrorPair(m, {{2, 5}, {-19, 21}, {-25, 21}, {-21, 5}}, -1.0, 0.6, Trim);
  else
    mirrorPair(m, {{4, 5}, {-14, 25}, {-20, 25}, {-20, 5}}, -1.0, 0.6, Trim);
  // Red wing-tip stripes.
  if (boost)
    mirrorPair(m, {{-17.5, 19}, {-19, 21}, {-25, 21}, {-23.5, 19}}, -1.2, 0.8, Stripe);
  else
    mirrorPair(m, {{-12.5, 23}, {-14, 25}, {-20, 25}, {-20, 23}}, -1.2, 0.8, Stripe);
  // Canards near the nose.
  if (!boost) mirrorPair(m, {{17, 3}, {11, 10}, {9, 10}, {11, 3}}, -0.5, 0.5, Hull);
  // Tail fin.
  m.extrudeXY({{-25, 4}, {-13, 4}, {-19, 13}, {-24, 13}}, -0.9, 0.9, Hull);
  m.extrudeXY({{-24, 11}, {-19.5, 11}, {-19, 13}, {-24, 13}}, -1.0, 1.0, Trim);
  // Dorsal gun: mount and barrel ending at the gun port.
  m.extrudeXY({{2, 5}, {13, 5}, {11, 10}, {4, 10}}, -1.6, 1.6, Gun);
  m.lathe({{4, 1.7}, {20, 1.5}, {23, 1.5}}, 10, Gun, 1, 1, {0, 10.6, 0});
  // Belly intake.
  m.box({-12, -7.5, -3}, {2, -4, 3}, Dark);
  return m;
}

double rollFor(int bank) {
  return (28 + (bank - 4) * 8.0) * kDeg;
}

Image shipFrame(int bank, bool boost) {
  static const std::vector<Material> mats = shipMaterials();
  RenderOpts o;
  o.w = o.h = kCell;
  o.cx = o.cy = kC;
  o.rot = Mat3::rotX(rollFor(bank));
  o.edgeDepth = 2.0;
  return renderMesh(shipModel(boost), mats, o);
}

// Overlay: flame of the given length left of the nozzle, type lamp, muzzle glow.
Image overlay(int type, bool fired, double flameLen, double flameRadius, bool dim) {
  Image img(kCell, kCell);
  const Rgb tc = kTypeColour[type];
  // Overlay pixel (u, v) lands on ship pixel (u + 1, v + 1).
  const double nx = kC + kNozzleX - 1, ny = kC - 1;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      const double dx = nx - (x + 0.5), dy = y + 0.5 - ny;
      if (dx < -2 || dx > flameLen) continue;
      const double t = std::max(0.0, dx) / flameLen;
      const double rad = flameRadius * (1 - t * t) + 0.6;
      // Shock diamonds flicker along longer flames.
      const double pinch = flameLen > 12 ? 0.7 + 0.3 * std::cos(dx * 0.9) : 1.0;
      const double q = std::abs(dy) / (rad * pinch);
      if (q > 1) continue;
      const double heat = (1 - q) * (1 - t * 0.8);
      Rgb c = heat > 0.55   ? Rgb{255, 255, 255}
              : heat > 0.3  ? mix(tc, Rgb{255, 255, 255}, 0.45)
              : heat > 0.12 ? tc
                            : scale(tc, 0.55);
      if (dim) c = scale(c, 0.5);
      img.set(x, y, solid(c));
    }
  if (dim) ditherFade(img, 0.35);
  // Weapon-type lamp near the nose tip (on the roll axis, fits every roll).
  const int lx = static_cast<int>(kC + 25) - 1, ly = static_cast<int>(kC) - 1;
  if (!dim) {
    img.set(lx, ly, mix(tc, Rgb{255, 255, 255}, 0.6));
    img.set(lx + 1, ly, tc);
    img.set(lx, ly + 1, scale(tc, 0.7));
    img.set(lx + 1, ly + 1, scale(tc, 0.7));
  }
  if (fired) {
    // Gun port at ship pixel (60, 26).
    star4(img, 59.5, 25.5, 5.5, 1.3, 0, tc, mix(tc, Rgb{255, 255, 255}, 0.6), Rgb{255, 255, 255});
  }
  return img;
}

Image hotTint(const Image& src) {
  Image out = src;
  recolour(out, [](Rgb c) {
    const double v = (c.r * 0.3 + c.g * 0.5 + c.b * 0.2) / 255.0;
    return v > 0.55 ? mix(Rgb{255, 200, 170}, Rgb{255, 255, 255}, (v - 0.55) / 0.45)
                    : mix(Rgb{120, 20, 30}, Rgb{255, 90, 70}, v / 0.55);
  });
  return out;
}

Image ghostTint(const Image& src, int phase) {
  Image out = src;
  recolour(out, [](Rgb c) {
    const double v = (c.r + c.g + c.b) / 765.0;
    return rgb(16 + v * 40, 24 + v * 70, 60 + v * 130);
  });
  ditherFade(out, 0.5, phase);
  return out;
}

}  // namespace

void drawShip(ArtSet& art) {
  CellList& il = art["IL74"];
  for (int b = 0; b < 10; ++b) {
    il.put(b, shipFrame(b, false));
    il.put(16 + b, shipFrame(b, true));
  }
  for (int b = 0; b < 10; ++b) {
    il.put(38 + b, ghostTint(il.at(16 + b), b));
    il.put(48 + b, hotTint(il.at(b)));
  }
  for (int t = 0; t < 3; ++t) {
    il.put(10 + 2 * t, overlay(t, false, 8, 3.4, false));
    il.put(11 + 2 * t, overlay(t, true, 9, 3.6, false));
    il.put(26 + 2 * t, overlay(t, false, 12, 4.2, false));
    il.put(27 + 2 * t, il.at(26 + 2 * t));
    il.put(32 + 2 * t, overlay(t, false, 10, 3.4, true));
    il.put(33 + 2 * t, il.at(32 + 2 * t));
  }
  for (int k = 0; k < 6; ++k) il.put(58 + k, hotTint(il.at(10 + k)));
}

}  // namespace ag
