// direct3d.cpp — IDirect3D7 (device creation, Z-buffer formats), the
// device's caps, texture formats and render target, and Z-buffer
// attachment on DirectDraw surfaces.
//
// HAL and T&L HAL exist only when the backend says so; the RGB device
// always. Render targets need DDSCAPS_3DDEVICE, a 16- or 32-bit RGB format,
// and video memory for the hardware devices, system memory for RGB.
#include "../ddraw/surface_data.h"
#include "device_state.h"
#include "formats.h"
#include "plat/d3d.h"
#include "plat/detail/backend.h"
#include "plat/testing.h"

namespace plat {
namespace {

using testing::Fault;
using testing::ShouldFail;

bool Hardware(D3DDEVTYPE t) {
  return t == D3DDEVTYPE::HAL || t == D3DDEVTYPE::TnLHAL;
}

bool Known(D3DDEVTYPE t) {
  return Hardware(t) || t == D3DDEVTYPE::RGB;
}

// Whether `surface` in its memory suits a device of type `t`.
bool MemoryFits(D3DDEVTYPE t, const detail::SurfaceData& d) {
  return Hardware(t) == !(d.caps & DDSCAPS_SYSTEMMEMORY);
}

HRESULT CheckTarget(D3DDEVTYPE t, const std::shared_ptr<IDirectDrawSurface7>& target) {
  if (!target) return DDERR_INVALIDPARAMS;
  const detail::SurfaceData& d = target->Data();
  d3d::raster::TargetFormat f;
  if (!(d.caps & DDSCAPS_3DDEVICE) || (d.caps & (DDSCAPS_ZBUFFER | DDSCAPS_TEXTURE)) ||
      !MemoryFits(t, d))
    return DDERR_INVALIDCAPS;
  if (!d3d::TargetFormatOf(d.format, f)) return DDERR_INVALIDPIXELFORMAT;
  if (d.lost) return DDERR_SURFACELOST;
  return DD_OK;
}

}  // namespace

bool HardwareDeviceAvailable() {
  const detail::Backend* b = detail::ActiveBackend();
  return b && b->HalAvailable();
}

HRESULT IDirectDraw7::QueryDirect3D7(std::shared_ptr<IDirect3D7>& out) {
  out.reset();
  if (ShouldFail(Fault::QueryDirect3D)) return DDERR_GENERIC;
  out = std::make_shared<IDirect3D7>();
  return DD_OK;
}

HRESULT IDirect3D7::CreateDevice(D3DDEVTYPE type,
                                 const std::shared_ptr<IDirectDrawSurface7>& target,
                                 std::shared_ptr<IDirect3DDevice7>& out) {
  out.reset();
  if (!Known(type)) return D3DERR_INVALID_DEVICE;
  if (ShouldFail(Hardware(type) ? Fault::CreateDeviceHAL : Fault::CreateDeviceRGB))
    return DDERR_GENERIC;
  if (Hardware(type) && !HardwareDeviceAvailable()) return D3DERR_INVALID_DEVICE;
  if (HRESULT r = CheckTarget(type, target)) return r;
  out = std::make_shared<IDirect3DDevice7>(type, target);
  return D3D_OK;
}

HRESULT IDirect3D7::EnumZBufferFormats(D3DDEVTYPE type, std::vector<DDPIXELFORMAT>& formats) const {
  formats.clear();
  if (!Known(type) || (Hardware(type) && !HardwareDeviceAvailable())) return D3DERR_INVALID_DEVICE;
  formats = d3d::ZBufferFormats();
  return D3D_OK;
}

IDirect3DDevice7::IDirect3DDevice7(D3DDEVTYPE type, std::shared_ptr<IDirectDrawSurface7> target)
    : s_(std::make_unique<detail::DeviceState>(type, std::move(target))) {}

IDirect3DDevice7::~IDirect3DDevice7() = default;

HRESULT IDirect3DDevice7::GetCaps(D3DDEVICEDESC7& desc) const {
  constexpr std::uint32_t blend = D3DPBLENDCAPS_ZERO | D3DPBLENDCAPS_ONE | D3DPBLENDCAPS_SRCCOLOR |
                                  D3DPBLENDCAPS_INVSRCCOLOR | D3DPBLENDCAPS_SRCALPHA |
                                  D3DPBLENDCAPS_INVSRCALPHA;
  desc = {};
  desc.srcBlendCaps = blend | D3DPBLENDCAPS_BOTHSRCALPHA;
  desc.destBlendCaps = blend;
  desc.textureOpCaps = D3DTEXOPCAPS_DISABLE | D3DTEXOPCAPS_SELECTARG1 | D3DTEXOPCAPS_SELECTARG2 |
                       D3DTEXOPCAPS_MODULATE | D3DTEXOPCAPS_MODULATE2X | D3DTEXOPCAPS_MODULATE4X |
                       D3DTEXOPCAPS_ADD | D3DTEXOPCAPS_SUBTRACT | D3DTEXOPCAPS_ADDSMOOTH |
                       D3DTEXOPCAPS_BLENDDIFFUSEALPHA;
  // Sizes are not checked, but callers are asked for powers of two (any
  // aspect) as most drivers of the time wanted.
  desc.textureCaps = D3DPTEXTURECAPS_PERSPECTIVE | D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_ALPHA |
                     D3DPTEXTURECAPS_TRANSPARENCY;
  desc.textureAddressCaps = D3DPTADDRESSCAPS_WRAP | D3DPTADDRESSCAPS_CLAMP;
  desc.textureFilterCaps = D3DPTFILTERCAPS_NEAREST | D3DPTFILTERCAPS_LINEAR |
                           D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MINFLINEAR |
                           D3DPTFILTERCAPS_MAGFPOINT | D3DPTFILTERCAPS_MAGFLINEAR;
  desc.maxTextureWidth = desc.maxTextureHeight = 2048;
  desc.deviceGUID = s_->type;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::EnumTextureFormats(std::vector<DDPIXELFORMAT>& formats) const {
  formats = d3d::TextureFormats();
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetRenderTarget(const std::shared_ptr<IDirectDrawSurface7>& target) {
  if (ShouldFail(Fault::SetRenderTarget)) return DDERR_GENERIC;
  if (HRESULT r = CheckTarget(s_->type, target)) return r;
  s_->target = target;
  s_->viewport = detail::FullViewport(*target);
  return D3D_OK;
}

std::shared_ptr<IDirectDrawSurface7> IDirect3DDevice7::GetRenderTarget() const {
  return s_->target;
}

HRESULT IDirectDrawSurface7::AddAttachedSurface(const std::shared_ptr<IDirectDrawSurface7>& z) {
  if (ShouldFail(Fault::AttachZBuffer)) return DDERR_GENERIC;
  if (!z || z.get() == this) return DDERR_INVALIDPARAMS;
  const detail::SurfaceData& zd = z->Data();
  if (!(zd.caps & DDSCAPS_ZBUFFER) || (d_->caps & DDSCAPS_ZBUFFER)) return DDERR_INVALIDCAPS;
  if (zd.width != d_->width || zd.height != d_->height) return DDERR_INVALIDPARAMS;
  if (d_->zbuffer) return DDERR_SURFACEALREADYATTACHED;
  d_->zbuffer = z->d_;
  return DD_OK;
}

HRESULT IDirectDrawSurface7::DeleteAttachedSurface(const std::shared_ptr<IDirectDrawSurface7>& z) {
  if (!z || d_->zbuffer != z->d_) return DDERR_NOTFOUND;
  d_->zbuffer.reset();
  return DD_OK;
}

}  // namespace plat
