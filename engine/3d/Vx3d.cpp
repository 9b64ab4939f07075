// Vx3d.cpp — TVexmora3D's life, matrices, device states and named
// resources. Initialisation and presentation are in Vx3dinit.cpp, the
// software transform-and-lighting path in Vx3dalpha.cpp, sprites in
// Vx3dsprite.cpp.
#include "3d/Vx3d.h"

#include <algorithm>

#include "core/Vxerror.h"
#include "core/Vxregister.h"

namespace Vexmora3DSystem {

using VexmoraSystem::EVx3D;
using RS = plat::D3DRENDERSTATETYPE;
using TSS = plat::D3DTEXTURESTAGESTATETYPE;

namespace {

const VexmoraSystem::TVexmoraTableTexts kTextureTexts{
    .notFound = "オブジェクトが存在しません。\nスプライト名："};

plat::D3DMATRIX ToD3D(const TVexmora3DMatrix& m) {
  plat::D3DMATRIX d;
  std::copy(&m.m[0][0], &m.m[0][0] + 16, &d.m[0][0]);
  return d;
}

}  // namespace

TVexmora3D::TVexmora3D(plat::TComponent* owner)
    : TVexmoraDraw(owner),
      textures(kTextureTexts, [this] { return initialised; }),
      objects([this] { return initialised; }) {
  traceSteps = false;
}

TVexmora3D::~TVexmora3D() {
  objects.Clear();
  textures.Clear();
  ReleaseDevice();
}

void TVexmora3D::SetVideoMemory(bool) {}

void TVexmora3D::Require3D() const {
  if (!initialised) throw EVx3D(VexmoraSystem::kNotInitialised);
}

void TVexmora3D::SetWorldMatrix(const TVexmora3DMatrix& matrix) {
  if (device) device->SetTransform(plat::D3DTRANSFORMSTATETYPE::WORLD, ToD3D(matrix));
  worldMatrix = matrix;
  matricesChanged = true;
}

void TVexmora3D::SetViewMatrix(const TVexmora3DMatrix& matrix) {
  if (device) device->SetTransform(plat::D3DTRANSFORMSTATETYPE::VIEW, ToD3D(matrix));
  viewMatrix = matrix;
  matricesChanged = true;
}

void TVexmora3D::SetProjectionMatrix(const TVexmora3DMatrix& matrix) {
  if (device) device->SetTransform(plat::D3DTRANSFORMSTATETYPE::PROJECTION, ToD3D(matrix));
  projectionMatrix = matrix;
  matricesChanged = true;
}

void TVexmora3D::SetViewPortMatrix(const TVexmora3DMatrix& matrix) {
  viewportMatrix = matrix;
  matricesChanged = true;
}

const TVexmora3DMatrix& TVexmora3D::GetTransformedMatrix() {
  if (matricesChanged) {
    transformedMatrix = worldMatrix * viewMatrix * projectionMatrix * viewportMatrix;
    matricesChanged = false;
  }
  return transformedMatrix;
}

void TVexmora3D::SetLight(const plat::D3DLIGHT7* light, int index, bool enable) {
  if (!device || index < 0) return;
  if (light) device->SetLight(static_cast<std::uint32_t>(index), *light);
  device->LightEnable(static_cast<std::uint32_t>(index), enable);
}

void TVexmora3D::SetMaterial(const plat::D3DMATERIAL7& material) {
  if (device) device->SetMaterial(material);
}

void TVexmora3D::SetZBuffer(bool enable) {
  if (device) device->SetRenderState(RS::ZENABLE, enable ? plat::D3DZB_TRUE : plat::D3DZB_FALSE);
}

void TVexmora3D::SetFlatShade(bool flat) {
  if (device)
    device->SetRenderState(RS::SHADEMODE, flat ? plat::D3DSHADE_FLAT : plat::D3DSHADE_GOURAUD);
  flatShadeState = flat;
}

void TVexmora3D::SetAlphaBlend(TAlphaBlendEffect effect) {
  alphaBlendState = effect;
  if (!device) return;
  if (effect == aeNone) {
    device->SetRenderState(RS::ALPHABLENDENABLE, 0);
    return;
  }
  // Source and destination factor per effect; unknown effects blend with 0, 0.
  static constexpr std::uint32_t kFactors[kAlphaEffects][2] = {
      {0, 0},
      {plat::D3DBLEND_BOTHSRCALPHA, plat::D3DBLEND_ZERO},
      {plat::D3DBLEND_SRCALPHA, plat::D3DBLEND_ONE},
      {plat::D3DBLEND_ZERO, plat::D3DBLEND_INVSRCCOLOR},
      {plat::D3DBLEND_ZERO, plat::D3DBLEND_SRCCOLOR}};
  const std::uint32_t* f = effect < kAlphaEffects ? kFactors[effect] : kFactors[0];
  device->SetRenderState(RS::ALPHABLENDENABLE, 1);
  device->SetRenderState(RS::SRCBLEND, f[0]);
  device->SetRenderState(RS::DESTBLEND, f[1]);
}

void TVexmora3D::SetMultiTexture(TMultiTextureEffect effect) {
  static constexpr std::uint32_t kOps[] = {
      plat::D3DTOP_DISABLE,  plat::D3DTOP_BLENDDIFFUSEALPHA, plat::D3DTOP_ADD,
      plat::D3DTOP_SUBTRACT, plat::D3DTOP_MODULATE,          plat::D3DTOP_MODULATE2X,
      plat::D3DTOP_MODULATE4X, plat::D3DTOP_ADDSMOOTH};
  multiTextureState = effect;
  if (device) device->SetTextureStageState(1, TSS::COLOROP, effect < std::size(kOps) ? kOps[effect] : 0);
}

void TVexmora3D::SetTexture(TVexmora3DTexture* texture, int stage) {
  if (stage < 0 || stage > 1) return;
  stageTextures[static_cast<std::size_t>(stage)] = texture;
  if (device) device->SetTexture(stage, texture ? texture->GetSurface() : nullptr);
}

void TVexmora3D::SetTexture(const std::string& name, int stage) {
  SetTexture(&textures.Lookup(name), stage);
}

void TVexmora3D::DrawPrimitive(const TVexmora3DTLVertex* vertices, std::uint32_t vertexCount) {
  if (!device) return;
  // The device takes at most 0xFFFF vertices a call: whole triangles per chunk.
  constexpr std::uint32_t kChunk = plat::D3DMAXNUMVERTICES / 3 * 3;
  for (std::uint32_t first = 0; first + 3 <= vertexCount; first += kChunk) {
    const std::uint32_t n = std::min(kChunk, (vertexCount - first) / 3 * 3);
    device->DrawPrimitive(plat::D3DPRIMITIVETYPE::TRIANGLELIST, kTLVertexFvf, vertices + first, n);
  }
}

void TVexmora3D::DrawIndexed(const TVexmora3DVertex* vertices, std::uint32_t vertexCount,
                             const std::uint16_t* indices, std::uint32_t indexCount) {
  if (alphaBlendState != aeNone) {
    DrawIndexedAlphaVertex(vertices, vertexCount, indices, indexCount);
    return;
  }
  if (device)
    device->DrawIndexedPrimitive(plat::D3DPRIMITIVETYPE::TRIANGLELIST, kVertexFvf, vertices,
                                 vertexCount, indices, indexCount, 0);
}

void TVexmora3D::CreateTexture(const std::string& name, const std::string& fileName,
                               int patternWidth, int patternHeight) {
  textures.Create(
      name, fileName, [] { return new TVexmora3DTexture; },
      [&](TVexmora3DTexture& t) {
        t.LoadFile(*directDraw, *device, name, fileName, patternWidth, patternHeight);
      });
}

TVexmora3DTexture* TVexmora3D::GetTexture(const std::string& name) const {
  return &textures.Lookup(name);
}

void TVexmora3D::Forget(const TVexmora3DTexture* texture) {
  for (int stage = 0; stage < 2; ++stage)
    if (stageTextures[static_cast<std::size_t>(stage)] == texture) SetTexture(nullptr, stage);
  for (auto& bucket : alphaBuckets)
    for (TVexmora3DTriangle& t : bucket) {
      if (t.texture0 == texture) t.texture0 = nullptr;
      if (t.texture1 == texture) t.texture1 = nullptr;
    }
}

void TVexmora3D::DeleteTexture(const std::string& name) {
  if (TVexmora3DTexture* t = textures.Find(name)) Forget(t);
  textures.Delete(name);
}

void TVexmora3D::DeleteAllTexture() {
  for (const auto& [name, texture] : textures.Entries()) Forget(texture.get());
  textures.DeleteAll();
}

void TVexmora3D::CreateObject(const std::string& name, const std::string& fileName) {
  if (!initialised) throw EVx3D(VexmoraSystem::kNotInitialised);
  objects.CreateObject(this, name, fileName);
}

std::size_t TVexmora3D::QueuedTriangles() const {
  std::size_t n = 0;
  for (const auto& bucket : alphaBuckets) n += bucket.size();
  return n;
}

void Register() { VexmoraSystem::RegisterVexmoraComponent<TVexmora3D>("TVexmora3D"); }

}  // namespace Vexmora3DSystem
