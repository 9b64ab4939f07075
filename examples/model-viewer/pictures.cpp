// pictures.cpp — draws the viewer's textures and registers them.
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "plat/canvas.h"
#include "plat/kernel.h"

namespace viewer {
namespace {

std::uint32_t Rgb(float r, float g, float b) {
  auto c = [](float v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0f, 255.0f)); };
  return c(r) << 16 | c(g) << 8 | c(b);
}

// 16 × 16 panels with dark seams, a rivet in each corner and a little
// brightness change from panel to panel.
plat::Bitmap Plates() {
  plat::Bitmap b(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const int px = x % 16, py = y % 16;
      const float panel = 170 + static_cast<float>((x / 16 * 7 + y / 16 * 13) % 5) * 12;
      float v = panel - static_cast<float>(py) * 2;
      if (px == 0 || py == 0) v = 60;
      if ((px == 3 || px == 12) && (py == 3 || py == 12)) v = 235;
      b.Row(y)[x] = Rgb(v * 0.92f, v * 0.95f, v);
    }
  return b;
}

// 8 × 4 squares (round the ring × round the tube), warm and cool, each
// brightening towards its middle.
plat::Bitmap Checker() {
  plat::Bitmap b(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool warm = (x / 8 + y / 16) % 2 == 0;
      const float dx = static_cast<float>(x % 8) - 3.5f,
                  dy = (static_cast<float>(y % 16) - 7.5f) / 2;
      const float shade = 1.0f - 0.05f * std::sqrt(dx * dx + dy * dy);
      b.Row(y)[x] = warm ? Rgb(250 * shade, 170 * shade, 50 * shade)
                         : Rgb(40 * shade, 150 * shade, 170 * shade);
    }
  return b;
}

// Top half sky (pale at the horizon), bottom half ground, a sun high up.
plat::Bitmap Chrome() {
  plat::Bitmap b(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const float t = static_cast<float>(y) / 63;
      const float sun = std::max(
          0.0f, 1 - std::hypot(static_cast<float>(x) - 44, static_cast<float>(y) - 14) / 9);
      b.Row(y)[x] = y < 32
                        ? Rgb(90 + 150 * t + 255 * sun, 130 + 120 * t + 255 * sun, 230 + 255 * sun)
                        : Rgb(120 - 60 * t, 90 - 40 * t, 60 - 20 * t);
    }
  return b;
}

plat::Bitmap Glow() {
  plat::Bitmap b(64, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const float dx = static_cast<float>(x) - 15.5f, dy = static_cast<float>(y) - 15.5f;
      const float edge = std::clamp(1 - std::hypot(dx, dy) / 15, 0.0f, 1.0f), spark = edge * edge;
      b.Row(y)[x] = Rgb(255 * spark, 240 * spark, 200 * spark);
      const float star = std::max(std::clamp(1 - std::hypot(dx * 6, dy) / 16, 0.0f, 1.0f),
                                  std::clamp(1 - std::hypot(dx, dy * 6) / 16, 0.0f, 1.0f));
      b.Row(y)[32 + x] = Rgb(255 * star, 255 * star, 255 * star);
    }
  return b;
}

}  // namespace

void RegisterPictures() {
  plat::RegisterResource("BITMAP", "plates.bmp", Plates().SaveToBytes());
  plat::RegisterResource("BITMAP", "checker.bmp", Checker().SaveToBytes());
  plat::RegisterResource("BITMAP", "chrome.bmp", Chrome().SaveToBytes());
  plat::RegisterResource("BITMAP", "glow.bmp", Glow().SaveToBytes());
}

}  // namespace viewer
