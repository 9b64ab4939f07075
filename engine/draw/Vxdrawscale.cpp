// Vxdrawscale.cpp — the scaled and turned copies (ZoomDraw, RotZoomDraw,
// DirectDraw) and text on the back surface (TextOutA).
#include <algorithm>
#include <string>

#include "core/Vxoperation.h"
#include "draw/Vxdraw.h"
#include "draw/Vxdrawlock.h"

namespace VexmoraDrawSystem {

using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

[[noreturn]] void DrawFailed(std::string_view name) {
  throw EVxDraw("スプライトの描画に失敗しました。\nスプライト名：" + std::string(name));
}

}  // namespace

void TVexmoraDraw::ZoomDraw(int x, int y, int zoomX, int zoomY, std::string_view name,
                            int pattern) {
  VxOperation("TVexmoraDraw::ZoomDraw", [&] {
    RequireInitialised();
    TVexmoraDrawSurface& s = Sprite(name, pattern);
    const plat::Rect p = s.PatternRect(pattern);
    const int W = p.Width(), H = p.Height();
    if (zoomX <= 0 || zoomY <= 0) return;
    const int right = x + zoomX * W / 256, bottom = y + zoomY * H / 256;
    if (right <= 0 || x >= width || bottom <= 0 || y >= height) return;
    plat::Rect d, src;
    d.left = x < 0 ? 0 : x;
    src.left = x < 0 ? (-256 * x) / zoomX + p.left : p.left;
    d.top = y < 0 ? 0 : y;
    src.top = y < 0 ? (-256 * y) / zoomY + p.top : p.top;
    d.right = right < width ? right : width;
    src.right = right < width ? p.left + W : p.left + ((width - x) << 8) / zoomX;
    d.bottom = bottom < height ? bottom : height;
    src.bottom = bottom < height ? p.top + H : p.top + ((height - y) << 8) / zoomY;
    if (d.Width() == 0 || d.Height() == 0 || src.Width() == 0 || src.Height() == 0) return;
    const plat::HRESULT hr = backSurface->Blt(&d, s.Surface(), &src, transparent);
    if (hr == plat::DDERR_SURFACELOST) {
      backSurface->Restore();
      s.Restore();
    } else if (plat::FAILED(hr)) {
      DrawFailed(name);
    }
  });
}

void TVexmoraDraw::RotZoomDraw(int x, int y, int angle, int zoom, std::string_view name,
                               int pattern) {
  VxOperation("TVexmoraDraw::RotZoomDraw", [&] {
    RequireInitialised();
    if (zoom == 0) return;
    TVexmoraDrawSurface& s = Sprite(name, pattern);
    const plat::Rect p = s.PatternRect(pattern);
    const TDrawLocks locks(*backSurface, &s, p, "スプライトのロックに失敗");
    if (!locks.Held()) return;
    const TSurfaceLock &back = locks.back, &sprite = *locks.source;
    TVexmoraDrawDirect r;
    r.dest = back.desc.lpSurface;
    r.source = sprite.desc.lpSurface;
    r.destPitch = back.desc.lPitch;
    r.sourcePitch = sprite.desc.lPitch;
    r.width = p.Width();
    r.height = p.Height();
    r.x = x;
    r.y = y;
    r.param1 = angle;
    r.param2 = zoom;
    if (const TPixelRoutine routine = transparent ? routines.rotZoomKeyed : routines.rotZoom)
      routine(r);
  });
}

void TVexmoraDraw::DirectDraw(plat::Rect dest, plat::Rect source, std::string_view name) {
  VxOperation("TVexmoraDraw::DirectDraw", [&] {
    RequireInitialised();
    TVexmoraDrawSurface& s = Sprite(name);
    RestoreIfLost(backSurface.get());
    if (s.Surface()->IsLost() == plat::DDERR_SURFACELOST) s.Restore();
    const plat::HRESULT hr = backSurface->Blt(&dest, s.Surface(), &source, transparent);
    if (hr == plat::DDERR_SURFACELOST) {
      backSurface->Restore();
      s.Restore();
    } else if (plat::FAILED(hr)) {
      DrawFailed(name);
    }
  });
}

void TVexmoraDraw::TextOutA(int x, int y, std::string_view text) {
  VxOperation("TVexmoraDraw::TextOutA", [&] {
    RequireInitialised();
    std::unique_ptr<plat::SurfaceDC> dc;
    const plat::HRESULT hr = backSurface->GetDC(dc);
    if (hr == plat::DDERR_SURFACELOST) {
      backSurface->Restore();
      return;
    }
    if (plat::FAILED(hr)) throw EVxDraw("デバイスコンテキストの取得に失敗。");
    plat::Canvas& canvas = dc->canvas();
    canvas.font = font;
    canvas.Brush.style = plat::BrushStyle::Clear;
    canvas.TextOut(x, y, text);
  });
}

}  // namespace VexmoraDrawSystem
