// Vxroutines.h — which pixel routines a component installs for a pixel size
// and processor: the reference blends, the fast packed forms of beTrans ..
// beSub when the processor has MMX (here: their SIMD stand-ins), and the
// rotation copies. 8-bit pixels get none.
#pragma once

#include <array>

#include "draw/Vxdrawtypes.h"

namespace VexmoraDrawSystem {

struct TDrawRoutines {
  // 0..6 unkeyed effects, 7..13 keyed; entries 0 and 7 stay empty.
  std::array<TPixelRoutine, 2 * kEffectCount> effect{};
  TPixelRoutine rotZoom = nullptr, rotZoomKeyed = nullptr;
};

TDrawRoutines SelectRoutines(int bytesPerPixel, bool hasMMX);

}  // namespace VexmoraDrawSystem
