// Vxbitmap.h — how every component gets a bitmap's pixels onto a surface:
// the bitmap is taken from a module resource of that name first, else from
// the BMP file, and drawn through the surface's device context, which
// converts it to the surface's pixel format.
//
// LoadBitmap and DrawThroughDC report failure by their result; each
// component throws its own error with its own text.
#pragma once

#include <optional>
#include <string>

#include "plat/canvas.h"
#include "plat/ddraw.h"

namespace VexmoraDrawSystem {

// Resource first (a broken resource falls through to the file); nullopt
// when neither loads.
std::optional<plat::Bitmap> LoadBitmap(const std::string& fileName);

// LoadBitmap for a named 2D surface: throws EVxDrawSurface
// "BMPの読み込みに失敗しました。\nファイル名：<file>" when it cannot be had.
plat::Bitmap LoadSurfaceBitmap(const std::string& fileName);

// Draws `bmp` with its top-left corner at (x, y) through the surface's DC;
// false when the DC cannot be had.
bool DrawThroughDC(plat::IDirectDrawSurface7& s, const plat::Bitmap& bmp, int x = 0, int y = 0);

}  // namespace VexmoraDrawSystem
