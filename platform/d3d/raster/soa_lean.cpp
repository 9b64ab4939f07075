// soa_lean.cpp — the eight-lane span loop specialised for the 3D pipeline's
// usual state: one stage, texture x diffuse MODULATE (alpha modulated or
// selected from either), optional specular add, optional SRCALPHA /
// INVSRCALPHA blend, Z LESSEQUAL on any Z format. Compiled per target
// format x Z kind x blend x specular, so the group has no state switches;
// any texture soa_sampler.h reads (format, filter, addressing, colour key).
//
// Rows of eight or more pixels step every attribute by one vector add per
// group and finish with one masked group ending at the row's end (it
// overlaps pixels of the same row already drawn, which the mask keeps);
// shorter rows are packed eight at a time as in soa_span.cpp.
//
// Exactness against the scalar loop: the perspective divide is exact (a
// reciprocal estimate moves coordinates that sit exactly on texel edges, as
// whole-pixel 2D quads do, onto the previous texel). 24- and 32-bit Z are
// trunc(z * 2^n) in float (exact scaling), at most one unit from
// round(z * (2^n - 1)), equal at 0 and 1.
#include "raster/pipeline.h"

#if defined(__SSE2__)
#include <atomic>

#include "raster/lean_pick.h"
#include "raster/soa.h"
#include "raster/soa_pack.h"
#include "raster/soa_sampler_impl.h"

namespace plat::d3d::raster {
namespace {

using soa::F8;
using soa::Pack;
using soa::Planes;
using soa::V;

// Texture reads: through the draw call's routine, or inlined for the usual
// texture (a call would cost the loop all its registers every group).
struct ViaPointer {
  KX_RASTER_INLINE static void Sample(const FastState& c, const float* u, const float* v,
                                      Planes& out, V& hit) {
    c.sample[0](*c.samplers[0], u, v, out, hit);
  }
};
template <TextureFormat T, bool Alpha>
struct InlineBilinearWrap {
  KX_RASTER_INLINE static void Sample(const FastState& c, const float* u, const float* v,
                                      Planes& out, V& hit) {
    soa::detail::Bilinear<T, true, Alpha>(*c.samplers[0], u, v, out, hit);
  }
};

struct Attr8 {
  F8 a[kAttrs];
};

template <int ZK, bool Blend, bool Spec>
constexpr bool Needed(int k) {
  return k == kZ ? ZK != kNoZ : k >= kSB ? Spec : k == kA ? Blend : true;
}

// Lanes base + i * d, i = 0..7.
KX_RASTER_INLINE F8 Ramp(float base, float d) {
  const __m128 b = _mm_set1_ps(base), s = _mm_set1_ps(d);
  return {_mm_add_ps(b, _mm_mul_ps(s, _mm_setr_ps(0, 1, 2, 3))),
          _mm_add_ps(b, _mm_mul_ps(s, _mm_setr_ps(4, 5, 6, 7)))};
}

// Wide Z to unsigned buffer values: trunc(clamp(z) * scale), at most zMax.
KX_RASTER_INLINE V ZWide(__m128 z, __m128 scale, __m128 zMax) {
  const __m128 two31 = _mm_set1_ps(2147483648.0f);
  const __m128 t = _mm_min_ps(_mm_mul_ps(soa::Clamp01(z), scale), zMax);
  const __m128 hi = _mm_cmpge_ps(t, two31);
  V r = _mm_cvttps_epi32(_mm_sub_ps(t, _mm_and_ps(hi, two31)));
  const V top = soa::Set32(0x80000000u);
  r = _mm_add_epi32(r, _mm_cmpeq_epi32(r, top));  // 2^32 overflowed: 0xFFFFFFFF
  return _mm_xor_si128(r, _mm_and_si128(_mm_castps_si128(hi), top));
}

template <TargetFormat F, int ZK, bool Blend, bool Spec, class S>
KX_RASTER_INLINE void LeanShade(const FastState& c, const Attr8& at, std::uint8_t* px,
                                std::uint8_t* zp, V live) {
  V zNew{}, zNew2{}, zOld{}, zOld2{};
  auto* zv = reinterpret_cast<V*>(zp);
  const V zBits = soa::Set32(c.zBits), top = soa::Set32(0x80000000u);
  if constexpr (ZK == kZ16) {
    zNew = soa::Z16Biased(at.a[kZ]);
    zOld = _mm_loadu_si128(zv);
    live = _mm_andnot_si128(_mm_cmpgt_epi16(zNew, _mm_xor_si128(zOld, soa::Set16(0x8000))), live);
  } else if constexpr (ZK == kZWide) {
    const __m128 scale = _mm_set1_ps(c.zScaleF), zMax = _mm_set1_ps(c.zMaxF);
    zNew = ZWide(at.a[kZ].lo, scale, zMax);
    zNew2 = ZWide(at.a[kZ].hi, scale, zMax);
    zOld = _mm_loadu_si128(zv);
    zOld2 = _mm_loadu_si128(zv + 1);
    const V f0 =
        _mm_cmpgt_epi32(_mm_xor_si128(zNew, top), _mm_xor_si128(_mm_and_si128(zOld, zBits), top));
    const V f1 =
        _mm_cmpgt_epi32(_mm_xor_si128(zNew2, top), _mm_xor_si128(_mm_and_si128(zOld2, zBits), top));
    live = _mm_andnot_si128(_mm_packs_epi32(f0, f1), live);
  }
  if constexpr (ZK != kNoZ)
    if (soa::None(live)) return;

  alignas(16) float uu[8], vv[8];
  soa::StoreTexCoords(at.a[kU], at.a[kV], c.perspective ? &at.a[kW] : nullptr, uu, vv);
  Planes tex;
  V hit = _mm_setzero_si128();
  S::Sample(c, uu, vv, tex, hit);
  live = _mm_andnot_si128(hit, live);
  if (soa::None(live)) return;

  Planes cur;
  for (int ch = 0; ch < 3; ++ch) {
    cur.c[ch] = soa::Mul255(tex.c[ch], soa::ToLanes(at.a[kB + ch]));
    if constexpr (Spec)
      cur.c[ch] = soa::Sat(_mm_add_epi16(cur.c[ch], soa::ToLanes(at.a[kSB + ch])));
  }
  if constexpr (Blend) {
    V alpha = tex.c[3];
    if (c.leanAlpha != FastState::kAlphaTexture) {
      const V d = soa::ToLanes(at.a[kA]);
      alpha = c.leanAlpha == FastState::kAlphaDiffuse ? d : soa::Mul255(alpha, d);
    }
    const Planes d = soa::LoadPlanes<F>(px);
    const V inv = _mm_sub_epi16(soa::Set16(255), alpha);
    for (int ch = 0; ch < 3; ++ch)
      cur.c[ch] = soa::Sat(_mm_add_epi16(soa::Mul255(cur.c[ch], alpha), soa::Mul255(d.c[ch], inv)));
  }
  soa::StorePlanes<F>(px, cur, live);

  if constexpr (ZK == kZ16) {
    if (c.zWrite)
      _mm_storeu_si128(zv, soa::Select(live, _mm_xor_si128(zNew, soa::Set16(0x8000)), zOld));
  } else if constexpr (ZK == kZWide) {
    if (c.zWrite) {
      const V n0 = _mm_or_si128(_mm_andnot_si128(zBits, zOld), zNew);
      const V n1 = _mm_or_si128(_mm_andnot_si128(zBits, zOld2), zNew2);
      _mm_storeu_si128(zv, soa::Select(soa::Lo32(live), n0, zOld));
      _mm_storeu_si128(zv + 1, soa::Select(soa::Hi32(live), n1, zOld2));
    }
  }
}

template <TargetFormat F, int ZK, bool Blend, bool Spec, class S>
void LeanSpans(const Pipeline& p, const Plane& plane, const SpanRun* runs, int count) {
  constexpr int kBytes = PixelBytes<F>();
  constexpr int kZBytes = ZK == kNoZ ? 0 : ZK == kZ16 ? 2 : 4;
  const FastState& c = p.fast;
  // Lane offsets i * dx and eight-pixel steps, made at the first long row.
  F8 off[kAttrs], step[kAttrs];
  bool rowsReady = false;
  // Attributes of a row's lanes from x: the plane at x plus i * dx.
  const auto rowAt = [&](int x, int y) {
    const __m128 fx = _mm_set1_ps(static_cast<float>(x) - plane.x0);
    const __m128 fy = _mm_set1_ps(static_cast<float>(y) - plane.y0);
    alignas(16) float base[kAttrSlots];
    for (int k = 0; k < kAttrSlots; k += 4)
      _mm_store_ps(base + k, _mm_add_ps(_mm_add_ps(_mm_load_ps(plane.at + k),
                                                   _mm_mul_ps(fx, _mm_load_ps(p.dx + k))),
                                        _mm_mul_ps(fy, _mm_load_ps(plane.dy + k))));
    Attr8 r;
    for (int k = 0; k < kAttrs; ++k) {
      if (!Needed<ZK, Blend, Spec>(k)) continue;
      const __m128 b = _mm_set1_ps(base[k]);
      r.a[k] = {_mm_add_ps(b, off[k].lo), _mm_add_ps(b, off[k].hi)};
    }
    return r;
  };
  // The planes as vectors, for lanes packed from short rows.
  __m128 pAt[kAttrs], pDx[kAttrs], pDy[kAttrs];
  for (int k = 0; k < kAttrs; ++k) {
    pAt[k] = _mm_set1_ps(plane.at[k]);
    pDx[k] = _mm_set1_ps(p.dx[k]);
    pDy[k] = _mm_set1_ps(plane.dy[k]);
  }
  const auto flush = [&](Pack& q) {
    soa::FlushPack<F>(p, q, kZBytes, [&](std::uint8_t* pixels, std::uint8_t* z, V live) {
      const __m128 x0 = _mm_load_ps(q.x), x1 = _mm_load_ps(q.x + 4);
      const __m128 y0 = _mm_load_ps(q.y), y1 = _mm_load_ps(q.y + 4);
      Attr8 r;
      for (int k = 0; k < kAttrs; ++k) {
        if (!Needed<ZK, Blend, Spec>(k)) continue;
        r.a[k] = {_mm_add_ps(_mm_add_ps(pAt[k], _mm_mul_ps(x0, pDx[k])), _mm_mul_ps(y0, pDy[k])),
                  _mm_add_ps(_mm_add_ps(pAt[k], _mm_mul_ps(x1, pDx[k])), _mm_mul_ps(y1, pDy[k]))};
      }
      LeanShade<F, ZK, Blend, Spec, S>(c, r, pixels, z, live);
    });
  };

  Pack q;
  const V lane = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
  for (const SpanRun* run = runs; run != runs + count; ++run) {
    const int y = run->y, x1 = run->x1;
    int x = run->x0;
    if (x1 - x < 8) {
      soa::Append(q, x, y, x1 - x, plane, p, kBytes, kZBytes);
      if (q.n >= 8) flush(q);
      continue;
    }
    std::uint8_t* row = p.pixels + y * p.pitch;
    std::uint8_t* zrow = kZBytes ? p.z + y * p.zPitch : nullptr;
    if (!rowsReady) {
      for (int k = 0; k < kAttrs; ++k) {
        off[k] = Ramp(0.0f, p.dx[k]);
        const __m128 d = _mm_set1_ps(8.0f * p.dx[k]);
        step[k] = {d, d};
      }
      rowsReady = true;
    }
    Attr8 a = rowAt(x, y);
    for (; x1 - x >= 8; x += 8) {
      LeanShade<F, ZK, Blend, Spec, S>(c, a, row + x * kBytes, zrow + x * kZBytes,
                                       _mm_set1_epi32(-1));
      for (int k = 0; k < kAttrs; ++k) {
        if (!Needed<ZK, Blend, Spec>(k)) continue;
        a.a[k] = {_mm_add_ps(a.a[k].lo, step[k].lo), _mm_add_ps(a.a[k].hi, step[k].hi)};
      }
    }
    if (x < x1) {  // the last eight pixels of the row, those before x masked off
      const int g = x1 - 8;
      const float back = static_cast<float>(x - g);
      for (int k = 0; k < kAttrs; ++k) {
        if (!Needed<ZK, Blend, Spec>(k)) continue;
        const __m128 d = _mm_set1_ps(back * p.dx[k]);
        a.a[k] = {_mm_sub_ps(a.a[k].lo, d), _mm_sub_ps(a.a[k].hi, d)};
      }
      LeanShade<F, ZK, Blend, Spec, S>(c, a, row + g * kBytes, zrow + g * kZBytes,
                                       _mm_cmpgt_epi16(lane, soa::Set16(x - g - 1)));
    }
  }
  while (q.n > 0) flush(q);
}

template <TargetFormat F, class S>
struct Loops {
  template <int ZK, bool Blend, bool Spec>
  static constexpr SpanFn Of = &LeanSpans<F, ZK, Blend, Spec, S>;
};
template <TargetFormat F, class S>
SpanFn ForZ(LeanZ zk, bool blend, bool spec) {
  return PickLean<Loops<F, S>>(zk, blend, spec);
}
// The 3D component's textures (1:5:5:5, bilinear, WRAP) read inline; the
// alpha is read only when the blend uses it (the routine set up matches).
template <TargetFormat F>
SpanFn ForSampler(const Pipeline& p, LeanZ zk, bool blend, bool spec) {
  const Sampler& s = p.samplers[0];
  if (s.linear && s.wrap && s.format == TextureFormat::A1R5G5B5) {
    if (blend && p.fast.leanAlpha != FastState::kAlphaDiffuse)
      return ForZ<F, InlineBilinearWrap<TextureFormat::A1R5G5B5, true>>(zk, blend, spec);
    return ForZ<F, InlineBilinearWrap<TextureFormat::A1R5G5B5, false>>(zk, blend, spec);
  }
  return ForZ<F, ViaPointer>(zk, blend, spec);
}

std::atomic<bool> sixteenAllowed{true};

// Checked here, in code built for the baseline CPU, before any AVX2 code runs.
bool SixteenLanes() {
  static const bool hasAvx2 = __builtin_cpu_supports("avx2");
  return hasAvx2 && sixteenAllowed.load(std::memory_order_relaxed);
}

}  // namespace

void AllowSixteenLanes(bool allow) {
  sixteenAllowed.store(allow, std::memory_order_relaxed);
}

SpanFn LeanSpanFor(const Pipeline& p, TargetFormat format) {
  const FastState& f = p.fast;
  if (f.stageCount != 1 || !f.stages[0].reads || !f.sample[0]) return nullptr;
  const FastState::Stage& s = f.stages[0];
  // At stage 0 the current colour is the diffuse one.
  const auto texDiffuse = [](std::uint8_t a, std::uint8_t b) {
    return (a == ArgMask::kTexture) != (b == ArgMask::kTexture);
  };
  if (s.colorOp != TexOp::Modulate || !texDiffuse(s.c1, s.c2)) return nullptr;
  if (f.blend) {
    if (f.srcFactor != Factor::SrcAlpha || f.dstFactor != Factor::InvSrcAlpha) return nullptr;
    if (f.leanAlpha == FastState::kAlphaOther) return nullptr;
  }
  const LeanZ zk = !f.zTest ? kNoZ : f.z16 ? kZ16 : kZWide;
  if (SixteenLanes())
    if (const SpanFn wide = Lean16SpanFor(p, format, zk)) return wide;
  switch (format) {
    case TargetFormat::R5G6B5:
      return ForSampler<TargetFormat::R5G6B5>(p, zk, f.blend, f.specular);
    case TargetFormat::X1R5G5B5:
      return ForSampler<TargetFormat::X1R5G5B5>(p, zk, f.blend, f.specular);
    case TargetFormat::X8R8G8B8:
      return ForSampler<TargetFormat::X8R8G8B8>(p, zk, f.blend, f.specular);
  }
  return nullptr;
}

}  // namespace plat::d3d::raster

#else

namespace plat::d3d::raster {
void AllowSixteenLanes(bool) {}
SpanFn LeanSpanFor(const Pipeline&, TargetFormat) {
  return nullptr;
}
}  // namespace plat::d3d::raster

#endif  // __SSE2__
