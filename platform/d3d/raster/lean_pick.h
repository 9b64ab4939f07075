// lean_pick.h — chooses among the lean span loops' compiled variants for a
// draw call: `Loops::template Of<ZK, Blend, Spec>` is the loop compiled for
// a Z kind, blending or not and specular or not; PickLean reads the three
// from the resolved state.
#pragma once

#include "raster/pipeline.h"

namespace plat::d3d::raster {

template <class Loops>
SpanFn PickLean(LeanZ z, bool blend, bool spec) {
  const auto pick = [blend, spec]<int ZK>() -> SpanFn {
    if (blend)
      return spec ? Loops::template Of<ZK, true, true> : Loops::template Of<ZK, true, false>;
    return spec ? Loops::template Of<ZK, false, true> : Loops::template Of<ZK, false, false>;
  };
  switch (z) {
    case kZ16:
      return pick.template operator()<kZ16>();
    case kZWide:
      return pick.template operator()<kZWide>();
    default:
      return pick.template operator()<kNoZ>();
  }
}

}  // namespace plat::d3d::raster
