// noise.cpp — value noise with quintic interpolation on a wrapped lattice.
#include "noise.h"

#include <cmath>

#include "rng.h"

namespace ag {

double TileNoise::lattice(int x, int y, int period, std::uint32_t seed) const {
  if (period > 0) x = ((x % period) + period) % period;
  return (hash3(x, y, seed) & 0xFFFFFF) / double(0xFFFFFF);
}

double TileNoise::at(double x, double y, int period, std::uint32_t seed) const {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
  ty = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
  double a = lattice(ix, iy, period, seed), b = lattice(ix + 1, iy, period, seed);
  double c = lattice(ix, iy + 1, period, seed), d = lattice(ix + 1, iy + 1, period, seed);
  double top = a + (b - a) * tx, bot = c + (d - c) * tx;
  return top + (bot - top) * ty;
}

double TileNoise::at(double x, double y) const {
  return at(x, y, period_, seed_);
}

double TileNoise::fbm(double x, double y, int octaves, double gain) const {
  double sum = 0, amp = 1, norm = 0, f = 1;
  int period = period_;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * at(x * f, y * f, period, seed_ + 101u * static_cast<std::uint32_t>(o));
    norm += amp;
    amp *= gain;
    f *= 2;
    period *= 2;
  }
  return sum / norm;
}

}  // namespace ag
