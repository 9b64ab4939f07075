// tnl.h — fixed-function transform and lighting for untransformed vertices
// (FVF XYZ | NORMAL | TEX1): world x view x projection with row vectors,
// directional lights, frustum clipping and the viewport mapping, giving
// transformed vertices for the rasteriser.
//
// Lighting happens in camera space: diffuse colour = emissive + material
// ambient x (global ambient + sum of light ambients) + sum of material
// diffuse x light diffuse x max(0, N.L), alpha = material diffuse alpha;
// specular (when enabled and N.L > 0) = material specular x light specular x
// (N.H)^power with H the halfway vector towards the eye (local viewer) or
// along +z, none when power is 0. Normals go through the upper 3x3 of
// world x view and are renormalised when `normalizeNormals` is set. With
// lighting off vertices are white with no specular.
//
// Clipping on: triangles are cut to 0 <= z <= w, -w <= x, y <= w before the
// divide. Clipping off: only triangles with a corner at w <= 0 are dropped;
// the rasteriser scissors the rest to the viewport. Clipped corners take
// colours and coordinates interpolated in clip space; with `flat` set every
// piece keeps the colours of the triangle's first vertex.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "raster/raster.h"

namespace plat::d3d::raster {

// Row-vector matrix: v' = v x M, translation in m[3][0..2].
struct Matrix {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};
Matrix operator*(const Matrix& a, const Matrix& b);

struct Vec3 {
  float x = 0, y = 0, z = 0;
};
struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};
struct Material {
  ColorValue diffuse, ambient, specular, emissive;
  float power = 0;
};
// A directional light; `direction` points from the light into the scene, in
// world space.
struct Light {
  ColorValue diffuse, specular, ambient;
  Vec3 direction{0, 0, 1};
};

// Laid out as FVF XYZ | NORMAL | TEX1 (32 bytes).
struct Vertex {
  float x = 0, y = 0, z = 0, nx = 0, ny = 0, nz = 0, u = 0, v = 0;
};
static_assert(sizeof(Vertex) == 32);

struct TnlState {
  Matrix world, view, projection;
  Viewport viewport;
  bool lighting = true, clipping = true, specular = false, normalizeNormals = false;
  bool localViewer = true, flat = false;
  std::uint32_t ambient = 0;  // global ambient, 0x00RRGGBB
  Material material;
  std::span<const Light> lights;  // the enabled lights; the first kMaxLights count
};
inline constexpr std::size_t kMaxLights = 8;

// A vertex after transform and lighting, before clipping and the divide.
struct ClipVertex {
  float x = 0, y = 0, z = 0, w = 1;
  std::uint32_t diffuse = 0xFFFFFFFF, specular = 0;
  float u = 0, v = 0;
};

// Transforms and lights `in` into `out` (same count).
void TransformAndLight(const TnlState& state, std::span<const Vertex> in, ClipVertex* out);

// Clips the indexed triangles, maps them to the viewport and appends them to
// `out` as a triangle list (three vertices per triangle, winding kept).
// Indices past the vertex array drop their triangle.
void ClipAndProject(const TnlState& state, std::span<const ClipVertex> vertices,
                    std::span<const std::uint16_t> indices, std::vector<TLVertex>& out);

// Both steps; `scratch` keeps its capacity between calls.
void ProcessIndexed(const TnlState& state, std::span<const Vertex> vertices,
                    std::span<const std::uint16_t> indices, std::vector<ClipVertex>& scratch,
                    std::vector<TLVertex>& out);

}  // namespace plat::d3d::raster
