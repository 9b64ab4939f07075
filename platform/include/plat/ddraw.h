// ddraw.h — the DirectDraw 7 stand-in: the display object and its display
// mode. (Surfaces arrive with the 2D drawing library.)
//
// An exclusive full-screen cooperative level plus SetDisplayMode asks the
// backend for a full-screen display showing the top-left w x h of the
// window's client area, scaled to the screen with its aspect kept. A backend
// that cannot switch stays in a window and reports DDERR_UNSUPPORTED. Destroying
// the object gives the desktop its mode back.
#pragma once

#include <cstdint>
#include <memory>

#include "plat/base.h"

namespace plat {

class Form;

enum : std::uint32_t {
  DDSCL_FULLSCREEN = 0x1, DDSCL_NORMAL = 0x8, DDSCL_EXCLUSIVE = 0x10, DDSCL_FPUSETUP = 0x800
};

class IDirectDraw7 {
 public:
  IDirectDraw7() = default;
  ~IDirectDraw7();  // restores the desktop's display mode
  IDirectDraw7(const IDirectDraw7&) = delete;
  IDirectDraw7& operator=(const IDirectDraw7&) = delete;

  HRESULT Initialize(const void* guid = nullptr);
  HRESULT SetCooperativeLevel(Form* window, std::uint32_t flags);
  // DDERR_WRONGMODE without an exclusive full-screen level (or when another
  // object holds the display), DDERR_UNSUPPORTED when the display cannot switch.
  HRESULT SetDisplayMode(int width, int height, int bpp, int refresh = 0, std::uint32_t flags = 0);

 private:
  Form* window_ = nullptr;
  std::uint32_t level_ = 0;
  bool modeSet_ = false;
};

// Also stands in for DirectDrawCreate.
HRESULT CoCreateDirectDraw7(std::shared_ptr<IDirectDraw7>& out);
inline HRESULT DirectDrawCreate(std::shared_ptr<IDirectDraw7>& out) { return CoCreateDirectDraw7(out); }

}  // namespace plat
