// Vx3dmath.cpp — vector and matrix arithmetic with its two paths.
#include "3d/Vx3dmath.h"

#include <cmath>

#include "plat/cpu.h"

namespace Vexmora3DSystem {
namespace {

std::optional<bool> forced3DNow;

bool ProcessorHas3DNow() {
  static const bool has = plat::Has3DNow();  // read once per process
  return has;
}

// Two points per step, the way the paired instructions work; an odd last
// point is done alone.
void TransformPaired(const TVexmora3DMatrix& m, const float* in, std::size_t inStride, float* out,
                     std::size_t outStride, std::size_t count) {
  auto one = [&m](const float* p, float* o) {
    for (int j = 0; j < 4; ++j)
      o[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + m.m[3][j];
  };
  std::size_t i = 0;
  for (; i + 1 < count; i += 2) {
    const float* p0 = in + i * inStride;
    const float* p1 = p0 + inStride;
    float* o0 = out + i * outStride;
    float* o1 = o0 + outStride;
    for (int j = 0; j < 4; ++j) {
      const float a0 = p0[0] * m.m[0][j] + p0[1] * m.m[1][j];
      const float a1 = p1[0] * m.m[0][j] + p1[1] * m.m[1][j];
      o0[j] = a0 + p0[2] * m.m[2][j] + m.m[3][j];
      o1[j] = a1 + p1[2] * m.m[2][j] + m.m[3][j];
    }
  }
  if (i < count) one(in + i * inStride, out + i * outStride);
}

}  // namespace

bool Uses3DNow() { return forced3DNow ? *forced3DNow : ProcessorHas3DNow(); }

TVec3 Cross(TVec3 a, TVec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

TVec3 Normalise(TVec3 v) {
  const float squared = Dot(v, v);
  if (Uses3DNow() && squared < 0.0001f) return v;
  return v * (1.0f / std::sqrt(squared));
}

void TransformPoints(const TVexmora3DMatrix& m, const float* xyz, std::size_t xyzStride,
                     float* out, std::size_t outStride, std::size_t count) {
  if (Uses3DNow()) {
    TransformPaired(m, xyz, xyzStride, out, outStride, count);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const float* p = xyz + i * xyzStride;
    float* o = out + i * outStride;
    for (int j = 0; j < 4; ++j)
      o[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + m.m[3][j];
  }
}

std::optional<TVexmora3DMatrix> LookAtMatrix(TVec3 eye, TVec3 at, TVec3 up) {
  const TVec3 toTarget = at - eye;
  const float distance = std::sqrt(Dot(toTarget, toTarget));
  if (distance < 1e-6f) return std::nullopt;
  const TVec3 view = toTarget * (1.0f / distance);
  auto upFrom = [&view](TVec3 u) { return u - view * Dot(u, view); };
  auto length = [](TVec3 v) { return std::sqrt(Dot(v, v)); };
  TVec3 u = upFrom(up);
  if (length(u) < 1e-6f) u = upFrom({0, 1, 0});
  if (length(u) < 1e-6f) u = upFrom({0, 0, 1});
  if (length(u) < 1e-6f) return std::nullopt;
  u = u * (1.0f / length(u));
  const TVec3 right = Cross(u, view);
  TVexmora3DMatrix m;
  const TVec3 axes[3] = {right, u, view};
  for (int c = 0; c < 3; ++c) {
    m.m[0][c] = axes[c].x;
    m.m[1][c] = axes[c].y;
    m.m[2][c] = axes[c].z;
    m.m[3][c] = -Dot(eye, axes[c]);
  }
  return m;
}

std::optional<TVexmora3DMatrix> ProjectionMatrix(float fov, float aspect, float nearPlane,
                                                 float farPlane) {
  const float s = std::sin(fov / 2), c = std::cos(fov / 2);
  if (std::fabs(farPlane - nearPlane) < 0.01f || std::fabs(s) < 0.01f) return std::nullopt;
  const float q = farPlane / (farPlane - nearPlane);
  TVexmora3DMatrix m;
  m.m[0][0] = aspect * c / s;
  m.m[1][1] = c / s;
  m.m[2][2] = q;
  m.m[2][3] = 1;
  m.m[3][2] = -q * nearPlane;
  m.m[3][3] = 0;
  return m;
}

TVexmora3DMatrix TranslationMatrix(float x, float y, float z) {
  TVexmora3DMatrix m;
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

TVexmora3DMatrix ScaleMatrix(float x, float y, float z) {
  TVexmora3DMatrix m;
  m.m[0][0] = x;
  m.m[1][1] = y;
  m.m[2][2] = z;
  return m;
}

namespace testing {
void Force3DNow(std::optional<bool> on) { forced3DNow = on; }
}  // namespace testing

}  // namespace Vexmora3DSystem
