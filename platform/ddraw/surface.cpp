// surface.cpp — surface locks, colour keys, loss and restoration, the
// clipper and the surface description.
#include "plat/testing.h"
#include "surface_data.h"

namespace plat {

using testing::Fault;
using testing::ShouldFail;

IDirectDrawSurface7::~IDirectDrawSurface7() = default;

HRESULT IDirectDrawSurface7::Lock(const Rect* rect, DDSURFACEDESC2& desc) {
  if (ShouldFail(Fault::SurfaceLock)) return DDERR_GENERIC;
  if (d_->lost) return DDERR_SURFACELOST;
  if (d_->locks > 0) return DDERR_SURFACEBUSY;
  const Rect r = rect ? *rect : Rect{0, 0, d_->width, d_->height};
  if (r.left < 0 || r.top < 0 || r.right > d_->width || r.bottom > d_->height || r.Empty())
    return DDERR_INVALIDRECT;
  GetSurfaceDesc(desc);
  desc.lpSurface = d_->At(r.left, r.top);
  ++d_->locks;
  return DD_OK;
}

HRESULT IDirectDrawSurface7::Unlock(const Rect*) {
  if (d_->locks == 0) return DDERR_INVALIDPARAMS;
  --d_->locks;
  d_->Changed();
  return DD_OK;
}

HRESULT IDirectDrawSurface7::SetColorKey(std::uint32_t low, std::uint32_t high) {
  d_->key = std::array<std::uint32_t, 2>{low, high};
  return DD_OK;
}

HRESULT IDirectDrawSurface7::IsLost() const { return d_->lost ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface7::Restore() {
  if (ShouldFail(Fault::SurfaceRestore)) return DDERR_GENERIC;
  if (!d_->lost) return DD_OK;
  if (d_->Primary() && !(detail::CurrentDisplay() == d_->createdFor)) return DDERR_WRONGMODE;
  d_->FillGarbage();
  d_->lost = false;
  d_->Changed();
  return DD_OK;
}

HRESULT IDirectDrawSurface7::SetClipperWindow(Form* window) {
  if (ShouldFail(Fault::CreateClipper)) return DDERR_GENERIC;
  if (!window) return DDERR_INVALIDPARAMS;
  d_->clipper = window;
  return DD_OK;
}

HRESULT IDirectDrawSurface7::GetSurfaceDesc(DDSURFACEDESC2& desc) const {
  desc = {};
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.dwCaps = d_->caps;
  desc.dwCaps2 = d_->caps2;
  desc.dwWidth = d_->width;
  desc.dwHeight = d_->height;
  desc.ddpfPixelFormat = d_->format;
  desc.lPitch = d_->pitch;
  return DD_OK;
}

}  // namespace plat
