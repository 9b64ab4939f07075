// mesh.h — helpers for building the viewer's models in code: rotation
// matrices in the component's convention (row vectors, left-handed, so a
// positive angle turns clockwise when seen from the positive axis), and
// triangle helpers that wind every triangle so its front (the side the
// device does not cull) faces outward.
#pragma once

#include <cstdint>

#include "3d/Vx3dmath.h"
#include "3d/Vx3dobject.h"

namespace viewer {

using Vexmora3DSystem::TVec3;
using Vexmora3DSystem::TVexmora3DMatrix;
using Vexmora3DSystem::TVexmora3DObject;

TVexmora3DMatrix RotationX(float angle);
TVexmora3DMatrix RotationY(float angle);
TVexmora3DMatrix RotationZ(float angle);
// The point p (w = 1) through m.
TVec3 Apply(const TVexmora3DMatrix& m, TVec3 p);

// A new object called `name` with a material of colour r, g, b and alpha a:
// ambient at 60 % of the diffuse colour, specular white × `shine` at `power`.
TVexmora3DObject* NewObject(const char* name, float r, float g, float b, float a, float shine,
                            float power);

// A flat-shaded triangle facing away from `inside`. Texture coordinates are
// a planar projection, `uvScale` texture repeats per unit.
void AddFacet(TVexmora3DObject& obj, TVec3 a, TVec3 b, TVec3 c, TVec3 inside, float uvScale);
// A flat triangle visible from both sides (two facets back to back).
void AddPlate(TVexmora3DObject& obj, TVec3 a, TVec3 b, TVec3 c, float uvScale);
// A triangle over existing vertices, wound to face along their normals.
void AddSmoothTriangle(TVexmora3DObject& obj, std::uint16_t a, std::uint16_t b, std::uint16_t c);

}  // namespace viewer
