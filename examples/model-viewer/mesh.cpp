// mesh.cpp — rotation matrices and outward-facing triangle helpers.
#include "mesh.h"

#include <cmath>
#include <utility>

namespace viewer {
namespace {

TVec3 CrossOf(TVec3 a, TVec3 b, TVec3 c) {
  return Vexmora3DSystem::Cross(b - a, c - a);
}

TVec3 Unit(TVec3 v) {
  const float length = std::sqrt(Vexmora3DSystem::Dot(v, v));
  return length > 0 ? v * (1 / length) : v;
}

void Push(TVexmora3DObject& obj, TVec3 p, TVec3 n, float uvScale) {
  obj.vertices.push_back(
      {p.x, p.y, p.z, n.x, n.y, n.z, 0.5f + p.z * uvScale, 0.5f + (p.x + p.y) * uvScale});
  obj.indices.push_back(static_cast<std::uint16_t>(obj.vertices.size() - 1));
}

}  // namespace

TVexmora3DMatrix RotationX(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  TVexmora3DMatrix m;
  m.m[1][1] = c;
  m.m[1][2] = s;
  m.m[2][1] = -s;
  m.m[2][2] = c;
  return m;
}

TVexmora3DMatrix RotationY(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  TVexmora3DMatrix m;
  m.m[0][0] = c;
  m.m[0][2] = -s;
  m.m[2][0] = s;
  m.m[2][2] = c;
  return m;
}

TVexmora3DMatrix RotationZ(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  TVexmora3DMatrix m;
  m.m[0][0] = c;
  m.m[0][1] = s;
  m.m[1][0] = -s;
  m.m[1][1] = c;
  return m;
}

TVec3 Apply(const TVexmora3DMatrix& m, TVec3 p) {
  const float in[3] = {p.x, p.y, p.z};
  float out[4];
  Vexmora3DSystem::TransformPoints(m, in, 3, out, 4, 1);
  return {out[0], out[1], out[2]};
}

TVexmora3DObject* NewObject(const char* name, float r, float g, float b, float a, float shine,
                            float power) {
  auto* obj = new TVexmora3DObject;
  TVexmora3DObject::SetField(obj->name, name);
  obj->material.diffuse = {r, g, b, a};
  obj->material.ambient = {r * 0.6f, g * 0.6f, b * 0.6f, a};
  obj->material.specular = {shine, shine, shine, 0};
  obj->material.power = power;
  return obj;
}

void AddFacet(TVexmora3DObject& obj, TVec3 a, TVec3 b, TVec3 c, TVec3 inside, float uvScale) {
  // The device keeps triangles that run clockwise on screen; for those the
  // cross product of the edges points at the viewer.
  const TVec3 centre = {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
  if (Vexmora3DSystem::Dot(CrossOf(a, b, c), centre - inside) < 0) std::swap(b, c);
  const TVec3 n = Unit(CrossOf(a, b, c));
  Push(obj, a, n, uvScale);
  Push(obj, b, n, uvScale);
  Push(obj, c, n, uvScale);
}

void AddPlate(TVexmora3DObject& obj, TVec3 a, TVec3 b, TVec3 c, float uvScale) {
  const TVec3 n = Unit(CrossOf(a, b, c));
  const TVec3 centre = {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
  AddFacet(obj, a, b, c, centre - n, uvScale);
  AddFacet(obj, a, b, c, centre - n * -1, uvScale);
}

void AddSmoothTriangle(TVexmora3DObject& obj, std::uint16_t a, std::uint16_t b, std::uint16_t c) {
  auto at = [&obj](std::uint16_t i) {
    const auto& v = obj.vertices[i];
    return TVec3{v.x, v.y, v.z};
  };
  auto normal = [&obj](std::uint16_t i) {
    const auto& v = obj.vertices[i];
    return TVec3{v.nx, v.ny, v.nz};
  };
  const TVec3 n = {normal(a).x + normal(b).x + normal(c).x, normal(a).y + normal(b).y + normal(c).y,
                   normal(a).z + normal(b).z + normal(c).z};
  if (Vexmora3DSystem::Dot(CrossOf(at(a), at(b), at(c)), n) < 0) std::swap(b, c);
  obj.indices.insert(obj.indices.end(), {a, b, c});
}

}  // namespace viewer
