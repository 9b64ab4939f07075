// display.cpp — the DirectDraw object: cooperative level, display mode,
// surface creation, video memory, device identity and the vertical blank.
#include <algorithm>

#include "plat/app.h"
#include "plat/detail/backend.h"
#include "plat/testing.h"
#include "plat/timer.h"
#include "surface_data.h"

namespace plat {

using testing::Fault;
using testing::ShouldFail;

namespace {
constexpr std::uint32_t kVideoMemory = 64u << 20;
}

HRESULT CoCreateDirectDraw7(std::shared_ptr<IDirectDraw7>& out) {
  out.reset();
  if (ShouldFail(Fault::DirectDrawCreate)) return DDERR_GENERIC;
  out = std::make_shared<IDirectDraw7>();
  return DD_OK;
}

IDirectDraw7::IDirectDraw7() : state_(std::make_shared<detail::DisplayState>()) {}

IDirectDraw7::~IDirectDraw7() {
  if (!state_->modeSet) return;
  detail::SetCurrentDisplay(std::nullopt);
  if (auto* b = detail::ActiveBackend()) b->RestoreDisplayMode();
}

HRESULT IDirectDraw7::Initialize(const void*) {
  return ShouldFail(Fault::DirectDrawInitialize) ? DDERR_GENERIC : DD_OK;
}

HRESULT IDirectDraw7::SetCooperativeLevel(Form* window, std::uint32_t flags) {
  if (ShouldFail(Fault::CooperativeLevel)) return DDERR_GENERIC;
  const bool exclusive = (flags & (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)) != 0;
  if (exclusive && !(flags & DDSCL_EXCLUSIVE && flags & DDSCL_FULLSCREEN))
    return DDERR_INVALIDPARAMS;  // one without the other
  if (exclusive && !window) return DDERR_INVALIDPARAMS;
  state_->window = window;
  state_->level = flags;
  return DD_OK;
}

HRESULT IDirectDraw7::SetDisplayMode(int width, int height, int bpp, int, std::uint32_t) {
  if (ShouldFail(Fault::DisplayMode)) return DDERR_GENERIC;
  if (!(state_->level & DDSCL_EXCLUSIVE)) return DDERR_WRONGMODE;
  if (width <= 0 || height <= 0 || (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
    return DDERR_INVALIDPARAMS;
  auto* b = detail::ActiveBackend();
  if (!b || !b->SetDisplayMode(width, height, bpp)) return DDERR_UNSUPPORTED;
  state_->modeSet = true;
  detail::SetCurrentDisplay(detail::DisplayMode{width, height, PixelFormatForBits(bpp, b->Use555())});
  return DD_OK;
}

DDPIXELFORMAT IDirectDraw7::DisplayFormat() const { return detail::CurrentDisplay().format; }

HRESULT IDirectDraw7::CreateSurface(const DDSURFACEDESC2& desc,
                                    std::shared_ptr<IDirectDrawSurface7>& out) {
  out.reset();
  const bool primary = (desc.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0;
  if (ShouldFail(primary ? Fault::CreatePrimary : detail::CreationFault(desc))) return DDERR_GENERIC;
  const detail::DisplayMode display = detail::CurrentDisplay();
  int w = desc.dwWidth, h = desc.dwHeight;
  DDPIXELFORMAT format = display.format;
  if (primary) {
    if (!state_->level) return DDERR_INVALIDPARAMS;
    Form* window = state_->window ? state_->window : Application::MainForm();
    if (display.width > 0) {
      w = display.width;
      h = display.height;
    } else if (window) {
      w = window->ClientSize().x;
      h = window->ClientSize().y;
    } else {
      w = 640;
      h = 480;
    }
  } else {
    if (!(desc.dwFlags & DDSD_WIDTH) || !(desc.dwFlags & DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
    if (desc.dwFlags & DDSD_PIXELFORMAT && desc.ddpfPixelFormat) format = *desc.ddpfPixelFormat;
  }
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return DDERR_INVALIDPARAMS;
  if (format.dwRGBBitCount % 8 != 0 || format.dwRGBBitCount == 0 || format.dwRGBBitCount > 32)
    return DDERR_INVALIDPARAMS;
  if (HRESULT r = detail::Check3DSurface(desc, format)) return r;
  const bool video =
      !(desc.dwCaps & DDSCAPS_SYSTEMMEMORY) && !(desc.dwCaps2 & DDSCAPS2_TEXTUREMANAGE);
  const auto* b = detail::ActiveBackend();
  const std::uint32_t padding = b ? b->PitchPadding() : 0;
  const std::uint64_t bytes = (static_cast<std::uint64_t>(w) * format.dwRGBBitCount / 8 + padding) *
                              static_cast<std::uint64_t>(h);
  if (video && !primary && detail::VideoMemoryInUse() + bytes > kVideoMemory)
    return DDERR_OUTOFVIDEOMEMORY;
  auto data = std::make_shared<detail::SurfaceData>(w, h, format, desc.dwCaps, padding);
  data->createdFor = display;
  data->caps2 = desc.dwCaps2;
  out = std::make_shared<IDirectDrawSurface7>(std::move(data));
  if (primary) out->Data().Changed();
  return DD_OK;
}

HRESULT IDirectDraw7::GetAvailableVidMem(std::uint32_t, std::uint32_t* total,
                                         std::uint32_t* free) const {
  const std::uint64_t used = std::min<std::uint64_t>(detail::VideoMemoryInUse(), kVideoMemory);
  if (total) *total = kVideoMemory;
  if (free) *free = static_cast<std::uint32_t>(kVideoMemory - used);
  return DD_OK;
}

HRESULT IDirectDraw7::GetDeviceIdentifier(DDDEVICEIDENTIFIER2& id) const {
  id.szDriver = "kxdisplay";
  id.szDescription = GetDeviceDescription();
  return DD_OK;
}

std::string IDirectDraw7::GetDeviceDescription() const {
  const auto* b = detail::ActiveBackend();
  return "Korvanix software display (" + std::string(b ? b->Name() : "no backend") + ")";
}

HRESULT IDirectDraw7::WaitForVerticalBlank(std::uint32_t) {
  // Refreshes start every 50/3 ms from time 0.
  const std::uint64_t now = timeGetTime();
  const std::uint64_t next = (now * 3 / 50 + 1) * 50 / 3 + ((now * 3 / 50 + 1) * 50 % 3 ? 1 : 0);
  SpinUntil(static_cast<std::uint32_t>(next));
  return DD_OK;
}

}  // namespace plat
