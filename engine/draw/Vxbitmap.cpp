// Vxbitmap.cpp — loading a bitmap by name and drawing it onto a surface.
#include "draw/Vxbitmap.h"

#include <utility>

#include "core/Vxerror.h"

namespace VexmoraDrawSystem {

std::optional<plat::Bitmap> LoadBitmap(const std::string& fileName) {
  plat::Bitmap bmp;
  try {
    if (bmp.LoadFromResourceName(fileName)) return bmp;
  } catch (const plat::EBitmapLoad&) {  // a broken resource: try the file
  }
  try {
    bmp.LoadFromFile(fileName);
  } catch (const plat::EBitmapLoad&) {
    return std::nullopt;
  }
  return bmp;
}

plat::Bitmap LoadSurfaceBitmap(const std::string& fileName) {
  std::optional<plat::Bitmap> bmp = LoadBitmap(fileName);
  if (!bmp) throw VexmoraSystem::EVxDrawSurface("BMPの読み込みに失敗しました。\nファイル名：" + fileName);
  return std::move(*bmp);
}

bool DrawThroughDC(plat::IDirectDrawSurface7& s, const plat::Bitmap& bmp, int x, int y) {
  std::unique_ptr<plat::SurfaceDC> dc;
  if (plat::FAILED(s.GetDC(dc))) return false;
  dc->canvas().Draw(x, y, bmp);
  dc.reset();  // ReleaseDC
  return true;
}

}  // namespace VexmoraDrawSystem
