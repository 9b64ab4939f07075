// device_state.h — internal to the Direct3D stand-in: what a device holds
// (target, textures, states as set, transforms, lights, material, scene)
// and the translation of its states into the rasteriser's and the T&L
// core's.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "plat/d3d.h"
#include "raster/raster.h"
#include "raster/tnl.h"

namespace plat::detail {

inline constexpr int kStages = 2;
inline constexpr std::uint32_t kMaxLightIndex = 4096;

struct DeviceLight {
  D3DLIGHT7 light;
  bool enabled = false;
};

struct DeviceState {
  DeviceState(D3DDEVTYPE t, std::shared_ptr<IDirectDrawSurface7> target);

  D3DDEVTYPE type;
  std::shared_ptr<IDirectDrawSurface7> target;
  std::array<std::shared_ptr<IDirectDrawSurface7>, kStages> textures;
  D3DVIEWPORT7 viewport;
  std::map<std::uint32_t, std::uint32_t> renderStates;  // every supported state, as set
  std::array<std::map<std::uint32_t, std::uint32_t>, kStages> stageStates;
  D3DMATRIX world, view, projection;
  std::map<std::uint32_t, DeviceLight> lights;
  D3DMATERIAL7 material;
  bool inScene = false;
  // Kept between draw calls for their capacity.
  std::vector<d3d::raster::Vertex> mesh;
  std::vector<d3d::raster::TLVertex> tl;
  std::vector<d3d::raster::ClipVertex> clip;
  std::vector<d3d::raster::Light> enabledLights;

  std::uint32_t Render(D3DRENDERSTATETYPE t) const {
    return renderStates.at(static_cast<std::uint32_t>(t));
  }
  std::uint32_t Stage(int stage, D3DTEXTURESTAGESTATETYPE t) const {
    return stageStates[static_cast<std::size_t>(stage)].at(static_cast<std::uint32_t>(t));
  }
  // The rasteriser's state (textures left null) and the T&L core's (lights
  // pointing into enabledLights, refreshed by the call).
  d3d::raster::State RasterState() const;
  d3d::raster::TnlState TnlState();
};

// The whole of `target` with depth 0..1.
D3DVIEWPORT7 FullViewport(const IDirectDrawSurface7& target);

}  // namespace plat::detail
