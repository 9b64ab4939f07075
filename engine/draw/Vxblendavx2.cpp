// Vxblendavx2.cpp — AVX2 forms of the packed-integer blends: sixteen 16-bit
// pixels or 32 bytes per step, the same lane arithmetic as the SSE2 forms
// (Vxblendsse2.cpp), which finish the columns left over. Compiled normally,
// with the AVX2 code in functions marked for that target, so nothing here
// runs unless CPUID reports AVX2 (checked once).
#include "draw/Vxblendsimd.h"
#include "draw/Vxpixelmode.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KX_AVX2 __attribute__((target("avx2")))
#endif

namespace VexmoraDrawSystem {

#if defined(KX_AVX2)
namespace {

using V = __m256i;

KX_AVX2 inline V Ld(const std::uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
KX_AVX2 inline void St(std::uint8_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<V*>(p), v); }
KX_AVX2 inline V Set16(std::uint32_t v) { return _mm256_set1_epi16(static_cast<short>(v)); }
KX_AVX2 inline V MinU16(V x, V y) { return _mm256_sub_epi16(x, _mm256_subs_epu16(x, y)); }
KX_AVX2 inline V Select(V keep, V d, V out) {
  return _mm256_or_si256(_mm256_and_si256(keep, d), _mm256_andnot_si256(keep, out));
}

// The parameter as 16-bit lanes hold it: a, 255 - a.
struct Params {
  std::uint32_t a, a16, ia16;
  explicit Params(std::int32_t p)
      : a(static_cast<std::uint32_t>(p)), a16(a & 0xFFFF), ia16((255 - a) & 0xFFFF) {}
};

// The tail: columns [from, width) of every row, by the SSE2 form.
void Tail(const TVexmoraDrawDirect& r, int from, int bytes, TPixelRoutine sse2) {
  if (from >= r.width) return;
  TVexmoraDrawDirect t = r;
  t.dest += from * bytes;
  t.source += from * bytes;
  t.width = r.width - from;
  sse2(t);
}

template <TBlendEffect E, bool Keyed>
KX_AVX2 void Blend16(const TVexmoraDrawDirect& r) {
  const TPixelMode& m = PixelMode();
  const Params p(r.param1);
  const V rM = Set16(m.rMask), gM = Set16(m.gMask), bM = Set16(m.bMask);
  const __m128i rS = _mm_cvtsi32_si128(m.rShift), gS = _mm_cvtsi32_si128(m.gShift),
                bS = _mm_cvtsi32_si128(m.bShift);
  const V cmax = Set16((1u << m.minBits) - 1), half = Set16(m.gMask == 0x07E0 ? 0x7BEF : 0x3DEF);
  const V colour = Set16(m.colourMask), other = Set16(m.otherMask), key = Set16(m.keyColour);
  const V a = Set16(p.a16), ia = Set16(p.ia16);
  const bool full = p.a == 255, average = E == beTrans && p.a == 128;
  const int blocks = r.width / 16 * 16;
  for (int y = 0; y < r.height; ++y) {
    std::uint8_t* d = r.dest + static_cast<std::ptrdiff_t>(y) * r.destPitch;
    const std::uint8_t* s = r.source + static_cast<std::ptrdiff_t>(y) * r.sourcePitch;
    for (int x = 0; x < blocks; x += 16) {
      const V dv = Ld(d + 2 * x), sv = Ld(s + 2 * x);
      V out;
      if (average) {
        const V avg = _mm256_add_epi16(_mm256_and_si256(_mm256_srli_epi16(dv, 1), half),
                                       _mm256_and_si256(_mm256_srli_epi16(sv, 1), half));
        out = _mm256_or_si256(_mm256_and_si256(avg, colour), _mm256_and_si256(dv, other));
      } else {
        out = _mm256_and_si256(dv, other);
        const V masks[3] = {rM, gM, bM};
        const __m128i shifts[3] = {rS, gS, bS};
        for (int c = 0; c < 3; ++c) {
          const V dc = _mm256_srl_epi16(_mm256_and_si256(dv, masks[c]), shifts[c]);
          const V sc = _mm256_srl_epi16(_mm256_and_si256(sv, masks[c]), shifts[c]);
          V t;
          if constexpr (E == beTrans) {
            t = _mm256_srli_epi16(
                _mm256_adds_epu16(_mm256_mullo_epi16(sc, a), _mm256_mullo_epi16(dc, ia)), 8);
          } else if constexpr (E == beAdd) {
            t = MinU16(_mm256_adds_epu16(
                           dc, full ? sc : _mm256_srli_epi16(_mm256_mullo_epi16(sc, a), 8)),
                       cmax);
          } else if constexpr (E == beMod) {
            const V inv = _mm256_sub_epi16(cmax, sc);
            t = _mm256_subs_epu16(dc, full ? inv : _mm256_srli_epi16(_mm256_mullo_epi16(inv, a), 8));
          } else {
            t = _mm256_subs_epu16(dc, full ? sc : _mm256_srli_epi16(_mm256_mullo_epi16(sc, a), 8));
          }
          out = _mm256_or_si256(out, _mm256_and_si256(_mm256_sll_epi16(t, shifts[c]), masks[c]));
        }
      }
      if (Keyed) out = Select(_mm256_cmpeq_epi16(sv, key), dv, out);
      St(d + 2 * x, out);
    }
  }
  Tail(r, blocks, 2, Sse2Blend(2, E, Keyed));
}

// (x * m) >> 8 on each byte, products keeping their low 16 bits.
KX_AVX2 inline V Scaled(V x, V m) {
  const V zero = _mm256_setzero_si256();
  const V lo = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(x, zero), m), 8);
  const V hi = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(x, zero), m), 8);
  return _mm256_packus_epi16(lo, hi);  // both per 128-bit lane: the order comes back
}

template <TBlendEffect E>
KX_AVX2 inline V Bytes(V d, V s, V a, V ia, const Params& p) {
  if constexpr (E == beTrans) {
    if (p.a == 128) {
      const V low7 = _mm256_set1_epi8(0x7F);
      return _mm256_add_epi8(_mm256_and_si256(_mm256_srli_epi16(d, 1), low7),
                             _mm256_and_si256(_mm256_srli_epi16(s, 1), low7));
    }
    return _mm256_adds_epu8(Scaled(d, ia), Scaled(s, a));
  } else if constexpr (E == beAdd) {
    return _mm256_adds_epu8(d, p.a == 255 ? s : Scaled(s, a));
  } else if constexpr (E == beMod) {
    const V inv = _mm256_xor_si256(s, _mm256_set1_epi8(-1));
    return _mm256_subs_epu8(d, p.a == 255 ? inv : Scaled(inv, a));
  } else {
    return _mm256_subs_epu8(d, p.a == 255 ? s : Scaled(s, a));
  }
}

template <int B, TBlendEffect E, bool Keyed>
KX_AVX2 void BlendBytes(const TVexmoraDrawDirect& r) {
  const Params p(r.param1);
  const V a = Set16(p.a16), ia = Set16(p.ia16);
  const TPixelMode& m = PixelMode();
  const std::uint32_t key = B == 4 ? m.keyColour : m.keyColour & 0xFFFFFF;
  const V key32 = _mm256_set1_epi32(static_cast<int>(key));
  constexpr int kPixels = B == 4 ? 8 : 32;  // whole pixels per step
  constexpr int kVectors = B == 4 ? 1 : 3;
  const int blocks = r.width / kPixels * kPixels;
  for (int y = 0; y < r.height; ++y) {
    std::uint8_t* d = r.dest + static_cast<std::ptrdiff_t>(y) * r.destPitch;
    const std::uint8_t* s = r.source + static_cast<std::ptrdiff_t>(y) * r.sourcePitch;
    for (int x = 0; x < blocks; x += kPixels) {
      std::uint8_t* dp = d + B * x;
      const std::uint8_t* sp = s + B * x;
      alignas(32) std::uint8_t keep[96] = {};
      if (Keyed && B == 3) {
        for (int i = 0; i < 32; ++i) {
          const std::uint32_t px = static_cast<std::uint32_t>(sp[3 * i] | sp[3 * i + 1] << 8 |
                                                              sp[3 * i + 2] << 16);
          if (px == key) keep[3 * i] = keep[3 * i + 1] = keep[3 * i + 2] = 0xFF;
        }
      }
      for (int k = 0; k < kVectors; ++k) {
        const V dv = Ld(dp + 32 * k), sv = Ld(sp + 32 * k);
        V out = Bytes<E>(dv, sv, a, ia, p);
        if (Keyed) {
          const V mask = B == 4 ? _mm256_cmpeq_epi32(sv, key32)
                                : _mm256_load_si256(reinterpret_cast<const V*>(keep + 32 * k));
          out = Select(mask, dv, out);
        }
        St(dp + 32 * k, out);
      }
    }
  }
  Tail(r, blocks, B, Sse2Blend(B, E, Keyed));
}

template <bool Keyed>
TPixelRoutine Pick(int bytes, TBlendEffect e) {
#define KX_PICK(E)                           \
  switch (bytes) {                           \
    case 2: return &Blend16<E, Keyed>;       \
    case 3: return &BlendBytes<3, E, Keyed>; \
    case 4: return &BlendBytes<4, E, Keyed>; \
    default: return nullptr;                 \
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

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

}  // namespace

TPixelRoutine SimdBlend(TSimd isa, int bytes, TBlendEffect effect, bool keyed) {
  if (isa == TSimd::Sse2) return Sse2Blend(bytes, effect, keyed);
  if (!HasAvx2()) return nullptr;
  return keyed ? Pick<true>(bytes, effect) : Pick<false>(bytes, effect);
}

#endif

}  // namespace VexmoraDrawSystem
