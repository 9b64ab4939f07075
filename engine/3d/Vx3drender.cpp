// Vx3drender.cpp — drawing an object tree through the 3D component.
//
// Each object sets its combined matrix, material, textures and states,
// draws its triangle list and resets the states, so objects never inherit
// each other's textures or blend modes. Environment-mapped objects draw a
// copy whose texture coordinates come from the normals seen by the camera.
#include <cmath>

#include "3d/Vx3dobject.h"
#include "plat/exception.h"

namespace Vexmora3DSystem {
namespace {

void TrySetTexture(TVexmora3DModelDevice& device, std::string_view name, int stage) {
  if (name.empty()) return;  // an empty name leaves the stage as it was
  try {
    device.SetTexture(std::string(name), stage);
  } catch (const plat::Exception&) {
    // an unknown texture leaves the stage as it was
  }
}

void Normalise(float v[3]) {
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0)
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

}  // namespace

TVexmora3DMatrix operator*(const TVexmora3DMatrix& a, const TVexmora3DMatrix& b) {
  TVexmora3DMatrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

void TVexmora3DObject::Render(TVexmora3DModelDevice& device) const {
  for (const TVexmora3DObject* obj = this; obj; obj = obj->next_) obj->RenderOne(device);
}

void TVexmora3DObject::RenderOne(TVexmora3DModelDevice& device) const {
  const TVexmora3DMatrix parent = device.GetWorldMatrix();
  device.SetWorldMatrix(localMatrix * parent);
  device.SetMaterial(material);
  TrySetTexture(device, Texture0(), 0);
  TrySetTexture(device, Texture1(), 1);
  device.SetFlatShade(flatShade);
  device.SetAlphaBlend(alphaBlend);
  device.SetMultiTexture(multiTexture);

  const auto vertexCount = static_cast<std::uint32_t>(vertices.size());
  const auto indexCount = static_cast<std::uint32_t>(indices.size());
  if (envMap) {
    const TVexmora3DMatrix view = device.GetWorldMatrix() * device.GetViewMatrix();
    float x[3] = {view.m[0][0], view.m[1][0], view.m[2][0]};
    float y[3] = {view.m[0][1], view.m[1][1], view.m[2][1]};
    Normalise(x);
    Normalise(y);
    std::vector<TVexmora3DVertex> mapped = vertices;
    for (TVexmora3DVertex& v : mapped) {
      v.tu = (v.nx * x[0] + v.ny * x[1] + v.nz * x[2] + 1) * 0.5f;
      v.tv = (1 - (v.nx * y[0] + v.ny * y[1] + v.nz * y[2])) * 0.5f;
    }
    device.DrawIndexed(mapped.data(), vertexCount, indices.data(), indexCount);
  } else {
    device.DrawIndexed(vertices.data(), vertexCount, indices.data(), indexCount);
  }

  device.ClearTexture(0);
  device.ClearTexture(1);
  device.SetMultiTexture(0);
  device.SetAlphaBlend(0);
  device.SetFlatShade(false);
  if (child_) child_->Render(device);
  device.SetWorldMatrix(parent);
}

}  // namespace Vexmora3DSystem
