// soa_span.cpp — the eight-lane span loop, one instance per target format.
// Runs of eight pixels along a row are shaded in place, attributes stepped
// from the run's start; the remaining pixels of every row of the batch are
// packed eight at a time whatever their row (a small triangle fills whole
// groups instead of one group per row), copied to a local block, shaded
// there with attributes from the plane equations, and copied back.
//
// Per group: Z test (LESSEQUAL) on all lanes, texture coordinates with the
// exact per-pixel perspective divide, the stages' samplers (soa_sampler.h),
// colour key, the stage cascade, specular, blending, then masked writes of
// colour and Z. State decisions are per group of eight, never per pixel.
// Results equal the scalar loop's, up to float rounding of the stepped
// attributes and the bilinear weight noted in soa_sampler.h.
#include "raster/pipeline.h"

#if defined(__SSE2__)
#include "raster/soa.h"
#include "raster/soa_pack.h"

namespace plat::d3d::raster {
namespace {

using soa::Append;
using soa::F8;
using soa::LoadPlanes;
using soa::Pack;
using soa::Planes;
using soa::StorePlanes;
using soa::V;

// Lanes of a run along a row: base + i * dx.
struct RowAttrs {
  const float* base;
  const float (*off)[8];  // i * dx per attribute
  KX_RASTER_INLINE F8 operator()(int k) const {
    const __m128 b = _mm_set1_ps(base[k]);
    return {_mm_add_ps(b, _mm_load_ps(off[k])), _mm_add_ps(b, _mm_load_ps(off[k] + 4))};
  }
};

// Lanes anywhere in the triangle: at + X dx + Y dy, X and Y from the plane's origin.
struct PackedAttrs {
  const float *at, *dx, *dy, *x, *y;
  KX_RASTER_INLINE F8 operator()(int k) const {
    const __m128 a = _mm_set1_ps(at[k]), sx = _mm_set1_ps(dx[k]), sy = _mm_set1_ps(dy[k]);
    const auto lane = [&](int i) {
      return _mm_add_ps(_mm_add_ps(a, _mm_mul_ps(_mm_load_ps(x + i), sx)),
                        _mm_mul_ps(_mm_load_ps(y + i), sy));
    };
    return {lane(0), lane(4)};
  }
};

// `c` (three planes) times factor `f` of the source colour `s`, one switch for all three.
KX_RASTER_INLINE void Scale(Factor f, const Planes& c, const Planes& s, V* out) {
  const V full = soa::Set16(255);
  switch (f) {
    case Factor::Zero:
      for (int ch = 0; ch < 3; ++ch) out[ch] = _mm_setzero_si128();
      return;
    case Factor::One:
      for (int ch = 0; ch < 3; ++ch) out[ch] = c.c[ch];
      return;
    case Factor::SrcColor:
      for (int ch = 0; ch < 3; ++ch) out[ch] = soa::Mul255(c.c[ch], s.c[ch]);
      return;
    case Factor::InvSrcColor:
      for (int ch = 0; ch < 3; ++ch) out[ch] = soa::Mul255(c.c[ch], _mm_sub_epi16(full, s.c[ch]));
      return;
    case Factor::SrcAlpha:
      for (int ch = 0; ch < 3; ++ch) out[ch] = soa::Mul255(c.c[ch], s.c[3]);
      return;
    case Factor::InvSrcAlpha: {
      const V inv = _mm_sub_epi16(full, s.c[3]);
      for (int ch = 0; ch < 3; ++ch) out[ch] = soa::Mul255(c.c[ch], inv);
      return;
    }
  }
  for (int ch = 0; ch < 3; ++ch) out[ch] = _mm_setzero_si128();
}

// Op() of combine.h on `n` planes from `first`, the switch taken once.
KX_RASTER_INLINE void Combine(TexOp op, const Planes& a1, const Planes& a2, V dA, Planes& out,
                              int first, int n) {
  const auto each = [&](auto f) {
    for (int ch = first; ch < first + n; ++ch) out.c[ch] = f(soa::L(a1.c[ch]), soa::L(a2.c[ch]));
  };
  const Lanes da = soa::L(dA);
  switch (op) {
    case TexOp::SelectArg1:
      each([](Lanes a, Lanes) { return (V)a; });
      break;
    case TexOp::SelectArg2:
      each([](Lanes, Lanes b) { return (V)b; });
      break;
    case TexOp::Modulate:
      each([](Lanes a, Lanes b) { return (V)Mul255(a, b); });
      break;
    default:
      each([&](Lanes a, Lanes b) { return (V)Op(op, a, b, da); });
      break;
  }
}

KX_RASTER_INLINE Planes RunStage(const FastState::Stage& st, const Planes& diffuse,
                                 const Planes& current, const Planes& texture) {
  const Planes* src[3] = {&diffuse, &current, &texture};
  Planes out;
  Combine(st.colorOp, *src[st.c1], *src[st.c2], diffuse.c[3], out, 0, 3);
  Combine(st.alphaOp, *src[st.a1], *src[st.a2], diffuse.c[3], out, 3, 1);
  return out;
}

// One group of eight lanes at `px` / `zp` (contiguous); `live` marks the lanes to draw.
template <TargetFormat F, class Attrs>
KX_RASTER_INLINE void Shade(const FastState& c, const Attrs& at, std::uint8_t* px, std::uint8_t* zp,
                            V live) {
  V zNew = _mm_setzero_si128(), zNew2 = zNew, zOld = zNew, zOld2 = zNew;
  const V zBits = soa::Set32(c.zBits);
  if (c.zTest) {
    const F8 z = at(kZ);
    auto* zv = reinterpret_cast<V*>(zp);
    if (c.z16) {
      zNew = soa::Z16Biased(z);
      zOld = _mm_loadu_si128(zv);
      const V fail = _mm_cmpgt_epi16(zNew, _mm_xor_si128(zOld, soa::Set16(0x8000)));
      live = _mm_andnot_si128(fail, live);
    } else {
      const __m128d k = _mm_set1_pd(c.zScale);
      zNew = soa::ZWide4(z.lo, k);
      zNew2 = soa::ZWide4(z.hi, k);
      zOld = _mm_loadu_si128(zv);
      zOld2 = _mm_loadu_si128(zv + 1);
      const V bias = soa::Set32(0x80000000u);
      const V f0 = _mm_cmpgt_epi32(_mm_xor_si128(zNew, bias),
                                   _mm_xor_si128(_mm_and_si128(zOld, zBits), bias));
      const V f1 = _mm_cmpgt_epi32(_mm_xor_si128(zNew2, bias),
                                   _mm_xor_si128(_mm_and_si128(zOld2, zBits), bias));
      live = _mm_andnot_si128(_mm_packs_epi32(f0, f1), live);
    }
    if (soa::None(live)) return;
  }

  Planes tex[2];
  if (c.textured) {
    const F8 w = c.perspective ? at(kW) : F8{};
    alignas(16) float uu[8], vv[8];
    soa::StoreTexCoords(at(kU), at(kV), c.perspective ? &w : nullptr, uu, vv);
    for (int s = 0; s < c.stageCount; ++s) {
      if (!c.stages[s].reads) continue;
      V hit = _mm_setzero_si128();
      c.sample[s](*c.samplers[s], uu, vv, tex[s], hit);
      live = _mm_andnot_si128(hit, live);
    }
    if (soa::None(live)) return;
  }

  Planes diffuse;
  for (int ch = 0; ch < 4; ++ch) diffuse.c[ch] = soa::ToLanes(at(kB + ch));
  Planes cur = diffuse;
  for (int s = 0; s < c.stageCount; ++s) {
    if (!c.stages[s].reads) {  // no texture: opaque white
      const V white = soa::Set16(255);
      tex[s] = {{white, white, white, white}};
    }
    cur = RunStage(c.stages[s], diffuse, cur, tex[s]);
  }
  if (c.specular)
    for (int ch = 0; ch < 3; ++ch)
      cur.c[ch] = soa::Sat(_mm_add_epi16(cur.c[ch], soa::ToLanes(at(kSB + ch))));
  if (c.blend) {
    const Planes d = LoadPlanes<F>(px);
    V a[3], b[3];
    Scale(c.srcFactor, cur, cur, a);
    Scale(c.dstFactor, d, cur, b);
    for (int ch = 0; ch < 3; ++ch) cur.c[ch] = soa::Sat(_mm_add_epi16(a[ch], b[ch]));
  }
  StorePlanes<F>(px, cur, live);

  if (c.zWrite) {
    auto* zv = reinterpret_cast<V*>(zp);
    if (c.z16) {
      _mm_storeu_si128(zv, soa::Select(live, _mm_xor_si128(zNew, soa::Set16(0x8000)), zOld));
    } else {
      const V n0 = _mm_or_si128(_mm_andnot_si128(zBits, zOld), zNew);
      const V n1 = _mm_or_si128(_mm_andnot_si128(zBits, zOld2), zNew2);
      _mm_storeu_si128(zv, soa::Select(soa::Lo32(live), n0, zOld));
      _mm_storeu_si128(zv + 1, soa::Select(soa::Hi32(live), n1, zOld2));
    }
  }
}

template <TargetFormat F>
void Flush(const FastState& c, const Pipeline& p, const Plane& plane, Pack& q, int zBytes) {
  soa::FlushPack<F>(p, q, zBytes, [&](std::uint8_t* pixels, std::uint8_t* z, V live) {
    Shade<F>(c, PackedAttrs{plane.at, p.dx, plane.dy, q.x, q.y}, pixels, z, live);
  });
}

template <TargetFormat F>
void FastSpans(const Pipeline& p, const Plane& plane, const SpanRun* runs, int count) {
  constexpr int kBytes = PixelBytes<F>();
  const FastState& c = p.fast;
  const int zBytes = c.zTest ? ZBytes(p.zFormat) : 0;
  alignas(16) float off[kAttrSlots][8];
  alignas(16) float step[kAttrSlots];
  bool offReady = false;
  Pack q;
  for (const SpanRun* run = runs; run != runs + count; ++run) {
    const int y = run->y, x1 = run->x1;
    int x = run->x0;
    if (x1 - x >= 8) {
      if (!offReady) {
        for (int k = 0; k < kAttrSlots; ++k) {
          for (int i = 0; i < 8; ++i) off[k][i] = static_cast<float>(i) * p.dx[k];
          step[k] = 8.0f * p.dx[k];
        }
        offReady = true;
      }
      std::uint8_t* row = p.pixels + y * p.pitch;
      std::uint8_t* zrow = zBytes ? p.z + y * p.zPitch : nullptr;
      const float fx = static_cast<float>(x) - plane.x0, fy = static_cast<float>(y) - plane.y0;
      alignas(16) float base[kAttrSlots];
      for (int k = 0; k < kAttrSlots; ++k) base[k] = plane.at[k] + fx * p.dx[k] + fy * plane.dy[k];
      for (; x1 - x >= 8; x += 8) {
        Shade<F>(c, RowAttrs{base, off}, row + x * kBytes, zrow ? zrow + x * zBytes : nullptr,
                 _mm_set1_epi32(-1));
        for (int k = 0; k < kAttrSlots; ++k) base[k] += step[k];
      }
    }
    if (x < x1) {
      Append(q, x, y, x1 - x, plane, p, kBytes, zBytes);
      if (q.n >= 8) Flush<F>(c, p, plane, q, zBytes);
    }
  }
  while (q.n > 0) Flush<F>(c, p, plane, q, zBytes);
}

}  // namespace

void Pipeline::BuildFast() {
  FastState& f = fast;
  f.zTest = zTest;
  f.zWrite = zWrite;
  f.z16 = zFormat == ZFormat::Z16;
  f.textured = textured;
  f.perspective = perspective;
  f.specular = specular;
  f.blend = blend;
  f.srcFactor = srcFactor;
  f.dstFactor = dstFactor;
  f.stageCount = stageCount;
  for (int s = 0; s < 2; ++s) {
    const ResolvedStage& r = stages[s];
    f.stages[s] = {r.colorOp,
                   r.alphaOp,
                   r.arg1.colorSrc,
                   r.arg2.colorSrc,
                   r.arg1.alphaSrc,
                   r.arg2.alphaSrc,
                   s < stageCount && r.readsTexture};
    f.sample[s] = fastSample[s];
    f.samplers[s] = &fastSamplers[s];
  }
  f.zBits = zFormat == ZFormat::Z24S8 ? 0xFFFFFFu : 0xFFFFFFFFu;
  f.zScale = zFormat == ZFormat::Z24S8 ? 16777215.0 : 4294967295.0;
  f.zScaleF = zFormat == ZFormat::Z24S8 ? 16777216.0f : 4294967296.0f;
  f.zMaxF = zFormat == ZFormat::Z24S8 ? 16777215.0f : 4294967296.0f;
  // At stage 0 the current colour is the diffuse one.
  const FastState::Stage& s0 = f.stages[0];
  const auto alphaFrom = [](std::uint8_t src) {
    return src == ArgMask::kTexture ? FastState::kAlphaTexture : FastState::kAlphaDiffuse;
  };
  const bool texDiffuse = (s0.a1 == ArgMask::kTexture) != (s0.a2 == ArgMask::kTexture);
  f.leanAlpha = s0.alphaOp == TexOp::Modulate && texDiffuse ? FastState::kAlphaModulate
                : s0.alphaOp == TexOp::SelectArg1           ? alphaFrom(s0.a1)
                : s0.alphaOp == TexOp::SelectArg2           ? alphaFrom(s0.a2)
                                                            : FastState::kAlphaOther;
}

SpanFn FastSpanFor(TargetFormat format) {
  switch (format) {
    case TargetFormat::R5G6B5:
      return &FastSpans<TargetFormat::R5G6B5>;
    case TargetFormat::X1R5G5B5:
      return &FastSpans<TargetFormat::X1R5G5B5>;
    case TargetFormat::X8R8G8B8:
      return &FastSpans<TargetFormat::X8R8G8B8>;
  }
  return nullptr;
}

}  // namespace plat::d3d::raster

#else

namespace plat::d3d::raster {
SpanFn FastSpanFor(TargetFormat) {
  return nullptr;
}
}  // namespace plat::d3d::raster

#endif  // __SSE2__
