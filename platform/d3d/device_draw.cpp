// device_draw.cpp — scenes, Clear and the draw calls: vertex formats and
// counts checked, the target, its Z buffer and the textures in use locked
// for the call, transformed vertices handed to the rasteriser and
// untransformed ones through transform and lighting first.
//
// Vertices are copied into the device's own arrays (the caller's may be any
// 32- or 28-byte struct), so nothing depends on the caller's alignment.
#include <cstring>
#include <vector>

#include "../ddraw/surface_data.h"
#include "device_state.h"
#include "formats.h"

namespace plat {
namespace {

namespace r = d3d::raster;
using detail::SurfaceData;

constexpr std::uint32_t kFvfTL = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1;
constexpr std::uint32_t kFvfTLNoSpecular = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr std::uint32_t kFvfMesh = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// The surfaces one call draws with, locked while it lives; `result` says
// why they could not be (nothing is locked then).
class DrawLock {
 public:
  DrawLock(detail::DeviceState& s, bool wantZ, bool withTextures, const r::State& state) {
    SurfaceData& t = s.target->Data();
    surfaces_.push_back(&t);
    if (wantZ && t.zbuffer) {
      const SurfaceData& z = *t.zbuffer;
      const bool hardware = s.type != D3DDEVTYPE::RGB;
      if (hardware == static_cast<bool>(z.caps & DDSCAPS_SYSTEMMEMORY)) {
        result = DDERR_INVALIDCAPS;
        return;
      }
      surfaces_.push_back(t.zbuffer.get());
    }
    for (int i = 0; withTextures && i < detail::kStages; ++i) {
      if (state.stages[i].colorOp == r::TexOp::Disable) break;
      if (const auto& tex = s.textures[static_cast<std::size_t>(i)]) {
        surfaces_.push_back(&tex->Data());
        stageTexture_[i] = &tex->Data();
      }
    }
    r::ZFormat zf = r::ZFormat::None;
    r::TextureFormat tf[detail::kStages] = {};
    bool known = d3d::TargetFormatOf(t.format, target.format);
    if (wantZ && t.zbuffer) known = known && d3d::ZFormatOf(t.zbuffer->format, zf);
    for (int i = 0; i < detail::kStages; ++i)
      if (stageTexture_[i]) known = known && d3d::TextureFormatOf(stageTexture_[i]->format, tf[i]);
    if (!known) {
      result = DDERR_INVALIDPIXELFORMAT;
      return;
    }
    for (const SurfaceData* d : surfaces_)
      if (d->lost) result = DDERR_SURFACELOST;
    for (const SurfaceData* d : surfaces_)
      if (!result && d->locks > 0) result = DDERR_SURFACEBUSY;
    if (result) return;
    for (SurfaceData* d : surfaces_) ++d->locks;
    locked_ = true;

    target.pixels = t.pixels.data();
    target.pitch = t.pitch;
    target.width = t.width;
    target.height = t.height;
    if (wantZ && t.zbuffer) {
      SurfaceData& z = *t.zbuffer;
      target.zFormat = zf;
      target.z = z.pixels.data();
      target.zPitch = z.pitch;
    }
    for (int i = 0; i < detail::kStages; ++i) {
      const SurfaceData* d = stageTexture_[i];
      if (!d) continue;
      textures[i] = {
          d->pixels.data(),          d->pitch, d->width, d->height, tf[i], d->key.has_value(),
          d->key ? (*d->key)[0] : 0u};
    }
  }
  ~DrawLock() {
    if (!locked_) return;
    for (SurfaceData* d : surfaces_) {
      --d->locks;
      d->Changed();
    }
  }
  DrawLock(const DrawLock&) = delete;
  DrawLock& operator=(const DrawLock&) = delete;

  // Points `state`'s stages at the locked textures.
  void Bind(r::State& state) const {
    for (int i = 0; i < detail::kStages; ++i)
      state.stages[i].texture = stageTexture_[i] ? &textures[i] : nullptr;
  }

  HRESULT result = DD_OK;
  r::RenderTarget target;
  r::Texture textures[detail::kStages];

 private:
  std::vector<SurfaceData*> surfaces_;
  const SurfaceData* stageTexture_[detail::kStages] = {};
  bool locked_ = false;
};

// Copies `count` transformed vertices of format `fvf` into `out`.
void CopyTransformed(std::uint32_t fvf, const void* vertices, std::uint32_t count,
                     std::vector<r::TLVertex>& out) {
  out.resize(count);
  if (fvf == kFvfTL) {
    std::memcpy(out.data(), vertices, count * sizeof(r::TLVertex));
    return;
  }
  const auto* p = static_cast<const std::uint8_t*>(vertices);
  for (std::uint32_t i = 0; i < count; ++i, p += 28) {
    r::TLVertex& v = out[i];
    std::memcpy(&v.x, p, 16);  // x, y, z, rhw
    std::memcpy(&v.diffuse, p + 16, 4);
    v.specular = 0;
    std::memcpy(&v.u, p + 20, 8);
  }
}

// Transforms, lights and clips `count` untransformed vertices forming the
// triangles `indices`, into a triangle list in s.tl.
void TransformMesh(detail::DeviceState& s, const void* vertices, std::uint32_t count,
                   std::span<const std::uint16_t> indices) {
  s.mesh.resize(count);
  std::memcpy(s.mesh.data(), vertices, count * sizeof(r::Vertex));
  const r::TnlState tnl = s.TnlState();
  s.tl.clear();
  r::ProcessIndexed(tnl, s.mesh, indices, s.clip, s.tl);
}

bool KnownFvf(std::uint32_t fvf) {
  return fvf == kFvfTL || fvf == kFvfTLNoSpecular || fvf == kFvfMesh;
}

}  // namespace

HRESULT IDirect3DDevice7::BeginScene() {
  if (s_->inScene) return D3DERR_SCENE_IN_SCENE;
  s_->inScene = true;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::EndScene() {
  if (!s_->inScene) return D3DERR_SCENE_NOT_IN_SCENE;
  s_->inScene = false;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::Clear(std::uint32_t flags, ArgbColor color, float z) {
  if (flags == 0 || (flags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER))) return DDERR_INVALIDPARAMS;
  const bool clearZ = (flags & D3DCLEAR_ZBUFFER) != 0;
  if (clearZ && !s_->target->Data().zbuffer) return D3DERR_ZBUFFER_NOTPRESENT;
  if (clearZ && !(z >= 0 && z <= 1)) return DDERR_INVALIDPARAMS;
  const r::State state = s_->RasterState();
  DrawLock lock(*s_, clearZ, false, state);
  if (lock.result) return lock.result;
  const r::Viewport& v = state.viewport;
  const Rect area{v.x, v.y, v.x + v.width, v.y + v.height};
  if (flags & D3DCLEAR_TARGET) r::ClearTarget(lock.target, area, color);
  if (clearZ) r::ClearZ(lock.target, area, z);
  return D3D_OK;
}

HRESULT IDirect3DDevice7::DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t fvf,
                                        const void* vertices, std::uint32_t count) {
  if (!s_->inScene) return DDERR_NOTINSCENE;
  const bool list = type == D3DPRIMITIVETYPE::TRIANGLELIST;
  if (!list && type != D3DPRIMITIVETYPE::TRIANGLESTRIP) return D3DERR_INVALIDPRIMITIVETYPE;
  if (!KnownFvf(fvf)) return D3DERR_INVALIDVERTEXFORMAT;
  if (count == 0) return D3D_OK;
  if (!vertices || count < 3 || count > D3DMAXNUMVERTICES || (list && count % 3 != 0))
    return DDERR_INVALIDPARAMS;
  r::State state = s_->RasterState();
  DrawLock lock(*s_, state.zEnable, true, state);
  if (lock.result) return lock.result;
  lock.Bind(state);
  if (fvf == kFvfMesh) {
    // A strip's triangle i is (i, i+1, i+2), odd ones listed the other way
    // round so that every triangle keeps the strip's winding.
    std::vector<std::uint16_t> indices;
    const std::uint32_t triangles = list ? count / 3 : count - 2;
    indices.reserve(triangles * 3);
    for (std::uint32_t t = 0; t < triangles; ++t) {
      const std::uint32_t a = list ? 3 * t : t;
      const bool swap = !list && (t & 1);
      indices.push_back(static_cast<std::uint16_t>(swap ? a + 1 : a));
      indices.push_back(static_cast<std::uint16_t>(swap ? a : a + 1));
      indices.push_back(static_cast<std::uint16_t>(a + 2));
    }
    TransformMesh(*s_, vertices, count, indices);
    r::DrawTriangleList(lock.target, state, s_->tl);
    return D3D_OK;
  }
  CopyTransformed(fvf, vertices, count, s_->tl);
  if (list)
    r::DrawTriangleList(lock.target, state, s_->tl);
  else
    r::DrawTriangleStrip(lock.target, state, s_->tl);
  return D3D_OK;
}

HRESULT IDirect3DDevice7::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::uint32_t fvf,
                                               const void* vertices, std::uint32_t vertexCount,
                                               const std::uint16_t* indices,
                                               std::uint32_t indexCount, std::uint32_t) {
  if (!s_->inScene) return DDERR_NOTINSCENE;
  if (type == D3DPRIMITIVETYPE::TRIANGLESTRIP) return DDERR_UNSUPPORTED;
  if (type != D3DPRIMITIVETYPE::TRIANGLELIST) return D3DERR_INVALIDPRIMITIVETYPE;
  if (!KnownFvf(fvf)) return D3DERR_INVALIDVERTEXFORMAT;
  if (indexCount == 0) return D3D_OK;
  if (!vertices || !indices || vertexCount == 0 || vertexCount > D3DMAXNUMVERTICES ||
      indexCount % 3 != 0)
    return DDERR_INVALIDPARAMS;
  const std::span<const std::uint16_t> index(indices, indexCount);
  for (std::uint16_t i : index)
    if (i >= vertexCount) return DDERR_INVALIDPARAMS;
  r::State state = s_->RasterState();
  DrawLock lock(*s_, state.zEnable, true, state);
  if (lock.result) return lock.result;
  lock.Bind(state);
  if (fvf == kFvfMesh) {
    TransformMesh(*s_, vertices, vertexCount, index);
    r::DrawTriangleList(lock.target, state, s_->tl);
  } else {
    CopyTransformed(fvf, vertices, vertexCount, s_->tl);
    r::DrawIndexedTriangleList(lock.target, state, s_->tl, index);
  }
  return D3D_OK;
}

}  // namespace plat
