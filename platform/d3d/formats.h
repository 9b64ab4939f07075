// formats.h — internal to the Direct3D stand-in: the Z-buffer and texture
// formats the devices offer, and the rasteriser formats surfaces map to.
#pragma once

#include <vector>

#include "plat/ddraw.h"
#include "raster/raster.h"

namespace plat::d3d {

const std::vector<DDPIXELFORMAT>& ZBufferFormats();
const std::vector<DDPIXELFORMAT>& TextureFormats();

// False when the surface format cannot be that kind of surface.
bool TargetFormatOf(const DDPIXELFORMAT& f, raster::TargetFormat& out);
bool ZFormatOf(const DDPIXELFORMAT& f, raster::ZFormat& out);
bool TextureFormatOf(const DDPIXELFORMAT& f, raster::TextureFormat& out);

}  // namespace plat::d3d
