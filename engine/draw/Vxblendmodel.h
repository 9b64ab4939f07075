// Vxblendmodel.h — the packed-integer ("MMX") blend arithmetic, pixel by
// pixel. This is the plain scalar model the SIMD routines must match bit for
// bit on every input; they also use it for the pixels left over at row ends.
//
// 16-bit pixels: each channel is cut to its top minBits bits, combined with
// 16-bit products (low half kept, as a packed multiply does) and unsigned
// saturating 16-bit sums and differences, then shifted back and masked; bits
// outside the colour mask come from the destination. a = 128 (beTrans)
// averages whole pixels with the half mask H; a = 255 adds or subtracts
// without the product.
// 3- and 4-byte pixels: every byte of the pixel is a channel with unsigned
// byte saturation (in 32-bit pixels the fourth byte too).
// Keyed forms compare the whole source pixel with the key.
#pragma once

#include <algorithm>
#include <cstdint>

#include "draw/Vxdrawtypes.h"
#include "draw/Vxpixelmode.h"

namespace VexmoraDrawSystem::blendmodel {

inline std::uint32_t Mul16(std::uint32_t x, std::uint32_t y) { return (x * y) & 0xFFFF; }
inline std::uint32_t AddUs16(std::uint32_t x, std::uint32_t y) { return std::min(0xFFFFu, x + y); }
inline std::uint32_t SubUs(std::uint32_t x, std::uint32_t y) { return x > y ? x - y : 0; }

// The parameter as the packed forms hold it.
struct Amount {
  explicit Amount(std::int32_t param)
      : a(static_cast<std::uint32_t>(param)), a16(a & 0xFFFF), ia16((255 - a) & 0xFFFF) {}
  std::uint32_t a, a16, ia16;
};

struct Format16 {
  explicit Format16(const TPixelMode& m)
      : rM(m.rMask), gM(m.gMask), bM(m.bMask), rS(m.rShift), gS(m.gShift), bS(m.bShift),
        cmax((1u << m.minBits) - 1), half(m.gMask == 0x07E0 ? 0x7BEF : 0x3DEF),
        colour(m.colourMask & 0xFFFF), other(m.otherMask & 0xFFFF), key(m.keyColour & 0xFFFF) {}
  std::uint32_t rM, gM, bM;
  int rS, gS, bS;
  std::uint32_t cmax, half, colour, other, key;
};

// One reduced channel (0 .. cmax).
template <TBlendEffect E>
std::uint32_t Channel16(std::uint32_t d, std::uint32_t s, const Amount& p, std::uint32_t cmax) {
  if constexpr (E == beTrans) {
    return AddUs16(Mul16(s, p.a16), Mul16(d, p.ia16)) >> 8;
  } else if constexpr (E == beAdd) {
    return std::min(cmax, p.a == 255 ? AddUs16(d, s) : AddUs16(d, Mul16(s, p.a16) >> 8));
  } else if constexpr (E == beMod) {
    return p.a == 255 ? SubUs(d, cmax - s) : SubUs(d, Mul16(cmax - s, p.a16) >> 8);
  } else {
    return p.a == 255 ? SubUs(d, s) : SubUs(d, Mul16(s, p.a16) >> 8);
  }
}

template <TBlendEffect E>
std::uint32_t Pixel16(std::uint32_t d, std::uint32_t s, const Amount& p, const Format16& f) {
  if (E == beTrans && p.a == 128)
    return ((((d >> 1) & f.half) + ((s >> 1) & f.half)) & f.colour) | (d & f.other);
  const std::uint32_t r = Channel16<E>((d & f.rM) >> f.rS, (s & f.rM) >> f.rS, p, f.cmax);
  const std::uint32_t g = Channel16<E>((d & f.gM) >> f.gS, (s & f.gM) >> f.gS, p, f.cmax);
  const std::uint32_t b = Channel16<E>((d & f.bM) >> f.bS, (s & f.bM) >> f.bS, p, f.cmax);
  return ((r << f.rS) & f.rM) | ((g << f.gS) & f.gM) | ((b << f.bS) & f.bM) | (d & f.other);
}

template <TBlendEffect E>
std::uint32_t Byte(std::uint32_t d, std::uint32_t s, const Amount& p) {
  if constexpr (E == beTrans) {
    if (p.a == 128) return ((d >> 1) & 0x7Fu) + ((s >> 1) & 0x7Fu);
    return std::min(255u, (Mul16(d, p.ia16) >> 8) + (Mul16(s, p.a16) >> 8));
  } else if constexpr (E == beAdd) {
    return std::min(255u, p.a == 255 ? d + s : d + (Mul16(s, p.a16) >> 8));
  } else if constexpr (E == beMod) {
    return p.a == 255 ? SubUs(d, 255 - s) : SubUs(d, Mul16(255 - s, p.a16) >> 8);
  } else {
    return p.a == 255 ? SubUs(d, s) : SubUs(d, Mul16(s, p.a16) >> 8);
  }
}

// A row of `n` 16-bit pixels.
template <TBlendEffect E, bool Keyed>
void Row16(std::uint8_t* d, const std::uint8_t* s, int n, const Amount& p, const Format16& f) {
  for (int i = 0; i < n; ++i) {
    const std::uint32_t sp = static_cast<std::uint32_t>(s[2 * i] | s[2 * i + 1] << 8);
    if (Keyed && sp == f.key) continue;
    const std::uint32_t dp = static_cast<std::uint32_t>(d[2 * i] | d[2 * i + 1] << 8);
    const std::uint32_t out = Pixel16<E>(dp, sp, p, f);
    d[2 * i] = static_cast<std::uint8_t>(out);
    d[2 * i + 1] = static_cast<std::uint8_t>(out >> 8);
  }
}

// A row of `n` pixels of B bytes.
template <int B, TBlendEffect E, bool Keyed>
void RowBytes(std::uint8_t* d, const std::uint8_t* s, int n, const Amount& p, std::uint32_t key) {
  for (int i = 0; i < n; ++i, d += B, s += B) {
    if (Keyed) {
      std::uint32_t sp = 0;
      for (int k = 0; k < B; ++k) sp |= static_cast<std::uint32_t>(s[k]) << (8 * k);
      if (sp == key) continue;
    }
    for (int k = 0; k < B; ++k) d[k] = static_cast<std::uint8_t>(Byte<E>(d[k], s[k], p));
  }
}

// The key as a whole B-byte pixel.
inline std::uint32_t PixelKey(const TPixelMode& m, int bytes) {
  return bytes == 4 ? m.keyColour : m.keyColour & ((1u << (8 * bytes)) - 1);
}

}  // namespace VexmoraDrawSystem::blendmodel

namespace VexmoraDrawSystem {
// The scalar-model routine of effect 1..4 for `bytes` (2, 3, 4); null otherwise.
TPixelRoutine ModelBlend(int bytes, TBlendEffect effect, bool keyed);
}  // namespace VexmoraDrawSystem
