// Vxdrawlock.h — internal to the draw component: a surface lock released
// when it goes out of scope, so a throwing callback still unlocks, and the
// back-then-sprite pair of locks every pixel-routine draw takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Vxerror.h"
#include "draw/Vxdrawsurface.h"
#include "plat/ddraw.h"

namespace VexmoraDrawSystem {

class TSurfaceLock {
 public:
  // Lock() result in `hr`; the lock is held only when it succeeded.
  TSurfaceLock(plat::IDirectDrawSurface7& s, const plat::Rect* rect) : surface_(&s) {
    hr = s.Lock(rect, desc);
    if (plat::FAILED(hr)) surface_ = nullptr;
  }
  ~TSurfaceLock() { Release(); }
  TSurfaceLock(const TSurfaceLock&) = delete;
  TSurfaceLock& operator=(const TSurfaceLock&) = delete;
  void Release() {
    if (surface_) surface_->Unlock();
    surface_ = nullptr;
  }

  plat::HRESULT hr;
  plat::DDSURFACEDESC2 desc;

 private:
  plat::IDirectDrawSurface7* surface_;
};

// The back surface locked whole, then (when `sprite` is given) the sprite's
// `rect`. A lost surface is restored and Held() stays false: the draw ends
// quietly and the next frame tries again. Any other failure releases what
// is held and throws EVxDraw with the matching text (the sprite's text
// followed by `spriteName`).
class TDrawLocks {
 public:
  TDrawLocks(plat::IDirectDrawSurface7& backSurface, TVexmoraDrawSurface* sprite,
             const plat::Rect& rect, const char* spriteFailed,
             std::string_view spriteName = {})
      : back(backSurface, nullptr) {
    if (back.hr == plat::DDERR_SURFACELOST) {
      backSurface.Restore();
      return;
    }
    if (plat::FAILED(back.hr)) throw VexmoraSystem::EVxDraw("バックサーフェイスのロックに失敗");
    if (sprite) {
      source.emplace(*sprite->Surface(), &rect);
      if (source->hr == plat::DDERR_SURFACELOST) {
        back.Release();  // the sprite is redrawn through its DC: nothing may stay locked
        sprite->Restore();
        return;
      }
      if (plat::FAILED(source->hr)) {
        back.Release();
        throw VexmoraSystem::EVxDraw(spriteFailed + std::string(spriteName));
      }
    }
    held = true;
  }
  bool Held() const { return held; }

  TSurfaceLock back;
  std::optional<TSurfaceLock> source;

 private:
  bool held = false;
};

}  // namespace VexmoraDrawSystem
