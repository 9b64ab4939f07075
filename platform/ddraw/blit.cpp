// blit.cpp — BltFast (unscaled, unclipped), Blt (stretched, clipped) and the
// colour fill.
//
// Rows are copied with memcpy when formats match and no key applies, pixel by
// pixel otherwise (converting through 0x00RRGGBB between formats). A blit
// within one surface reads from a copy of the source rectangle.
#include <algorithm>
#include <vector>

#include "plat/app.h"
#include "plat/testing.h"
#include "surface_data.h"

namespace plat {
namespace {

using detail::LoadPixel;
using detail::StorePixel;
using detail::SurfaceData;

HRESULT CheckPair(const SurfaceData& dst, const SurfaceData* src) {
  if (testing::ShouldFail(testing::Fault::Blt)) return DDERR_GENERIC;
  if (dst.lost || (src && src->lost)) return DDERR_SURFACELOST;
  if (dst.locks > 0 || (src && src->locks > 0)) return DDERR_SURFACEBUSY;
  return DD_OK;
}

bool Inside(const Rect& r, int w, int h) {
  return !r.Empty() && r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h;
}

// The source pixels a blit reads: the surface itself, or a copy of the
// rectangle when source and destination are the same surface.
struct Source {
  Source(SurfaceData& s, const Rect& r, bool copy) : data(s), rect(r) {
    if (!copy) return;
    pitch = r.Width() * s.bytes;
    buffer.resize(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(r.Height()));
    for (int y = 0; y < r.Height(); ++y)
      std::memcpy(buffer.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch),
                  s.At(r.left, r.top + y), static_cast<std::size_t>(pitch));
  }
  // Pixel (x, y) of the whole surface, inside `rect`.
  const std::uint8_t* At(int x, int y) const {
    if (buffer.empty()) return data.At(x, y);
    return buffer.data() + static_cast<std::size_t>(y - rect.top) * static_cast<std::size_t>(pitch) +
           static_cast<std::size_t>((x - rect.left) * data.bytes);
  }
  SurfaceData& data;
  Rect rect;
  int pitch = 0;
  std::vector<std::uint8_t> buffer;
};

// Writes `n` pixels to `d`, taking source column xs[i] (or sx0 + i when xs is
// null) of row `sy`.
void CopyRow(SurfaceData& dst, std::uint8_t* d, const Source& src, int sy, int sx0,
             const int* xs, int n, bool keyed) {
  const SurfaceData& s = src.data;
  const bool same = s.format == dst.format;
  if (same && !keyed && !xs) {
    std::memcpy(d, src.At(sx0, sy), static_cast<std::size_t>(n * s.bytes));
    return;
  }
  const std::uint32_t lo = keyed ? (*s.key)[0] : 1, hi = keyed ? (*s.key)[1] : 0;
  for (int i = 0; i < n; ++i, d += dst.bytes) {
    std::uint32_t v = LoadPixel(src.At(xs ? xs[i] : sx0 + i, sy), s.bytes);
    if (v >= lo && v <= hi) continue;
    if (!same) v = dst.codec.Encode(s.codec.Decode(v));
    StorePixel(d, dst.bytes, v);
  }
}

// Source column (or row) of destination pixel i of a `dn`-wide request over
// an `sn`-wide source rectangle starting at `s0`.
int Sample(std::int64_t i, std::int64_t dn, std::int64_t sn, int s0) {
  return s0 + static_cast<int>((2 * i + 1) * sn / (2 * dn));
}

}  // namespace

HRESULT IDirectDrawSurface7::BltFast(int x, int y, IDirectDrawSurface7& src, const Rect& srcRect,
                                     bool srcColorKey) {
  SurfaceData& s = src.Data();
  if (HRESULT r = CheckPair(*d_, &s)) return r;
  if (!Inside(srcRect, s.width, s.height)) return DDERR_INVALIDRECT;
  const Rect to{x, y, x + srcRect.Width(), y + srcRect.Height()};
  if (!Inside(to, d_->width, d_->height)) return DDERR_INVALIDRECT;
  const bool keyed = srcColorKey && s.key;
  const Source from(s, srcRect, &s == d_.get());
  for (int row = 0; row < srcRect.Height(); ++row)
    CopyRow(*d_, d_->At(x, y + row), from, srcRect.top + row, srcRect.left, nullptr,
            srcRect.Width(), keyed);
  d_->Changed();
  return DD_OK;
}

HRESULT IDirectDrawSurface7::Blt(const Rect* dst, IDirectDrawSurface7* src, const Rect* srcRect,
                                 bool keySrc) {
  if (!src) return DDERR_INVALIDPARAMS;
  SurfaceData& s = src->Data();
  if (HRESULT r = CheckPair(*d_, &s)) return r;
  const Rect sr = srcRect ? *srcRect : Rect{0, 0, s.width, s.height};
  const Rect dr = dst ? *dst : Rect{0, 0, d_->width, d_->height};
  if (!Inside(sr, s.width, s.height) || dr.Empty()) return DDERR_INVALIDRECT;
  // Clip to the surface, and to the clipper's window (its client area).
  int clipW = d_->width, clipH = d_->height;
  if (d_->clipper) {
    clipW = std::min(clipW, d_->clipper->ClientSize().x);
    clipH = std::min(clipH, d_->clipper->ClientSize().y);
  }
  const int x0 = std::max(dr.left, 0), x1 = std::min(dr.right, clipW);
  const int y0 = std::max(dr.top, 0), y1 = std::min(dr.bottom, clipH);
  if (x0 >= x1 || y0 >= y1) return DD_OK;
  std::vector<int> xs(static_cast<std::size_t>(x1 - x0));
  for (int x = x0; x < x1; ++x)
    xs[static_cast<std::size_t>(x - x0)] = Sample(x - dr.left, dr.Width(), sr.Width(), sr.left);
  const bool keyed = keySrc && s.key;
  const Source from(s, sr, &s == d_.get());
  for (int y = y0; y < y1; ++y) {
    const int sy = Sample(y - dr.top, dr.Height(), sr.Height(), sr.top);
    CopyRow(*d_, d_->At(x0, y), from, sy, 0, xs.data(), x1 - x0, keyed);
  }
  d_->Changed();
  return DD_OK;
}

HRESULT IDirectDrawSurface7::ColorFill(const Rect* dst, std::uint32_t fill) {
  if (HRESULT r = CheckPair(*d_, nullptr)) return r;
  Rect r = dst ? *dst : Rect{0, 0, d_->width, d_->height};
  r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, d_->width),
       std::min(r.bottom, d_->height)};
  if (r.Empty()) return DD_OK;
  const std::uint32_t bits = d_->format.dwRGBBitCount;
  const std::uint32_t value = bits >= 32 ? fill : fill & ((1u << bits) - 1);
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* p = d_->At(r.left, y);
    for (int x = r.left; x < r.right; ++x, p += d_->bytes) StorePixel(p, d_->bytes, value);
  }
  d_->Changed();
  return DD_OK;
}

}  // namespace plat
