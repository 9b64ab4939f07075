// Vxdrawexops.cpp — TVexmoraDrawEx's drawing: a source rectangle cut at
// tile edges into pieces, each one textured quad (a four-vertex strip) whose
// corners are placed by the operation — shifted (Draw, WindDraw), scaled
// (ZoomDraw, DirectDraw) or turned and scaled (RotZoomDraw). Texels map 1:1
// onto whole-pixel quads with point sampling. The component neither culls
// nor clips: the device clips to the viewport.
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/Vxoperation.h"
#include "draw/Vxdrawex.h"
#include "draw/Vxpixelmode.h"

namespace VexmoraDrawSystem {

using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

constexpr int kTile = TVexmoraDrawExSurface::kTileSize;

// Screen-space, lit and textured: D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1.
struct TQuadVertex {
  float sx, sy, sz, rhw;
  std::uint32_t colour;
  float tu, tv;
};
static_assert(sizeof(TQuadVertex) == 28);
constexpr std::uint32_t kQuadFvf = plat::D3DFVF_XYZRHW | plat::D3DFVF_DIFFUSE | plat::D3DFVF_TEX1;

}  // namespace

void TVexmoraDrawEx::BeginScene() {
  if (sceneOpen) return;
  const plat::HRESULT hr = device->BeginScene();
  sceneOpen = !plat::FAILED(hr) || hr == plat::D3DERR_SCENE_IN_SCENE;
}

void TVexmoraDrawEx::EndScene() {
  if (!sceneOpen) return;
  device->EndScene();
  sceneOpen = false;
}

TVexmoraDrawExSurface& TVexmoraDrawEx::Tiled(std::string_view name, int pattern) const {
  auto* s = dynamic_cast<TVexmoraDrawExSurface*>(surfaces.Find(name));
  if (!s || !s->Loaded())
    throw EVxDraw("サーフェイスが存在しません。\nスプライト名：" + std::string(name));
  if (pattern != kAnyPattern && (pattern < 0 || pattern >= s->count))
    throw EVxDraw("スプライトが存在しません。\nスプライト名：" + std::string(name));
  return *s;
}

template <class Place>
void TVexmoraDrawEx::DrawTiled(TVexmoraDrawExSurface& s, const plat::Rect& src,
                               std::uint32_t colour, std::string_view name, const Place& place) {
  // Pieces outside the tiles (DirectDraw's source may reach past the bitmap)
  // have no texels and are left out, as are empty ones.
  const int row0 = std::max(0, src.top / kTile);
  const int row1 = std::min(s.TilesY() - 1, (src.bottom - 1) / kTile);
  const int col0 = std::max(0, src.left / kTile);
  const int col1 = std::min(s.TilesX() - 1, (src.right - 1) / kTile);
  for (int r = row0; r <= row1; ++r) {
    const int e = std::max(0, src.top - kTile * r), f = std::min(kTile, src.bottom - kTile * r);
    if (e >= f) continue;
    for (int q = col0; q <= col1; ++q) {
      const int a = std::max(0, src.left - kTile * q), b = std::min(kTile, src.right - kTile * q);
      if (a >= b) continue;
      const int dx0 = kTile * q + a - src.left, dx1 = kTile * q + b - src.left;
      const int dy0 = kTile * r + e - src.top, dy1 = kTile * r + f - src.top;
      const TPlace p[4] = {place(dx0, dy0), place(dx1, dy0), place(dx0, dy1), place(dx1, dy1)};
      const std::size_t u[2] = {static_cast<std::size_t>(a), static_cast<std::size_t>(b)};
      const std::size_t v[2] = {static_cast<std::size_t>(e), static_cast<std::size_t>(f)};
      TQuadVertex quad[4];
      for (int i = 0; i < 4; ++i)
        quad[i] = {
            p[i].x, p[i].y, 0.0f, 1.0f, colour, texCoordTable[u[i & 1]], texCoordTable[v[i >> 1]]};
      device->SetTexture(0, s.Tile(r, q));
      const plat::HRESULT hr =
          device->DrawPrimitive(plat::D3DPRIMITIVETYPE::TRIANGLESTRIP, kQuadFvf, quad, 4);
      if (hr == plat::DDERR_SURFACELOST) {
        RestoreIfLost(backSurface.get());
        if (s.AnyLost()) s.Restore();
        return;
      }
      if (plat::FAILED(hr))
        throw EVxDraw("スプライトの描画に失敗しました。\nスプライト名：" + std::string(name));
    }
  }
}

void TVexmoraDrawEx::Draw(int x, int y, std::string_view name, int pattern, TBlendEffect effect,
                          int param) {
  VxOperation("TVexmoraDrawEx::Draw", [&] {
    RequireInitialised();
    BeginScene();
    TVexmoraDrawExSurface& s = Tiled(name, pattern);
    if (effect >= kEffectCount) effect = beNormal;
    const std::uint32_t colour = VertexColour(effect, param);
    if (effect != currentEffect) SetAlphaBlend(effect);
    DrawTiled(s, s.PatternRect(pattern), colour, name, [&](int dx, int dy) {
      return TPlace{static_cast<float>(x + dx), static_cast<float>(y + dy)};
    });
  });
}

void TVexmoraDrawEx::WindDraw(int x, int y, std::string_view name, int pattern, TBlendEffect effect,
                              int param, int wind) {
  VxOperation("TVexmoraDrawEx::WindDraw", [&] {
    RequireInitialised();
    BeginScene();
    TVexmoraDrawExSurface& s = Tiled(name, pattern);
    RestoreIfLost(backSurface.get());
    if (s.AnyLost()) s.Restore();
    if (effect >= kEffectCount) effect = beNormal;
    const std::uint32_t colour = VertexColour(effect, param);
    if (effect != currentEffect) SetAlphaBlend(effect);
    const plat::Rect p = s.PatternRect(pattern);
    const auto strip = [&](int left, int top, const plat::Rect& src) {
      DrawTiled(s, src, colour, name, [&](int dx, int dy) {
        return TPlace{static_cast<float>(left + dx), static_cast<float>(top + dy)};
      });
    };
    if (wind < 0) {
      for (int i = 0; i < p.Width(); ++i) {
        const int o = (wind * NextRandom() >> 8) - (wind >> 1);
        strip(x + i, y + o, {p.left + i, p.top, p.left + i + 1, p.bottom});
      }
    } else {
      for (int row = 0; row < p.Height(); ++row) {
        const int o = (wind * NextRandom() >> 8) - (wind >> 1);
        strip(x + o, y + row, {p.left, p.top + row, p.right, p.top + row + 1});
      }
    }
  });
}

void TVexmoraDrawEx::ZoomDraw(int x, int y, int zoomX, int zoomY, std::string_view name,
                              int pattern) {
  VxOperation("TVexmoraDrawEx::ZoomDraw", [&] {
    RequireInitialised();
    BeginScene();
    TVexmoraDrawExSurface& s = Tiled(name, pattern);
    if (zoomX <= 0 || zoomY <= 0) return;
    SetPlainStates();
    const float sx = static_cast<float>(zoomX) / 256, sy = static_cast<float>(zoomY) / 256;
    DrawTiled(s, s.PatternRect(pattern), 0xFFFFFFFFu, name, [&](int dx, int dy) {
      return TPlace{static_cast<float>(x) + static_cast<float>(dx) * sx,
                    static_cast<float>(y) + static_cast<float>(dy) * sy};
    });
  });
}

void TVexmoraDrawEx::DirectDraw(plat::Rect dest, plat::Rect source, std::string_view name) {
  VxOperation("TVexmoraDrawEx::DirectDraw", [&] {
    RequireInitialised();
    BeginScene();
    TVexmoraDrawExSurface& s = Tiled(name);
    if (dest.Width() <= 0 || dest.Height() <= 0 || source.Width() <= 0 || source.Height() <= 0)
      return;
    SetPlainStates();
    const float sx = static_cast<float>(dest.Width()) / static_cast<float>(source.Width());
    const float sy = static_cast<float>(dest.Height()) / static_cast<float>(source.Height());
    DrawTiled(s, source, 0xFFFFFFFFu, name, [&](int dx, int dy) {
      return TPlace{static_cast<float>(dest.left) + static_cast<float>(dx) * sx,
                    static_cast<float>(dest.top) + static_cast<float>(dy) * sy};
    });
  });
}

void TVexmoraDrawEx::RotZoomDraw(int x, int y, int angle, int zoom, std::string_view name,
                                 int pattern) {
  VxOperation("TVexmoraDrawEx::RotZoomDraw", [&] {
    RequireInitialised();
    if (zoom == 0) return;
    BeginScene();
    TVexmoraDrawExSurface& s = Tiled(name, pattern);
    SetPlainStates();
    const TPixelMode& m = PixelMode();
    const std::uint32_t turn = (0u - static_cast<std::uint32_t>(angle)) & 0xFFFF;  // -angle
    const std::int64_t co = m.cosTable[turn], si = m.sinTable[turn];
    const std::int64_t cs = zoom * co >> 8, sn = zoom * si >> 8;
    const plat::Rect p = s.PatternRect(pattern);
    const int halfW = p.Width() / 2, halfH = p.Height() / 2;
    DrawTiled(s, p, 0xFFFFFFFFu, name, [&](int dx, int dy) {
      const std::int64_t ox = dx - halfW, oy = dy - halfH;
      return TPlace{static_cast<float>(((ox * cs - oy * sn) >> 16) + x),
                    static_cast<float>(((ox * sn + oy * cs) >> 16) + y)};
    });
  });
}

void TVexmoraDrawEx::EffectDraw(int, int, TEffectCallback, std::string_view, int, int, int) {
  VxOperation("TVexmoraDrawEx::EffectDraw", [&] {
    RequireInitialised();
    throw EVxDraw("TVexmoraDrawExでは、追加エフェクトは使用できません。");
  });
}

}  // namespace VexmoraDrawSystem
