// Vxdrawops.cpp — Draw (cull, clip, plain copy or blend routine), WindDraw
// (rows or columns displaced at random) and EffectDraw (the user's routine
// on the locked surfaces).
#include <algorithm>
#include <string>

#include "core/Vxoperation.h"
#include "draw/Vxdraw.h"
#include "draw/Vxdrawlock.h"

namespace VexmoraDrawSystem {

using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

std::string SpriteDetail(const char* text, std::string_view name) {
  return text + std::string(name);
}

}  // namespace

void TVexmoraDraw::Draw(int x, int y, std::string_view name, int pattern, TBlendEffect effect,
                        int param) {
  VxOperation("TVexmoraDraw::Draw", [&] {
    RequireInitialised();
    TVexmoraDrawSurface& s = Sprite(name, pattern);
    DrawUnchecked(x, y, s, s.PatternRect(pattern), name, effect, param);
  });
}

void TVexmoraDraw::DrawUnchecked(int x, int y, TVexmoraDrawSurface& s, const plat::Rect& p,
                                 std::string_view name, TBlendEffect effect, int param) {
  const int w = p.Width(), h = p.Height();
  if (x + w < 1 || x >= width || y + h < 1 || y >= height) return;
  const plat::Rect src{std::max(0, -x) + p.left, std::max(0, -y) + p.top,
                       std::min(w, width - x) + p.left, std::min(h, height - y) + p.top};
  x = std::max(0, x);
  y = std::max(0, y);
  const std::size_t slot = static_cast<std::size_t>(effect) + (transparent ? kEffectCount : 0);
  const TPixelRoutine routine =
      effect > beNormal && effect < kEffectCount ? routines.effect[slot] : nullptr;
  if (!routine) {
    const plat::HRESULT hr = backSurface->BltFast(x, y, *s.Surface(), src, transparent);
    if (hr == plat::DDERR_SURFACELOST) {
      backSurface->Restore();
      s.Restore();
    } else if (plat::FAILED(hr)) {
      throw EVxDraw(SpriteDetail("スプライトの描画に失敗しました。\nスプライト名：", name));
    }
    return;
  }
  const TDrawLocks locks(*backSurface, &s, src,
                        "スプライトのロックに敗しました。\nスプライト名：", name);
  if (!locks.Held()) return;
  const TSurfaceLock &back = locks.back, &sprite = *locks.source;
  TVexmoraDrawDirect r;
  r.dest = back.desc.lpSurface + static_cast<std::ptrdiff_t>(y) * back.desc.lPitch +
           static_cast<std::ptrdiff_t>(x) * bytesPerPixel;
  r.source = sprite.desc.lpSurface;
  r.destPitch = back.desc.lPitch;
  r.sourcePitch = sprite.desc.lPitch;
  r.width = src.Width();
  r.height = src.Height();
  r.x = x;
  r.y = y;
  r.param1 = param != -1 ? param : effect == beTrans ? 128 : 255;
  routine(r);
}

void TVexmoraDraw::WindDraw(int x, int y, std::string_view name, int pattern, TBlendEffect effect,
                            int param, int wind) {
  VxOperation("TVexmoraDraw::WindDraw", [&] {
    RequireInitialised();
    TVexmoraDrawSurface& s = Sprite(name, pattern);
    RestoreIfLost(backSurface.get());
    if (s.Surface()->IsLost() == plat::DDERR_SURFACELOST) s.Restore();
    const plat::Rect p = s.PatternRect(pattern);
    if (wind < 0) {
      for (int i = 0; i < p.Width(); ++i) {
        const int o = (wind * NextRandom() >> 8) - (wind >> 1);
        DrawUnchecked(x + i, y + o, s, {p.left + i, p.top, p.left + i + 1, p.bottom}, name, effect,
                      param);
      }
    } else {
      for (int row = 0; row < p.Height(); ++row) {
        const int o = (wind * NextRandom() >> 8) - (wind >> 1);
        DrawUnchecked(x + o, y + row, s, {p.left, p.top + row, p.right, p.top + row + 1}, name,
                      effect, param);
      }
    }
  });
}

void TVexmoraDraw::EffectDraw(int x, int y, TEffectCallback callback, std::string_view name,
                              int pattern, int param1, int param2) {
  VxOperation("TVexmoraDraw::EffectDraw", [&] {
    RequireInitialised();
    TVexmoraDrawSurface* s = name.empty() ? nullptr : &Sprite(name, pattern);
    const plat::Rect p = s ? s->PatternRect(pattern) : plat::Rect{};
    const TDrawLocks locks(*backSurface, s, p,
                           "スプライトのロックに敗しました。\nスプライト名：", name);
    if (!locks.Held()) return;
    TVexmoraDrawDirect r;
    r.dest = locks.back.desc.lpSurface;
    r.destPitch = locks.back.desc.lPitch;
    r.width = width;  // no source: the drawing area
    r.height = height;
    if (s) {
      r.source = locks.source->desc.lpSurface;
      r.sourcePitch = locks.source->desc.lPitch;
      r.width = p.Width();
      r.height = p.Height();
    }
    r.x = x;
    r.y = y;
    r.param1 = param1;
    r.param2 = param2;
    if (callback) callback(r);
  });
}

}  // namespace VexmoraDrawSystem
