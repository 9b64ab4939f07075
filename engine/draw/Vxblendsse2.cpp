// Vxblendsse2.cpp — the fast blend routines: SSE2 forms of the packed-integer
// arithmetic, eight 16-bit pixels or sixteen bytes per step, the row ends
// finished by the scalar model (Vxblendmodel.h), which they match bit for bit;
// and the choice between them and the AVX2 forms (Vxblendavx2.cpp). Without
// SSE2 (other processors) the scalar model serves as the fast form.
#include "draw/Vxblendfast.h"

#include "draw/Vxblendmodel.h"
#include "draw/Vxblendsimd.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace VexmoraDrawSystem {

#if defined(__SSE2__)
namespace {

using namespace blendmodel;

inline __m128i Load(const std::uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store(std::uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
// min(x, y) for unsigned 16-bit lanes: x - sat(x - y).
inline __m128i MinU16(__m128i x, __m128i y) { return _mm_sub_epi16(x, _mm_subs_epu16(x, y)); }
// Keeps `d` where `keep` is all ones, else `out`.
inline __m128i Select(__m128i keep, __m128i d, __m128i out) {
  return _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, out));
}

struct Vec16 {
  Vec16(const Format16& f, const Amount& p)
      : rM(_mm_set1_epi16(static_cast<short>(f.rM))), gM(_mm_set1_epi16(static_cast<short>(f.gM))),
        bM(_mm_set1_epi16(static_cast<short>(f.bM))), rS(_mm_cvtsi32_si128(f.rS)),
        gS(_mm_cvtsi32_si128(f.gS)), bS(_mm_cvtsi32_si128(f.bS)),
        cmax(_mm_set1_epi16(static_cast<short>(f.cmax))),
        half(_mm_set1_epi16(static_cast<short>(f.half))),
        colour(_mm_set1_epi16(static_cast<short>(f.colour))),
        other(_mm_set1_epi16(static_cast<short>(f.other))),
        key(_mm_set1_epi16(static_cast<short>(f.key))),
        a(_mm_set1_epi16(static_cast<short>(p.a16))), ia(_mm_set1_epi16(static_cast<short>(p.ia16))) {}
  __m128i rM, gM, bM, rS, gS, bS, cmax, half, colour, other, key, a, ia;
};

template <TBlendEffect E>
inline __m128i Channel(__m128i d, __m128i s, const Vec16& v, bool full) {
  if constexpr (E == beTrans) {
    return _mm_srli_epi16(_mm_adds_epu16(_mm_mullo_epi16(s, v.a), _mm_mullo_epi16(d, v.ia)), 8);
  } else if constexpr (E == beAdd) {
    const __m128i add = full ? s : _mm_srli_epi16(_mm_mullo_epi16(s, v.a), 8);
    return MinU16(_mm_adds_epu16(d, add), v.cmax);
  } else if constexpr (E == beMod) {
    const __m128i inv = _mm_sub_epi16(v.cmax, s);
    return _mm_subs_epu16(d, full ? inv : _mm_srli_epi16(_mm_mullo_epi16(inv, v.a), 8));
  } else {
    return _mm_subs_epu16(d, full ? s : _mm_srli_epi16(_mm_mullo_epi16(s, v.a), 8));
  }
}

template <TBlendEffect E>
inline __m128i Pixels16(__m128i d, __m128i s, const Vec16& v, const Amount& p) {
  if (E == beTrans && p.a == 128) {
    const __m128i avg = _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(d, 1), v.half),
                                      _mm_and_si128(_mm_srli_epi16(s, 1), v.half));
    return _mm_or_si128(_mm_and_si128(avg, v.colour), _mm_and_si128(d, v.other));
  }
  const bool full = p.a == 255;
  auto part = [&](__m128i M, __m128i S) {
    const __m128i c = Channel<E>(_mm_srl_epi16(_mm_and_si128(d, M), S),
                                 _mm_srl_epi16(_mm_and_si128(s, M), S), v, full);
    return _mm_and_si128(_mm_sll_epi16(c, S), M);
  };
  return _mm_or_si128(_mm_or_si128(part(v.rM, v.rS), part(v.gM, v.gS)),
                      _mm_or_si128(part(v.bM, v.bS), _mm_and_si128(d, v.other)));
}

template <TBlendEffect E, bool Keyed>
void Blend16(const TVexmoraDrawDirect& r) {
  const Format16 f(PixelMode());
  const Amount p(r.param1);
  const Vec16 v(f, p);
  for (int y = 0; y < r.height; ++y) {
    std::uint8_t* d = r.dest + static_cast<std::ptrdiff_t>(y) * r.destPitch;
    const std::uint8_t* s = r.source + static_cast<std::ptrdiff_t>(y) * r.sourcePitch;
    int x = 0;
    for (; x + 8 <= r.width; x += 8) {
      const __m128i dv = Load(d + 2 * x), sv = Load(s + 2 * x);
      __m128i out = Pixels16<E>(dv, sv, v, p);
      if (Keyed) out = Select(_mm_cmpeq_epi16(sv, v.key), dv, out);
      Store(d + 2 * x, out);
    }
    Row16<E, Keyed>(d + 2 * x, s + 2 * x, r.width - x, p, f);
  }
}

struct VecB {
  explicit VecB(const Amount& p)
      : a(_mm_set1_epi16(static_cast<short>(p.a16))), ia(_mm_set1_epi16(static_cast<short>(p.ia16))),
        low7(_mm_set1_epi8(0x7F)), ones(_mm_set1_epi8(-1)), zero(_mm_setzero_si128()) {}
  __m128i a, ia, low7, ones, zero;
};

// (x * m) >> 8 on each byte of x, as bytes (products keep their low 16 bits).
inline __m128i ScaledBytes(__m128i x, __m128i m, const VecB& v) {
  const __m128i lo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(x, v.zero), m), 8);
  const __m128i hi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(x, v.zero), m), 8);
  return _mm_packus_epi16(lo, hi);
}

template <TBlendEffect E>
inline __m128i Bytes(__m128i d, __m128i s, const VecB& v, const Amount& p) {
  if constexpr (E == beTrans) {
    if (p.a == 128)
      return _mm_add_epi8(_mm_and_si128(_mm_srli_epi16(d, 1), v.low7),
                          _mm_and_si128(_mm_srli_epi16(s, 1), v.low7));
    // Each scaled half is at most 255, so the saturating byte sum is exact.
    return _mm_adds_epu8(ScaledBytes(d, v.ia, v), ScaledBytes(s, v.a, v));
  } else if constexpr (E == beAdd) {
    return _mm_adds_epu8(d, p.a == 255 ? s : ScaledBytes(s, v.a, v));
  } else if constexpr (E == beMod) {
    const __m128i inv = _mm_xor_si128(s, v.ones);
    return _mm_subs_epu8(d, p.a == 255 ? inv : ScaledBytes(inv, v.a, v));
  } else {
    return _mm_subs_epu8(d, p.a == 255 ? s : ScaledBytes(s, v.a, v));
  }
}

template <int B, TBlendEffect E, bool Keyed>
void BlendBytes(const TVexmoraDrawDirect& r) {
  const Amount p(r.param1);
  const VecB v(p);
  const std::uint32_t key = PixelKey(PixelMode(), B);
  const __m128i key32 = _mm_set1_epi32(static_cast<int>(key));
  // Whole pixels per step: 4 of 4 bytes, or 16 of 3 bytes (three vectors).
  constexpr int kPixels = B == 4 ? 4 : 16;
  constexpr int kVectors = B == 4 ? 1 : 3;
  for (int y = 0; y < r.height; ++y) {
    std::uint8_t* d = r.dest + static_cast<std::ptrdiff_t>(y) * r.destPitch;
    const std::uint8_t* s = r.source + static_cast<std::ptrdiff_t>(y) * r.sourcePitch;
    int x = 0;
    for (; x + kPixels <= r.width; x += kPixels) {
      std::uint8_t* dp = d + B * x;
      const std::uint8_t* sp = s + B * x;
      alignas(16) std::uint8_t keep[48] = {};
      if (Keyed && B == 3) {
        for (int i = 0; i < 16; ++i) {
          const std::uint32_t px = static_cast<std::uint32_t>(sp[3 * i] | sp[3 * i + 1] << 8 |
                                                              sp[3 * i + 2] << 16);
          if (px == key) keep[3 * i] = keep[3 * i + 1] = keep[3 * i + 2] = 0xFF;
        }
      }
      for (int k = 0; k < kVectors; ++k) {
        const __m128i dv = Load(dp + 16 * k), sv = Load(sp + 16 * k);
        __m128i out = Bytes<E>(dv, sv, v, p);
        if (Keyed) {
          const __m128i m = B == 4 ? _mm_cmpeq_epi32(sv, key32)
                                   : _mm_load_si128(reinterpret_cast<const __m128i*>(keep + 16 * k));
          out = Select(m, dv, out);
        }
        Store(dp + 16 * k, out);
      }
    }
    RowBytes<B, E, Keyed>(d + B * x, s + B * x, r.width - x, p, key);
  }
}

template <bool Keyed>
TPixelRoutine Pick(int bytes, TBlendEffect e) {
#define KX_PICK(E)                                   \
  switch (bytes) {                                   \
    case 2: return &Blend16<E, Keyed>;               \
    case 3: return &BlendBytes<3, E, Keyed>;         \
    case 4: return &BlendBytes<4, E, Keyed>;         \
    default: return nullptr;                         \
  }
  switch (e) {
    case beTrans: KX_PICK(beTrans)
    case beAdd: KX_PICK(beAdd)
    case beMod: KX_PICK(beMod)
    case beSub: KX_PICK(beSub)
    default: return nullptr;
  }
#undef KX_PICK
}

}  // namespace

TPixelRoutine Sse2Blend(int bytes, TBlendEffect effect, bool keyed) {
  return keyed ? Pick<true>(bytes, effect) : Pick<false>(bytes, effect);
}

TPixelRoutine FastBlend(int bytes, TBlendEffect effect, bool keyed) {
  if (TPixelRoutine wide = SimdBlend(TSimd::Avx2, bytes, effect, keyed)) return wide;
  return Sse2Blend(bytes, effect, keyed);
}
const char* FastBlendIsa() { return SimdBlend(TSimd::Avx2, 2, beAdd, false) ? "avx2" : "sse2"; }

#else

TPixelRoutine FastBlend(int bytes, TBlendEffect effect, bool keyed) {
  return ModelBlend(bytes, effect, keyed);
}
const char* FastBlendIsa() { return "scalar"; }
TPixelRoutine SimdBlend(TSimd, int, TBlendEffect, bool) { return nullptr; }

#endif

}  // namespace VexmoraDrawSystem
