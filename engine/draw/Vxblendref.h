// Vxblendref.h — the reference blend routines: one pass per row, pixels of
// 2, 3 or 4 bytes, each channel masked in place and combined in unsigned
// 32-bit arithmetic; bits outside the colour mask come from the destination.
// Keyed forms leave the destination where (source & colourMask) == keyColour.
#pragma once

#include "draw/Vxdrawtypes.h"

namespace VexmoraDrawSystem {

// Effect 1..6 for `bytes` (2, 3, 4); null for anything else.
TPixelRoutine ReferenceBlend(int bytes, TBlendEffect effect, bool keyed);

}  // namespace VexmoraDrawSystem
