// Vxdrawsurfaces.cpp — the component's named surfaces: create (loading the
// bitmap in the display format), describe, delete, and the lookup every
// drawing call makes.
#include <string>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "draw/Vxdraw.h"

namespace VexmoraDrawSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

void TVexmoraDraw::CreateSurface(std::string_view name, std::string_view file, int pw, int ph) {
  VxOperation("TVexmoraDraw::CreateSurface", [&] {
    RequireInitialised();
    if (surfaces.Find(name)) return;  // the existing surface and its file stay
    surfaces.Create(
        name, file, [&] { return NewSurface(); },
        [&](TVexmoraDrawSurface& s) { s.LoadFile(name, file, videoMemory, keyColour, pw, ph); });
    if (!TVexmoraDebug::GetDebug()) return;
    const TVexmoraDrawSurfaceInfo& info = surfaces.Lookup(name).Info();
    TVexmoraDebug::TraceLine(
        "TVexmoraDraw(Ex)::サーフェイス作成  FileName:" + std::string(file) +
        "  SurfaceName:" + std::string(name) +
        "\nTVexmoraDraw(Ex)::BMPWidth:" + std::to_string(info.patternWidth) +
        "  BMPHeight:" + std::to_string(info.patternHeight) + "  Line:" +
        std::to_string(info.columns) + "  Count:" + std::to_string(info.count));
    TraceMemory();
  });
}

TVexmoraDrawSurface* TVexmoraDraw::NewSurface() {
  return new TVexmoraDrawSurface(directDraw.get());
}

TVexmoraDrawSurfaceInfo TVexmoraDraw::GetSurfaceInfo(std::string_view name) {
  return VxOperation("TVexmoraDraw::GetSurfaceInfo",
                     [&] { return TVexmoraDrawSurfaceInfo(surfaces.Lookup(name).Info()); });
}

void TVexmoraDraw::DeleteSurface(std::string_view name) {
  VxOperation("TVexmoraDraw::DeleteSurface", [&] {
    surfaces.Delete(name);
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::サーフェイス削除SurfaceName:" + std::string(name));
    TraceMemory();
  });
}

void TVexmoraDraw::DeleteAllSurface() {
  VxOperation("TVexmoraDraw::DeleteAllSurface", [&] {
    surfaces.Clear();
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::全サーフェイスの削除");
    TraceMemory();
  });
}

TVexmoraDrawSurface& TVexmoraDraw::Sprite(std::string_view name, int pattern) const {
  TVexmoraDrawSurface* s = surfaces.Find(name);
  if (!s || !s->Surface())
    throw EVxDraw("サーフェイスが存在しません。\nスプライト名：" + std::string(name));
  if (pattern != kAnyPattern && (pattern < 0 || pattern >= s->count))
    throw EVxDraw("スプライトが存在しません。\nスプライト名：" + std::string(name));
  return *s;
}

}  // namespace VexmoraDrawSystem
