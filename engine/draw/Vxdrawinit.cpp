// Vxdrawinit.cpp — TVexmoraDraw's Init, working surfaces, pixel-mode check,
// the partial and full resets, and the display-change message.
#include <cstdio>
#include <string>
#include <vector>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "draw/Vxdraw.h"
#include "draw/Vxpixelmode.h"
#include "plat/cpu.h"

namespace VexmoraDrawSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

std::string Hex8(std::uint32_t v) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", v);
  return text;
}

}  // namespace

void TVexmoraDraw::Trace(const std::string& line) const {
  if (traceSteps) TVexmoraDebug::TraceLine(line);
}

void TVexmoraDraw::TraceMemory() const {
  if (!traceSteps || !TVexmoraDebug::GetDebug() || !directDraw) return;
  std::uint32_t total = 0, free = 0;
  directDraw->GetAvailableVidMem(plat::DDSCAPS_VIDEOMEMORY, &total, &free);
  Trace("TVexmoraDraw(Ex)::ビデオメモリ容量 Total:" + std::to_string(total) +
                           "  Free:" + std::to_string(free));
}

void TVexmoraDraw::Init(plat::Form* window) {
  VxOperation("TVexmoraDraw::Init", [&] {
    Trace("TVexmoraDraw(Ex)::初期化開始");
    StartInit(window);
    const TFail fail = [this](const char* detail) {
      CleanUp();
      throw EVxDraw(detail);
    };
    OpenDisplay(0, fail);
    CreateBackSurface();
    CheckPixelMode();
    AttachClipper(fail);
    initialised = true;
    plat::DDDEVICEIDENTIFIER2 id;
    directDraw->GetDeviceIdentifier(id);
    Trace("TVexmoraDraw(Ex)::デバイス名:" + id.szDescription);
  });
}

void TVexmoraDraw::StartInit(plat::Form* window) {
  if (window) targetWindow = window;
  CleanUp();
  if (fullScreen) {
    while (plat::ShowCursor(false) >= 0) {
    }
  }
}

void TVexmoraDraw::OpenDisplay(std::uint32_t extraLevel, const TFail& fail) {
  if (plat::FAILED(plat::CoCreateDirectDraw7(directDraw)))
    fail("COMオブジェクトの作成に失敗しました。");
  Trace("TVexmoraDraw(Ex)::COMオブジェクトの生成に成功");
  if (plat::FAILED(directDraw->Initialize())) fail("DirectDrawの初期化に失敗しました。");
  Trace("TVexmoraDraw(Ex)::DirectDrawの初期化に成功");
  if (fullScreen) {
    if (plat::FAILED(directDraw->SetCooperativeLevel(
            targetWindow, plat::DDSCL_EXCLUSIVE | plat::DDSCL_FULLSCREEN | extraLevel)))
      fail("協調レベルの設定に失敗しました。");
    static constexpr int kBits[] = {16, 24, 32};
    if (plat::FAILED(directDraw->SetDisplayMode(displayWidth, displayHeight,
                                                kBits[colorDepth % 3], 0, 0)))
      fail("画面の変更に失敗しました。");
  } else if (plat::FAILED(
                 directDraw->SetCooperativeLevel(targetWindow, plat::DDSCL_NORMAL | extraLevel))) {
    fail("協調レベルの設定に失敗しました。");
  }
  plat::DDSURFACEDESC2 desc;
  desc.dwFlags = plat::DDSD_CAPS;
  desc.dwCaps = plat::DDSCAPS_PRIMARYSURFACE;
  if (plat::FAILED(directDraw->CreateSurface(desc, primary)))
    fail("プライマリサーフェイスの作成に失敗しました。");
  Trace("TVexmoraDraw(Ex)::プライマリサーフェイスの作成に成功");
  TraceMemory();
}

plat::HRESULT TVexmoraDraw::CreateRenderTarget(bool hardware) {
  plat::DDSURFACEDESC2 desc;
  desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT;
  desc.dwCaps = plat::DDSCAPS_OFFSCREENPLAIN | plat::DDSCAPS_3DDEVICE |
                (hardware ? plat::DDSCAPS_VIDEOMEMORY : plat::DDSCAPS_SYSTEMMEMORY);
  desc.dwWidth = width;
  desc.dwHeight = height;
  return directDraw ? directDraw->CreateSurface(desc, backSurface) : plat::DDERR_GENERIC;
}

void TVexmoraDraw::AttachClipper(const TFail& fail) {
  if (fullScreen) return;
  if (!targetWindow || plat::FAILED(primary->SetClipperWindow(targetWindow)))
    fail("クリッパーの作成に失敗しました。");
  Trace("TVexmoraDraw(Ex)::クリッパーの作成に成功");
}

void TVexmoraDraw::CreateBackSurface() {
  VxOperation("TVexmoraDraw::CreateBackSurface", [&] {
    auto make = [&](std::uint32_t caps, std::shared_ptr<plat::IDirectDrawSurface7>& out,
                    const char* failure, const char* success) {
      plat::DDSURFACEDESC2 desc;
      desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT;
      desc.dwCaps = caps;
      desc.dwWidth = width;
      desc.dwHeight = height;
      if (!directDraw || plat::FAILED(directDraw->CreateSurface(desc, out))) {
        CleanUp();
        throw EVxDraw(failure);
      }
      Trace(success);
      TraceMemory();
    };
    const std::uint32_t work =
        plat::DDSCAPS_OFFSCREENPLAIN | (videoMemory ? 0u : std::uint32_t{plat::DDSCAPS_SYSTEMMEMORY});
    make(plat::DDSCAPS_OFFSCREENPLAIN, flipSurface, "フリップサーフェイスの作成に失敗しました。",
         "TVexmoraDraw(Ex)::フリップサーフェイスの作成に成功");
    make(work, backSurface, "バックサーフェイスの作成に失敗しました。",
         "TVexmoraDraw(Ex)::バックサーフェイスの作成に成功");
    make(work, tempSurface, "テンポラリサーフェイスの作成に失敗しました。",
         "TVexmoraDraw(Ex)::テンポラリサーフェイスの作成に成功");
  });
}

void TVexmoraDraw::CheckPixelMode() {
  VxOperation("TVexmoraDraw::CheckPixelMode", [&] {
    plat::DDSURFACEDESC2 desc;
    if (!primary || plat::FAILED(primary->Lock(nullptr, desc))) {
      CleanUp();
      throw EVxDraw("ピクセルモードのチェックに失敗しました。");
    }
    primary->Unlock();
    const TPixelMode& mode = UsePixelFormat(desc.ddpfPixelFormat.value_or(plat::DDPIXELFORMAT{}));
    bytesPerPixel = mode.bytesPerPixel;
    routines = SelectRoutines(bytesPerPixel, mode.hasMMX);
  });
}

TPixelMode& TVexmoraDraw::UsePixelFormat(const plat::DDPIXELFORMAT& f) {
  switch (transparentColor) {
    case tcWhite: keyColour = f.dwRBitMask | f.dwGBitMask | f.dwBBitMask; break;
    case tcRed: keyColour = f.dwRBitMask; break;
    case tcGreen: keyColour = f.dwGBitMask; break;
    case tcBlue: keyColour = f.dwBBitMask; break;
    default: keyColour = 0; break;
  }
  routines = {};
  TPixelMode& mode = PixelMode();
  FillPixelMode(mode, f, keyColour, width, height, plat::HasMMX());
  if (traceSteps && TVexmoraDebug::GetDebug()) {
    Trace("TVexmoraDraw(Ex)::サーフェイス情報の取得に成功");
    Trace(std::string("TVexmoraDraw(Ex)::HasMMX:") + (mode.hasMMX ? "Yes" : "No") +
          "  Width:" + std::to_string(width) + "  Height:" + std::to_string(height) +
          "  ColorBit:" + std::to_string(mode.bytesPerPixel * 8) + "\nTVexmoraDraw(Ex)::RMask:" +
          Hex8(mode.rMask) + "  GMask:" + Hex8(mode.gMask) + "  BMask:" + Hex8(mode.bMask) +
          "  Key:" + Hex8(keyColour));
  }
  return mode;
}

void TVexmoraDraw::Reset() {
  VxOperation("TVexmoraDraw::Reset", [&] {
    RequireInitialised();
    Trace("TVexmoraDraw(Ex)::DirectDrawリセット（一部）");
    tempSurface.reset();
    backSurface.reset();
    flipSurface.reset();
    CreateBackSurface();
  });
}

void TVexmoraDraw::ResetAll() {
  VxOperation("TVexmoraDraw::ResetAll", [&] {
    RequireInitialised();
    Trace("TVexmoraDraw(Ex)::DirectDrawリセット（完全）");
    std::vector<TVexmoraDrawSurfaceInfo> saved;
    for (const auto& [name, surface] : surfaces.Entries()) saved.push_back(surface->Info());
    Init(nullptr);
    for (const TVexmoraDrawSurfaceInfo& info : saved)
      CreateSurface(info.surfaceName, info.fileName, info.patternWidth, info.patternHeight);
  });
}

void TVexmoraDraw::WndProc(const plat::Message& message) {
  VxOperation("TVexmoraDraw::WndProc", [&] {
    if (message.msg != plat::WM_DISPLAYCHANGE) return;  // DefWindowProc: nothing to do
    if (!initialised || fullScreen || static_cast<int>(message.wParam) == bytesPerPixel * 8)
      return;
    Trace("TVexmoraDraw(Ex)::ディスプレイ状態の変更");
    ResetAll();
  });
}

}  // namespace VexmoraDrawSystem
