// scene.h — the viewer's scene on a 320 × 240 TVexmora3D.
//
// Setup initialises the component, registers the textures, writes both
// models to model files in `dir`, loads them back by name and loads the
// sprite texture. DrawFrame draws frame `frame` (a drifting starfield, the
// lit models turning 3° a frame, their translucent parts, engine sparks) in
// one scene and presents it. Both throw the engine's exceptions.
#pragma once

#include <string>

#include "3d/Vx3d.h"

namespace viewer {

inline constexpr int kWidth = 320, kHeight = 240;

void Setup(Vexmora3DSystem::TVexmora3D& d3d, const std::string& dir);
void DrawFrame(Vexmora3DSystem::TVexmora3D& d3d, int frame);

}  // namespace viewer
