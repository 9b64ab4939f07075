// base.h — result codes, rectangles and colour types shared by every stand-in.
//
// Windows names on purpose: engine and game code read like the services they
// were written against. Everything lives in namespace plat; nothing leaks.
#pragma once

#include <cstdint>

namespace plat {

using HRESULT = std::int32_t;
using MMRESULT = std::uint32_t;

inline constexpr HRESULT DD_OK = 0, DS_OK = 0, D3D_OK = 0;
enum : HRESULT {
  DDERR_GENERIC = 1, DDERR_SURFACELOST, DDERR_SURFACEBUSY, DDERR_INVALIDRECT,
  DDERR_INVALIDPARAMS, DDERR_OUTOFVIDEOMEMORY, DDERR_NOCOLORKEY, DDERR_WRONGMODE,
  DDERR_UNSUPPORTED, DDERR_NOTINSCENE, DSERR_NODRIVER, DSERR_INVALIDPARAM,
  DSERR_BADFORMAT, DSERR_GENERIC,
  DDERR_INVALIDPIXELFORMAT, DDERR_INVALIDCAPS, DDERR_SURFACEALREADYATTACHED, DDERR_NOTFOUND,
  D3DERR_INVALID_DEVICE, D3DERR_INVALIDVERTEXFORMAT, D3DERR_INVALIDPRIMITIVETYPE,
  D3DERR_SCENE_IN_SCENE, D3DERR_SCENE_NOT_IN_SCENE, D3DERR_ZBUFFER_NOTPRESENT
};
inline constexpr MMRESULT MMSYSERR_NOERROR = 0, MMSYSERR_NODRIVER = 6, MIDIERR_NOTREADY = 67,
                          JOYERR_UNPLUGGED = 167;
inline constexpr bool FAILED(HRESULT r) { return r != 0; }

// Right and bottom edges are exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};
struct Point {
  int x = 0, y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

using TColor = std::uint32_t;     // toolkit colour 0x00BBGGRR, as the game's tables write it
using RgbColor = std::uint32_t;   // pixel colour 0x00RRGGBB, as bitmaps store it
using ArgbColor = std::uint32_t;  // 0xAARRGGBB

// Swaps red and blue: converts TColor <-> RgbColor in either direction.
constexpr std::uint32_t BgrToRgb(std::uint32_t c) {
  return (c & 0x0000FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

// Named toolkit colours (0x00BBGGRR).
inline constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clYellow = 0x00FFFF,
                        clOlive = 0x008080, clAqua = 0xFFFF00, clBlue = 0xFF0000,
                        clSilver = 0xC0C0C0, clGray = 0x808080, clFuchsia = 0xFF00FF,
                        clPurple = 0x800080, clLime = 0x00FF00, clGreen = 0x008000,
                        clTeal = 0x808000, clRed = 0x0000FF, clMaroon = 0x000080,
                        clNavy = 0x800000;

}  // namespace plat
