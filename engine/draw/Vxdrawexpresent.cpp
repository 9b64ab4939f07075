// Vxdrawexpresent.cpp — TVexmoraDrawEx's presentation: the back surface
// (the render target) straight to the primary, optionally after a fade quad
// over the whole frame (UpdateEx 0x400 / 0x800) or through the wave's temp
// surface (UpdateEx 0x200, created Width x Height on first use), and
// clearing the target.
#include <algorithm>
#include <cstdint>

#include "core/Vxoperation.h"
#include "draw/Vxdrawex.h"

namespace VexmoraDrawSystem {

using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

void TVexmoraDrawEx::Update() {
  VxOperation("TVexmoraDrawEx::Update", [&] {
    RequireInitialised();
    EndScene();
    Present(*backSurface);
  });
}

// The back surface's rows shifted at random into the temp surface, which the
// low byte of the mode first fills (2 black, 4 white) as TVexmoraDraw does.
plat::IDirectDrawSurface7& TVexmoraDrawEx::WaveSurface(int value, int prepare) {
  if (!tempSurface) {
    plat::DDSURFACEDESC2 desc;
    desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT;
    desc.dwCaps = plat::DDSCAPS_OFFSCREENPLAIN | plat::DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = width;
    desc.dwHeight = height;
    if (plat::FAILED(directDraw->CreateSurface(desc, tempSurface)))
      throw EVxDraw("テンポラリサーフェイスの作成に失敗しました。");
  }
  if (prepare == uxTempBlack || prepare == uxTempWhite)
    tempSurface->ColorFill(nullptr, prepare == uxTempBlack ? 0 : 0xFFFFFFFFu);
  plat::HRESULT last = plat::DD_OK;
  for (int y = 0; y < height; ++y) {
    const int d = (NextRandom() * value >> 8) - (value >> 1);
    last = d < 0 ? tempSurface->BltFast(0, y, *backSurface, {-d, y, width, y + 1}, false)
                 : tempSurface->BltFast(d, y, *backSurface, {0, y, width - d, y + 1}, false);
  }
  if (last == plat::DDERR_SURFACELOST) {
    RestoreIfLost(backSurface.get());
    RestoreIfLost(tempSurface.get());
  }
  return *tempSurface;
}

void TVexmoraDrawEx::UpdateEx(int value, int mode) {
  VxOperation("TVexmoraDrawEx::UpdateEx", [&] {
    RequireInitialised();
    BeginScene();
    const int prepare = mode & 0xFF, effect = mode & 0xFF00;
    if (effect == uxPlain) {
      Update();
      return;
    }
    if ((effect == uxBlendTrans || effect == uxBlendAdd) &&
        (prepare == uxTempBlack || prepare == uxTempWhite)) {
      SetAlphaBlend(effect == uxBlendTrans ? beTrans : beAdd);
      device->SetTexture(0, nullptr);  // the stage then reads opaque white
      const std::uint32_t alpha = static_cast<std::uint32_t>(255 - std::clamp(value, 0, 255));
      const std::uint32_t colour = alpha << 24 | (prepare == uxTempBlack ? 0 : 0xFFFFFFu);
      const float w = static_cast<float>(width), h = static_cast<float>(height);
      struct {
        float sx, sy, sz, rhw;
        std::uint32_t colour;
        float tu, tv;
      } quad[4] = {{0, 0, 0, 1, colour, 0, 0},
                   {w, 0, 0, 1, colour, 0, 0},
                   {0, h, 0, 1, colour, 0, 0},
                   {w, h, 0, 1, colour, 0, 0}};
      const plat::HRESULT hr = device->DrawPrimitive(
          plat::D3DPRIMITIVETYPE::TRIANGLESTRIP,
          plat::D3DFVF_XYZRHW | plat::D3DFVF_DIFFUSE | plat::D3DFVF_TEX1, quad, 4);
      if (hr == plat::DDERR_SURFACELOST) RestoreIfLost(backSurface.get());
    }
    EndScene();
    Present(effect == uxWave ? WaveSurface(value, prepare) : *backSurface);
  });
}

void TVexmoraDrawEx::Clear() {
  VxOperation("TVexmoraDrawEx::Clear", [&] {
    RequireInitialised();
    EndScene();
    const plat::HRESULT hr = device->Clear(plat::D3DCLEAR_TARGET, 0, 1.0f);
    if (hr == plat::DDERR_SURFACELOST)
      RestoreIfLost(backSurface.get());
    else if (plat::FAILED(hr))
      throw EVxDraw("バックバッファの初期化に失敗しました。");
  });
}

}  // namespace VexmoraDrawSystem
