// Vxblendmodel.cpp — whole-area routines over the scalar model of the
// packed-integer blend arithmetic (Vxblendmodel.h). Used where no SIMD form
// exists, and by tests as the definition the fast forms are checked against.
#include "draw/Vxblendmodel.h"

namespace VexmoraDrawSystem {
namespace {

using namespace blendmodel;

template <int B, TBlendEffect E, bool Keyed>
void Blend(const TVexmoraDrawDirect& r) {
  const TPixelMode& m = PixelMode();
  const Amount p(r.param1);
  for (int y = 0; y < r.height; ++y) {
    std::uint8_t* d = r.dest + static_cast<std::ptrdiff_t>(y) * r.destPitch;
    const std::uint8_t* s = r.source + static_cast<std::ptrdiff_t>(y) * r.sourcePitch;
    if constexpr (B == 2)
      Row16<E, Keyed>(d, s, r.width, p, Format16(m));
    else
      RowBytes<B, E, Keyed>(d, s, r.width, p, PixelKey(m, B));
  }
}

template <int B, bool Keyed>
TPixelRoutine ForSize(TBlendEffect e) {
  switch (e) {
    case beTrans: return &Blend<B, beTrans, Keyed>;
    case beAdd: return &Blend<B, beAdd, Keyed>;
    case beMod: return &Blend<B, beMod, Keyed>;
    case beSub: return &Blend<B, beSub, Keyed>;
    default: return nullptr;
  }
}

template <bool Keyed>
TPixelRoutine Pick(int bytes, TBlendEffect e) {
  switch (bytes) {
    case 2: return ForSize<2, Keyed>(e);
    case 3: return ForSize<3, Keyed>(e);
    case 4: return ForSize<4, Keyed>(e);
    default: return nullptr;
  }
}

}  // namespace

TPixelRoutine ModelBlend(int bytes, TBlendEffect effect, bool keyed) {
  return keyed ? Pick<true>(bytes, effect) : Pick<false>(bytes, effect);
}

}  // namespace VexmoraDrawSystem
