// combine.h — the per-pixel colour maths on four 16-bit lanes (B, G, R, A,
// the byte order of a packed 0xAARRGGBB), using the compiler's generic
// vectors so it maps onto SIMD registers where there are some: texture stage
// operations and alpha-blend factors. SSE2 where the compiler has it. Products are a * b / 255
// rounded; MODULATE2X/4X, ADD and ADDSMOOTH saturate at 255, SUBTRACT at 0. Operations and factors
// are resolved per draw call (unknown operations to DISABLE, unknown factors to ZERO), so the
// switches here see only known values.
#pragma once

#include <cstdint>

#include "raster/pixel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plat::d3d::raster {

using Lanes = std::uint16_t __attribute__((vector_size(16)));  // B G R A, 4 more unused
using Float4 = float __attribute__((vector_size(16)));

// The span loop's helpers are inlined into it whatever their size.
#define KX_RASTER_INLINE [[gnu::always_inline]] inline

KX_RASTER_INLINE Lanes Splat(std::uint16_t v) {
  return Lanes{v, v, v, v, v, v, v, v};
}

#if defined(__SSE2__)
KX_RASTER_INLINE Lanes ToLanes(std::uint32_t argb) {
  return (Lanes)_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(argb)), _mm_setzero_si128());
}
KX_RASTER_INLINE std::uint32_t ToArgb(Lanes v) {  // lanes must be 0..255
  return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16((__m128i)v, (__m128i)v)));
}
// 0..255 floats (NaN and below 0 -> 0) to lanes, truncating.
KX_RASTER_INLINE Lanes ToLanes(Float4 v) {
  const __m128 c = _mm_min_ps(_mm_max_ps((__m128)v, _mm_setzero_ps()), _mm_set1_ps(255.0f));
  const __m128i i = _mm_cvttps_epi32(c);
  return (Lanes)_mm_packs_epi32(i, i);
}
KX_RASTER_INLINE Lanes Sat(Lanes v) {  // lanes below 32768
  return (Lanes)_mm_min_epi16((__m128i)v, _mm_set1_epi16(255));
}
KX_RASTER_INLINE Lanes SubSat(Lanes a, Lanes b) {
  return (Lanes)_mm_subs_epu16((__m128i)a, (__m128i)b);
}
KX_RASTER_INLINE Lanes AlphaOf(Lanes v) {
  return (Lanes)_mm_shufflelo_epi16((__m128i)v, 0xFF);
}
#else
KX_RASTER_INLINE Lanes ToLanes(std::uint32_t argb) {
  const auto c = [argb](int s) { return static_cast<std::uint16_t>(argb >> s & 0xFF); };
  return Lanes{c(0), c(8), c(16), c(24), 0, 0, 0, 0};
}
KX_RASTER_INLINE std::uint32_t ToArgb(Lanes v) {
  return std::uint32_t{v[3]} << 24 | std::uint32_t{v[2]} << 16 | std::uint32_t{v[1]} << 8 | v[0];
}
KX_RASTER_INLINE Lanes ToLanes(Float4 v) {
  const auto c = [](float f) {
    return static_cast<std::uint16_t>(f > 0.0f ? (f < 255.0f ? f : 255.0f) : 0.0f);
  };
  return Lanes{c(v[0]), c(v[1]), c(v[2]), c(v[3]), 0, 0, 0, 0};
}
KX_RASTER_INLINE Lanes Sat(Lanes v) {
  return v > Splat(255) ? Splat(255) : v;
}
KX_RASTER_INLINE Lanes SubSat(Lanes a, Lanes b) {
  return a > b ? a - b : Splat(0);
}
KX_RASTER_INLINE Lanes AlphaOf(Lanes v) {
  return Splat(v[3]);
}
#endif

KX_RASTER_INLINE Lanes Mul255(Lanes a, Lanes b) {
  const Lanes t = a * b + Splat(128);
  return (t + (t >> 8)) >> 8;
}

KX_RASTER_INLINE Lanes Op(TexOp op, Lanes a1, Lanes a2, Lanes diffuseAlpha) {
  switch (op) {
    case TexOp::SelectArg1:
      return a1;
    case TexOp::SelectArg2:
      return a2;
    case TexOp::Modulate:
      return Mul255(a1, a2);
    case TexOp::Modulate2x:
      return Sat(Mul255(a1, a2) << 1);
    case TexOp::Modulate4x:
      return Sat(Mul255(a1, a2) << 2);
    case TexOp::Add:
      return Sat(a1 + a2);
    case TexOp::Subtract:
      return SubSat(a1, a2);
    case TexOp::AddSmooth:
      return Sat(a1 + a2 - Mul255(a1, a2));
    case TexOp::BlendDiffuseAlpha:
      return Mul255(a1, diffuseAlpha) + Mul255(a2, Splat(255) - diffuseAlpha);
    default:
      return a1;
  }
}

inline TexOp ResolveOp(TexOp op) {
  switch (op) {
    case TexOp::SelectArg1:
    case TexOp::SelectArg2:
    case TexOp::Modulate:
    case TexOp::Modulate2x:
    case TexOp::Modulate4x:
    case TexOp::Add:
    case TexOp::Subtract:
    case TexOp::AddSmooth:
    case TexOp::BlendDiffuseAlpha:
      return op;
    default:
      return TexOp::Disable;
  }
}

// Blend factor kinds after resolution: what each channel of src / dst is
// multiplied by.
enum class Factor : std::uint8_t { Zero, One, SrcColor, InvSrcColor, SrcAlpha, InvSrcAlpha };

inline Factor ResolveFactor(Blend b) {
  switch (b) {
    case Blend::One:
      return Factor::One;
    case Blend::SrcColor:
      return Factor::SrcColor;
    case Blend::InvSrcColor:
      return Factor::InvSrcColor;
    case Blend::SrcAlpha:
      return Factor::SrcAlpha;
    case Blend::InvSrcAlpha:
      return Factor::InvSrcAlpha;
    case Blend::BothSrcAlpha:
      return Factor::SrcAlpha;
    default:
      return Factor::Zero;
  }
}

// `c` times factor `f` taken from the source colour `s`.
KX_RASTER_INLINE Lanes Scale(Factor f, Lanes c, Lanes s) {
  switch (f) {
    case Factor::Zero:
      return Splat(0);
    case Factor::One:
      return c;
    case Factor::SrcColor:
      return Mul255(c, s);
    case Factor::InvSrcColor:
      return Mul255(c, Splat(255) - s);
    case Factor::SrcAlpha:
      return Mul255(c, AlphaOf(s));
    case Factor::InvSrcAlpha:
      return Mul255(c, Splat(255) - AlphaOf(s));
  }
  return Splat(0);
}

KX_RASTER_INLINE Lanes BlendPixel(Factor sf, Factor df, Lanes s, Lanes d) {
  return Sat(Scale(sf, s, s) + Scale(df, d, s));
}

}  // namespace plat::d3d::raster
