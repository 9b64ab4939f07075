// Vxblendref.cpp — the reference blend routines (see Vxblendref.h).
#include "draw/Vxblendref.h"

#include <algorithm>
#include <cstring>

#include "draw/Vxpixelmode.h"

namespace VexmoraDrawSystem {
namespace {

// Little-endian pixels; 3-byte ones by bytes, which compilers handle far
// better than a 3-byte memcpy.
template <int B>
std::uint32_t Load(const std::uint8_t* p) {
  if constexpr (B == 3) {
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
  } else {
    std::uint32_t v = 0;
    std::memcpy(&v, p, B);
    return v;
  }
}
template <int B>
void Store(std::uint8_t* p, std::uint32_t v) {
  if constexpr (B == 3) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
  } else {
    std::memcpy(p, &v, B);
  }
}

// One channel: d and s masked in place with M; a the parameter; k the
// parameter's byte for this channel (colour effects).
template <TBlendEffect E>
std::uint32_t Channel(std::uint32_t d, std::uint32_t s, std::uint32_t M, std::uint32_t a,
                      std::uint32_t k) {
  if constexpr (E == beTrans) {
    return ((d * (255 - a) + s * a) >> 8) & M;
  } else if constexpr (E == beAdd) {
    return std::min(M, d + ((s * a) >> 8)) & M;
  } else if constexpr (E == beMod) {
    const std::uint32_t t = std::min(M, ((~d) & M) + ((a * ((~s) & M)) >> 8));
    return (~t) & M;
  } else if constexpr (E == beSub) {
    const std::uint32_t t = std::min(M, ((~d) & M) + ((a * s) >> 8));
    return (~t) & M;
  } else if constexpr (E == beColorAdd) {
    return std::min(M, ((k * M / 256) & M) + s) & M;
  } else {
    return (k * s / 256) & M;
  }
}

template <int B, TBlendEffect E, bool Keyed>
void Blend(const TVexmoraDrawDirect& r) {
  const TPixelMode& m = PixelMode();
  const std::uint32_t a = static_cast<std::uint32_t>(r.param1);
  const std::uint32_t kr = a >> 16 & 0xFF, kg = a >> 8 & 0xFF, kb = a & 0xFF;
  for (int y = 0; y < r.height; ++y) {
    std::uint8_t* d = r.dest + static_cast<std::ptrdiff_t>(y) * r.destPitch;
    const std::uint8_t* s = r.source + static_cast<std::ptrdiff_t>(y) * r.sourcePitch;
    for (int x = 0; x < r.width; ++x, d += B, s += B) {
      const std::uint32_t sp = Load<B>(s);
      if (Keyed && (sp & m.colourMask) == m.keyColour) continue;
      const std::uint32_t dp = Load<B>(d);
      const std::uint32_t out = Channel<E>(dp & m.rMask, sp & m.rMask, m.rMask, a, kr) |
                                Channel<E>(dp & m.gMask, sp & m.gMask, m.gMask, a, kg) |
                                Channel<E>(dp & m.bMask, sp & m.bMask, m.bMask, a, kb) |
                                (dp & m.otherMask);
      Store<B>(d, out);
    }
  }
}

template <int B, bool Keyed>
TPixelRoutine ForSize(TBlendEffect e) {
  switch (e) {
    case beTrans: return &Blend<B, beTrans, Keyed>;
    case beAdd: return &Blend<B, beAdd, Keyed>;
    case beMod: return &Blend<B, beMod, Keyed>;
    case beSub: return &Blend<B, beSub, Keyed>;
    case beColorAdd: return &Blend<B, beColorAdd, Keyed>;
    case beColorMod: return &Blend<B, beColorMod, Keyed>;
    default: return nullptr;
  }
}

template <bool Keyed>
TPixelRoutine Pick(int bytes, TBlendEffect e) {
  switch (bytes) {
    case 2: return ForSize<2, Keyed>(e);
    case 3: return ForSize<3, Keyed>(e);
    case 4: return ForSize<4, Keyed>(e);
    default: return nullptr;
  }
}

}  // namespace

TPixelRoutine ReferenceBlend(int bytes, TBlendEffect effect, bool keyed) {
  return keyed ? Pick<true>(bytes, effect) : Pick<false>(bytes, effect);
}

}  // namespace VexmoraDrawSystem
