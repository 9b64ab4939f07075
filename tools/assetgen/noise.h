// noise.h — smooth value noise that can repeat horizontally, for clouds,
// nebulae, rock texture and fire. A picture of width W tiles seamlessly when
// sampled with TileNoise(W / cell, ...) at x / cell.
#pragma once

#include <cstdint>

namespace ag {

class TileNoise {
 public:
  // periodX: lattice cells before the noise repeats in x (0 = never).
  TileNoise(int periodX, std::uint32_t seed) : period_(periodX), seed_(seed) {}
  // Smooth value in [0, 1].
  double at(double x, double y) const;
  // Sum of `octaves` layers, each twice the frequency; the period doubles too,
  // so the sum still repeats. Result in [0, 1].
  double fbm(double x, double y, int octaves, double gain = 0.5) const;

 private:
  double lattice(int x, int y, int period, std::uint32_t seed) const;
  double at(double x, double y, int period, std::uint32_t seed) const;
  int period_;
  std::uint32_t seed_;
};

}  // namespace ag
