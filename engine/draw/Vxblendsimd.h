// Vxblendsimd.h — internal to the blend routines: the SIMD forms by
// instruction set. FastBlend (Vxblendfast.h) picks the widest one this
// processor runs; tests reach each one here. Every form is bit-identical to
// the scalar model of Vxblendmodel.h.
#pragma once

#include "draw/Vxdrawtypes.h"

namespace VexmoraDrawSystem {

enum class TSimd { Sse2, Avx2 };

// Null when this build or processor lacks `isa`, or for effects other than
// beTrans .. beSub and sizes other than 2, 3, 4 bytes.
TPixelRoutine SimdBlend(TSimd isa, int bytes, TBlendEffect effect, bool keyed);
// The SSE2 forms (Vxblendsse2.cpp); the AVX2 forms hand them their row ends.
TPixelRoutine Sse2Blend(int bytes, TBlendEffect effect, bool keyed);

}  // namespace VexmoraDrawSystem
