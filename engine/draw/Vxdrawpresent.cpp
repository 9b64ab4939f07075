// Vxdrawpresent.cpp — presenting the back surface (Update), with an effect
// (UpdateEx: wave rows or a blend with the temp surface), keeping a frame in
// the temp surface (UpdateTmp), clearing and waiting for the vertical blank.
#include <algorithm>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "draw/Vxdraw.h"

namespace VexmoraDrawSystem {

using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

void Restore(plat::IDirectDrawSurface7* s) {
  if (s) s->Restore();  // a failure is quiet: the next frame tries again
}

}  // namespace

void TVexmoraDraw::RestoreIfLost(plat::IDirectDrawSurface7* s) {
  if (s && s->IsLost() == plat::DDERR_SURFACELOST) s->Restore();
}

void TVexmoraDraw::Present(plat::IDirectDrawSurface7& source) {
  const plat::Rect whole{0, 0, width, height};
  plat::HRESULT hr;
  if (!fullScreen) {
    // The window's client area, stretched to whatever size it has.
    const plat::Point client = targetWindow ? targetWindow->ClientSize() : plat::Point{width, height};
    const plat::Rect dest{0, 0, client.x, client.y};
    hr = primary->Blt(&dest, &source, &whole, false);
  } else if (!doubled) {
    hr = primary->BltFast((displayWidth - width) / 2, (displayHeight - height) / 2, source,
                          whole, false);
  } else {
    const plat::Rect dest{displayWidth / 2 - width, displayHeight / 2 - height,
                          displayWidth / 2 + width, displayHeight / 2 + height};
    hr = primary->Blt(&dest, &source, &whole, false);
  }
  if (hr == plat::DDERR_SURFACELOST) {
    Restore(primary.get());
    Restore(&source);
  }
}

void TVexmoraDraw::Update() {
  VxOperation("TVexmoraDraw::Update", [&] {
    RequireInitialised();
    const plat::HRESULT hr = flipSurface->BltFast(0, 0, *backSurface, {0, 0, width, height}, false);
    if (hr == plat::DDERR_SURFACELOST) {
      Restore(flipSurface.get());
      Restore(backSurface.get());
    } else if (plat::FAILED(hr)) {
      throw EVxDraw("画面の更新に失敗しました。");
    }
    Present(*flipSurface);
  });
}

void TVexmoraDraw::UpdateEx(int value, int mode) {
  VxOperation("TVexmoraDraw::UpdateEx", [&] {
    RequireInitialised();
    const int prepare = mode & 0xFF, effect = mode & 0xFF00;
    if (prepare == uxTempBlack || prepare == uxTempWhite) {
      const std::uint32_t colour = prepare == uxTempBlack ? 0 : 0xFFFFFFFFu;
      if (tempSurface->ColorFill(nullptr, colour) == plat::DDERR_SURFACELOST)
        Restore(tempSurface.get());
    }
    if (effect == uxPlain) {
      Update();
      return;
    }
    plat::IDirectDrawSurface7* source = backSurface.get();
    plat::HRESULT last = plat::DD_OK;
    if (effect == uxWave) {
      for (int y = 0; y < height; ++y) {
        const int d = (NextRandom() * value >> 8) - (value >> 1);
        last = d < 0 ? tempSurface->BltFast(0, y, *backSurface, {-d, y, width, y + 1}, false)
                     : tempSurface->BltFast(d, y, *backSurface, {0, y, width - d, y + 1}, false);
      }
      source = tempSurface.get();
    } else if (effect == uxBlendTrans || effect == uxBlendAdd) {
      plat::DDSURFACEDESC2 back, temp;
      last = backSurface->Lock(nullptr, back);
      if (!plat::FAILED(last)) {
        last = tempSurface->Lock(nullptr, temp);
        if (!plat::FAILED(last)) {
          TVexmoraDrawDirect r;
          r.dest = back.lpSurface;
          r.source = temp.lpSurface;
          r.destPitch = back.lPitch;
          r.sourcePitch = temp.lPitch;
          r.width = width;
          r.height = height;
          r.param1 = 255 - std::min(value, 255);
          const TPixelRoutine routine =
              routines.effect[effect == uxBlendTrans ? beTrans : beAdd];
          if (routine) routine(r);
          tempSurface->Unlock();
        }
        backSurface->Unlock();
      }
    }
    if (last == plat::DDERR_SURFACELOST) {
      Restore(backSurface.get());
      Restore(tempSurface.get());
    }
    if (flipSurface->BltFast(0, 0, *source, {0, 0, width, height}, false) ==
        plat::DDERR_SURFACELOST) {
      Restore(flipSurface.get());
      Restore(tempSurface.get());
    }
    Present(*flipSurface);
  });
}

void TVexmoraDraw::UpdateTmp() {
  VxOperation("TVexmoraDraw::UpdateTmp", [&] {
    RequireInitialised();
    // The 3D components keep no temp surface: nothing can be kept.
    if (!tempSurface) throw EVxDraw("テンポラリサーフェイスの更新に失敗しました。");
    const plat::HRESULT hr = tempSurface->BltFast(0, 0, *backSurface, {0, 0, width, height}, false);
    if (hr == plat::DDERR_SURFACELOST)
      Restore(tempSurface.get());
    else if (plat::FAILED(hr))
      throw EVxDraw("テンポラリサーフェイスの更新に失敗しました。");
  });
}

void TVexmoraDraw::Clear() {
  VxOperation("TVexmoraDraw::Clear", [&] {
    RequireInitialised();
    const plat::HRESULT hr = backSurface->ColorFill(nullptr, 0);
    if (hr == plat::DDERR_SURFACELOST)
      Restore(backSurface.get());
    else if (plat::FAILED(hr))
      throw EVxDraw("バックバッファの初期化に失敗しました。");
  });
}

void TVexmoraDraw::WaitVSync() {
  VxOperation("TVexmoraDraw::WaitVSync", [&] {
    RequireInitialised();
    directDraw->WaitForVerticalBlank(plat::DDWAITVB_BLOCKBEGIN);
  });
}

}  // namespace VexmoraDrawSystem
