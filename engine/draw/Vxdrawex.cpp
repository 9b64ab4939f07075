// Vxdrawex.cpp — TVexmoraDrawEx's life: construction, the properties it
// changes, CleanUp and palette registration. Initialisation is in
// Vxdrawexinit.cpp, device states in Vxdrawexstates.cpp, drawing in
// Vxdrawexops.cpp, text in Vxdrawextext.cpp and presentation in
// Vxdrawexpresent.cpp.
#include "draw/Vxdrawex.h"

#include "core/Vxoperation.h"
#include "core/Vxregister.h"

namespace VexmoraDrawSystem {

using VexmoraSystem::VxOperation;

namespace {

// Device maths must not trap: mask every x87 exception (control word bits
// 0..5). SSE exceptions are masked by default on the platforms we run on.
void MaskFloatingPointExceptions() {
#if defined(__i386__) || defined(__x86_64__)
  std::uint16_t cw = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw));
  cw = static_cast<std::uint16_t>(cw | 0x3F);
  __asm__ __volatile__("fldcw %0" : : "m"(cw));
#endif
}

}  // namespace

TVexmoraDrawEx::TVexmoraDrawEx(plat::TComponent* owner) : TVexmoraDraw(owner) {
  VxOperation("TVexmoraDrawEx::TVexmoraDrawEx", [&] {
    videoMemory = true;
    font.color = 8;
    for (std::size_t i = 0; i < texCoordTable.size(); ++i)
      texCoordTable[i] = static_cast<float>(i) / TVexmoraDrawExSurface::kTileSize;
    MaskFloatingPointExceptions();
  });
}

// The device goes before DirectDraw, which the base releases.
TVexmoraDrawEx::~TVexmoraDrawEx() {
  textKeySurface.reset();
  textSurface.reset();
  device.reset();
  direct3D.reset();
}

void TVexmoraDrawEx::SetUseHAL(bool value) {
  VxOperation("TVexmoraDrawEx::SetUseHAL", [&] { useHAL = value; });
}

void TVexmoraDrawEx::SetVideoMemory(bool) {
  VxOperation("TVexmoraDrawEx::SetVideoMemory", [] {});  // the device decides
}

void TVexmoraDrawEx::SetTransparent(bool value) {
  VxOperation("TVexmoraDrawEx::SetTransparent", [&] {
    transparent = value;
    if (initialised && device)
      device->SetRenderState(plat::D3DRENDERSTATETYPE::COLORKEYENABLE, value ? 1 : 0);
  });
}

void TVexmoraDrawEx::SetFont(const plat::Font& value) {
  VxOperation("TVexmoraDrawEx::SetFont", [&] {
    font = value;
    if (initialised) CreateTextBuffer();
  });
}

TVexmoraDrawSurface* TVexmoraDrawEx::NewSurface() {
  return new TVexmoraDrawExSurface(directDraw.get(), device.get());
}

void TVexmoraDrawEx::CleanUp() {
  VxOperation("TVexmoraDrawEx::CleanUp", [&] {
    textKeySurface.reset();
    textSurface.reset();
    sceneOpen = false;
    device.reset();
    direct3D.reset();
    TVexmoraDraw::CleanUp();
  });
}

}  // namespace VexmoraDrawSystem

namespace VexmoraDrawExSystem {

void Register() {
  VexmoraSystem::RegisterVexmoraComponent<VexmoraDrawSystem::TVexmoraDrawEx>("TVexmoraDrawEx");
}

}  // namespace VexmoraDrawExSystem
