// Vxroutines.cpp — the routine table CheckPixelMode installs.
#include "draw/Vxroutines.h"

#include "draw/Vxblendfast.h"
#include "draw/Vxblendref.h"
#include "draw/Vxrotzoom.h"

namespace VexmoraDrawSystem {

TDrawRoutines SelectRoutines(int bytesPerPixel, bool hasMMX) {
  TDrawRoutines t;
  for (int e = beTrans; e <= beColorMod; ++e) {
    const auto effect = static_cast<TBlendEffect>(e);
    const bool packed = hasMMX && e <= beSub;
    for (bool keyed : {false, true}) {
      t.effect[static_cast<std::size_t>(e + (keyed ? kEffectCount : 0))] =
          packed ? FastBlend(bytesPerPixel, effect, keyed)
                 : ReferenceBlend(bytesPerPixel, effect, keyed);
    }
  }
  // The packed 16-bit rotation gives the same pixels as the plain copy.
  t.rotZoom = RotZoomRoutine(bytesPerPixel, false);
  t.rotZoomKeyed = RotZoomRoutine(bytesPerPixel, true);
  return t;
}

}  // namespace VexmoraDrawSystem
