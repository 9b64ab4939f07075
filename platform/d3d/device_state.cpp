// device_state.cpp — a device's settable state: render and texture stage
// states (D3D7 defaults, refused values), viewport, transforms, lights,
// material and stage textures, and their translation for a draw call.
#include "device_state.h"

#include "../ddraw/surface_data.h"
#include "formats.h"
#include "plat/testing.h"

namespace plat {
namespace detail {
namespace {

using RS = D3DRENDERSTATETYPE;
using TS = D3DTEXTURESTAGESTATETYPE;
namespace r = d3d::raster;

constexpr D3DMATRIX kIdentity{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

std::map<std::uint32_t, std::uint32_t> DefaultRenderStates() {
  const std::pair<RS, std::uint32_t> all[] = {{RS::ANTIALIAS, 0},
                                              {RS::TEXTUREPERSPECTIVE, 1},
                                              {RS::ZENABLE, D3DZB_FALSE},
                                              {RS::FILLMODE, D3DFILL_SOLID},
                                              {RS::SHADEMODE, D3DSHADE_GOURAUD},
                                              {RS::ZWRITEENABLE, 1},
                                              {RS::SRCBLEND, D3DBLEND_ONE},
                                              {RS::DESTBLEND, D3DBLEND_ZERO},
                                              {RS::CULLMODE, D3DCULL_CCW},
                                              {RS::ZFUNC, D3DCMP_LESSEQUAL},
                                              {RS::DITHERENABLE, 0},
                                              {RS::ALPHABLENDENABLE, 0},
                                              {RS::SPECULARENABLE, 0},
                                              {RS::COLORKEYENABLE, 0},
                                              {RS::CLIPPING, 1},
                                              {RS::LIGHTING, 1},
                                              {RS::AMBIENT, 0},
                                              {RS::LOCALVIEWER, 1},
                                              {RS::NORMALIZENORMALS, 0}};
  std::map<std::uint32_t, std::uint32_t> m;
  for (const auto& [type, value] : all) m[static_cast<std::uint32_t>(type)] = value;
  return m;
}

std::map<std::uint32_t, std::uint32_t> DefaultStageStates(int stage) {
  const std::uint32_t first = stage == 0;
  const std::pair<TS, std::uint32_t> all[] = {
      {TS::COLOROP, first ? D3DTOP_MODULATE : D3DTOP_DISABLE},
      {TS::COLORARG1, D3DTA_TEXTURE},
      {TS::COLORARG2, D3DTA_CURRENT},
      {TS::ALPHAOP, first ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE},
      {TS::ALPHAARG1, D3DTA_TEXTURE},
      {TS::ALPHAARG2, D3DTA_CURRENT},
      {TS::TEXCOORDINDEX, static_cast<std::uint32_t>(stage)},
      {TS::ADDRESS, D3DTADDRESS_WRAP},
      {TS::MAGFILTER, D3DTFG_POINT},
      {TS::MINFILTER, D3DTFN_POINT}};
  std::map<std::uint32_t, std::uint32_t> m;
  for (const auto& [type, value] : all) m[static_cast<std::uint32_t>(type)] = value;
  return m;
}

// DD_OK, or why `value` cannot be given to state `type`.
HRESULT CheckRenderState(RS type, std::uint32_t value) {
  switch (type) {
    case RS::FILLMODE:
      return value == D3DFILL_SOLID ? DD_OK : DDERR_UNSUPPORTED;
    case RS::ZFUNC:
      return value == D3DCMP_LESSEQUAL ? DD_OK : DDERR_UNSUPPORTED;
    case RS::SHADEMODE:  // PHONG (3) shades as GOURAUD
      return value >= D3DSHADE_FLAT && value <= 3 ? DD_OK : DDERR_INVALIDPARAMS;
    case RS::CULLMODE:
      return value >= D3DCULL_NONE && value <= D3DCULL_CCW ? DD_OK : DDERR_INVALIDPARAMS;
    default:
      return DD_OK;
  }
}

HRESULT CheckStageState(TS type, std::uint32_t value) {
  switch (type) {
    case TS::ADDRESS:
      return value >= D3DTADDRESS_WRAP && value <= D3DTADDRESS_CLAMP ? DD_OK : DDERR_UNSUPPORTED;
    case TS::MAGFILTER:
    case TS::MINFILTER:
      return value == D3DTFG_POINT || value == D3DTFG_LINEAR ? DD_OK : DDERR_UNSUPPORTED;
    default:
      return DD_OK;
  }
}

r::Matrix ToMatrix(const D3DMATRIX& m) {
  r::Matrix out;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) out.m[i][j] = m.m[i][j];
  return out;
}

r::ColorValue ToColor(const D3DCOLORVALUE& c) {
  return {c.r, c.g, c.b, c.a};
}

}  // namespace

DeviceState::DeviceState(D3DDEVTYPE t, std::shared_ptr<IDirectDrawSurface7> s)
    : type(t),
      target(std::move(s)),
      viewport(FullViewport(*target)),
      renderStates(DefaultRenderStates()),
      stageStates{DefaultStageStates(0), DefaultStageStates(1)},
      world(kIdentity),
      view(kIdentity),
      projection(kIdentity) {}

D3DVIEWPORT7 FullViewport(const IDirectDrawSurface7& target) {
  const SurfaceData& d = target.Data();
  return {0, 0, static_cast<std::uint32_t>(d.width), static_cast<std::uint32_t>(d.height), 0, 1};
}

r::State DeviceState::RasterState() const {
  r::State s;
  s.viewport = {static_cast<int>(viewport.dwX),
                static_cast<int>(viewport.dwY),
                static_cast<int>(viewport.dwWidth),
                static_cast<int>(viewport.dwHeight),
                viewport.dvMinZ,
                viewport.dvMaxZ};
  s.zEnable = Render(RS::ZENABLE) != D3DZB_FALSE;
  s.zWrite = Render(RS::ZWRITEENABLE) != 0;
  s.cull = static_cast<r::Cull>(Render(RS::CULLMODE));
  s.shade = Render(RS::SHADEMODE) == D3DSHADE_FLAT ? r::Shade::Flat : r::Shade::Gouraud;
  s.perspective = Render(RS::TEXTUREPERSPECTIVE) != 0;
  s.specular = Render(RS::SPECULARENABLE) != 0;
  s.alphaBlend = Render(RS::ALPHABLENDENABLE) != 0;
  s.srcBlend = static_cast<r::Blend>(Render(RS::SRCBLEND));
  s.dstBlend = static_cast<r::Blend>(Render(RS::DESTBLEND));
  s.colorKey = Render(RS::COLORKEYENABLE) != 0;
  for (int i = 0; i < kStages; ++i) {
    r::Stage& st = s.stages[i];
    st.colorOp = static_cast<r::TexOp>(Stage(i, TS::COLOROP));
    st.alphaOp = static_cast<r::TexOp>(Stage(i, TS::ALPHAOP));
    st.colorArg1 = static_cast<r::TexArg>(Stage(i, TS::COLORARG1));
    st.colorArg2 = static_cast<r::TexArg>(Stage(i, TS::COLORARG2));
    st.alphaArg1 = static_cast<r::TexArg>(Stage(i, TS::ALPHAARG1));
    st.alphaArg2 = static_cast<r::TexArg>(Stage(i, TS::ALPHAARG2));
    st.filter = static_cast<r::Filter>(Stage(i, TS::MAGFILTER));
    st.address = static_cast<r::Address>(Stage(i, TS::ADDRESS));
    st.texture = nullptr;
  }
  return s;
}

r::TnlState DeviceState::TnlState() {
  r::TnlState t;
  t.world = ToMatrix(world);
  t.view = ToMatrix(view);
  t.projection = ToMatrix(projection);
  t.viewport = RasterState().viewport;
  t.lighting = Render(RS::LIGHTING) != 0;
  t.clipping = Render(RS::CLIPPING) != 0;
  t.specular = Render(RS::SPECULARENABLE) != 0;
  t.normalizeNormals = Render(RS::NORMALIZENORMALS) != 0;
  t.localViewer = Render(RS::LOCALVIEWER) != 0;
  t.flat = Render(RS::SHADEMODE) == D3DSHADE_FLAT;
  t.ambient = Render(RS::AMBIENT) & 0xFFFFFFu;
  t.material = {ToColor(material.diffuse), ToColor(material.ambient), ToColor(material.specular),
                ToColor(material.emissive), material.power};
  enabledLights.clear();
  for (const auto& [index, l] : lights) {
    if (!l.enabled) continue;
    const D3DLIGHT7& d = l.light;
    enabledLights.push_back({ToColor(d.diffuse),
                             ToColor(d.specular),
                             ToColor(d.ambient),
                             {d.direction[0], d.direction[1], d.direction[2]}});
  }
  t.lights = enabledLights;
  return t;
}

}  // namespace detail

using detail::kStages;
using RS = D3DRENDERSTATETYPE;
using TS = D3DTEXTURESTAGESTATETYPE;

HRESULT IDirect3DDevice7::SetViewport(const D3DVIEWPORT7& v) {
  if (testing::ShouldFail(testing::Fault::SetViewport)) return DDERR_GENERIC;
  const detail::SurfaceData& t = s_->target->Data();
  const std::uint64_t right = std::uint64_t{v.dwX} + v.dwWidth;
  const std::uint64_t bottom = std::uint64_t{v.dwY} + v.dwHeight;
  if (v.dwWidth == 0 || v.dwHeight == 0 || right > static_cast<std::uint64_t>(t.width) ||
      bottom > static_cast<std::uint64_t>(t.height))
    return DDERR_INVALIDPARAMS;
  if (!(v.dvMinZ >= 0 && v.dvMinZ <= v.dvMaxZ && v.dvMaxZ <= 1)) return DDERR_INVALIDPARAMS;
  s_->viewport = v;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetViewport(D3DVIEWPORT7& v) const {
  v = s_->viewport;
  return D3D_OK;
}

namespace {
D3DMATRIX* Slot(detail::DeviceState& s, D3DTRANSFORMSTATETYPE type) {
  switch (type) {
    case D3DTRANSFORMSTATETYPE::WORLD:
      return &s.world;
    case D3DTRANSFORMSTATETYPE::VIEW:
      return &s.view;
    case D3DTRANSFORMSTATETYPE::PROJECTION:
      return &s.projection;
  }
  return nullptr;
}
}  // namespace

HRESULT IDirect3DDevice7::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX& m) {
  D3DMATRIX* slot = Slot(*s_, type);
  if (!slot) return DDERR_INVALIDPARAMS;
  *slot = m;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX& m) const {
  const D3DMATRIX* slot = Slot(*s_, type);
  if (!slot) return DDERR_INVALIDPARAMS;
  m = *slot;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetRenderState(D3DRENDERSTATETYPE type, std::uint32_t value) {
  auto it = s_->renderStates.find(static_cast<std::uint32_t>(type));
  if (it == s_->renderStates.end()) return DDERR_INVALIDPARAMS;
  if (HRESULT r = detail::CheckRenderState(type, value)) return r;
  it->second = value;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetRenderState(D3DRENDERSTATETYPE type, std::uint32_t& value) const {
  auto it = s_->renderStates.find(static_cast<std::uint32_t>(type));
  if (it == s_->renderStates.end()) return DDERR_INVALIDPARAMS;
  value = it->second;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetTextureStageState(int stage, D3DTEXTURESTAGESTATETYPE type,
                                               std::uint32_t value) {
  if (stage < 0 || stage >= kStages) return DDERR_INVALIDPARAMS;
  auto& states = s_->stageStates[static_cast<std::size_t>(stage)];
  auto it = states.find(static_cast<std::uint32_t>(type));
  if (it == states.end()) return DDERR_INVALIDPARAMS;
  if (HRESULT r = detail::CheckStageState(type, value)) return r;
  it->second = value;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetTextureStageState(int stage, D3DTEXTURESTAGESTATETYPE type,
                                               std::uint32_t& value) const {
  if (stage < 0 || stage >= kStages) return DDERR_INVALIDPARAMS;
  const auto& states = s_->stageStates[static_cast<std::size_t>(stage)];
  auto it = states.find(static_cast<std::uint32_t>(type));
  if (it == states.end()) return DDERR_INVALIDPARAMS;
  value = it->second;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetTexture(int stage, const std::shared_ptr<IDirectDrawSurface7>& t) {
  if (stage < 0 || stage >= kStages) return DDERR_INVALIDPARAMS;
  if (t && !(t->Data().caps & DDSCAPS_TEXTURE)) return DDERR_INVALIDCAPS;
  s_->textures[static_cast<std::size_t>(stage)] = t;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetLight(std::uint32_t index, const D3DLIGHT7& light) {
  if (index >= detail::kMaxLightIndex) return DDERR_INVALIDPARAMS;
  if (light.type != D3DLIGHT_DIRECTIONAL)
    return light.type == D3DLIGHT_POINT || light.type == D3DLIGHT_SPOT ? DDERR_UNSUPPORTED
                                                                       : DDERR_INVALIDPARAMS;
  const float* d = light.direction;
  if (!(d[0] * d[0] + d[1] * d[1] + d[2] * d[2] > 0)) return DDERR_INVALIDPARAMS;
  s_->lights[index].light = light;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetLight(std::uint32_t index, D3DLIGHT7& light) const {
  auto it = s_->lights.find(index);
  if (it == s_->lights.end()) return DDERR_NOTFOUND;
  light = it->second.light;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::LightEnable(std::uint32_t index, bool enable) {
  if (index >= detail::kMaxLightIndex) return DDERR_INVALIDPARAMS;
  auto it = s_->lights.find(index);
  if (enable && !(it != s_->lights.end() && it->second.enabled)) {
    std::size_t on = 0;
    for (const auto& [i, l] : s_->lights) on += l.enabled;
    if (on >= d3d::raster::kMaxLights) return DDERR_INVALIDPARAMS;
  }
  if (it == s_->lights.end()) {
    if (!enable) return D3D_OK;
    D3DLIGHT7 white;
    white.diffuse = {1, 1, 1, 0};
    it = s_->lights.emplace(index, detail::DeviceLight{white, false}).first;
  }
  it->second.enabled = enable;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetLightEnable(std::uint32_t index, bool& enabled) const {
  auto it = s_->lights.find(index);
  if (it == s_->lights.end()) return DDERR_NOTFOUND;
  enabled = it->second.enabled;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::SetMaterial(const D3DMATERIAL7& m) {
  s_->material = m;
  return D3D_OK;
}

HRESULT IDirect3DDevice7::GetMaterial(D3DMATERIAL7& m) const {
  m = s_->material;
  return D3D_OK;
}

}  // namespace plat
