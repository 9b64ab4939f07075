// bk_common.h — helpers for the 800 x 300 stage backgrounds, which scroll
// left and must repeat seamlessly: column 799 continues into column 0. All
// placement goes through wrapped coordinates. Black stays transparent (the
// star field shows through); the HUD bands (rows 0-20 and 279-299) are kept
// dark and quiet.
#pragma once

#include "colour.h"
#include "image.h"
#include "noise.h"
#include "rng.h"

namespace ag {

constexpr int kBkW = 800, kBkH = 300;

// Signed horizontal distance from cx to x on the repeating strip.
inline double wrapDx(double x, double cx) {
  double d = std::fmod(x - cx, double(kBkW));
  if (d < -kBkW / 2.0) d += kBkW;
  if (d >= kBkW / 2.0) d -= kBkW;
  return d;
}

// Noise that repeats exactly once across the strip: `cells` lattice cells
// per 800 pixels in both directions; sample with pixel coordinates.
class StripNoise {
 public:
  StripNoise(int cells, std::uint32_t seed) : cells_(cells), n_(cells, seed) {}
  double at(double x, double y) const { return n_.at(x * cells_ / kBkW, y * cells_ / kBkW); }
  double fbm(double x, double y, int octaves, double gain = 0.5) const {
    return n_.fbm(x * cells_ / kBkW, y * cells_ / kBkW, octaves, gain);
  }

 private:
  int cells_;
  TileNoise n_;
};

// Blits src at (x, y) and again one strip width left and right.
void blitWrapped(Image& bk, const Image& src, int x, int y);

// 1 in the open playfield, falling to 0 inside the HUD bands.
double hudFade(int y, int margin = 18);

// A shaded space rock of about the given radius (cell is 2r+4 square), lit
// from the upper left, darkest tones near-black but opaque.
Image makeRock(Rng& rng, double radius, const Ramp6& ramp, double roughness);

}  // namespace ag
