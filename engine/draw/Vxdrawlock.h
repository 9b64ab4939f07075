// Vxdrawlock.h — internal to the draw component: a surface lock released
// when it goes out of scope, so a throwing callback still unlocks.
#pragma once

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

}  // namespace VexmoraDrawSystem
