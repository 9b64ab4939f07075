// Vxrotzoom.h — RotZoomDraw's pixel routines: the pattern turned by param1
// (1/65 536 of a turn) and scaled by param2 (1/256), centred on (x, y) of the
// destination, in 16.16 fixed point with the shared sine tables; pixels are
// copied, not blended, and the destination box is clipped to the drawing
// area. Keyed forms skip key pixels (16-bit: the whole pixel; 3 and 4 bytes:
// the colour bits). 3-byte pixels leave the byte after them alone.
#pragma once

#include "draw/Vxdrawtypes.h"

namespace VexmoraDrawSystem {

// For `bytes` 2, 3 or 4; null otherwise.
TPixelRoutine RotZoomRoutine(int bytes, bool keyed);

}  // namespace VexmoraDrawSystem
