// blend_model.h — the blend arithmetic written out again, pixel by pixel and
// channel by channel, straight from the definitions: the reference routines'
// masked 32-bit arithmetic, and the packed forms' 16-bit reduced channels
// and byte-wise saturation. The hash tests compare the library against it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "draw/Vxpixelmode.h"

namespace kxtest {

using VexmoraDrawSystem::TPixelMode;

inline std::uint32_t RefChannel(int e, std::uint32_t d, std::uint32_t s, std::uint32_t M,
                                std::uint32_t a, std::uint32_t k) {
  switch (e) {
    case 1: return ((d * (255 - a) + s * a) >> 8) & M;
    case 2: return std::min(M, d + ((s * a) >> 8)) & M;
    case 3: return ~std::min(M, ((~d) & M) + ((a * ((~s) & M)) >> 8)) & M;
    case 4: return ~std::min(M, ((~d) & M) + ((a * s) >> 8)) & M;
    case 5: return std::min(M, ((k * M / 256) & M) + s) & M;
    default: return (k * s / 256) & M;
  }
}

inline std::uint32_t RefPixel(int e, std::uint32_t d, std::uint32_t s, std::uint32_t a,
                              const TPixelMode& m) {
  return RefChannel(e, d & m.rMask, s & m.rMask, m.rMask, a, a >> 16 & 0xFF) |
         RefChannel(e, d & m.gMask, s & m.gMask, m.gMask, a, a >> 8 & 0xFF) |
         RefChannel(e, d & m.bMask, s & m.bMask, m.bMask, a, a & 0xFF) | (d & m.otherMask);
}

// 16-bit lanes: products keep their low 16 bits; sums and differences
// saturate at 0xFFFF and 0.
inline std::uint32_t Lo16(std::uint64_t v) { return static_cast<std::uint32_t>(v & 0xFFFF); }
inline std::uint32_t SatAdd(std::uint32_t x, std::uint32_t y) { return std::min(0xFFFFu, x + y); }
inline std::uint32_t SatSub(std::uint32_t x, std::uint32_t y) { return x < y ? 0 : x - y; }

inline std::uint32_t PackedChannel16(int e, std::uint32_t d, std::uint32_t s, std::uint32_t a,
                                     std::uint32_t cmax) {
  const std::uint32_t a16 = a & 0xFFFF, ia = (255 - a) & 0xFFFF;
  switch (e) {
    case 1: return SatAdd(Lo16(std::uint64_t{s} * a16), Lo16(std::uint64_t{d} * ia)) >> 8;
    case 2: return std::min(cmax, a == 255 ? SatAdd(d, s) : SatAdd(d, Lo16(s * a16) >> 8));
    case 3: return a == 255 ? SatSub(d, cmax - s) : SatSub(d, Lo16((cmax - s) * a16) >> 8);
    default: return a == 255 ? SatSub(d, s) : SatSub(d, Lo16(s * a16) >> 8);
  }
}

inline std::uint32_t PackedPixel16(int e, std::uint32_t d, std::uint32_t s, std::uint32_t a,
                                   const TPixelMode& m) {
  const std::uint32_t other = m.otherMask & 0xFFFF;
  if (e == 1 && a == 128) {
    const std::uint32_t h = m.gMask == 0x07E0 ? 0x7BEF : 0x3DEF;
    return ((((d >> 1) & h) + ((s >> 1) & h)) & m.colourMask) | (d & other);
  }
  const std::uint32_t cmax = (1u << m.minBits) - 1;
  std::uint32_t out = d & other;
  const std::uint32_t masks[3] = {m.rMask, m.gMask, m.bMask};
  const int shifts[3] = {m.rShift, m.gShift, m.bShift};
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t t =
        PackedChannel16(e, (d & masks[c]) >> shifts[c], (s & masks[c]) >> shifts[c], a, cmax);
    out |= (t << shifts[c]) & masks[c];
  }
  return out;
}

inline std::uint32_t PackedByte(int e, std::uint32_t d, std::uint32_t s, std::uint32_t a) {
  const std::uint32_t a16 = a & 0xFFFF, ia = (255 - a) & 0xFFFF;
  switch (e) {
    case 1:
      if (a == 128) return (d >> 1 & 0x7F) + (s >> 1 & 0x7F);
      return std::min(255u, (Lo16(d * ia) >> 8) + (Lo16(s * a16) >> 8));
    case 2: return std::min(255u, d + (a == 255 ? s : Lo16(s * a16) >> 8));
    case 3: return SatSub(d, a == 255 ? 255 - s : Lo16((255 - s) * a16) >> 8);
    default: return SatSub(d, a == 255 ? s : Lo16(s * a16) >> 8);
  }
}

}  // namespace kxtest
