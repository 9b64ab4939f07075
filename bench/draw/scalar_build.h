// scalar_build.h — the blend routines compiled a second time without
// auto-vectorisation (-O2 -fno-tree-vectorize), as the baseline of
// bench_draw: what plain compiled C++ of the same arithmetic does. Built by
// bench/CMakeLists.txt from the engine's own sources with their namespace
// renamed, so both builds link into one program.
#pragma once

#include <cstdint>

#include "plat/ddraw.h"

namespace kxbench_scalar {

struct Area {
  std::uint8_t* dest;
  std::uint8_t* source;
  std::int32_t destPitch, sourcePitch, width, height, param;
};

// Sets the scalar build's own pixel mode.
void SetMode(const plat::DDPIXELFORMAT& format, std::uint32_t key);
// Runs the reference routine (packed = false) or the packed-arithmetic
// model of `effect`; false when there is none.
bool Run(int bytes, int effect, bool keyed, bool packed, const Area& area);

}  // namespace kxbench_scalar
