// soa_pack.h — what both eight-lane span loops share: target pixels to and
// from planes with masked stores, and the block that packs the short rows
// of a batch eight pixels at a time (gathered from and scattered back to
// their scattered addresses).
#pragma once

#if defined(__SSE2__)
#include <cstring>

#include "raster/pipeline.h"
#include "raster/soa.h"

namespace plat::d3d::raster::soa {

template <TargetFormat F>
KX_RASTER_INLINE Planes LoadPlanes(const std::uint8_t* px) {
  if constexpr (F == TargetFormat::X8R8G8B8) {
    return soa::From8888(_mm_loadu_si128(reinterpret_cast<const V*>(px)),
                         _mm_loadu_si128(reinterpret_cast<const V*>(px + 16)));
  } else {
    const V t = _mm_loadu_si128(reinterpret_cast<const V*>(px));
    return F == TargetFormat::R5G6B5 ? soa::From565(t) : soa::From1555(t, false);
  }
}

template <TargetFormat F>
KX_RASTER_INLINE void StorePlanes(std::uint8_t* px, const Planes& c, V live) {
  auto* out = reinterpret_cast<V*>(px);
  if constexpr (F == TargetFormat::X8R8G8B8) {
    V lo, hi;
    soa::To8888(c, lo, hi);
    if (!soa::All(live)) {
      lo = soa::Select(soa::Lo32(live), lo, _mm_loadu_si128(out));
      hi = soa::Select(soa::Hi32(live), hi, _mm_loadu_si128(out + 1));
    }
    _mm_storeu_si128(out, lo);
    _mm_storeu_si128(out + 1, hi);
  } else {
    V v = F == TargetFormat::R5G6B5 ? soa::To565(c) : soa::To555(c);
    if (!soa::All(live)) v = soa::Select(live, v, _mm_loadu_si128(out));
    _mm_storeu_si128(out, v);
  }
}

// Pixels gathered from short runs, shaded together: lanes 0..n-1, room for
// one more run of up to eight past them.
struct Pack {
  int n = 0;
  alignas(16) float x[16], y[16];             // from the plane's origin
  alignas(16) std::int64_t pixel[16], z[16];  // byte offsets into the target and the Z buffer
};

// Eight 2- or 4-byte values from scattered addresses into `out` (16 or 32
// bytes), built in registers: a vector load of lanes stored one by one
// would wait for every store to land.
template <int Bytes>
KX_RASTER_INLINE void GatherLanes(std::uint8_t* const* p, std::uint8_t* out) {
  auto* v = reinterpret_cast<V*>(out);
  if constexpr (Bytes == 2) {
    const auto four = [&](int i) {
      V r = _mm_cvtsi32_si128(static_cast<int>(Load16(p[i])));
      r = _mm_insert_epi16(r, static_cast<int>(Load16(p[i + 1])), 1);
      r = _mm_insert_epi16(r, static_cast<int>(Load16(p[i + 2])), 2);
      return _mm_insert_epi16(r, static_cast<int>(Load16(p[i + 3])), 3);
    };
    _mm_store_si128(v, _mm_unpacklo_epi64(four(0), four(4)));
  } else {
    const auto q = [&](int i) { return _mm_cvtsi32_si128(static_cast<int>(Load32(p[i]))); };
    const auto four = [&](int i) {
      return _mm_unpacklo_epi64(_mm_unpacklo_epi32(q(i), q(i + 1)),
                                _mm_unpacklo_epi32(q(i + 2), q(i + 3)));
    };
    _mm_store_si128(v, four(0));
    _mm_store_si128(v + 1, four(4));
  }
}
template <int Bytes>
KX_RASTER_INLINE void ScatterLanes(const std::uint8_t* in, std::uint8_t* const* p, int n) {
  for (int i = 0; i < n; ++i) std::memcpy(p[i], in + i * Bytes, Bytes);
}

// Appends pixels x .. x + len - 1 (len <= 8) of row y; `bytes` and
// `zBytes` are the sizes of a pixel and a Z entry (0: no Z buffer).
KX_RASTER_INLINE void Append(Pack& q, int x, int y, int len, const Plane& plane, const Pipeline& p,
                             int bytes, int zBytes) {
  const __m128 fx = _mm_set1_ps(static_cast<float>(x) - plane.x0);
  const __m128 fy = _mm_set1_ps(static_cast<float>(y) - plane.y0);
  float* xs = q.x + q.n;
  _mm_storeu_ps(xs, _mm_add_ps(fx, _mm_setr_ps(0, 1, 2, 3)));
  _mm_storeu_ps(xs + 4, _mm_add_ps(fx, _mm_setr_ps(4, 5, 6, 7)));
  _mm_storeu_ps(q.y + q.n, fy);
  _mm_storeu_ps(q.y + q.n + 4, fy);
  const auto offsets = [](std::int64_t* out, std::int64_t first, int step) {
    const V base = _mm_set1_epi64x(first), s = _mm_set1_epi64x(step);
    const V s2 = _mm_add_epi64(s, s), one = _mm_unpacklo_epi64(_mm_setzero_si128(), s);
    V v = _mm_add_epi64(base, one);
    for (int i = 0; i < 8; i += 2, v = _mm_add_epi64(v, s2))
      _mm_storeu_si128(reinterpret_cast<V*>(out + i), v);
  };
  offsets(q.pixel + q.n, y * p.pitch + static_cast<std::int64_t>(x) * bytes, bytes);
  if (zBytes) offsets(q.z + q.n, y * p.zPitch + static_cast<std::int64_t>(x) * zBytes, zBytes);
  q.n += len;
}

// Shades the first eight packed lanes (fewer when fewer are queued) through
// `shade(pixels, z, live)` on local copies, writes them back and moves any
// lanes past the eighth to the front. Idle lanes repeat lane 0 and are
// never written back.
template <TargetFormat F, class ShadeFn>
KX_RASTER_INLINE void FlushPack(const Pipeline& p, Pack& q, int zBytes, ShadeFn&& shade) {
  constexpr int kBytes = PixelBytes<F>();
  const int n = q.n < 8 ? q.n : 8;
  std::uint8_t* pp[8];
  std::uint8_t* zp[8];
  for (int i = 0; i < n; ++i) {
    pp[i] = p.pixels + q.pixel[i];
    zp[i] = zBytes ? p.z + q.z[i] : nullptr;
  }
  for (int i = n; i < 8; ++i) {
    q.x[i] = q.x[0];
    q.y[i] = q.y[0];
    pp[i] = pp[0];
    zp[i] = zp[0];
  }
  alignas(16) std::uint8_t pixels[32], z[32];
  GatherLanes<kBytes>(pp, pixels);
  if (zBytes == 2) GatherLanes<2>(zp, z);
  if (zBytes == 4) GatherLanes<4>(zp, z);
  const V live = _mm_cmpgt_epi16(soa::Set16(n), _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7));
  shade(pixels, z, live);
  ScatterLanes<kBytes>(pixels, pp, n);
  if (zBytes == 2) ScatterLanes<2>(z, zp, n);
  if (zBytes == 4) ScatterLanes<4>(z, zp, n);
  // Lanes past the eighth move to the front.
  q.n -= n;
  for (int h = 0; h < 8; h += 4) {
    _mm_store_ps(q.x + h, _mm_load_ps(q.x + 8 + h));
    _mm_store_ps(q.y + h, _mm_load_ps(q.y + 8 + h));
  }
  for (int h = 0; h < 8; h += 2) {
    _mm_store_si128(reinterpret_cast<V*>(q.pixel + h),
                    _mm_load_si128(reinterpret_cast<V*>(q.pixel + 8 + h)));
    if (zBytes)
      _mm_store_si128(reinterpret_cast<V*>(q.z + h),
                      _mm_load_si128(reinterpret_cast<V*>(q.z + 8 + h)));
  }
}

}  // namespace plat::d3d::raster::soa

#endif  // __SSE2__
