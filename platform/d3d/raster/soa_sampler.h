// soa_sampler.h — texture reads for eight lanes, one specialised routine
// per texel format x filter x addressing, chosen once per draw call. They
// give what Sampler gives lane by lane: same floor, same 8-bit bilinear
// weights, rows first (only a weight that float rounding lifts to 256 just
// below a texel centre stays 255 here). Covered: every texel format, CLAMP
// at any size, WRAP on power-of-two sizes, rows of at most 32767 bytes and
// sides of at most 16384 texels; other textures draw with the scalar loop.
#pragma once

#if defined(__SSE2__)
#include <cstdint>

#include "raster/sampler.h"
#include "raster/soa.h"

namespace plat::d3d::raster::soa {

struct FastSampler {
  const std::uint8_t* texels = nullptr;
  float fw = 0, fh = 0;
  int wmask = 0, hmask = 0;  // WRAP: n - 1
  int wmax = 0, hmax = 0;    // CLAMP: n - 1
  std::int32_t madd = 0;     // texel bytes | pitch << 16: offset = x * bytes + y * pitch
  bool keyed = false;
  std::uint32_t key = 0;
};

// u and v: eight texture coordinates each (0..1 across the texture). `out`
// gets the colours; `keyHit` all ones on lanes whose point-sampled texel is
// the colour key (untouched when the sampler has no key).
using SampleFn = void (*)(const FastSampler& s, const float* u, const float* v, Planes& out,
                          V& keyHit);

// The routine for a bound sampler with texels, or null when the scalar loop
// must read it. With `alpha` false the routine may leave alpha at 255, for
// states that never read it.
SampleFn MakeFastSampler(const Sampler& in, FastSampler& out, bool alpha = true);

}  // namespace plat::d3d::raster::soa

#endif  // __SSE2__
