// scalar_build.cpp — the entry points of the scalar build (scalar_build.h).
// The engine's draw namespace is renamed on this target's command line.
#include "scalar_build.h"

#include "draw/Vxblendmodel.h"
#include "draw/Vxblendref.h"
#include "draw/Vxpixelmode.h"

namespace kxbench_scalar {

void SetMode(const plat::DDPIXELFORMAT& format, std::uint32_t key) {
  VexmoraDrawSystem::FillPixelMode(VexmoraDrawSystem::PixelMode(), format, key, 640, 480, true);
}

bool Run(int bytes, int effect, bool keyed, bool packed, const Area& a) {
  using namespace VexmoraDrawSystem;
  const auto e = static_cast<TBlendEffect>(effect);
  const TPixelRoutine routine = packed ? ModelBlend(bytes, e, keyed) : ReferenceBlend(bytes, e, keyed);
  if (!routine) return false;
  TVexmoraDrawDirect r;
  r.dest = a.dest;
  r.source = a.source;
  r.destPitch = a.destPitch;
  r.sourcePitch = a.sourcePitch;
  r.width = a.width;
  r.height = a.height;
  r.param1 = a.param;
  routine(r);
  return true;
}

}  // namespace kxbench_scalar
