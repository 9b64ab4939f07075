// items.cpp — IL40 (40 x 40, drawn centred except the hit flash):
//   0-2    power-up capsule: blue pill with a white up-chevron
//   3-5    small score capsule: green pill with one star
//   6-8    large score capsule: gold pill with two stars
//          (each three-frame loop sweeps a shine across and blinks the end caps)
//   9-11   diver / boss child: three-bladed spinning orb (40 degrees a frame,
//          a third of its symmetry, so it loops in any direction of flight)
//   12-19  debris: a torn armour plate tumbling a full turn in eight frames
//   20     hit flash, centred on cell pixel (13, 20) where the shot lands
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"
#include "render3d.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

void chevron(Image& img, double cx, double cy, Rgb c) {
  fillPolygon(img,
              {{cx - 5, cy + 2.5},
               {cx, cy - 3},
               {cx + 5, cy + 2.5},
               {cx + 5, cy + 5},
               {cx, cy - 0.5},
               {cx - 5, cy + 5}},
              c);
}

void starMark(Image& img, double cx, double cy, double r, Rgb c) {
  std::vector<Pt> pts;
  for (int k = 0; k < 10; ++k) {
    const double a = -kPi / 2 + k * kPi / 5, rr = k % 2 ? r * 0.45 : r;
    pts.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
  }
  fillPolygon(img, pts, c);
}

Image capsule(int kind, int frame) {
  Image img(40, 40);
  const Rgb base[3] = {{60, 120, 240}, {60, 190, 90}, {230, 170, 40}};
  const Ramp6 r = makeRamp(base[kind]);
  const double cx = 20, cy = 20, hw = 15, hh = 10.5;
  // Pill: shaded as a horizontal cylinder with rounded ends.
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const double dy = (y + 0.5 - cy) / hh;
      const double ex = std::max(0.0, std::abs(x + 0.5 - cx) - (hw - hh)) / hh;
      if (ex * ex + dy * dy > 1) continue;
      double t = 0.62 - dy * 0.42 - (x - cx) / 80.0;
      if (dy < -0.55 && dy > -0.8) t = 0.95;  // highlight stripe
      // Shine sweeping across, one step per frame.
      const double sweep = x + 0.5 - (8 + frame * 12) + dy * 4;
      if (std::abs(sweep) < 1.6) t = 1.0;
      img.set(x, y, pick(r, t));
    }
  // End caps in a contrasting metal, blinking.
  const Rgb cap = frame == 1 ? Rgb{255, 255, 255} : Rgb{190, 196, 214};
  for (int side : {-1, 1}) {
    const double ex = cx + side * (hw - 2.5);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        const double dx = x + 0.5 - ex, dy = y + 0.5 - cy;
        if (std::abs(dx) < 1.2 && std::abs(dy) < hh * 0.85) img.set(x, y, scale(cap, 0.75));
      }
  }
  if (kind == 0) chevron(img, cx, cy - 0.5, Rgb{255, 255, 255});
  if (kind == 1) starMark(img, cx, cy, 5.5, Rgb{255, 255, 220});
  if (kind == 2) {
    starMark(img, cx - 4.5, cy, 4.6, Rgb{255, 255, 230});
    starMark(img, cx + 4.5, cy, 4.6, Rgb{255, 255, 230});
  }
  outline(img, kInk);
  return img;
}

Image diver(int frame) {
  Image img(40, 40);
  const double a0 = frame * 40 * kPi / 180;
  for (int k = 0; k < 3; ++k) {
    const double a = a0 + k * 2 * kPi / 3;
    fillPolygon(img,
                {{20 + std::cos(a - 0.5) * 6, 20 + std::sin(a - 0.5) * 6},
                 {20 + std::cos(a) * 15, 20 + std::sin(a) * 15},
                 {20 + std::cos(a + 0.35) * 7, 20 + std::sin(a + 0.35) * 7}},
                k == 0 ? Rgb{200, 80, 200} : Rgb{160, 60, 170});
  }
  orb(img, 20, 20, 8, Rgb{110, 40, 120}, Rgb{200, 90, 200}, Rgb{255, 190, 250});
  fillCircle(img, 20, 20, 3, Rgb{255, 80, 60});
  fillCircle(img, 19.5, 19.5, 1.2, Rgb{255, 230, 200});
  outline(img, kInk);
  return img;
}

Image debris(int frame) {
  Mesh m;
  m.extrudeXY({{-11, -4}, {6, -7}, {12, 2}, {3, 8}, {-9, 5}}, -1.5, 1.5, 0);
  m.box({-6, -2, 1.5}, {5, 3, 3}, 1);  // a rib on the plate
  std::vector<Material> mats(2);
  mats[0].ramp = makeRamp(Rgb{150, 130, 120});
  mats[1].ramp = makeRamp(Rgb{110, 100, 110});
  RenderOpts o;
  o.w = o.h = 40;
  o.cx = o.cy = 20;
  const double a = frame * kPi / 4;
  o.rot = Mat3::rotZ(a) * Mat3::rotX(a * 0.5 + 0.4) * Mat3::rotY(a);
  o.brightness = 0.85;
  Image img = renderMesh(m, mats, o);
  // Smouldering edge glow.
  img.set(20 + static_cast<int>(std::cos(a) * 6), 20 + static_cast<int>(std::sin(a) * 6),
          Rgb{255, 160, 60});
  return img;
}

Image hitFlash() {
  Image img(40, 40);
  star4(img, 13, 20, 9, 2.0, kPi / 4, Rgb{255, 200, 80}, Rgb{255, 250, 200}, Rgb{255, 255, 255});
  star4(img, 13, 20, 12, 1.6, 0, Rgb{255, 170, 60}, Rgb{255, 240, 170}, Rgb{255, 255, 255});
  return img;
}

}  // namespace

void drawItems(ArtSet& art) {
  CellList& il = art["IL40"];
  for (int k = 0; k < 3; ++k)
    for (int f = 0; f < 3; ++f) il.put(k * 3 + f, capsule(k, f));
  for (int f = 0; f < 3; ++f) il.put(9 + f, diver(f));
  for (int f = 0; f < 8; ++f) il.put(12 + f, debris(f));
  il.put(20, hitFlash());
}

}  // namespace ag
