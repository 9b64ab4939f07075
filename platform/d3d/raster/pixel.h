// pixel.h — 8-bit colour arithmetic and the pixel codecs of the rasteriser:
// texels of every texture format to 8-bit ARGB, target pixels to and from
// 8-bit RGB, Z values to buffer integers. Channels widen by bit replication
// (black stays 0, white 255) and narrow by truncation. Unused X bits of a
// target pixel are written as 0. Inline: these run per pixel.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "raster/raster.h"

namespace plat::d3d::raster {

struct Rgba {
  int r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

inline Rgba Unpack(std::uint32_t argb) {
  return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
          static_cast<int>(argb & 0xFF), static_cast<int>(argb >> 24)};
}
inline std::uint32_t Pack(const Rgba& c) {
  return static_cast<std::uint32_t>(c.a) << 24 | static_cast<std::uint32_t>(c.r) << 16 |
         static_cast<std::uint32_t>(c.g) << 8 | static_cast<std::uint32_t>(c.b);
}

// a * b / 255 rounded, exact for 0..255 inputs.
inline int Mul255(int a, int b) {
  const int t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}
inline int Sat(int v) {
  return v > 255 ? 255 : v;
}

inline std::uint32_t Widen5(std::uint32_t v) {
  return (v << 3) | (v >> 2);
}
inline std::uint32_t Widen6(std::uint32_t v) {
  return (v << 2) | (v >> 4);
}

inline std::uint32_t Load16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline std::uint32_t Load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void Store16(std::uint8_t* p, std::uint32_t v) {
  const auto s = static_cast<std::uint16_t>(v);
  std::memcpy(p, &s, 2);
}
inline void Store32(std::uint8_t* p, std::uint32_t v) {
  std::memcpy(p, &v, 4);
}

constexpr int TexelBytes(TextureFormat f) {
  return f == TextureFormat::A8R8G8B8 ? 4 : 2;
}

inline std::uint32_t ReadTexel(const std::uint8_t* p, TextureFormat f) {
  return f == TextureFormat::A8R8G8B8 ? Load32(p) : Load16(p);
}

// Raw texel -> 0xAARRGGBB.
inline std::uint32_t DecodeTexel(std::uint32_t t, TextureFormat f) {
  switch (f) {
    case TextureFormat::R5G6B5:
      return 0xFF000000u | Widen5(t >> 11) << 16 | Widen6((t >> 5) & 0x3F) << 8 | Widen5(t & 0x1F);
    case TextureFormat::A1R5G5B5:
    case TextureFormat::X1R5G5B5: {
      const std::uint32_t a = (f == TextureFormat::X1R5G5B5 || (t & 0x8000)) ? 0xFF000000u : 0;
      return a | Widen5((t >> 10) & 0x1F) << 16 | Widen5((t >> 5) & 0x1F) << 8 | Widen5(t & 0x1F);
    }
    case TextureFormat::A4R4G4B4:
      return ((t >> 12) & 0xF) * 0x11000000u | ((t >> 8) & 0xF) * 0x110000u |
             ((t >> 4) & 0xF) * 0x1100u | (t & 0xF) * 0x11u;
    case TextureFormat::A8R8G8B8:
      return t;
  }
  return 0xFFFFFFFFu;
}

// Four raw texels at once (compiler vectors): the same as DecodeTexel.
using Texels4 = std::uint32_t __attribute__((vector_size(16)));
template <TextureFormat T>
inline Texels4 DecodeTexels(Texels4 t) {
  const auto w5 = [](Texels4 v) { return (v << 3) | (v >> 2); };
  const Texels4 opaque = Texels4{} + 0xFF000000u;
  if constexpr (T == TextureFormat::R5G6B5) {
    const Texels4 g = (t >> 5) & 0x3F;
    return opaque | w5(t >> 11) << 16 | ((g << 2) | (g >> 4)) << 8 | w5(t & 0x1F);
  } else if constexpr (T == TextureFormat::A1R5G5B5 || T == TextureFormat::X1R5G5B5) {
    const Texels4 a =
        T == TextureFormat::X1R5G5B5 ? opaque : (Texels4{} - ((t >> 15) & 1)) & opaque;
    return a | w5((t >> 10) & 0x1F) << 16 | w5((t >> 5) & 0x1F) << 8 | w5(t & 0x1F);
  } else if constexpr (T == TextureFormat::A4R4G4B4) {
    const Texels4 n = (t & 0xF) | (t & 0xF0) << 4 | (t & 0xF00) << 8 | (t & 0xF000) << 12;
    return n | n << 4;
  } else {
    return t;
  }
}

template <TargetFormat F>
constexpr int PixelBytes() {
  return F == TargetFormat::X8R8G8B8 ? 4 : 2;
}

// Target pixel -> 0xFFRRGGBB.
template <TargetFormat F>
inline std::uint32_t ReadArgb(const std::uint8_t* p) {
  if constexpr (F == TargetFormat::X8R8G8B8) {
    return Load32(p) | 0xFF000000u;
  } else if constexpr (F == TargetFormat::R5G6B5) {
    const std::uint32_t v = Load16(p);
    return 0xFF000000u | Widen5(v >> 11) << 16 | Widen6((v >> 5) & 0x3F) << 8 | Widen5(v & 0x1F);
  } else {
    const std::uint32_t v = Load16(p);
    return 0xFF000000u | Widen5((v >> 10) & 0x1F) << 16 | Widen5((v >> 5) & 0x1F) << 8 |
           Widen5(v & 0x1F);
  }
}

// 0xAARRGGBB -> target pixel (alpha dropped, X bits 0).
template <TargetFormat F>
inline std::uint32_t EncodeArgb(std::uint32_t c) {
  if constexpr (F == TargetFormat::X8R8G8B8) {
    return c & 0xFFFFFFu;
  } else if constexpr (F == TargetFormat::R5G6B5) {
    return (c >> 8 & 0xF800) | (c >> 5 & 0x07E0) | (c >> 3 & 0x001F);
  } else {
    return (c >> 9 & 0x7C00) | (c >> 6 & 0x03E0) | (c >> 3 & 0x001F);
  }
}

template <TargetFormat F>
inline void WritePixel(std::uint8_t* p, std::uint32_t v) {
  if constexpr (F == TargetFormat::X8R8G8B8) {
    Store32(p, v);
  } else {
    Store16(p, v);
  }
}

// Depth 0..1 (clamped) to the buffer's integer scale.
inline std::uint32_t ZToInt(float z, ZFormat f) {
  const float c = z > 0.0f ? (z < 1.0f ? z : 1.0f) : 0.0f;  // NaN -> 0
  switch (f) {
    case ZFormat::Z16:
      return static_cast<std::uint32_t>(c * 65535.0f + 0.5f);
    case ZFormat::Z24S8:
      return static_cast<std::uint32_t>(static_cast<double>(c) * 16777215.0 + 0.5);
    case ZFormat::Z32:
      return static_cast<std::uint32_t>(static_cast<double>(c) * 4294967295.0 + 0.5);
    case ZFormat::None:
      break;
  }
  return 0;
}

inline int ZBytes(ZFormat f) {
  return f == ZFormat::Z16 ? 2 : f == ZFormat::None ? 0 : 4;
}

}  // namespace plat::d3d::raster
