// Vxdrawexinit.cpp — TVexmoraDrawEx's Init (hardware device first, the
// software one after a failure), the render target with its device, the
// pixel-mode check on a texture, the partial reset and the activation
// message.
#include <cstdio>
#include <string>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "draw/Vxdrawex.h"
#include "draw/Vxpixelmode.h"
#include "plat/cpu.h"

namespace VexmoraDrawSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

const char* const kEmulation = "TVexmoraDraw(Ex)::ハードウェアエミュレーションを使用";

}  // namespace

void TVexmoraDrawEx::Init(plat::Form* window) {
  VxOperation("TVexmoraDrawEx::Init", [&] {
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::初期化開始");
    if (useHAL) {
      TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::ハードウェアアクセラレーションを使用");
      try {
        Init(window, true);
      } catch (const EVxDraw&) {
        TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::ハードウェアアクセラレーション使用に失敗");
        TVexmoraDebug::TraceLine(kEmulation);
        Init(window, false);
      }
    } else {
      TVexmoraDebug::TraceLine(kEmulation);
      Init(window, false);
    }
    CheckPixelMode();
    Init3DSystem();
    try {
      CreateTextBuffer();
    } catch (const EVxDraw&) {
      CleanUp();
      throw;
    }
    SetPlainStates();  // the states of currentEffect, beNormal
    initialised = true;
    plat::DDDEVICEIDENTIFIER2 id;
    directDraw->GetDeviceIdentifier(id);
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::デバイス名:" + id.szDescription);
    TraceCapabilities();
  });
}

void TVexmoraDrawEx::Init(plat::Form* window, bool hardware) {
  VxOperation("TVexmoraDrawEx::Init", [&] {
    useHAL = videoMemory = hardware;
    StartInit(window);
    const TFail fail = [this](const char* detail) {
      CleanUp();
      throw EVxDraw(detail);
    };
    OpenDisplay(plat::DDSCL_FPUSETUP, fail);
    if (plat::FAILED(directDraw->QueryDirect3D7(direct3D))) fail("Direct3Dの取得に失敗しました。");
    CreateBackSurface();
    AttachClipper(fail);
  });
}

void TVexmoraDrawEx::CreateBackSurface() {
  VxOperation("TVexmoraDrawEx::CreateBackSurface", [&] {
    const auto fail = [this](const char* detail) {
      CleanUp();
      throw EVxDraw(detail);
    };
    if (plat::FAILED(CreateRenderTarget(useHAL))) fail("バックサーフェイスの作成に失敗しました。");
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::バックサーフェイスの作成に成功");
    TraceMemory();
    const plat::D3DDEVTYPE type = useHAL ? plat::D3DDEVTYPE::HAL : plat::D3DDEVTYPE::RGB;
    if (!direct3D || plat::FAILED(direct3D->CreateDevice(type, backSurface, device)))
      fail("3Dデバイスの作成に失敗しました。");
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::Direct3Dの初期化に成功");
    if (plat::FAILED(device->SetRenderTarget(backSurface)))
      fail("レンダリングターゲットの設定に失敗しました");
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::レンダーターゲットのセットに成功");
  });
}

// The pixel mode is the textures': every pixel the component reads or keys
// is a texel. `bytesPerPixel` stays the display's, which the display-change
// message is compared with.
void TVexmoraDrawEx::CheckPixelMode() {
  VxOperation("TVexmoraDrawEx::CheckPixelMode", [&] {
    plat::DDPIXELFORMAT f;
    bool read = false;
    try {
      TVexmoraDrawExSurface probe(directDraw.get(), device.get());
      probe.CreateTiles(1, 1);
      plat::DDSURFACEDESC2 desc;
      if (!plat::FAILED(probe.Tile(0, 0)->Lock(nullptr, desc))) {
        probe.Tile(0, 0)->Unlock();
        read = desc.ddpfPixelFormat.has_value();
        if (read) f = *desc.ddpfPixelFormat;
      }
    } catch (const VexmoraSystem::EVxDrawSurface&) {  // no texture: reported below
    }
    if (!read) {
      CleanUp();
      throw EVxDraw("ピクセルモードのチェックに失敗しました。");
    }
    UsePixelFormat(f);  // the device blends: no software routines
    bytesPerPixel = static_cast<int>(directDraw->DisplayFormat().dwRGBBitCount / 8);
  });
}

// The new device starts with Direct3D's defaults, so the viewport and the
// component's states are applied again; the surfaces' tiles stay and follow
// the new device.
void TVexmoraDrawEx::Reset() {
  VxOperation("TVexmoraDrawEx::Reset", [&] {
    RequireInitialised();
    textKeySurface.reset();
    textSurface.reset();
    sceneOpen = false;
    device.reset();
    TVexmoraDraw::Reset();
    Init3DSystem();
    SetPlainStates();
    for (const auto& [name, surface] : surfaces.Entries())
      if (auto* s = dynamic_cast<TVexmoraDrawExSurface*>(surface.get())) s->SetDevice(device.get());
    CreateTextBuffer();
  });
}

void TVexmoraDrawEx::WndProc(const plat::Message& message) {
  VxOperation("TVexmoraDrawEx::WndProc", [&] {
    if (message.msg == plat::WM_ACTIVATEAPP && message.wParam != 0 && initialised && fullScreen)
      ResetAll();
    TVexmoraDraw::WndProc(message);
  });
}

}  // namespace VexmoraDrawSystem
