// enemy_shots.cpp — enemy bullets, all in hot colours so they never read as
// the player's (cool) shots or as background stars:
//   IL20 19-20  big plasma ball (kind 0), two-frame pulse
//   IL20 21-22  horizontal needle (kind 1), two-frame flicker
//   IL20 23-25  graded bullets 14 / 11 / 8 px; any pair toggles as a pulse
//               (23/25 is also the boss charge glow)
#include <cmath>

#include "art/fx.h"
#include "art/groups.h"
#include "draw.h"

namespace ag {
namespace {

Image plasmaBall(int frame) {
  Image img(20, 20);
  const double r = frame ? 8.6 : 8.0;
  fillCircle(img, 10, 10, r, frame ? Rgb{170, 20, 60} : Rgb{200, 40, 40});
  fillCircle(img, 10, 10, r - 1.6, frame ? Rgb{255, 80, 60} : Rgb{255, 110, 50});
  fillCircle(img, 10, 10, r - 3.6, Rgb{255, 200, 120});
  fillCircle(img, 9.4, 9.4, r - 5.6, Rgb{255, 255, 240});
  // Flickering flares on the rim.
  for (int k = 0; k < 8; ++k) {
    const double a = k * 0.785398 + frame * 0.39;
    const double rr = r + ((k + frame) % 2 ? 0.8 : 0.0);
    img.set(static_cast<int>(10 + std::cos(a) * rr), static_cast<int>(10 + std::sin(a) * rr),
            Rgb{255, 150, 80});
  }
  outline(img, Rgb{60, 10, 30});
  return img;
}

Image needle(int frame) {
  Image img(20, 20);
  // Pointed dart, nose left; the tail flickers.
  for (int x = 1; x < 19; ++x) {
    const double t = (x - 1) / 17.0;
    const double half = t < 0.3 ? t / 0.3 * 2.6 : 2.6 - (t - 0.3) * (frame ? 2.2 : 1.4);
    for (int y = 0; y < 20; ++y) {
      const double d = std::abs(y + 0.5 - 10);
      if (d > half) continue;
      Rgb c = d < half * 0.4    ? Rgb{255, 250, 230}
              : d < half * 0.75 ? Rgb{255, 120, 170}
                                : Rgb{210, 30, 110};
      img.set(x, y, c);
    }
  }
  return img;
}

Image gradedBullet(double r) {
  Image img(20, 20);
  fillCircle(img, 10, 10, r, Rgb{230, 40, 90});
  fillCircle(img, 10, 10, r * 0.72, Rgb{255, 140, 90});
  fillCircle(img, 9.6, 9.6, r * 0.42, Rgb{255, 250, 220});
  outline(img, Rgb{70, 10, 40});
  return img;
}

}  // namespace

void drawEnemyBullets(ArtSet& art) {
  CellList& il = art["IL20"];
  il.put(19, plasmaBall(0));
  il.put(20, plasmaBall(1));
  il.put(21, needle(0));
  il.put(22, needle(1));
  il.put(23, gradedBullet(6.2));
  il.put(24, gradedBullet(4.6));
  il.put(25, gradedBullet(3.0));
}

}  // namespace ag
