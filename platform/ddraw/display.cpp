// display.cpp — the DirectDraw object's cooperative level and display mode
// over the active backend.
#include "plat/ddraw.h"
#include "plat/detail/backend.h"
#include "plat/testing.h"

namespace plat {

using testing::Fault;
using testing::ShouldFail;

HRESULT CoCreateDirectDraw7(std::shared_ptr<IDirectDraw7>& out) {
  out.reset();
  if (ShouldFail(Fault::DirectDrawCreate)) return DDERR_GENERIC;
  out = std::make_shared<IDirectDraw7>();
  return DD_OK;
}

IDirectDraw7::~IDirectDraw7() {
  if (modeSet_)
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
  window_ = window;
  level_ = flags;
  return DD_OK;
}

HRESULT IDirectDraw7::SetDisplayMode(int width, int height, int bpp, int, std::uint32_t) {
  if (ShouldFail(Fault::DisplayMode)) return DDERR_GENERIC;
  if (!(level_ & DDSCL_EXCLUSIVE)) return DDERR_WRONGMODE;
  if (width <= 0 || height <= 0 || (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
    return DDERR_INVALIDPARAMS;
  auto* b = detail::ActiveBackend();
  if (!b || !b->SetDisplayMode(width, height, bpp)) return DDERR_UNSUPPORTED;
  modeSet_ = true;
  return DD_OK;
}

}  // namespace plat
