// soa_sampler_impl.h — the eight-lane texture read routines themselves, as
// templates: coordinates to texel indices on SSE lanes, offsets by one
// multiply-add per lane pair, texels gathered one by one (there is no gather
// in SSE2), decoded to planes and, for bilinear, weighted rows first exactly
// as Sampler::Bilinear. soa_sampler.cpp instantiates them behind SampleFn;
// the lean span loop inlines the usual one.
#pragma once

#if defined(__SSE2__)
#include "raster/soa_sampler.h"

namespace plat::d3d::raster::soa::detail {

KX_RASTER_INLINE __m128 Limit(__m128 t) {  // NaN -> -4e6, as Sampler::Limit
  return _mm_min_ps(_mm_max_ps(t, _mm_set1_ps(-4.0e6f)), _mm_set1_ps(4.0e6f));
}
KX_RASTER_INLINE V Floor(__m128 t) {  // |t| <= 4e6
  const V i = _mm_cvttps_epi32(t);
  return _mm_add_epi32(i, _mm_castps_si128(_mm_cmpgt_ps(_mm_cvtepi32_ps(i), t)));
}

// Texel indices on one axis (16-bit lanes) from floors in two 32-bit halves:
// `i0` the addressed texel, `i1` its neighbour as Sampler::Next gives it.
template <bool Wrap>
KX_RASTER_INLINE void Address(V lo, V hi, int mask, int max, V& i0, V& i1) {
  if constexpr (Wrap) {
    const V m = _mm_set1_epi32(mask);
    i0 = _mm_packs_epi32(_mm_and_si128(lo, m), _mm_and_si128(hi, m));
    i1 = _mm_and_si128(_mm_add_epi16(i0, Set16(1)), Set16(mask));
  } else {
    const V raw = _mm_packs_epi32(lo, hi), zero = _mm_setzero_si128(), top = Set16(max);
    i0 = _mm_min_epi16(_mm_max_epi16(raw, zero), top);
    i1 = _mm_min_epi16(_mm_max_epi16(_mm_adds_epi16(raw, Set16(1)), zero), top);
  }
}

// Raw texels of eight lanes: 16-bit formats in `a`; 32-bit ones in `a`
// (lanes 0..3) and `b` (lanes 4..7).
struct Raw {
  V a, b;
};

// Byte offsets x * bytes + y * pitch of eight lanes, left in memory: one
// load per lane beats extracting them from the vectors.
KX_RASTER_INLINE void Offsets(V x, V y, std::int32_t madd, std::int32_t* o) {
  const V k = _mm_set1_epi32(madd);
  _mm_store_si128(reinterpret_cast<V*>(o), _mm_madd_epi16(_mm_unpacklo_epi16(x, y), k));
  _mm_store_si128(reinterpret_cast<V*>(o + 4), _mm_madd_epi16(_mm_unpackhi_epi16(x, y), k));
  __asm__("" : "+m"(*reinterpret_cast<std::int32_t(*)[8]>(o)));
}

// Lanes 0..3 of 16-bit texels at base + o[0..3]; two such chains run side by side.
KX_RASTER_INLINE V Four16(const std::uint8_t* base, const std::int32_t* o) {
  V r = _mm_cvtsi32_si128(static_cast<int>(Load16(base + o[0])));
  r = _mm_insert_epi16(r, static_cast<int>(Load16(base + o[1])), 1);
  r = _mm_insert_epi16(r, static_cast<int>(Load16(base + o[2])), 2);
  return _mm_insert_epi16(r, static_cast<int>(Load16(base + o[3])), 3);
}
KX_RASTER_INLINE V Four32(const std::uint8_t* base, const std::int32_t* o) {
  const auto q = [&](int i) { return _mm_cvtsi32_si128(static_cast<int>(Load32(base + o[i]))); };
  return _mm_unpacklo_epi64(_mm_unpacklo_epi32(q(0), q(1)), _mm_unpacklo_epi32(q(2), q(3)));
}

template <TextureFormat T>
KX_RASTER_INLINE Raw Gather(const std::uint8_t* base, const std::int32_t* o) {
  if constexpr (T == TextureFormat::A8R8G8B8) {
    return {Four32(base, o), Four32(base, o + 4)};
  } else {
    const V r = _mm_unpacklo_epi64(Four16(base, o), Four16(base, o + 4));
    return {r, r};
  }
}
template <TextureFormat T>
KX_RASTER_INLINE Raw Gather(const std::uint8_t* base, V x, V y, std::int32_t madd) {
  alignas(16) std::int32_t o[8];
  Offsets(x, y, madd, o);
  return Gather<T>(base, o);
}

// Texels at o[i] and their right neighbours, two per load: `left`, `right`.
template <TextureFormat T>
KX_RASTER_INLINE void GatherPairs(const std::uint8_t* base, const std::int32_t* o, Raw& left,
                                  Raw& right) {
  if constexpr (T == TextureFormat::A8R8G8B8) {
    const auto two = [&](int i) {
      const __m128 p = _mm_castsi128_ps(
          _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const V*>(base + o[i])),
                             _mm_loadl_epi64(reinterpret_cast<const V*>(base + o[i + 1]))));
      return p;  // left i, right i, left i+1, right i+1
    };
    const __m128 a = two(0), b = two(2), c = two(4), d = two(6);
    left = {_mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0))),
            _mm_castps_si128(_mm_shuffle_ps(c, d, _MM_SHUFFLE(2, 0, 2, 0)))};
    right = {_mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))),
             _mm_castps_si128(_mm_shuffle_ps(c, d, _MM_SHUFFLE(3, 1, 3, 1)))};
  } else {
    const V lo = Four32(base, o), hi = Four32(base, o + 4);  // left | right << 16
    const auto low16 = [](V v) { return _mm_srai_epi32(_mm_slli_epi32(v, 16), 16); };
    const V l = _mm_packs_epi32(low16(lo), low16(hi));
    const V r = _mm_packs_epi32(_mm_srai_epi32(lo, 16), _mm_srai_epi32(hi, 16));
    left = {l, l};
    right = {r, r};
  }
}

template <TextureFormat T>
KX_RASTER_INLINE Planes Decode(const Raw& r) {
  if constexpr (T == TextureFormat::R5G6B5) {
    return From565(r.a);
  } else if constexpr (T == TextureFormat::A1R5G5B5 || T == TextureFormat::X1R5G5B5) {
    return From1555(r.a, T == TextureFormat::A1R5G5B5);
  } else if constexpr (T == TextureFormat::A4R4G4B4) {
    return From4444(r.a);
  } else {
    return From8888(r.a, r.b);
  }
}

template <TextureFormat T>
constexpr bool kOpaque = T == TextureFormat::R5G6B5 || T == TextureFormat::X1R5G5B5;

template <TextureFormat T>
KX_RASTER_INLINE V KeyMatch(const Raw& r, std::uint32_t key) {
  if constexpr (T == TextureFormat::A8R8G8B8) {
    const V k = Set32(key);
    return _mm_packs_epi32(_mm_cmpeq_epi32(r.a, k), _mm_cmpeq_epi32(r.b, k));
  } else {
    return _mm_cmpeq_epi16(r.a, Set16(static_cast<int>(key)));
  }
}

template <TextureFormat T, bool Wrap>
void Point(const FastSampler& s, const float* u, const float* v, Planes& out, V& keyHit) {
  const __m128 fw = _mm_set1_ps(s.fw), fh = _mm_set1_ps(s.fh);
  V x, y, unused;
  Address<Wrap>(Floor(Limit(_mm_mul_ps(_mm_loadu_ps(u), fw))),
                Floor(Limit(_mm_mul_ps(_mm_loadu_ps(u + 4), fw))), s.wmask, s.wmax, x, unused);
  Address<Wrap>(Floor(Limit(_mm_mul_ps(_mm_loadu_ps(v), fh))),
                Floor(Limit(_mm_mul_ps(_mm_loadu_ps(v + 4), fh))), s.hmask, s.hmax, y, unused);
  const Raw r = Gather<T>(s.texels, x, y, s.madd);
  out = Decode<T>(r);
  if (s.keyed) keyHit = KeyMatch<T>(r, s.key);
}

// Floors (two halves of 32-bit lanes) and 8-bit fractions (16-bit lanes) of
// Limit(t * n - 0.5), from one floor of 256 times it: scaling by 256 is
// exact, so these are Sampler::Bilinear's values.
KX_RASTER_INLINE void Split(const float* t, float n, V& lo, V& hi, V& frac) {
  const __m128 k = _mm_set1_ps(n * 256.0f), half = _mm_set1_ps(128.0f);
  const __m128 bound = _mm_set1_ps(4.0e6f * 256.0f), low = _mm_set1_ps(-4.0e6f * 256.0f);
  const auto fixed = [&](const float* p) {
    const __m128 x = _mm_sub_ps(_mm_mul_ps(_mm_loadu_ps(p), k), half);
    return Floor(_mm_min_ps(_mm_max_ps(x, low), bound));
  };
  const V a = fixed(t), b = fixed(t + 4), byte = _mm_set1_epi32(0xFF);
  lo = _mm_srai_epi32(a, 8);
  hi = _mm_srai_epi32(b, 8);
  frac = _mm_packs_epi32(_mm_and_si128(a, byte), _mm_and_si128(b, byte));
}

// a + (b - a) * w / 256, floored; w7 = w << 7.
KX_RASTER_INLINE V Lerp(V a, V b, V w7) {
  return _mm_add_epi16(a, _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(b, a), 1), w7));
}

template <TextureFormat T, bool Wrap, bool Alpha>
KX_RASTER_INLINE void Bilinear(const FastSampler& s, const float* u, const float* v, Planes& out,
                               V& keyHit) {
  V ulo, uhi, wx, vlo, vhi, wy, x0, x1, y0, y1;
  Split(u, s.fw, ulo, uhi, wx);
  Split(v, s.fh, vlo, vhi, wy);
  Address<Wrap>(ulo, uhi, s.wmask, s.wmax, x0, x1);
  Address<Wrap>(vlo, vhi, s.hmask, s.hmax, y0, y1);
  Raw r00, r10, r01, r11;
  alignas(16) std::int32_t o0[8], o1[8];
  Offsets(x0, y0, s.madd, o0);
  Offsets(x0, y1, s.madd, o1);
  if (All(_mm_cmpeq_epi16(x1, _mm_add_epi16(x0, Set16(1))))) {
    // Right neighbours next in memory: one load reads both.
    GatherPairs<T>(s.texels, o0, r00, r10);
    GatherPairs<T>(s.texels, o1, r01, r11);
  } else {
    r00 = Gather<T>(s.texels, o0);
    r01 = Gather<T>(s.texels, o1);
    r10 = Gather<T>(s.texels, x1, y0, s.madd);
    r11 = Gather<T>(s.texels, x1, y1, s.madd);
  }
  if (s.keyed) {  // the nearest of the four taps
    const V hx = _mm_cmpgt_epi16(wx, Set16(127)), hy = _mm_cmpgt_epi16(wy, Set16(127));
    if constexpr (T == TextureFormat::A8R8G8B8) {
      const auto pick = [&](V mx, V my, V a00, V a10, V a01, V a11) {
        return Select(my, Select(mx, a11, a01), Select(mx, a10, a00));
      };
      const Raw n{pick(Lo32(hx), Lo32(hy), r00.a, r10.a, r01.a, r11.a),
                  pick(Hi32(hx), Hi32(hy), r00.b, r10.b, r01.b, r11.b)};
      keyHit = KeyMatch<T>(n, s.key);
    } else {
      const Raw n{Select(hy, Select(hx, r11.a, r01.a), Select(hx, r10.a, r00.a)), {}};
      keyHit = KeyMatch<T>(n, s.key);
    }
  }
  const Planes p00 = Decode<T>(r00), p10 = Decode<T>(r10), p01 = Decode<T>(r01),
               p11 = Decode<T>(r11);
  const V wx7 = _mm_slli_epi16(wx, 7), wy7 = _mm_slli_epi16(wy, 7);
  constexpr int kChannels = kOpaque<T> || !Alpha ? 3 : 4;
  for (int c = 0; c < kChannels; ++c)
    out.c[c] = Lerp(Lerp(p00.c[c], p01.c[c], wy7), Lerp(p10.c[c], p11.c[c], wy7), wx7);
  if constexpr (kChannels == 3) out.c[3] = Set16(255);
}

}  // namespace plat::d3d::raster::soa::detail

#endif  // __SSE2__
