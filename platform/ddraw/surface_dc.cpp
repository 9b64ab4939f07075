// surface_dc.cpp — GetDC/ReleaseDC: a toolkit canvas over a 32-bit copy of
// the surface; on release the pixels the canvas changed go back, converted.
#include "plat/testing.h"
#include "surface_data.h"

namespace plat {

using detail::LoadPixel;
using detail::StorePixel;

SurfaceDC::SurfaceDC(std::shared_ptr<detail::SurfaceData> surface)
    : surface_(std::move(surface)), image_(surface_->width, surface_->height), canvas_(image_) {
  detail::SurfaceData& s = *surface_;
  for (int y = 0; y < s.height; ++y) {
    const std::uint8_t* src = s.At(0, y);
    RgbColor* row = image_.Row(y);
    for (int x = 0; x < s.width; ++x) row[x] = s.codec.Decode(LoadPixel(src + x * s.bytes, s.bytes));
  }
  before_ = image_;
  ++s.locks;
}

SurfaceDC::~SurfaceDC() {
  detail::SurfaceData& s = *surface_;
  for (int y = 0; y < s.height; ++y) {
    std::uint8_t* dst = s.At(0, y);
    const RgbColor* now = image_.Row(y);
    const RgbColor* was = before_.Row(y);
    for (int x = 0; x < s.width; ++x)
      if (now[x] != was[x]) StorePixel(dst + x * s.bytes, s.bytes, s.codec.Encode(now[x]));
  }
  --s.locks;
  s.Changed();
}

HRESULT IDirectDrawSurface7::GetDC(std::unique_ptr<SurfaceDC>& dc) {
  dc.reset();
  if (testing::ShouldFail(testing::Fault::SurfaceGetDC)) return DDERR_GENERIC;
  if (d_->lost) return DDERR_SURFACELOST;
  if (d_->locks > 0) return DDERR_SURFACEBUSY;
  dc = std::make_unique<SurfaceDC>(d_);
  return DD_OK;
}

}  // namespace plat
