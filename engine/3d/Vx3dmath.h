// Vx3dmath.h — the 3D component's vector and matrix arithmetic: look-at and
// projection matrices, vertex transformation, cross product, normalisation.
//
// Two paths exist. The plain one is straightforward single precision. The
// paired one stands in for processors with AMD's 3DNow! instructions
// (extended CPUID 0x80000001, EDX bit 31): it works on two vertices at a
// time and gives the same results, except that normalising a vector whose
// squared length is below 0.0001 returns it unchanged (the plain path always
// multiplies by the reciprocal of the length). The choice is made once per
// process from the processor facts; tests force it with
// testing::Force3DNow.
#pragma once

#include <cstddef>
#include <optional>

#include "3d/Vx3dtypes.h"

namespace Vexmora3DSystem {

struct TVec3 {
  float x = 0, y = 0, z = 0;
};
inline TVec3 operator-(TVec3 a, TVec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline TVec3 operator*(TVec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float Dot(TVec3 a, TVec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Whether the paired (3DNow!) path is in use.
bool Uses3DNow();
TVec3 Cross(TVec3 a, TVec3 b);
TVec3 Normalise(TVec3 v);
// (x, y, z, 1) × m for `count` points; out holds x, y, z, w per point.
void TransformPoints(const TVexmora3DMatrix& m, const float* xyz, std::size_t xyzStride,
                     float* out, std::size_t outStride, std::size_t count);

// The view matrix looking from `eye` at `at` with `up` as world up; empty
// when eye and target coincide or no up direction can be found.
std::optional<TVexmora3DMatrix> LookAtMatrix(TVec3 eye, TVec3 at, TVec3 up);
// A perspective projection with vertical field of view `fov` (radians) and
// aspect height/width; empty when near and far are within 0.01 or the
// field of view is degenerate.
std::optional<TVexmora3DMatrix> ProjectionMatrix(float fov, float aspect, float nearPlane,
                                                 float farPlane);
TVexmora3DMatrix TranslationMatrix(float x, float y, float z);
TVexmora3DMatrix ScaleMatrix(float x, float y, float z);

namespace testing {
// Forces the paired path on or off; nullopt goes back to the processor's answer.
void Force3DNow(std::optional<bool> on);
}  // namespace testing

}  // namespace Vexmora3DSystem
