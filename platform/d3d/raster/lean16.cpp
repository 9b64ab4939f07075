// lean16.cpp — the lean span loop (soa_lean.cpp) sixteen pixels at a time,
// in AVX2, for CPUs that have it: the same state (one MODULATE stage,
// optional specular, optional SRCALPHA blend, Z LESSEQUAL on any Z format)
// read from the 3D component's textures: 1:5:5:5, bilinear, WRAP. Other
// textures keep the eight-lane build. The maths is soa_lean.cpp's lane for
// lane, so both builds draw the same pixels.
//
// Lane order: sixteen 16-bit lanes hold pixels 0..15 in order. Floats and
// 32-bit values sit in two vectors, pixels 0-3 and 8-11 in `lo`, 4-7 and
// 12-15 in `hi`, because AVX2's packs and unpacks work within 128-bit
// halves: packing lo with hi gives the pixels in order, unpacking a 16-bit
// vector gives lo and hi back.
//
// Rows go sixteen pixels at a time; what is left of a row, when it fills
// three quarters of a group, is one masked group ending at the row's end,
// else it is packed with other short pieces sixteen at a time.
//
// Built with -mavx2 (no FMA: products and sums round as the scalar loop's).
// Everything here is internal to this file, so no AVX2 code can stand in
// for a shared inline function elsewhere.
#include "raster/lean_pick.h"
#include "raster/pipeline.h"

#if defined(__AVX2__)
#include <immintrin.h>

#include <atomic>
#include <cstring>

namespace plat::d3d::raster {
namespace {

using W = __m256i;
struct F16 {
  __m256 lo, hi;  // pixels 0-3 and 8-11; 4-7 and 12-15
};
struct Planes {
  W c[4];  // B, G, R, A: 0..255 in sixteen lanes
};

KX_RASTER_INLINE W Set16(int v) {
  return _mm256_set1_epi16(static_cast<short>(v));
}
KX_RASTER_INLINE W Set32(std::uint32_t v) {
  return _mm256_set1_epi32(static_cast<int>(v));
}
KX_RASTER_INLINE bool None(W mask) {
  return _mm256_movemask_epi8(mask) == 0;
}
KX_RASTER_INLINE bool All(W mask) {
  return _mm256_movemask_epi8(mask) == -1;
}
KX_RASTER_INLINE W Select(W mask, W a, W b) {  // a where mask is set, else b
  return _mm256_blendv_epi8(b, a, mask);
}
// The 32-bit masks of the lo and hi pixels.
KX_RASTER_INLINE W Lo32(W m) {
  return _mm256_unpacklo_epi16(m, m);
}
KX_RASTER_INLINE W Hi32(W m) {
  return _mm256_unpackhi_epi16(m, m);
}
// a * b / 255 rounded (see soa::Mul255).
KX_RASTER_INLINE W Mul255(W a, W b) {
  return _mm256_mulhi_epu16(_mm256_add_epi16(_mm256_mullo_epi16(a, b), Set16(128)), Set16(257));
}
KX_RASTER_INLINE W Sat(W v) {
  return _mm256_min_epi16(v, Set16(255));
}
KX_RASTER_INLINE W Pack(W lo, W hi) {  // 32-bit lo and hi lanes to sixteen 16-bit lanes
  return _mm256_packs_epi32(lo, hi);
}
KX_RASTER_INLINE W ToLanes(F16 f) {  // truncating, clamped to 0..255 (NaN -> 0)
  const W v = Pack(_mm256_cvttps_epi32(f.lo), _mm256_cvttps_epi32(f.hi));
  return _mm256_min_epi16(_mm256_max_epi16(v, _mm256_setzero_si256()), Set16(255));
}

// Loads and stores of sixteen 4-byte values (pixels or Z) in lo / hi order.
KX_RASTER_INLINE void Load4x16(const std::uint8_t* p, W& lo, W& hi) {
  const auto q = [p](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)); };
  lo = _mm256_inserti128_si256(_mm256_castsi128_si256(q(0)), q(32), 1);
  hi = _mm256_inserti128_si256(_mm256_castsi128_si256(q(16)), q(48), 1);
}
KX_RASTER_INLINE void Store4x16(std::uint8_t* p, W lo, W hi) {
  const auto q = [p](int i, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v); };
  q(0, _mm256_castsi256_si128(lo));
  q(32, _mm256_extracti128_si256(lo, 1));
  q(16, _mm256_castsi256_si128(hi));
  q(48, _mm256_extracti128_si256(hi, 1));
}
KX_RASTER_INLINE W Load2x16(const std::uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const W*>(p));
}
KX_RASTER_INLINE void Store2x16(std::uint8_t* p, W v) {
  _mm256_storeu_si256(reinterpret_cast<W*>(p), v);
}
// pixel.h's Load16 / Load32, kept here: those are shared inline functions.
KX_RASTER_INLINE std::uint16_t Read16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
KX_RASTER_INLINE std::uint32_t Read32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// ---- target pixels ------------------------------------------------------------

KX_RASTER_INLINE W Widen5Top(W t) {  // 5-bit field at bits 11..15 to 8 bits
  return _mm256_mulhi_epu16(t, Set16(264));
}
KX_RASTER_INLINE Planes From1555(W t, bool alphaBit) {
  return {{Widen5Top(_mm256_slli_epi16(t, 11)),
           _mm256_mulhi_epu16(_mm256_and_si256(t, Set16(0x03E0)), Set16(16896)),
           _mm256_mulhi_epu16(_mm256_and_si256(t, Set16(0x7C00)), Set16(528)),
           alphaBit ? _mm256_srli_epi16(_mm256_srai_epi16(t, 15), 8) : Set16(255)}};
}

template <TargetFormat F>
KX_RASTER_INLINE Planes LoadPlanes(const std::uint8_t* px) {
  if constexpr (F == TargetFormat::X8R8G8B8) {
    W lo, hi;
    Load4x16(px, lo, hi);
    const W byte = Set32(0xFF);
    const auto ch = [&](int s) {
      return Pack(_mm256_and_si256(_mm256_srli_epi32(lo, s), byte),
                  _mm256_and_si256(_mm256_srli_epi32(hi, s), byte));
    };
    return {{ch(0), ch(8), ch(16), Set16(255)}};
  } else if constexpr (F == TargetFormat::R5G6B5) {
    const W t = Load2x16(px);
    return {{Widen5Top(_mm256_slli_epi16(t, 11)),
             _mm256_mulhi_epu16(_mm256_and_si256(t, Set16(0x07E0)), Set16(8320)),
             Widen5Top(_mm256_and_si256(t, Set16(0xF800))), Set16(255)}};
  } else {
    return From1555(Load2x16(px), false);
  }
}

template <TargetFormat F>
KX_RASTER_INLINE void StorePlanes(std::uint8_t* px, const Planes& c, W live) {
  if constexpr (F == TargetFormat::X8R8G8B8) {
    const W bg = _mm256_or_si256(c.c[0], _mm256_slli_epi16(c.c[1], 8));
    W lo = _mm256_unpacklo_epi16(bg, c.c[2]), hi = _mm256_unpackhi_epi16(bg, c.c[2]);
    if (!All(live)) {
      W oldLo, oldHi;
      Load4x16(px, oldLo, oldHi);
      lo = Select(Lo32(live), lo, oldLo);
      hi = Select(Hi32(live), hi, oldHi);
    }
    Store4x16(px, lo, hi);
  } else {
    const W f8 = Set16(0xF8);
    W v;
    if constexpr (F == TargetFormat::R5G6B5)
      v = _mm256_or_si256(
          _mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(c.c[2], f8), 8),
                          _mm256_slli_epi16(_mm256_and_si256(c.c[1], Set16(0xFC)), 3)),
          _mm256_srli_epi16(c.c[0], 3));
    else
      v = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(c.c[2], f8), 7),
                                          _mm256_slli_epi16(_mm256_and_si256(c.c[1], f8), 2)),
                          _mm256_srli_epi16(c.c[0], 3));
    if (!All(live)) v = Select(live, v, Load2x16(px));
    Store2x16(px, v);
  }
}

// ---- the texture: 1:5:5:5, bilinear, WRAP (see soa_sampler_impl.h) -------------

struct Texels {
  const std::uint8_t* base;
  __m256 ku, kv;   // size * 256
  W umask, vmask;  // size - 1, 32-bit lanes
  W madd;          // texel bytes | pitch << 16
  bool keyed;
  W key;
};

// Floors of Limit(t * n - 0.5) in lo / hi and their 8-bit fractions.
KX_RASTER_INLINE void Split(F16 t, __m256 k, W& lo, W& hi, W& frac) {
  const __m256 half = _mm256_set1_ps(128.0f);
  const __m256 bound = _mm256_set1_ps(4.0e6f * 256.0f), low = _mm256_set1_ps(-4.0e6f * 256.0f);
  const auto fixed = [&](__m256 p) {
    const __m256 x =
        _mm256_min_ps(_mm256_max_ps(_mm256_sub_ps(_mm256_mul_ps(p, k), half), low), bound);
    const W i = _mm256_cvttps_epi32(x);
    return _mm256_add_epi32(
        i, _mm256_castps_si256(_mm256_cmp_ps(_mm256_cvtepi32_ps(i), x, _CMP_GT_OQ)));
  };
  const W a = fixed(t.lo), b = fixed(t.hi), byte = Set32(0xFF);
  lo = _mm256_srai_epi32(a, 8);
  hi = _mm256_srai_epi32(b, 8);
  frac = Pack(_mm256_and_si256(a, byte), _mm256_and_si256(b, byte));
}

// Sixteen 16-bit texels at base + o[i], o in lo / hi order.
KX_RASTER_INLINE W GatherSingles(const std::uint8_t* base, W oLo, W oHi) {
  alignas(32) std::int32_t o[16];
  _mm256_store_si256(reinterpret_cast<W*>(o), oLo);
  _mm256_store_si256(reinterpret_cast<W*>(o + 8), oHi);
  // Pixel p's offset: lo holds 0-3 then 8-11, hi 4-7 then 12-15.
  static constexpr int kAt[16] = {0, 1, 2, 3, 8, 9, 10, 11, 4, 5, 6, 7, 12, 13, 14, 15};
  alignas(32) std::uint16_t t[16];
  for (int p = 0; p < 16; ++p) t[p] = Read16(base + o[kAt[p]]);
  return _mm256_load_si256(reinterpret_cast<const W*>(t));
}

// A texel and its right neighbour at each offset: one 32-bit read each.
KX_RASTER_INLINE void GatherPairs(const std::uint8_t* base, W oLo, W oHi, W& left, W& right) {
  alignas(32) std::int32_t o[16];
  _mm256_store_si256(reinterpret_cast<W*>(o), oLo);
  _mm256_store_si256(reinterpret_cast<W*>(o + 8), oHi);
  __asm__("" : "+m"(o));
  const auto four = [&](int i) {
    __m128i r = _mm_cvtsi32_si128(static_cast<int>(Read32(base + o[i])));
    r = _mm_insert_epi32(r, static_cast<int>(Read32(base + o[i + 1])), 1);
    r = _mm_insert_epi32(r, static_cast<int>(Read32(base + o[i + 2])), 2);
    return _mm_insert_epi32(r, static_cast<int>(Read32(base + o[i + 3])), 3);
  };
  const W a = _mm256_inserti128_si256(_mm256_castsi128_si256(four(0)), four(4), 1);
  const W b = _mm256_inserti128_si256(_mm256_castsi128_si256(four(8)), four(12), 1);
  const auto low16 = [](W v) { return _mm256_srai_epi32(_mm256_slli_epi32(v, 16), 16); };
  left = Pack(low16(a), low16(b));
  right = Pack(_mm256_srai_epi32(a, 16), _mm256_srai_epi32(b, 16));
}

// a + (b - a) * w / 256, floored; w7 = w << 7.
KX_RASTER_INLINE W Lerp(W a, W b, W w7) {
  return _mm256_add_epi16(a, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(b, a), 1), w7));
}

template <bool Alpha>
KX_RASTER_INLINE void Bilinear(const Texels& s, F16 u, F16 v, Planes& out, W& keyHit) {
  W ulo, uhi, wx, vlo, vhi, wy;
  Split(u, s.ku, ulo, uhi, wx);
  Split(v, s.kv, vlo, vhi, wy);
  const W one = Set32(1);
  const W x0lo = _mm256_and_si256(ulo, s.umask), x0hi = _mm256_and_si256(uhi, s.umask);
  const W y0lo = _mm256_and_si256(vlo, s.vmask), y0hi = _mm256_and_si256(vhi, s.vmask);
  const W y1lo = _mm256_and_si256(_mm256_add_epi32(vlo, one), s.vmask);
  const W y1hi = _mm256_and_si256(_mm256_add_epi32(vhi, one), s.vmask);
  // Offsets x * 2 + y * pitch, as one multiply-add of (x, y) pairs.
  const auto offset = [&](W x, W y) {
    return _mm256_madd_epi16(_mm256_or_si256(x, _mm256_slli_epi32(y, 16)), s.madd);
  };
  const W o0lo = offset(x0lo, y0lo), o0hi = offset(x0hi, y0hi);
  const W o1lo = offset(x0lo, y1lo), o1hi = offset(x0hi, y1hi);
  W r00, r10, r01, r11;
  const W lastLo = _mm256_cmpeq_epi32(x0lo, s.umask), lastHi = _mm256_cmpeq_epi32(x0hi, s.umask);
  if (None(_mm256_or_si256(lastLo, lastHi))) {
    // No texel on the right edge: the right neighbours are next in memory.
    GatherPairs(s.base, o0lo, o0hi, r00, r10);
    GatherPairs(s.base, o1lo, o1hi, r01, r11);
  } else {
    const W x1lo = _mm256_and_si256(_mm256_add_epi32(ulo, one), s.umask);
    const W x1hi = _mm256_and_si256(_mm256_add_epi32(uhi, one), s.umask);
    r00 = GatherSingles(s.base, o0lo, o0hi);
    r01 = GatherSingles(s.base, o1lo, o1hi);
    r10 = GatherSingles(s.base, offset(x1lo, y0lo), offset(x1hi, y0hi));
    r11 = GatherSingles(s.base, offset(x1lo, y1lo), offset(x1hi, y1hi));
  }
  if (s.keyed) {  // the nearest of the four taps
    const W hx = _mm256_cmpgt_epi16(wx, Set16(127)), hy = _mm256_cmpgt_epi16(wy, Set16(127));
    const W n = Select(hy, Select(hx, r11, r01), Select(hx, r10, r00));
    keyHit = _mm256_cmpeq_epi16(n, s.key);
  }
  const Planes p00 = From1555(r00, Alpha), p10 = From1555(r10, Alpha);
  const Planes p01 = From1555(r01, Alpha), p11 = From1555(r11, Alpha);
  const W wx7 = _mm256_slli_epi16(wx, 7), wy7 = _mm256_slli_epi16(wy, 7);
  constexpr int kChannels = Alpha ? 4 : 3;
  for (int c = 0; c < kChannels; ++c)
    out.c[c] = Lerp(Lerp(p00.c[c], p01.c[c], wy7), Lerp(p10.c[c], p11.c[c], wy7), wx7);
  if constexpr (!Alpha) out.c[3] = Set16(255);
}

// ---- the group ------------------------------------------------------------------

struct Attr16 {
  F16 a[kAttrs];
};

template <int ZK, bool Blend, bool Spec>
constexpr bool Needed(int k) {
  return k == kZ ? ZK != kNoZ : k >= kSB ? Spec : k == kA ? Blend : true;
}

KX_RASTER_INLINE __m256 Clamp01(__m256 z) {  // NaN -> 0
  return _mm256_min_ps(_mm256_max_ps(z, _mm256_setzero_ps()), _mm256_set1_ps(1.0f));
}
// Wide Z to unsigned buffer values: trunc(clamp(z) * scale), at most zMax.
KX_RASTER_INLINE W ZWide(__m256 z, __m256 scale, __m256 zMax) {
  const __m256 two31 = _mm256_set1_ps(2147483648.0f);
  const __m256 t = _mm256_min_ps(_mm256_mul_ps(Clamp01(z), scale), zMax);
  const __m256 high = _mm256_cmp_ps(t, two31, _CMP_GE_OQ);
  W r = _mm256_cvttps_epi32(_mm256_sub_ps(t, _mm256_and_ps(high, two31)));
  const W top = Set32(0x80000000u);
  r = _mm256_add_epi32(r, _mm256_cmpeq_epi32(r, top));  // 2^32 overflowed: 0xFFFFFFFF
  return _mm256_xor_si256(r, _mm256_and_si256(_mm256_castps_si256(high), top));
}
KX_RASTER_INLINE W Z16Biased(F16 z) {  // round(z * 65535) - 32768
  const __m256 k = _mm256_set1_ps(65535.0f), half = _mm256_set1_ps(0.5f);
  const W bias = Set32(32768);
  const auto one = [&](__m256 f) {
    return _mm256_sub_epi32(_mm256_cvttps_epi32(_mm256_add_ps(_mm256_mul_ps(Clamp01(f), k), half)),
                            bias);
  };
  return Pack(one(z.lo), one(z.hi));
}

template <TargetFormat F, int ZK, bool Blend, bool Spec, bool Alpha>
KX_RASTER_INLINE void Shade(const FastState& c, const Texels& tx, const Attr16& at,
                            std::uint8_t* px, std::uint8_t* zp, W live) {
  W zNew{}, zNew2{}, zOld{}, zOld2{};
  const W top = Set32(0x80000000u);
  if constexpr (ZK == kZ16) {
    zNew = Z16Biased(at.a[kZ]);
    zOld = Load2x16(zp);
    live =
        _mm256_andnot_si256(_mm256_cmpgt_epi16(zNew, _mm256_xor_si256(zOld, Set16(0x8000))), live);
  } else if constexpr (ZK == kZWide) {
    const __m256 scale = _mm256_set1_ps(c.zScaleF), zMax = _mm256_set1_ps(c.zMaxF);
    const W zBits = Set32(c.zBits);
    zNew = ZWide(at.a[kZ].lo, scale, zMax);
    zNew2 = ZWide(at.a[kZ].hi, scale, zMax);
    Load4x16(zp, zOld, zOld2);
    const auto fails = [&](W n, W o) {
      return _mm256_cmpgt_epi32(_mm256_xor_si256(n, top),
                                _mm256_xor_si256(_mm256_and_si256(o, zBits), top));
    };
    live = _mm256_andnot_si256(Pack(fails(zNew, zOld), fails(zNew2, zOld2)), live);
  }
  if constexpr (ZK != kNoZ)
    if (None(live)) return;

  F16 u = at.a[kU], v = at.a[kV];
  if (c.perspective) {  // an exact divide, as the scalar loop
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 r0 = _mm256_div_ps(one, at.a[kW].lo), r1 = _mm256_div_ps(one, at.a[kW].hi);
    u = {_mm256_mul_ps(u.lo, r0), _mm256_mul_ps(u.hi, r1)};
    v = {_mm256_mul_ps(v.lo, r0), _mm256_mul_ps(v.hi, r1)};
  }
  Planes tex;
  W hit = _mm256_setzero_si256();
  Bilinear<Alpha>(tx, u, v, tex, hit);
  live = _mm256_andnot_si256(hit, live);
  if (None(live)) return;

  Planes cur;
  for (int ch = 0; ch < 3; ++ch) {
    cur.c[ch] = Mul255(tex.c[ch], ToLanes(at.a[kB + ch]));
    if constexpr (Spec) cur.c[ch] = Sat(_mm256_add_epi16(cur.c[ch], ToLanes(at.a[kSB + ch])));
  }
  if constexpr (Blend) {
    W alpha = tex.c[3];
    if (c.leanAlpha != FastState::kAlphaTexture) {
      const W d = ToLanes(at.a[kA]);
      alpha = c.leanAlpha == FastState::kAlphaDiffuse ? d : Mul255(alpha, d);
    }
    const Planes d = LoadPlanes<F>(px);
    const W inv = _mm256_sub_epi16(Set16(255), alpha);
    for (int ch = 0; ch < 3; ++ch)
      cur.c[ch] = Sat(_mm256_add_epi16(Mul255(cur.c[ch], alpha), Mul255(d.c[ch], inv)));
  }
  StorePlanes<F>(px, cur, live);

  if constexpr (ZK == kZ16) {
    if (c.zWrite) Store2x16(zp, Select(live, _mm256_xor_si256(zNew, Set16(0x8000)), zOld));
  } else if constexpr (ZK == kZWide) {
    if (c.zWrite) {
      const W zBits = Set32(c.zBits);
      const W n0 = _mm256_or_si256(_mm256_andnot_si256(zBits, zOld), zNew);
      const W n1 = _mm256_or_si256(_mm256_andnot_si256(zBits, zOld2), zNew2);
      Store4x16(zp, Select(Lo32(live), n0, zOld), Select(Hi32(live), n1, zOld2));
    }
  }
}

// ---- short rows, packed ---------------------------------------------------------

// Pixels of short runs shaded together: lanes 0..n-1, room for one more
// run of up to fifteen past them.
struct Pack16 {
  int n = 0;
  alignas(32) float x[32], y[32];             // from the plane's origin
  alignas(32) std::int64_t pixel[32], z[32];  // byte offsets into the target and the Z buffer
};

KX_RASTER_INLINE __m256 LoHalf(const float* p) {  // p[0..3], p[8..11]
  return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(p)), _mm_load_ps(p + 8), 1);
}

KX_RASTER_INLINE void Append(Pack16& q, int x, int y, int len, const Plane& plane,
                             const Pipeline& p, int bytes, int zBytes) {
  const __m256 fx = _mm256_set1_ps(static_cast<float>(x) - plane.x0);
  const __m256 fy = _mm256_set1_ps(static_cast<float>(y) - plane.y0);
  float* xs = q.x + q.n;
  _mm256_storeu_ps(xs, _mm256_add_ps(fx, _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7)));
  _mm256_storeu_ps(xs + 8, _mm256_add_ps(fx, _mm256_setr_ps(8, 9, 10, 11, 12, 13, 14, 15)));
  _mm256_storeu_ps(q.y + q.n, fy);
  _mm256_storeu_ps(q.y + q.n + 8, fy);
  const auto offsets = [len](std::int64_t* out, std::int64_t first, int step) {
    const W s4 = _mm256_set1_epi64x(4LL * step);
    W v = _mm256_add_epi64(
        _mm256_set1_epi64x(first),
        _mm256_mul_epu32(_mm256_set1_epi64x(step), _mm256_setr_epi64x(0, 1, 2, 3)));
    for (int i = 0; i < len; i += 4, v = _mm256_add_epi64(v, s4))
      _mm256_storeu_si256(reinterpret_cast<W*>(out + i), v);
  };
  offsets(q.pixel + q.n, y * p.pitch + static_cast<std::int64_t>(x) * bytes, bytes);
  if (zBytes) offsets(q.z + q.n, y * p.zPitch + static_cast<std::int64_t>(x) * zBytes, zBytes);
  q.n += len;
}

// Sixteen 2- or 4-byte values from scattered addresses into `out`, built in
// registers and stored as the shade loads them (a load of lanes stored one
// by one would wait for every store to land).
KX_RASTER_INLINE __m128i Four32(std::uint8_t* const* p) {
  __m128i r = _mm_cvtsi32_si128(static_cast<int>(Read32(p[0])));
  r = _mm_insert_epi32(r, static_cast<int>(Read32(p[1])), 1);
  r = _mm_insert_epi32(r, static_cast<int>(Read32(p[2])), 2);
  return _mm_insert_epi32(r, static_cast<int>(Read32(p[3])), 3);
}
KX_RASTER_INLINE __m128i Eight16(std::uint8_t* const* p) {
  __m128i r = _mm_cvtsi32_si128(Read16(p[0]));
  r = _mm_insert_epi16(r, Read16(p[1]), 1);
  r = _mm_insert_epi16(r, Read16(p[2]), 2);
  r = _mm_insert_epi16(r, Read16(p[3]), 3);
  r = _mm_insert_epi16(r, Read16(p[4]), 4);
  r = _mm_insert_epi16(r, Read16(p[5]), 5);
  r = _mm_insert_epi16(r, Read16(p[6]), 6);
  return _mm_insert_epi16(r, Read16(p[7]), 7);
}
template <int Bytes>
KX_RASTER_INLINE void GatherLanes(std::uint8_t* const* p, std::uint8_t* out) {
  if constexpr (Bytes == 4) {
    for (int i = 0; i < 16; i += 4)
      _mm_store_si128(reinterpret_cast<__m128i*>(out + i * 4), Four32(p + i));
  } else {
    _mm256_store_si256(
        reinterpret_cast<W*>(out),
        _mm256_inserti128_si256(_mm256_castsi128_si256(Eight16(p)), Eight16(p + 8), 1));
  }
}
template <int Bytes>
KX_RASTER_INLINE void ScatterLanes(const std::uint8_t* in, std::uint8_t* const* p, int n) {
  for (int i = 0; i < n; ++i) std::memcpy(p[i], in + i * Bytes, Bytes);
}

// Shades the first sixteen packed lanes (fewer when fewer are queued) on
// local copies through `shade(pixels, z, live)`, writes them back and moves
// the lanes past the sixteenth to the front.
template <int Bytes, int ZBytes, class ShadeFn>
KX_RASTER_INLINE void FlushPack(const Pipeline& p, Pack16& q, ShadeFn&& shade) {
  const int n = q.n < 16 ? q.n : 16;
  std::uint8_t* pp[16];
  std::uint8_t* zp[16];
  for (int i = 0; i < n; ++i) {
    pp[i] = p.pixels + q.pixel[i];
    zp[i] = ZBytes ? p.z + q.z[i] : nullptr;
  }
  for (int i = n; i < 16; ++i) {  // idle lanes repeat lane 0 and are never written back
    q.x[i] = q.x[0];
    q.y[i] = q.y[0];
    pp[i] = pp[0];
    zp[i] = zp[0];
  }
  alignas(32) std::uint8_t pixels[64], z[64];
  GatherLanes<Bytes>(pp, pixels);
  if constexpr (ZBytes != 0) GatherLanes<ZBytes>(zp, z);
  const W lane = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  shade(pixels, z, _mm256_cmpgt_epi16(Set16(n), lane));
  ScatterLanes<Bytes>(pixels, pp, n);
  if constexpr (ZBytes != 0) ScatterLanes<ZBytes>(z, zp, n);
  q.n -= n;
  for (int h = 0; h < 16; h += 8) {
    _mm256_store_ps(q.x + h, _mm256_load_ps(q.x + 16 + h));
    _mm256_store_ps(q.y + h, _mm256_load_ps(q.y + 16 + h));
  }
  for (int h = 0; h < 16; h += 4) {
    _mm256_store_si256(reinterpret_cast<W*>(q.pixel + h),
                       _mm256_load_si256(reinterpret_cast<const W*>(q.pixel + 16 + h)));
    if constexpr (ZBytes != 0)
      _mm256_store_si256(reinterpret_cast<W*>(q.z + h),
                         _mm256_load_si256(reinterpret_cast<const W*>(q.z + 16 + h)));
  }
}

// ---- the span loop ----------------------------------------------------------------

// Shades the packed lanes (FlushPack), their attributes from the plane.
// Compiled apart from the row loop, so small triangles, all packing, run
// small code.
template <TargetFormat F, int ZK, bool Blend, bool Spec, bool Alpha>
[[gnu::noinline]] void Flush(const Pipeline& p, const Texels& tx, const Plane& plane, Pack16& q) {
  constexpr int kZBytes = ZK == kNoZ ? 0 : ZK == kZ16 ? 2 : 4;
  FlushPack<PixelBytes<F>(), kZBytes>(p, q, [&](std::uint8_t* pixels, std::uint8_t* z, W live) {
    const __m256 xl = LoHalf(q.x), xh = LoHalf(q.x + 4);
    const __m256 yl = LoHalf(q.y), yh = LoHalf(q.y + 4);
    Attr16 r;
    for (int k = 0; k < kAttrs; ++k) {
      if (!Needed<ZK, Blend, Spec>(k)) continue;
      const __m256 at = _mm256_set1_ps(plane.at[k]), dx = _mm256_set1_ps(p.dx[k]),
                   dy = _mm256_set1_ps(plane.dy[k]);
      r.a[k] = {_mm256_add_ps(_mm256_add_ps(at, _mm256_mul_ps(xl, dx)), _mm256_mul_ps(yl, dy)),
                _mm256_add_ps(_mm256_add_ps(at, _mm256_mul_ps(xh, dx)), _mm256_mul_ps(yh, dy))};
    }
    Shade<F, ZK, Blend, Spec, Alpha>(p.fast, tx, r, pixels, z, live);
  });
}

// Row ends of this many pixels or more are shaded in place, shorter ones packed.
constexpr int kInPlace = 12;

template <TargetFormat F, int ZK, bool Blend, bool Spec, bool Alpha>
void Spans(const Pipeline& p, const Plane& plane, const SpanRun* runs, int count) {
  constexpr int kBytes = PixelBytes<F>();
  constexpr int kZBytes = ZK == kNoZ ? 0 : ZK == kZ16 ? 2 : 4;
  const FastState& c = p.fast;
  const soa::FastSampler& fs = *c.samplers[0];
  const Texels tx{fs.texels,
                  _mm256_set1_ps(fs.fw * 256.0f),
                  _mm256_set1_ps(fs.fh * 256.0f),
                  Set32(static_cast<std::uint32_t>(fs.wmask)),
                  Set32(static_cast<std::uint32_t>(fs.hmask)),
                  Set32(static_cast<std::uint32_t>(fs.madd)),
                  fs.keyed,
                  Set16(static_cast<int>(fs.key))};
  // Lane offsets (in lo / hi order) times dx.
  const __m256 laneLo = _mm256_setr_ps(0, 1, 2, 3, 8, 9, 10, 11);
  const __m256 laneHi = _mm256_setr_ps(4, 5, 6, 7, 12, 13, 14, 15);
  F16 off[kAttrs];
  bool offReady = false;  // made at the first row that needs them
  // Attributes of the lanes from pixel x of row y.
  const auto rowAt = [&](int x, int y) {
    if (!offReady) {
      for (int k = 0; k < kAttrs; ++k) {
        const __m256 d = _mm256_set1_ps(p.dx[k]);
        off[k] = {_mm256_mul_ps(laneLo, d), _mm256_mul_ps(laneHi, d)};
      }
      offReady = true;
    }
    const __m128 fx = _mm_set1_ps(static_cast<float>(x) - plane.x0);
    const __m128 fy = _mm_set1_ps(static_cast<float>(y) - plane.y0);
    alignas(16) float base[kAttrSlots];
    for (int k = 0; k < kAttrSlots; k += 4)
      _mm_store_ps(base + k, _mm_add_ps(_mm_add_ps(_mm_load_ps(plane.at + k),
                                                   _mm_mul_ps(fx, _mm_load_ps(p.dx + k))),
                                        _mm_mul_ps(fy, _mm_load_ps(plane.dy + k))));
    Attr16 r;
    for (int k = 0; k < kAttrs; ++k) {
      if (!Needed<ZK, Blend, Spec>(k)) continue;
      const __m256 b = _mm256_set1_ps(base[k]);
      r.a[k] = {_mm256_add_ps(b, off[k].lo), _mm256_add_ps(b, off[k].hi)};
    }
    return r;
  };
  const auto shade = [&](const Attr16& a, std::uint8_t* px, std::uint8_t* zp, W live) {
    Shade<F, ZK, Blend, Spec, Alpha>(c, tx, a, px, zp, live);
  };
  const auto flush = [&](Pack16& q) { Flush<F, ZK, Blend, Spec, Alpha>(p, tx, plane, q); };

  Pack16 q;
  const W lane = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  for (const SpanRun* run = runs; run != runs + count; ++run) {
    const int y = run->y, x1 = run->x1;
    int x = run->x0;
    std::uint8_t* row = p.pixels + y * p.pitch;
    std::uint8_t* zrow = kZBytes ? p.z + y * p.zPitch : nullptr;
    if (x1 - x >= 16) {
      Attr16 a = rowAt(x, y);
      for (; x1 - x >= 16; x += 16) {
        Shade<F, ZK, Blend, Spec, Alpha>(c, tx, a, row + x * kBytes, zrow + x * kZBytes,
                                         _mm256_set1_epi32(-1));
        for (int k = 0; k < kAttrs; ++k) {
          if (!Needed<ZK, Blend, Spec>(k)) continue;
          const __m256 step = _mm256_set1_ps(16.0f * p.dx[k]);
          a.a[k] = {_mm256_add_ps(a.a[k].lo, step), _mm256_add_ps(a.a[k].hi, step)};
        }
      }
      if (x == x1) continue;
    }
    // The rest of the row: a group three quarters full or more costs less
    // shaded in place, as a group ending at the row's end with the pixels
    // before x masked off (written back unchanged; it may start on the rows
    // above in a top-down buffer, never before the buffers); less is packed.
    const int g = x1 - 16;
    const bool inPlace =
        x1 - x >= kInPlace &&
        (g >= 0 || (p.pitch > 0 && y * p.pitch + std::int64_t{g} * kBytes >= 0 &&
                    (!kZBytes || (p.zPitch > 0 && y * p.zPitch + std::int64_t{g} * kZBytes >= 0))));
    if (inPlace) {
      shade(rowAt(g, y), row + g * kBytes, zrow + g * kZBytes,
            _mm256_cmpgt_epi16(lane, Set16(x - g - 1)));
    } else {
      Append(q, x, y, x1 - x, plane, p, kBytes, kZBytes);
      if (q.n >= 16) flush(q);
    }
  }
  while (q.n > 0) flush(q);
}

template <TargetFormat F, bool Alpha>
struct Loops {
  template <int ZK, bool Blend, bool Spec>
  static constexpr SpanFn Of = &Spans<F, ZK, Blend, Spec, Alpha>;
};
template <TargetFormat F>
SpanFn ForAlpha(bool alpha, LeanZ zk, bool blend, bool spec) {
  return alpha ? PickLean<Loops<F, true>>(zk, blend, spec)
               : PickLean<Loops<F, false>>(zk, blend, spec);
}

}  // namespace

SpanFn Lean16SpanFor(const Pipeline& p, TargetFormat format, LeanZ zKind) {
  const Sampler& s = p.samplers[0];
  if (!s.linear || !s.wrap || s.format != TextureFormat::A1R5G5B5) return nullptr;
  const FastState& f = p.fast;
  const bool alpha = f.blend && f.leanAlpha != FastState::kAlphaDiffuse;
  switch (format) {
    case TargetFormat::R5G6B5:
      return ForAlpha<TargetFormat::R5G6B5>(alpha, zKind, f.blend, f.specular);
    case TargetFormat::X1R5G5B5:
      return ForAlpha<TargetFormat::X1R5G5B5>(alpha, zKind, f.blend, f.specular);
    case TargetFormat::X8R8G8B8:
      return ForAlpha<TargetFormat::X8R8G8B8>(alpha, zKind, f.blend, f.specular);
  }
  return nullptr;
}

}  // namespace plat::d3d::raster

#else

namespace plat::d3d::raster {
SpanFn Lean16SpanFor(const Pipeline&, TargetFormat, LeanZ) {
  return nullptr;
}
}  // namespace plat::d3d::raster

#endif  // __AVX2__
