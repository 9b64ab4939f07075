// scenes.h — the showcase's scenes: one frame of scene `n` at `frame`,
// drawn through a TVexmoraDraw onto its back surface and presented.
#pragma once

#include "draw/Vxdraw.h"

namespace showcase {

inline constexpr int kScenes = 11;
// Draws and presents frame `frame` (0-based) of scene `scene`; returns its name.
const char* DrawScene(VexmoraDrawSystem::TVexmoraDraw& draw, int scene, int frame);

}  // namespace showcase
