// pictures.cpp — draws the showcase's pictures in code and registers them
// as BMP resources, so the example needs no files.
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "plat/canvas.h"
#include "plat/kernel.h"

namespace showcase {
namespace {

std::uint32_t Rgb(double r, double g, double b) {
  auto c = [](double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0)); };
  return c(r) << 16 | c(g) << 8 | c(b);
}

plat::Bitmap Background() {
  plat::Bitmap b(320, 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      const double hill = 170 + 20 * std::sin(x / 30.0) + 10 * std::sin(x / 11.0 + 1);
      b.Row(y)[x] = y > hill ? Rgb(40 + y / 4.0, 120 + 30 * std::sin(x / 7.0), 50)
                             : Rgb(60 + y / 2.0, 90 + y / 2.0, 200 + y / 6.0);
    }
  return b;
}

plat::Bitmap Balls() {
  plat::Bitmap b(128, 32);
  const double tint[4][3] = {{1, 0.3, 0.2}, {0.3, 1, 0.3}, {0.3, 0.5, 1}, {1, 0.9, 0.2}};
  for (int n = 0; n < 4; ++n)
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double dx = x - 15.5, dy = y - 15.5, r = std::sqrt(dx * dx + dy * dy);
        if (r > 14) continue;  // black: the key
        const double light = 60 + 195 * std::clamp(1.0 - std::hypot(dx + 5, dy + 5) / 22, 0.1, 1.0);
        b.Row(y)[n * 32 + x] = Rgb(light * tint[n][0], light * tint[n][1], light * tint[n][2]) | 0x010101;
      }
  return b;
}

}  // namespace

void RegisterPictures() {
  plat::RegisterResource("BITMAP", "bg", Background().SaveToBytes());
  plat::RegisterResource("BITMAP", "balls", Balls().SaveToBytes());
}

}  // namespace showcase
