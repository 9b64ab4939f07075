// sampler.h — texture reads for the span loops: point (texel floor(u * W))
// and bilinear (texel centres at (i + 0.5) / W, 8-bit weights), CLAMP or
// WRAP addressing. The colour-key test always looks at the point-sampled
// texel, so a keyed edge is the same whichever filter is set.
// Coordinates are limited to +-4M texels before conversion (NaN reads as
// -4M), so any float input is safe. Bilinear weighting runs on SSE2 lanes
// where available. Everything is inlined into the span loop.
#pragma once

#include <algorithm>
#include <cstdint>

#include "raster/combine.h"
#include "raster/pixel.h"

namespace plat::d3d::raster {

struct Sampler {
  const std::uint8_t* texels = nullptr;  // null: opaque white
  std::ptrdiff_t pitch = 0;
  int width = 0, height = 0;
  float fw = 0, fh = 0;
  TextureFormat format = TextureFormat::R5G6B5;
  bool wrap = true, linear = false;
  bool keyed = false;  // colour key enabled and the texture has one
  std::uint32_t key = 0;
  int wmask = -1, hmask = -1;  // n - 1 when n is a power of two

  void Bind(const Stage& stage, bool colorKeyEnabled) {
    const Texture* t = stage.texture;
    if (!t || !t->texels || t->width <= 0 || t->height <= 0) {
      texels = nullptr;
      keyed = false;
      return;
    }
    texels = static_cast<const std::uint8_t*>(t->texels);
    pitch = t->pitch;
    width = t->width;
    height = t->height;
    fw = static_cast<float>(width);
    fh = static_cast<float>(height);
    format = t->format;
    wrap = stage.address != Address::Clamp;
    linear = stage.filter == Filter::Linear;
    keyed = colorKeyEnabled && t->hasColorKey;
    key = t->colorKey;
    wmask = (width & (width - 1)) == 0 ? width - 1 : -1;
    hmask = (height & (height - 1)) == 0 ? height - 1 : -1;
  }

  static float Limit(float t) {  // NaN -> -4e6; min/max without branches
    return std::min(4.0e6f, std::max(-4.0e6f, t));
  }
  static int Floor(float t) {  // t within Limit's range: offset, then truncate
    return static_cast<int>(static_cast<double>(t) + 4194304.0) - 4194304;
  }
  // Texel index of i on an axis of n texels; `mask` is n - 1 for powers of two.
  int Address1(int i, int n, int mask) const {
    if (wrap) {
      if (mask >= 0) return i & mask;
      i %= n;
      return i < 0 ? i + n : i;
    }
    return i < 0 ? 0 : (i >= n ? n - 1 : i);
  }
  int Next(int i, int n) const { return i + 1 < n ? i + 1 : (wrap ? 0 : n - 1); }

  template <TextureFormat T>
  std::uint32_t Raw(int x, int y) const {
    return ReadTexel(texels + y * pitch + x * TexelBytes(T), T);
  }

  // 0xAARRGGBB at (u, v); sets `drop` when the colour key hides the pixel.
  KX_RASTER_INLINE std::uint32_t Sample(float u, float v, bool& drop) const {
    if (!texels) return 0xFFFFFFFFu;
    switch (format) {
      case TextureFormat::A1R5G5B5:
        return SampleAs<TextureFormat::A1R5G5B5>(u, v, drop);
      case TextureFormat::R5G6B5:
        return SampleAs<TextureFormat::R5G6B5>(u, v, drop);
      case TextureFormat::X1R5G5B5:
        return SampleAs<TextureFormat::X1R5G5B5>(u, v, drop);
      case TextureFormat::A4R4G4B4:
        return SampleAs<TextureFormat::A4R4G4B4>(u, v, drop);
      case TextureFormat::A8R8G8B8:
        return SampleAs<TextureFormat::A8R8G8B8>(u, v, drop);
    }
    return 0xFFFFFFFFu;
  }

  template <TextureFormat T>
  KX_RASTER_INLINE std::uint32_t SampleAs(float u, float v, bool& drop) const {
    if (linear) return Bilinear<T>(u, v, drop);
    const int x = Address1(Floor(Limit(u * fw)), width, wmask);
    const int y = Address1(Floor(Limit(v * fh)), height, hmask);
    const std::uint32_t raw = Raw<T>(x, y);
    if (keyed && raw == key) drop = true;
    return DecodeTexel(raw, T);
  }

  template <TextureFormat T>
  KX_RASTER_INLINE std::uint32_t Bilinear(float u, float v, bool& drop) const {
    const float tu = Limit(u * fw - 0.5f), tv = Limit(v * fh - 0.5f);
    const int iu = Floor(tu), iv = Floor(tv);
    // 0..256; 256 only when rounding lifts a fraction to 1.
    const auto wx = static_cast<std::uint32_t>((tu - static_cast<float>(iu)) * 256.0f);
    const auto wy = static_cast<std::uint32_t>((tv - static_cast<float>(iv)) * 256.0f);
    // Clamp keeps the edge texel for both taps below 0.
    const int x0 = Address1(iu, width, wmask), x1 = iu < 0 && !wrap ? 0 : Next(x0, width);
    const int y0 = Address1(iv, height, hmask), y1 = iv < 0 && !wrap ? 0 : Next(y0, height);
    const std::uint32_t r00 = Raw<T>(x0, y0), r10 = Raw<T>(x1, y0), r01 = Raw<T>(x0, y1),
                        r11 = Raw<T>(x1, y1);
    if (keyed) {
      const std::uint32_t nearest = wy >= 128 ? (wx >= 128 ? r11 : r01) : (wx >= 128 ? r10 : r00);
      if (nearest == key) drop = true;
    }
#if defined(__SSE2__)
    // Rows first on 16-bit lanes: top and bottom pairs, then left and right.
    const __m128i c = (__m128i)DecodeTexels<T>(Texels4{r00, r10, r01, r11});
    const __m128i zero = _mm_setzero_si128();
    const auto wyv = static_cast<short>(wy), iwy = static_cast<short>(256 - wy);
    const auto wxv = static_cast<short>(wx), iwx = static_cast<short>(256 - wx);
    __m128i col = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(c, zero), _mm_set1_epi16(iwy)),
                                _mm_mullo_epi16(_mm_unpackhi_epi8(c, zero), _mm_set1_epi16(wyv)));
    col = _mm_mullo_epi16(_mm_srli_epi16(col, 8),
                          _mm_unpacklo_epi64(_mm_set1_epi16(iwx), _mm_set1_epi16(wxv)));
    col = _mm_srli_epi16(_mm_add_epi16(col, _mm_srli_si128(col, 8)), 8);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(col, col)));
#else
    // Two channels per multiply: 0x00AA00GG and 0x00RR00BB lanes.
    const auto lerp = [](std::uint32_t a, std::uint32_t b, std::uint32_t w) {
      const std::uint32_t ag = ((a >> 8) & 0x00FF00FFu) * (256 - w) + ((b >> 8) & 0x00FF00FFu) * w;
      const std::uint32_t rb = (a & 0x00FF00FFu) * (256 - w) + (b & 0x00FF00FFu) * w;
      return (ag & 0xFF00FF00u) | ((rb >> 8) & 0x00FF00FFu);
    };
    return lerp(lerp(DecodeTexel(r00, T), DecodeTexel(r10, T), wx),
                lerp(DecodeTexel(r01, T), DecodeTexel(r11, T), wx), wy);
#endif
  }
};

}  // namespace plat::d3d::raster
