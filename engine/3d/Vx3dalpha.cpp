// Vx3dalpha.cpp — the software transform-and-lighting path for translucent
// meshes: vertices are transformed, lit and projected here, each triangle
// is queued in one of 256 buckets by its average screen depth, and
// AlphaVertexRender draws the buckets far to near, flushing its batch only
// when a triangle's states or textures differ from the last ones applied.
//
// Lighting uses light 0 (directional), the device's material and ambient
// level: diffuse by the angle to the light, ambient, and a specular term
// d^power, clamped per channel. Normals are turned into world space, where
// the light's direction is given. Triangles reaching behind the eye (w <= 0)
// or naming vertices that do not exist are dropped.
#include <algorithm>
#include <cmath>

#include "3d/Vx3d.h"
#include "3d/Vx3dmath.h"

namespace Vexmora3DSystem {
namespace {

// A channel of 0..1 (or more) to a byte; NaN counts as 0.
std::uint32_t ToByte(float v) {
  if (!(v > 0)) return 0;
  return v >= 1 ? 255u : static_cast<std::uint32_t>(v * 255);
}

struct TLighting {
  float diffuse[3], ambient[3], specular[3];
  float alpha, power;
  TVec3 toLight;
  TVexmora3DMatrix normalMatrix;
};

TLighting ReadLighting(plat::IDirect3DDevice7& device, const TVexmora3DMatrix& world) {
  plat::D3DMATERIAL7 material;
  plat::D3DLIGHT7 light;
  std::uint32_t ambient = 0;
  device.GetMaterial(material);
  device.GetLight(0, light);
  device.GetRenderState(plat::D3DRENDERSTATETYPE::AMBIENT, ambient);
  TLighting l{};
  const float md[3] = {material.diffuse.r, material.diffuse.g, material.diffuse.b};
  const float ld[3] = {light.diffuse.r, light.diffuse.g, light.diffuse.b};
  const float ms[3] = {material.specular.r, material.specular.g, material.specular.b};
  const float ls[3] = {light.specular.r, light.specular.g, light.specular.b};
  const float ma[3] = {material.ambient.r, material.ambient.g, material.ambient.b};
  const std::uint32_t level[3] = {ambient >> 16 & 0xFF, ambient >> 8 & 0xFF, ambient & 0xFF};
  for (int c = 0; c < 3; ++c) {
    l.diffuse[c] = md[c] * ld[c];
    l.specular[c] = ms[c] * ls[c];
    l.ambient[c] = static_cast<float>(level[c]) * ma[c] / 255;
  }
  l.alpha = material.diffuse.a;
  l.power = material.power;
  l.toLight = Normalise({-light.direction[0], -light.direction[1], -light.direction[2]});
  l.normalMatrix = world;
  return l;
}

void Light(const TLighting& l, const TVexmora3DVertex& v, TVexmora3DTLVertex& out) {
  const TVexmora3DMatrix& m = l.normalMatrix;
  const TVec3 n = Normalise({v.nx * m.m[0][0] + v.ny * m.m[1][0] + v.nz * m.m[2][0],
                             v.nx * m.m[0][1] + v.ny * m.m[1][1] + v.nz * m.m[2][1],
                             v.nx * m.m[0][2] + v.ny * m.m[1][2] + v.nz * m.m[2][2]});
  float d = Dot(n, l.toLight);
  if (!(d > 0)) d = 0;
  const float s = l.power == 0 ? 0 : std::pow(d, l.power);
  std::uint32_t colour = ToByte(l.alpha) << 24, specular = 0;
  for (int c = 0; c < 3; ++c) {
    const int shift = 16 - 8 * c;
    colour |= ToByte(std::min(1.0f, l.diffuse[c] * d + l.ambient[c])) << shift;
    specular |= ToByte(l.specular[c] * s) << shift;
  }
  out.color = colour;
  out.specular = specular;
  out.tu = v.tu;
  out.tv = v.tv;
}

void Light(const TVexmora3DLVertex& v, TVexmora3DTLVertex& out) {
  out.color = v.color;
  out.specular = v.specular;
  out.tu = v.tu;
  out.tv = v.tv;
}

// w > 0 (and finite after the divide): in front of the eye.
bool InFront(const TVexmora3DTLVertex& v) { return v.rhw > 0 && std::isfinite(v.rhw); }

// Screen depth 0..1 to a bucket; beyond either end clamps.
int DepthKey(const TVexmora3DTLVertex* const t[3]) {
  const float key = (t[0]->sz + t[1]->sz + t[2]->sz) * 255 / 3;
  if (!(key > 0)) return 0;
  return key >= 255 ? 255 : static_cast<int>(key);
}

}  // namespace

void TVexmora3D::TransformStage(const TVexmora3DVertex* in, std::uint32_t count,
                                TVexmora3DTLVertex* out) {
  TransformPoints(GetTransformedMatrix(), &in->x, 8, &out->sx, 8, count);
}

void TVexmora3D::TransformStage(const TVexmora3DLVertex* in, std::uint32_t count,
                                TVexmora3DTLVertex* out) {
  TransformPoints(GetTransformedMatrix(), &in->x, 8, &out->sx, 8, count);
}

void TVexmora3D::LightingStage(const TVexmora3DVertex* in, std::uint32_t count,
                               TVexmora3DTLVertex* out) {
  if (!device) return;
  const TLighting lighting = ReadLighting(*device, worldMatrix);
  for (std::uint32_t i = 0; i < count; ++i) Light(lighting, in[i], out[i]);
}

void TVexmora3D::LightingStage(const TVexmora3DLVertex* in, std::uint32_t count,
                               TVexmora3DTLVertex* out) {
  for (std::uint32_t i = 0; i < count; ++i) Light(in[i], out[i]);
}

void TVexmora3D::FinalizeStage(TVexmora3DTLVertex* vertices, std::uint32_t count) {
  for (std::uint32_t i = 0; i < count; ++i) {
    TVexmora3DTLVertex& t = vertices[i];
    t.rhw = 1 / t.rhw;
    t.sx *= t.rhw;
    t.sy *= t.rhw;
    t.sz *= t.rhw;
  }
}

template <class Vertex>
void TVexmora3D::QueueAlphaTriangles(const Vertex* vertices, std::uint32_t vertexCount,
                                     const std::uint16_t* indices, std::uint32_t indexCount) {
  if (!device || !vertices || !indices || vertexCount == 0) return;
  tlScratch.resize(vertexCount);
  TransformStage(vertices, vertexCount, tlScratch.data());
  LightingStage(vertices, vertexCount, tlScratch.data());
  FinalizeStage(tlScratch.data(), vertexCount);
  const std::uint32_t states = std::uint32_t{flatShadeState} | std::uint32_t{alphaBlendState} << 8 |
                               std::uint32_t{multiTextureState} << 16;
  for (std::uint32_t i = 0; i + 3 <= indexCount; i += 3) {
    const TVexmora3DTLVertex* corner[3];
    bool usable = true;
    for (int k = 0; k < 3; ++k) {
      const std::uint16_t index = indices[i + static_cast<std::uint32_t>(k)];
      usable = usable && index < vertexCount && InFront(tlScratch[index]);
      corner[k] = usable ? &tlScratch[index] : nullptr;
    }
    if (!usable) continue;
    TVexmora3DTriangle& t = alphaBuckets[static_cast<std::size_t>(DepthKey(corner))].emplace_back();
    t.states = states;
    t.texture0 = stageTextures[0];
    t.texture1 = stageTextures[1];
    for (int k = 0; k < 3; ++k) t.vertices[k] = *corner[k];
  }
}

void TVexmora3D::DrawIndexedAlphaVertex(const TVexmora3DVertex* vertices, std::uint32_t vertexCount,
                                        const std::uint16_t* indices, std::uint32_t indexCount) {
  QueueAlphaTriangles(vertices, vertexCount, indices, indexCount);
}

void TVexmora3D::DrawIndexedAlphaVertex(const TVexmora3DLVertex* vertices,
                                        std::uint32_t vertexCount, const std::uint16_t* indices,
                                        std::uint32_t indexCount) {
  QueueAlphaTriangles(vertices, vertexCount, indices, indexCount);
}

void TVexmora3D::AlphaVertexRender() {
  SetZBuffer(true);
  bool applied = false;
  std::uint32_t states = 0;
  TVexmora3DTexture* texture0 = nullptr;
  TVexmora3DTexture* texture1 = nullptr;
  for (int key = 255; key >= 0; --key) {
    std::vector<TVexmora3DTriangle>& bucket = alphaBuckets[static_cast<std::size_t>(key)];
    for (const TVexmora3DTriangle& t : bucket) {
      if (!applied || t.states != states || t.texture0 != texture0 || t.texture1 != texture1) {
        alphaBatch.Render(*this);
        SetFlatShade((t.states & 0xFF) != 0);
        SetAlphaBlend(static_cast<TAlphaBlendEffect>(t.states >> 8));
        SetMultiTexture(static_cast<TMultiTextureEffect>(t.states >> 16));
        SetTexture(t.texture0, 0);
        SetTexture(t.texture1, 1);
        states = t.states;
        texture0 = t.texture0;
        texture1 = t.texture1;
        applied = true;
      }
      alphaBatch.Push(t.vertices);
    }
    bucket.clear();
  }
  alphaBatch.Render(*this);
  SetZBuffer(false);
  SetFlatShade(false);
  SetAlphaBlend(aeNone);
  SetMultiTexture(mtNone);
  SetTexture(nullptr, 0);
}

}  // namespace Vexmora3DSystem
