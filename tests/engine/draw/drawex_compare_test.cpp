// TVexmoraDraw and TVexmoraDrawEx drawing the same scene agree: a
// background, then sprites with beNormal, beTrans and beAdd, keyed and
// unkeyed, some hanging over the edges (clipped by the component in one, by
// the device in the other).
//
// Tolerance, per 8-bit channel of the 32-bit back surface, TVexmoraDrawEx
// minus TVexmoraDraw (its reference routines: no MMX). The pictures use
// colours a 5:6:5 tile holds exactly, so only the blend arithmetic differs:
// - beNormal: 0, both copy the pixel.
// - beTrans a: Ex = round(s·a/255) + round(d·(255 − a)/255), two roundings
//   of at most 1/2; Draw = floor(X/256) with X = s·a + d·(255 − a). As
//   0 ≤ X/255 − X/256 < 1, Ex − Draw lies in [−1, 2].
// - beAdd a: Ex = min(255, d + round(s·a/255)), Draw = min(255, d +
//   floor(s·a/256)); round(v) ≥ floor(v) and s·a/255 − s·a/256 < 1, so
//   Ex − Draw lies in [0, 2].
// Parameters are explicit: the defaults differ (beTrans −1 is 128 for
// TVexmoraDraw, vertex alpha 127 here).
#include <vector>

#include "drawex_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawExTest;

struct Sprite {
  int x, y, pattern;
  TBlendEffect effect;
  int param;
  int low, high;  // the allowed Ex - Draw per channel
};
// Sprites do not overlap, so every pixel carries one blend's rounding.
const Sprite kSprites[] = {{-7, 3, 0, beNormal, -1, 0, 0},  {20, -5, 1, beTrans, 128, -1, 2},
                           {40, 30, 2, beTrans, 37, -1, 2}, {50, 10, 3, beAdd, 255, 0, 2},
                           {5, 36, 1, beAdd, 90, 0, 2},     {24, 16, 0, beTrans, 200, -1, 2},
                           {8, 20, 3, beAdd, 160, 0, 2}};

// The scene's back surface, 0x00RRGGBB pixels row by row.
std::vector<std::uint32_t> Scene(TVexmoraDraw& d, plat::IDirectDrawSurface7& back, bool keyed) {
  d.SetTransparent(keyed);
  d.Draw(0, 0, "bg", 0);
  for (const Sprite& s : kSprites) d.Draw(s.x, s.y, "spr", s.pattern, s.effect, s.param);
  std::vector<std::uint32_t> out;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) out.push_back(kxtest::GetPixel(back, x, y) & 0xFFFFFF);
  return out;
}

TEST_F(DrawExTest, DrawsTheSameSceneAsTheSoftwareComponentWithinTheBlendRounding) {
  const plat::Bitmap bg = kxtest::Exact565(kxtest::Picture(64, 48, 0x11));
  plat::Bitmap spr = kxtest::Exact565(kxtest::Picture(64, 16, 0x90));
  for (int i = 0; i < 64; i += 3) spr.Row(i % 16)[i] = 0;  // key pixels in every pattern
  for (bool keyed : {true, false}) {
    std::vector<std::uint32_t> shots[2];
    for (int ex = 1; ex >= 0; --ex) {
      TearDown();
      plat::testing::SetCpuInfo(plat::CpuInfo{});  // no MMX: the reference routines
      ex ? OpenEx({}) : Open({});
      Load("bg", bg);
      Load("spr", spr, 16, 16);
      shots[ex] = Scene(*draw_, Back(), keyed);
    }
    for (int i = 0; i < 64 * 48; ++i) {
      const int x = i % 64, y = i / 64;
      int low = 0, high = 0;
      for (const Sprite& s : kSprites)
        if (x >= s.x && x < s.x + 16 && y >= s.y && y < s.y + 16) low = s.low, high = s.high;
      const std::uint32_t a = shots[1][static_cast<std::size_t>(i)];
      const std::uint32_t b = shots[0][static_cast<std::size_t>(i)];
      for (int shift : {0, 8, 16}) {
        const int diff = static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF);
        ASSERT_TRUE(diff >= low && diff <= high)
            << "keyed " << keyed << " at " << x << "," << y << ": " << std::hex << a << " vs " << b;
      }
    }
  }
}

}  // namespace
