// Vxdrawsurface.cpp — loading and restoring a named surface's bitmap.
#include "draw/Vxdrawsurface.h"

#include <string>

#include "core/Vxdebug.h"
#include "core/Vxerror.h"
#include "core/Vxoperation.h"
#include "draw/Vxbitmap.h"

namespace VexmoraDrawSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxDrawSurface;
using VexmoraSystem::VxOperation;

TVexmoraDrawSurface::~TVexmoraDrawSurface() {
  TVexmoraDebug::TraceLine("TVexmoraDrawSurface::~TVexmoraDrawSurface");
}

plat::Rect TVexmoraDrawSurface::PatternRect(int n) const {
  const int left = (n % columns) * patternWidth, top = (n / columns) * patternHeight;
  return {left, top, left + patternWidth, top + patternHeight};
}

void TVexmoraDrawSurface::LoadFile(std::string_view name, std::string_view file, bool videoMemory,
                                   std::uint32_t keyColour, int pw, int ph) {
  VxOperation("TVexmoraDrawSurface::LoadFile", [&] {
    surface.reset();
    fileName.clear();
    surfaceName.clear();
    const std::string path(file);
    const plat::Bitmap bmp = LoadSurfaceBitmap(path);
    SetGrid(bmp.Width(), bmp.Height(), pw, ph);
    plat::DDSURFACEDESC2 desc;
    desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT;
    desc.dwCaps = plat::DDSCAPS_OFFSCREENPLAIN | (videoMemory ? 0u : std::uint32_t{plat::DDSCAPS_SYSTEMMEMORY});
    desc.dwWidth = bitmapWidth;
    desc.dwHeight = bitmapHeight;
    if (!directDraw || plat::FAILED(directDraw->CreateSurface(desc, surface)))
      throw EVxDrawSurface("サーフェイスの作成に失敗しました。\nファイル名：" + path);
    if (!DrawThroughDC(*surface, bmp)) {
      surface.reset();
      throw EVxDrawSurface("BMPの転送に失敗しました。\nファイル名：" + path);
    }
    surface->SetColorKey(keyColour, keyColour);
    surfaceName = name;
    fileName = path;
  });
}

void TVexmoraDrawSurface::Restore() {
  VxOperation("TVexmoraDrawSurface::Restore", [&] {
    if (!surface) throw EVxDrawSurface("サーフェイスが存在しません\nサーフェイス名：" + surfaceName);
    if (plat::FAILED(surface->Restore())) return;  // the next draw tries again
    const plat::Bitmap bmp = LoadSurfaceBitmap(fileName);
    if (!DrawThroughDC(*surface, bmp)) {
      surface.reset();
      throw EVxDrawSurface("サーフェイスの復帰に失敗しました。\nサーフェイス名：" + surfaceName);
    }
  });
}

}  // namespace VexmoraDrawSystem
