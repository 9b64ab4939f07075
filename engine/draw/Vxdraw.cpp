// Vxdraw.cpp — TVexmoraDraw's life: construction, the published properties,
// CleanUp and palette registration. Initialisation and resets are in
// Vxdrawinit.cpp, presentation in Vxdrawpresent.cpp, the surface table in
// Vxdrawsurfaces.cpp, drawing in Vxdrawops.cpp and Vxdrawscale.cpp.
#include "draw/Vxdraw.h"

#include <random>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "core/Vxregister.h"

namespace VexmoraDrawSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

// The table traces nothing itself: the component writes its own lines.
const VexmoraSystem::TVexmoraTableTexts kSurfaceTexts{
    nullptr, "SurfaceName:", "", "", "サーフェイスが存在しません。\nサーフェイス名："};

}  // namespace

TVexmoraDraw::TVexmoraDraw(plat::TComponent* owner)
    : plat::TComponent(owner), surfaces(kSurfaceTexts, [this] { return initialised; }) {
  VxOperation("TVexmoraDraw::TVexmoraDraw", [&] {
    std::minstd_rand generator(1);  // any uniform 0..255 sequence serves
    for (int& r : randomTable) r = static_cast<int>(generator() % 256);
    if (plat::Form* owned = OwnerWindow()) {
      targetWindow = owned;
      // Outer size giving a Width x Height client area: our forms have no
      // frame, so outer and client sizes are the same.
      frameWidth = width;
      frameHeight = height;
    }
    messageWindow =
        std::make_unique<plat::MessagePort>([this](const plat::Message& m) { WndProc(m); });
  });
}

TVexmoraDraw::~TVexmoraDraw() {
  surfaces.Clear();
  ReleaseSurfaces();
  while (plat::ShowCursor(true) < 0) {
  }
  messageWindow.reset();
}

void TVexmoraDraw::ReleaseSurfaces() {
  tempSurface.reset();
  backSurface.reset();
  flipSurface.reset();
  primary.reset();
  directDraw.reset();
}

void TVexmoraDraw::RequireInitialised() const {
  if (!initialised) throw EVxDraw(VexmoraSystem::kNotInitialised);
}

void TVexmoraDraw::SetFullScreen(bool value) {
  VxOperation("TVexmoraDraw::SetFullScreen", [&] {
    if (value == fullScreen) return;
    fullScreen = value;
    if (initialised) ResetAll();
  });
}

void TVexmoraDraw::SetDouble(bool value) {
  VxOperation("TVexmoraDraw::SetDouble", [&] {
    if (value == doubled) return;
    doubled = value;
    if (!doubled) return;
    if (displayWidth < 2 * width) width = displayWidth / 2;
    if (displayHeight < 2 * height) height = displayHeight / 2;
  });
}

void TVexmoraDraw::SetVideoMemory(bool value) {
  VxOperation("TVexmoraDraw::SetVideoMemory", [&] {
    if (value == videoMemory) return;
    videoMemory = value;
    if (initialised) Reset();
  });
}

void TVexmoraDraw::SetTransparent(bool value) {
  VxOperation("TVexmoraDraw::SetTransparent", [&] { transparent = value; });
}

void TVexmoraDraw::SetTransparentColor(TTransparentColor value) {
  VxOperation("TVexmoraDraw::SetTransparentColor", [&] {
    if (value == transparentColor) return;
    transparentColor = value;
    if (initialised) Reset();
  });
}

void TVexmoraDraw::SetWidth(int value) {
  VxOperation("TVexmoraDraw::SetWidth", [&] {
    if (value == width) return;
    width = value;
    if (doubled && displayWidth < 2 * width) doubled = false;
    if (width > displayWidth) width = displayWidth;
    if (OwnerWindow()) frameWidth = width;
    if (initialised) Reset();
  });
}

void TVexmoraDraw::SetHeight(int value) {
  VxOperation("TVexmoraDraw::SetHeight", [&] {
    if (value == height) return;
    height = value;
    if (doubled && displayHeight < 2 * height) doubled = false;
    if (height > displayHeight) height = displayHeight;
    if (OwnerWindow()) frameHeight = height;
    if (initialised) Reset();
  });
}

void TVexmoraDraw::SetDisplayWidth(int value) {
  VxOperation("TVexmoraDraw::SetDisplayWidth", [&] { displayWidth = value; });
}

void TVexmoraDraw::SetDisplayHeight(int value) {
  VxOperation("TVexmoraDraw::SetDisplayHeight", [&] { displayHeight = value; });
}

void TVexmoraDraw::SetColorDepth(TColorDepth value) {
  VxOperation("TVexmoraDraw::SetColorDepth", [&] {
    if (value == colorDepth) return;
    colorDepth = value;
    if (initialised && fullScreen) ResetAll();
  });
}

void TVexmoraDraw::SetFont(const plat::Font& value) {
  VxOperation("TVexmoraDraw::SetFont", [&] { font = value; });
}

void TVexmoraDraw::CleanUp() {
  VxOperation("TVexmoraDraw::CleanUp", [&] {
    Trace("TVexmoraDraw(Ex)::クリーンアップ");
    initialised = false;
    surfaces.Clear();
    ReleaseSurfaces();
    while (plat::ShowCursor(true) < 0) {
    }
    // Our windows are borderless: giving the owner its frame size back means
    // giving its client area Width x Height again.
    if (targetWindow && OwnerWindow() == targetWindow)
      targetWindow->SetClientSize(frameWidth, frameHeight);
    firstCleanUp = false;
    for (int i = 0; i < kEffectCount; ++i) routines.effect[static_cast<std::size_t>(i)] = nullptr;
  });
}

void Register() { VexmoraSystem::RegisterVexmoraComponent<TVexmoraDraw>("TVexmoraDraw"); }

}  // namespace VexmoraDrawSystem
