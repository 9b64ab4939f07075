// Vxdrawsurface.h — TVexmoraDrawSurface, one named image of the 2D drawing
// component: a bitmap (module resource first, else a BMP file) in an
// off-screen surface of the display format, cut into a grid of equal
// patterns addressed row-major from 0.
//
// The source colour key is always set to the component's key; whether a
// draw uses it is the component's Transparent. Restore reloads the pixels
// after DirectDraw lost them. Errors are EVxDrawSurface.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "draw/Vxdrawtypes.h"
#include "plat/ddraw.h"

namespace VexmoraDrawSystem {

class TVexmoraDrawSurface : public TVexmoraDrawSurfaceInfo {
 public:
  explicit TVexmoraDrawSurface(plat::IDirectDraw7* owner) : directDraw(owner) {}
  virtual ~TVexmoraDrawSurface();
  TVexmoraDrawSurface(const TVexmoraDrawSurface&) = delete;
  TVexmoraDrawSurface& operator=(const TVexmoraDrawSurface&) = delete;

  // A pattern size of 0 means the whole bitmap's width or height.
  virtual void LoadFile(std::string_view surfaceName, std::string_view fileName, bool videoMemory,
                        std::uint32_t keyColour, int patternWidth, int patternHeight);
  // After a loss: restores the surface (quietly giving up if DirectDraw
  // cannot yet) and draws the bitmap again.
  virtual void Restore();

  plat::IDirectDrawSurface7* Surface() const { return surface.get(); }
  const TVexmoraDrawSurfaceInfo& Info() const { return *this; }
  // The source rectangle of pattern `n` (which must be < count).
  plat::Rect PatternRect(int n) const;

 private:
  plat::IDirectDraw7* directDraw;
  std::shared_ptr<plat::IDirectDrawSurface7> surface;
};

}  // namespace VexmoraDrawSystem
