// ddraw.h — the DirectDraw 7 stand-in: the display object, its display mode,
// and software surfaces with locks, blits, colour keys, a DC with a canvas,
// loss and restoration.
//
// Display: an exclusive full-screen cooperative level plus SetDisplayMode asks
// the backend for a full-screen display showing the top-left w x h of the
// window's client area, scaled to the screen with its aspect kept. A backend
// that cannot switch stays in a window and reports DDERR_UNSUPPORTED.
// Destroying the object gives the desktop its mode back.
//
// Surfaces live in plain memory in the display's pixel format: the display
// mode's in full screen (16 bits are 5:6:5, or 5:5:5 when the backend says
// so; 24 bits are packed 3-byte pixels), the desktop's when windowed. The
// primary surface is the window's client area (windowed) or the display
// (full screen); whatever is written to it is handed to the backend, which
// shows it over the main form. Rows are `pitch` bytes apart; the backend may
// pad pitches so that routines which ignore them show up in tests.
// Z-buffer and texture surfaces (DDSCAPS_ZBUFFER, DDSCAPS_TEXTURE) must use
// one of the Direct3D devices' formats (plat/d3d.h), else
// DDERR_INVALIDPIXELFORMAT; managed textures (DDSCAPS2_TEXTUREMANAGE) use no
// video memory and are never lost.
//
// Loss: the backend (headless Control::LoseSurfaces) can mark surfaces lost;
// every surface call then answers DDERR_SURFACELOST until Restore, which
// fills the pixels with a fixed garbage pattern. Lock/GetDC of a surface
// already locked answers DDERR_SURFACEBUSY.
//
// Blits: BltFast copies unscaled and refuses rectangles outside either
// surface (DDERR_INVALIDRECT). Blt stretches by nearest neighbour, sampling
// source pixel left + (2i + 1) * srcW / (2 * dstW) for destination pixel i of
// the requested rectangle, and clips the destination to the surface (or the
// clipper's window) with the matching source pixels. Both skip source pixels
// equal to the source colour key when asked.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plat/base.h"
#include "plat/canvas.h"

namespace plat {

class Form;

enum : std::uint32_t {
  DDSCL_FULLSCREEN = 0x1, DDSCL_NORMAL = 0x8, DDSCL_EXCLUSIVE = 0x10, DDSCL_FPUSETUP = 0x800
};
enum : std::uint32_t {
  DDSD_CAPS = 0x1, DDSD_HEIGHT = 0x2, DDSD_WIDTH = 0x4, DDSD_PIXELFORMAT = 0x1000,
  DDSD_TEXTURESTAGE = 0x100000,
  DDSCAPS_OFFSCREENPLAIN = 0x40, DDSCAPS_PRIMARYSURFACE = 0x200, DDSCAPS_SYSTEMMEMORY = 0x800,
  DDSCAPS_TEXTURE = 0x1000, DDSCAPS_3DDEVICE = 0x2000, DDSCAPS_VIDEOMEMORY = 0x4000,
  DDSCAPS_ZBUFFER = 0x20000, DDSCAPS2_TEXTUREMANAGE = 0x10,
  DDPF_ALPHAPIXELS = 0x1, DDPF_ALPHA = 0x2, DDPF_FOURCC = 0x4, DDPF_PALETTEINDEXED4 = 0x8,
  DDPF_PALETTEINDEXED8 = 0x20, DDPF_RGB = 0x40, DDPF_ZBUFFER = 0x400,
  DDWAITVB_BLOCKBEGIN = 0x1
};

struct DDPIXELFORMAT {
  std::uint32_t dwFlags = DDPF_RGB, dwFourCC = 0, dwRGBBitCount = 32;
  std::uint32_t dwRBitMask = 0xFF0000, dwGBitMask = 0x00FF00, dwBBitMask = 0x0000FF;
  std::uint32_t dwRGBAlphaBitMask = 0;
  // Z buffers (DDPF_ZBUFFER): bits per pixel (dwRGBBitCount too), the Z bits
  // and the stencil bits above them.
  std::uint32_t dwZBufferBitDepth = 0, dwZBitMask = 0, dwStencilBitDepth = 0;
  friend bool operator==(const DDPIXELFORMAT&, const DDPIXELFORMAT&) = default;
};
// The formats the display offers: 8 (palettised), 16 (5:6:5 or 5:5:5), 24, 32.
DDPIXELFORMAT PixelFormatForBits(int bpp, bool rgb555 = false);

struct DDSURFACEDESC2 {
  std::uint32_t dwFlags = 0;  // DDSD_*: which of the fields below were given
  std::uint32_t dwCaps = 0, dwCaps2 = 0;
  int dwWidth = 0, dwHeight = 0;
  std::optional<DDPIXELFORMAT> ddpfPixelFormat;  // none: the display's format
  // Filled by Lock (and GetSurfaceDesc, without the address).
  std::uint8_t* lpSurface = nullptr;
  std::int32_t lPitch = 0;
};

struct DDDEVICEIDENTIFIER2 {
  std::string szDriver, szDescription;
};

class IDirectDrawSurface7;
class IDirect3D7;
namespace detail {
struct DisplayState;
struct SurfaceData;
}  // namespace detail

// GetDC .. ReleaseDC: a canvas over a 32-bit copy of the surface. Releasing
// (destroying) it writes back, in the surface's format, every pixel the
// canvas changed (8-bit channels truncated to the mask widths, so black stays
// 0 and white all ones); untouched pixels keep their exact bits.
class SurfaceDC {
 public:
  SurfaceDC(std::shared_ptr<detail::SurfaceData> surface);
  ~SurfaceDC();
  SurfaceDC(const SurfaceDC&) = delete;
  SurfaceDC& operator=(const SurfaceDC&) = delete;
  Canvas& canvas() { return canvas_; }

 private:
  std::shared_ptr<detail::SurfaceData> surface_;
  Bitmap image_, before_;
  Canvas canvas_;
};

class IDirectDrawSurface7 {
 public:
  explicit IDirectDrawSurface7(std::shared_ptr<detail::SurfaceData> data) : d_(std::move(data)) {}
  ~IDirectDrawSurface7();
  IDirectDrawSurface7(const IDirectDrawSurface7&) = delete;
  IDirectDrawSurface7& operator=(const IDirectDrawSurface7&) = delete;

  // DDLOCK_WAIT is implied. `rect` null: the whole surface.
  HRESULT Lock(const Rect* rect, DDSURFACEDESC2& desc);
  HRESULT Unlock(const Rect* rect = nullptr);
  HRESULT BltFast(int x, int y, IDirectDrawSurface7& src, const Rect& srcRect, bool srcColorKey);
  // `dst` null: the whole surface; `srcRect` null: the whole source.
  HRESULT Blt(const Rect* dst, IDirectDrawSurface7* src, const Rect* srcRect, bool keySrc);
  HRESULT ColorFill(const Rect* dst, std::uint32_t fill);  // DDBLT_COLORFILL
  HRESULT SetColorKey(std::uint32_t low, std::uint32_t high);  // DDCKEY_SRCBLT
  HRESULT GetDC(std::unique_ptr<SurfaceDC>& dc);
  HRESULT IsLost() const;
  HRESULT Restore();
  HRESULT SetClipperWindow(Form* window);  // CreateClipper + SetHWnd + SetClipper
  HRESULT GetSurfaceDesc(DDSURFACEDESC2& desc) const;
  // A Z buffer (DDSCAPS_ZBUFFER, same size) for this render target; one at a
  // time (DDERR_SURFACEALREADYATTACHED). Delete takes it off again.
  HRESULT AddAttachedSurface(const std::shared_ptr<IDirectDrawSurface7>& zbuffer);
  HRESULT DeleteAttachedSurface(const std::shared_ptr<IDirectDrawSurface7>& zbuffer);

  detail::SurfaceData& Data() const { return *d_; }

 private:
  std::shared_ptr<detail::SurfaceData> d_;
};

class IDirectDraw7 {
 public:
  IDirectDraw7();
  ~IDirectDraw7();  // restores the desktop's display mode
  IDirectDraw7(const IDirectDraw7&) = delete;
  IDirectDraw7& operator=(const IDirectDraw7&) = delete;

  HRESULT Initialize(const void* guid = nullptr);
  HRESULT SetCooperativeLevel(Form* window, std::uint32_t flags);
  // DDERR_WRONGMODE without an exclusive full-screen level (or when another
  // object holds the display), DDERR_UNSUPPORTED when the display cannot switch.
  HRESULT SetDisplayMode(int width, int height, int bpp, int refresh = 0, std::uint32_t flags = 0);

  // The primary surface needs a cooperative level first (DDERR_INVALIDPARAMS).
  HRESULT CreateSurface(const DDSURFACEDESC2& desc, std::shared_ptr<IDirectDrawSurface7>& out);
  // Video memory: a fixed 64 MiB, less what live video-memory surfaces use.
  HRESULT GetAvailableVidMem(std::uint32_t caps, std::uint32_t* total, std::uint32_t* free) const;
  HRESULT GetDeviceIdentifier(DDDEVICEIDENTIFIER2& id) const;
  std::string GetDeviceDescription() const;
  // Returns at the start of the next 60 Hz refresh (timeGetTime based).
  HRESULT WaitForVerticalBlank(std::uint32_t flags = DDWAITVB_BLOCKBEGIN);
  // The current display format: the mode's in full screen, else the desktop's.
  DDPIXELFORMAT DisplayFormat() const;
  // QueryInterface(IID_IDirect3D7).
  HRESULT QueryDirect3D7(std::shared_ptr<IDirect3D7>& out);

 private:
  std::shared_ptr<detail::DisplayState> state_;
};

// Also stands in for DirectDrawCreate.
HRESULT CoCreateDirectDraw7(std::shared_ptr<IDirectDraw7>& out);
inline HRESULT DirectDrawCreate(std::shared_ptr<IDirectDraw7>& out) { return CoCreateDirectDraw7(out); }

}  // namespace plat
