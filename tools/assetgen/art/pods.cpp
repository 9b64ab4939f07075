// pods.cpp — IL20 0-18: the ship's pods and muzzle flash.
//   0-5    pod docked: steel orb with a blue eye; a band of lights turns
//          15 degrees a frame (six frames = a quarter turn, so it loops)
//   6-11   pod powered: the same with a white-hot eye and a bright band
//   12-17  afterimages of 6-11: dark blue and half dithered away
//   18     muzzle flash: root on the left edge at mid-height, opening right
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"
#include "light.h"

namespace ag {
namespace {

constexpr double kPi = 3.14159265358979323846;

Image pod(int frame, bool powered) {
  Image img(20, 20);
  const double c = 10, r = 7.6;
  const Vec3 l = keyLight();
  const Ramp6 steel = makeRamp(Rgb{120, 136, 170});
  // Body with a light lit from the upper left.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const double nx = (x + 0.5 - c) / r, ny = (y + 0.5 - c) / r;
      const double q = nx * nx + ny * ny;
      if (q > 1) continue;
      const double nz = std::sqrt(1 - q);
      const double lit = std::max(0.0, nx * l.x + ny * l.y + nz * l.z);
      double t = 0.12 + lit * 0.85 + (lit > 0.96 ? 0.2 : 0);
      img.set(x, y, pickDither(steel, t, x, y));
    }
  // Equatorial band, tilted, with four lamps turning around the pod.
  const double slope = 0.28;
  auto bandY = [&](double x) { return c + 0.5 + (x - c) * slope; };
  for (int x = 3; x < 17; ++x) {
    const double dx = (x + 0.5 - c) / r;
    if (std::abs(dx) > 0.97) continue;
    const int y = static_cast<int>(bandY(x + 0.5));
    img.set(x, y, Rgb{46, 50, 80});
    img.set(x, y + 1, Rgb{30, 32, 58});
  }
  for (int k = 0; k < 4; ++k) {
    const double phi = (k * 90.0 + frame * 15.0) * kPi / 180;
    const double sx = std::sin(phi), cz = std::cos(phi);
    if (cz < 0.2) continue;  // on the far side
    const double px = c + sx * r * 0.9;
    const int ix = static_cast<int>(px), iy = static_cast<int>(bandY(px));
    const Rgb lamp = powered ? Rgb{200, 255, 255} : Rgb{100, 190, 255};
    const Rgb dim = powered ? Rgb{80, 200, 255} : Rgb{50, 110, 220};
    img.set(ix, iy, cz > 0.5 ? lamp : dim);
    img.set(ix, iy + 1, dim);
    if (cz > 0.7) img.set(ix + 1, iy, dim);
  }
  // The eye, facing forward (right), and a dark ring around it.
  fillCircle(img, 12.2, 9.6, 3.3, Rgb{20, 24, 50});
  if (powered) {
    orb(img, 12.2, 9.6, 2.6, Rgb{60, 200, 255}, Rgb{170, 240, 255}, Rgb{255, 255, 255});
  } else {
    orb(img, 12.2, 9.6, 2.4, Rgb{30, 70, 170}, Rgb{60, 130, 230}, Rgb{140, 200, 255});
  }
  outline(img, kInk);
  if (powered) {
    // Energy sparks at the rim, turning with the band.
    const double a = frame * 15.0 * kPi / 180;
    for (int k = 0; k < 2; ++k) {
      const double b = a + k * kPi;
      img.set(static_cast<int>(c + std::cos(b) * 9.4), static_cast<int>(c + std::sin(b) * 9.4),
              Rgb{150, 240, 255});
    }
  }
  return img;
}

Image ghost(const Image& src, int frame) {
  Image g = src;
  recolour(g, [](Rgb c) {
    const double v = (c.r + c.g + c.b) / 765.0;
    return rgb(20 + v * 60, 30 + v * 90, 70 + v * 150);
  });
  ditherFade(g, 0.5, frame);
  return g;
}

Image muzzleFlash() {
  Image img(20, 20);
  // Cone from the root (0, 10) opening to the right, hot core near the root.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const double dx = x + 0.5, dy = y + 0.5 - 10;
      const double spread = 1.2 + dx * 0.42;
      const double t = std::abs(dy) / spread;
      if (t > 1 || dx > 17) continue;
      const double heat = (1 - t) * (1 - dx / 20.0);
      img.set(x, y,
              heat > 0.45   ? Rgb{255, 255, 255}
              : heat > 0.25 ? Rgb{170, 240, 255}
              : heat > 0.1  ? Rgb{70, 170, 255}
                            : Rgb{40, 90, 210});
    }
  star4(img, 4.5, 10, 6.5, 1.2, 0, Rgb{120, 210, 255}, Rgb{220, 250, 255}, Rgb{255, 255, 255});
  return img;
}

}  // namespace

void drawPods(ArtSet& art) {
  CellList& il = art["IL20"];
  for (int f = 0; f < 6; ++f) {
    il.put(f, pod(f, false));
    il.put(6 + f, pod(f, true));
  }
  for (int f = 0; f < 6; ++f) il.put(12 + f, ghost(il.at(6 + f), f));
  il.put(18, muzzleFlash());
}

}  // namespace ag
