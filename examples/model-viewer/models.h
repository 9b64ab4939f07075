// models.h — the viewer's two models, built in code as object chains.
//
// The ship (about 2.6 units long, nose along +z): an opaque plated hull,
// painted wings and fin, a pilot's helmet under a translucent canopy and
// an additive engine glow at the tail (z = -1). The rings: two interlocked tori, one checkered and
// one environment-mapped, 24 × 12 segments each. Textures are referred to
// by name (see pictures.h).
#pragma once

#include "3d/Vx3dobject.h"
#include "mesh.h"

namespace viewer {

inline constexpr float kShipTail = -1.0f;  // z of the engine's nozzle

TVexmora3DObject* BuildShip();
TVexmora3DObject* BuildRings();

// A torus round the y axis: `segments` steps round the ring of radius
// `ringRadius`, `sides` steps round the tube of radius `tubeRadius`.
// Vertices carry unit normals and texture coordinates 0..1 round each.
TVexmora3DObject* BuildTorus(const char* name, float ringRadius, float tubeRadius, int segments,
                             int sides);

}  // namespace viewer
