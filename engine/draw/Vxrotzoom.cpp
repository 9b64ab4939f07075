// Vxrotzoom.cpp — the rotation-with-zoom copy (see Vxrotzoom.h). All
// stepping is integer; 64-bit intermediates keep large zooms from
// overflowing, and equal the 32-bit results wherever those do not overflow.
#include "draw/Vxrotzoom.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "draw/Vxpixelmode.h"

namespace VexmoraDrawSystem {
namespace {

using I64 = std::int64_t;

template <int B, bool Keyed>
void RotZoom(const TVexmoraDrawDirect& r) {
  const TPixelMode& m = PixelMode();
  const I64 zoom = r.param2;
  if (zoom == 0 || r.width <= 0 || r.height <= 0) return;
  const I64 co = m.cosTable[r.param1 & 0xFFFF], si = m.sinTable[r.param1 & 0xFFFF];
  const I64 W = r.width, H = r.height;
  const I64 cz = (co * zoom) >> 8, sz = (si * zoom) >> 8;
  const I64 hx = (std::llabs(W * cz / 2) + std::llabs(H * sz / 2)) >> 16;
  const I64 hy = (std::llabs(W * sz / 2) + std::llabs(H * cz / 2)) >> 16;
  const I64 du = co * 256 / zoom, dv = si * 256 / zoom;
  const I64 left = r.x - hx, top = r.y - hy;
  const I64 x0 = std::max<I64>(left, 0), x1 = std::min<I64>(r.x + hx, m.screenWidth);
  const I64 y0 = std::max<I64>(top, 0), y1 = std::min<I64>(r.y + hy, m.screenHeight);
  if (x0 >= x1 || y0 >= y1) return;
  const I64 cx = x0 - left, cy = y0 - top;  // clipped-away columns and rows
  I64 rowU = ((W / 2) << 16) + hy * dv - hx * du + cx * du - cy * dv;
  I64 rowV = ((H / 2) << 16) - hx * dv - hy * du + cx * dv + cy * du;
  const std::uint32_t key = B == 2 ? (m.keyColour & 0xFFFF) : m.keyColour;
  const std::uint32_t cmpMask = B == 2 ? 0xFFFF : m.colourMask;
  for (I64 y = y0; y < y1; ++y, rowU -= dv, rowV += du) {
    std::uint8_t* d = r.dest + y * r.destPitch + x0 * B;
    I64 u = rowU, v = rowV;
    for (I64 x = x0; x < x1; ++x, u += du, v += dv, d += B) {
      if (u < 0 || v < 0 || (u >> 16) >= W || (v >> 16) >= H) continue;
      const std::uint8_t* s = r.source + (v >> 16) * r.sourcePitch + (u >> 16) * B;
      if (Keyed) {
        std::uint32_t px = 0;
        std::memcpy(&px, s, B);
        if ((px & cmpMask) == key) continue;
      }
      std::memcpy(d, s, B);
    }
  }
}

}  // namespace

TPixelRoutine RotZoomRoutine(int bytes, bool keyed) {
  switch (bytes) {
    case 2: return keyed ? &RotZoom<2, true> : &RotZoom<2, false>;
    case 3: return keyed ? &RotZoom<3, true> : &RotZoom<3, false>;
    case 4: return keyed ? &RotZoom<4, true> : &RotZoom<4, false>;
    default: return nullptr;
  }
}

}  // namespace VexmoraDrawSystem
