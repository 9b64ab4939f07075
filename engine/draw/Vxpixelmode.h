// Vxpixelmode.h — the process-wide pixel mode every pixel routine reads:
// channel masks, shifts reduced to the narrowest channel, key colour,
// drawing-area size, whether the packed-integer routines are used, and the
// 65 536-entry sine and cosine tables (16.16 fixed point, a full turn is
// 65 536 units). The last component to check its pixel mode sets it for all.
#pragma once

#include <cstdint>

#include "plat/ddraw.h"

namespace VexmoraDrawSystem {

struct TPixelMode {
  std::uint32_t rMask = 0, gMask = 0, bMask = 0;
  std::uint32_t colourMask = 0, otherMask = 0xFFFFFFFF;
  int bytesPerPixel = 0;
  std::uint32_t keyColour = 0;
  int screenWidth = 0, screenHeight = 0;
  // (pixel & mask) >> shift gives the channel's top minBits bits.
  int rShift = 0, gShift = 0, bShift = 0;
  int rBits = 0, gBits = 0, bBits = 0;
  int minBits = 0;
  bool hasMMX = false;
  const std::int32_t* sinTable = nullptr;
  const std::int32_t* cosTable = nullptr;
};

TPixelMode& PixelMode();

// Fills `mode` from a surface format (CheckPixelMode's step 4).
void FillPixelMode(TPixelMode& mode, const plat::DDPIXELFORMAT& format, std::uint32_t keyColour,
                   int width, int height, bool hasMMX);

}  // namespace VexmoraDrawSystem
