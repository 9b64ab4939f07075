// soa.h — eight pixels at once for the fast span loops (SSE2, the x86-64
// baseline): a colour is four planes (B, G, R, A) of eight 16-bit lanes,
// 0..255 each; masks have all ones on live lanes. Codecs between planes and
// 16-bit texels / target pixels give exactly what pixel.h gives one at a
// time (bit replication is a high multiply: (v << k) * m >> 16), and the
// 8-bit maths is combine.h's, lane for lane. Builds without SSE2 have no
// fast loops and draw with the scalar one alone.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include "raster/combine.h"

namespace plat::d3d::raster::soa {

using V = __m128i;

struct Planes {
  V c[4];  // B, G, R, A
};

// Eight floats: lanes 0..3 and 4..7.
struct F8 {
  __m128 lo, hi;
};

// Texture coordinates of eight pixels into uu and vv, divided by w when
// `w` is given (perspective): an exact divide, as the scalar loop, so
// texel edges land alike.
KX_RASTER_INLINE void StoreTexCoords(F8 u, F8 v, const F8* w, float* uu, float* vv) {
  if (w) {
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 r0 = _mm_div_ps(one, w->lo), r1 = _mm_div_ps(one, w->hi);
    u = {_mm_mul_ps(u.lo, r0), _mm_mul_ps(u.hi, r1)};
    v = {_mm_mul_ps(v.lo, r0), _mm_mul_ps(v.hi, r1)};
  }
  _mm_store_ps(uu, u.lo);
  _mm_store_ps(uu + 4, u.hi);
  _mm_store_ps(vv, v.lo);
  _mm_store_ps(vv + 4, v.hi);
}

KX_RASTER_INLINE V Set16(int v) {
  return _mm_set1_epi16(static_cast<short>(v));
}
KX_RASTER_INLINE V Set32(std::uint32_t v) {
  return _mm_set1_epi32(static_cast<int>(v));
}
KX_RASTER_INLINE Lanes L(V v) {
  return (Lanes)v;
}
// combine.h's Mul255 with one high multiply: for t = a * b + 128 < 65536,
// (t + (t >> 8)) >> 8 == t * 257 >> 16, as t + floor(t / 256) is whole.
KX_RASTER_INLINE V Mul255(V a, V b) {
  const V t = _mm_add_epi16(_mm_mullo_epi16(a, b), Set16(128));
  return _mm_mulhi_epu16(t, Set16(257));
}
KX_RASTER_INLINE V Sat(V v) {
  return _mm_min_epi16(v, Set16(255));
}
KX_RASTER_INLINE bool None(V mask) {
  return _mm_movemask_epi8(mask) == 0;
}
KX_RASTER_INLINE bool All(V mask) {
  return _mm_movemask_epi8(mask) == 0xFFFF;
}
// The 32-bit masks of lanes 0..3 and 4..7.
KX_RASTER_INLINE V Lo32(V m) {
  return _mm_unpacklo_epi16(m, m);
}
KX_RASTER_INLINE V Hi32(V m) {
  return _mm_unpackhi_epi16(m, m);
}
KX_RASTER_INLINE V Select(V mask, V a, V b) {  // a where mask is set, else b
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// Floats to lanes 0..255, truncating: ToLanes(Float4) for anything below
// 2^31 (colours interpolated inside a triangle stay far from that; beyond
// it, and for NaN, lanes read 0).
KX_RASTER_INLINE V ToLanes(F8 f) {
  const V v = _mm_packs_epi32(_mm_cvttps_epi32(f.lo), _mm_cvttps_epi32(f.hi));
  return _mm_min_epi16(_mm_max_epi16(v, _mm_setzero_si128()), Set16(255));
}

// ---- 16-bit texels and pixels: t in eight lanes ------------------------------

// 5-bit field at bits 11..15 (after a shift) widened to 8 bits.
KX_RASTER_INLINE V Widen5Top(V t) {
  return _mm_mulhi_epu16(t, Set16(264));
}
KX_RASTER_INLINE Planes From565(V t) {
  return {{Widen5Top(_mm_slli_epi16(t, 11)),
           _mm_mulhi_epu16(_mm_and_si128(t, Set16(0x07E0)), Set16(8320)),
           Widen5Top(_mm_and_si128(t, Set16(0xF800))), Set16(255)}};
}
// Alpha from bit 15 when `alphaBit`, else opaque.
KX_RASTER_INLINE Planes From1555(V t, bool alphaBit) {
  return {{Widen5Top(_mm_slli_epi16(t, 11)),
           _mm_mulhi_epu16(_mm_and_si128(t, Set16(0x03E0)), Set16(16896)),
           _mm_mulhi_epu16(_mm_and_si128(t, Set16(0x7C00)), Set16(528)),
           alphaBit ? _mm_srli_epi16(_mm_srai_epi16(t, 15), 8) : Set16(255)}};
}
KX_RASTER_INLINE Planes From4444(V t) {
  const V nib = Set16(0xF000), k = Set16(272);  // (n << 12) * 272 >> 16 = n * 17
  return {{_mm_mulhi_epu16(_mm_slli_epi16(t, 12), k),
           _mm_mulhi_epu16(_mm_and_si128(_mm_slli_epi16(t, 8), nib), k),
           _mm_mulhi_epu16(_mm_and_si128(_mm_slli_epi16(t, 4), nib), k),
           _mm_mulhi_epu16(_mm_and_si128(t, nib), k)}};
}
// Two vectors of four 0xAARRGGBB values.
KX_RASTER_INLINE Planes From8888(V lo, V hi) {
  const V byte = Set32(0xFF);
  const auto ch = [&](int shift) {
    return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(lo, shift), byte),
                           _mm_and_si128(_mm_srli_epi32(hi, shift), byte));
  };
  return {{ch(0), ch(8), ch(16), _mm_packs_epi32(_mm_srli_epi32(lo, 24), _mm_srli_epi32(hi, 24))}};
}

KX_RASTER_INLINE V To565(const Planes& p) {
  return _mm_or_si128(
      _mm_or_si128(_mm_slli_epi16(_mm_and_si128(p.c[2], Set16(0xF8)), 8),
                   _mm_slli_epi16(_mm_and_si128(p.c[1], Set16(0xFC)), 3)),
      _mm_srli_epi16(p.c[0], 3));
}
KX_RASTER_INLINE V To555(const Planes& p) {
  const V five = Set16(0xF8);
  return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_and_si128(p.c[2], five), 7),
                                   _mm_slli_epi16(_mm_and_si128(p.c[1], five), 2)),
                      _mm_srli_epi16(p.c[0], 3));
}
// 0x00RRGGBB for lanes 0..3 (lo) and 4..7 (hi).
KX_RASTER_INLINE void To8888(const Planes& p, V& lo, V& hi) {
  const V bg = _mm_or_si128(p.c[0], _mm_slli_epi16(p.c[1], 8));
  lo = _mm_unpacklo_epi16(bg, p.c[2]);
  hi = _mm_unpackhi_epi16(bg, p.c[2]);
}

// ---- Z ----------------------------------------------------------------------

KX_RASTER_INLINE __m128 Clamp01(__m128 z) {  // NaN -> 0, as ZToInt
  return _mm_min_ps(_mm_max_ps(z, _mm_setzero_ps()), _mm_set1_ps(1.0f));
}
// ZToInt for Z16, biased by -32768 so signed compares order it.
KX_RASTER_INLINE V Z16Biased(F8 z) {
  const __m128 k = _mm_set1_ps(65535.0f), half = _mm_set1_ps(0.5f);
  const V bias = Set32(32768);
  const V lo = _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(Clamp01(z.lo), k), half));
  const V hi = _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(Clamp01(z.hi), k), half));
  return _mm_packs_epi32(_mm_sub_epi32(lo, bias), _mm_sub_epi32(hi, bias));
}
// floor(c * k + 0.5) in double for four lanes, c clamped in float first: ZToInt for
// the 24- and 32-bit formats. 2^52 + n holds n in its low 32 bits.
KX_RASTER_INLINE V ZWide4(__m128 z, __m128d k) {
  const __m128 c = Clamp01(z);
  const __m128d magic = _mm_set1_pd(4503599627370496.0), half = _mm_set1_pd(0.5);
  const auto one = [&](__m128d d) {
    const __m128d v = _mm_add_pd(_mm_mul_pd(d, k), half);
    __m128d r = _mm_add_pd(v, magic);  // rounds to nearest
    const __m128d up = _mm_cmpgt_pd(_mm_sub_pd(r, magic), v);
    return _mm_sub_pd(r, _mm_and_pd(up, _mm_set1_pd(1.0)));
  };
  const __m128d a = one(_mm_cvtps_pd(c)), b = one(_mm_cvtps_pd(_mm_movehl_ps(c, c)));
  return _mm_castps_si128(
      _mm_shuffle_ps(_mm_castpd_ps(a), _mm_castpd_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
}

}  // namespace plat::d3d::raster::soa

#endif  // __SSE2__
