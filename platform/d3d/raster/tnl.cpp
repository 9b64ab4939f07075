// tnl.cpp — matrix product, vertex transform and the directional-light
// model of tnl.h. Colours leave as 0xAARRGGBB, channels rounded.
#include "raster/tnl.h"

#include <algorithm>
#include <cmath>

namespace plat::d3d::raster {
namespace {

Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
float Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Normalize(Vec3 v) {
  const float l = std::sqrt(Dot(v, v));
  return l > 0.0f ? Vec3{v.x / l, v.y / l, v.z / l} : v;
}

Vec3 TransformPoint(Vec3 v, const Matrix& m) {
  return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0],
          v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1],
          v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2]};
}
Vec3 TransformDirection(Vec3 v, const Matrix& m) {
  return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
          v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
          v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

std::uint32_t Channel(float v) {
  const float c = v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
  return static_cast<std::uint32_t>(c * 255.0f + 0.5f);
}
std::uint32_t PackColor(float r, float g, float b, float a) {
  return Channel(a) << 24 | Channel(r) << 16 | Channel(g) << 8 | Channel(b);
}

// Lights already in camera space.
struct CameraLight {
  Vec3 toLight;  // normalised, opposite the light's direction
  const Light* light = nullptr;
};

}  // namespace

Matrix operator*(const Matrix& a, const Matrix& b) {
  Matrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float s = 0;
      for (int k = 0; k < 4; ++k) s += a.m[i][k] * b.m[k][j];
      r.m[i][j] = s;
    }
  return r;
}

void TransformAndLight(const TnlState& state, std::span<const Vertex> in, ClipVertex* out) {
  const Matrix worldView = state.world * state.view;
  const Matrix all = worldView * state.projection;

  CameraLight lights[kMaxLights];
  int lightCount = 0;
  ColorValue ambient{};
  if (state.lighting) {
    const auto g = [&](int shift) {
      return static_cast<float>((state.ambient >> shift) & 0xFF) / 255.0f;
    };
    ambient = {g(16), g(8), g(0), 0};
    for (const Light& l : state.lights.first(std::min(state.lights.size(), kMaxLights))) {
      const Vec3 d = TransformDirection(l.direction, state.view);
      lights[lightCount++] = {Normalize({-d.x, -d.y, -d.z}), &l};
      ambient.r += l.ambient.r;
      ambient.g += l.ambient.g;
      ambient.b += l.ambient.b;
    }
  }
  const Material& mat = state.material;

  for (std::size_t i = 0; i < in.size(); ++i) {
    const Vertex& v = in[i];
    ClipVertex& o = out[i];
    const Vec3 p{v.x, v.y, v.z};
    o.x = v.x * all.m[0][0] + v.y * all.m[1][0] + v.z * all.m[2][0] + all.m[3][0];
    o.y = v.x * all.m[0][1] + v.y * all.m[1][1] + v.z * all.m[2][1] + all.m[3][1];
    o.z = v.x * all.m[0][2] + v.y * all.m[1][2] + v.z * all.m[2][2] + all.m[3][2];
    o.w = v.x * all.m[0][3] + v.y * all.m[1][3] + v.z * all.m[2][3] + all.m[3][3];
    o.u = v.u;
    o.v = v.v;
    if (!state.lighting) {
      o.diffuse = 0xFFFFFFFFu;
      o.specular = 0;
      continue;
    }
    Vec3 n = TransformDirection({v.nx, v.ny, v.nz}, worldView);
    if (state.normalizeNormals) n = Normalize(n);
    const Vec3 eye =
        state.localViewer ? Normalize(Vec3{} - TransformPoint(p, worldView)) : Vec3{0, 0, -1};
    ColorValue d{mat.emissive.r + mat.ambient.r * ambient.r,
                 mat.emissive.g + mat.ambient.g * ambient.g,
                 mat.emissive.b + mat.ambient.b * ambient.b, 0};
    ColorValue s{};
    for (const CameraLight& cl : std::span(lights, lightCount)) {
      const float nl = Dot(n, cl.toLight);
      if (nl <= 0.0f) continue;
      d.r += mat.diffuse.r * cl.light->diffuse.r * nl;
      d.g += mat.diffuse.g * cl.light->diffuse.g * nl;
      d.b += mat.diffuse.b * cl.light->diffuse.b * nl;
      if (!state.specular || mat.power <= 0.0f) continue;
      const float nh = Dot(n, Normalize(eye + cl.toLight));
      if (nh <= 0.0f) continue;
      const float f = std::pow(nh, mat.power);
      s.r += mat.specular.r * cl.light->specular.r * f;
      s.g += mat.specular.g * cl.light->specular.g * f;
      s.b += mat.specular.b * cl.light->specular.b * f;
    }
    o.diffuse = PackColor(d.r, d.g, d.b, mat.diffuse.a);
    o.specular = PackColor(s.r, s.g, s.b, 0);
  }
}

void ProcessIndexed(const TnlState& state, std::span<const Vertex> vertices,
                    std::span<const std::uint16_t> indices, std::vector<ClipVertex>& scratch,
                    std::vector<TLVertex>& out) {
  scratch.resize(vertices.size());
  TransformAndLight(state, vertices, scratch.data());
  ClipAndProject(state, scratch, indices, out);
}

}  // namespace plat::d3d::raster
