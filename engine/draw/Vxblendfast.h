// Vxblendfast.h — the fast blend routines that stand in for the packed
// "MMX" forms: SIMD code chosen for this processor, bit-identical to the
// scalar model of Vxblendmodel.h.
#pragma once

#include "draw/Vxdrawtypes.h"

namespace VexmoraDrawSystem {

// Effect 1..4 for `bytes` (2, 3, 4); null otherwise.
TPixelRoutine FastBlend(int bytes, TBlendEffect effect, bool keyed);
// The instruction set the fast routines use: "sse2" or "scalar".
const char* FastBlendIsa();

}  // namespace VexmoraDrawSystem
