// formats.cpp — the Z-buffer and texture formats offered (in a fixed order
// callers rely on: the first match wins), the checks DirectDraw applies when
// such surfaces are created, and the mapping to the rasteriser's formats.
#include "formats.h"

#include "../ddraw/surface_data.h"

namespace plat::d3d {
namespace {

DDPIXELFORMAT Z(std::uint32_t bits, std::uint32_t mask, std::uint32_t stencil) {
  DDPIXELFORMAT f;
  f.dwFlags = DDPF_ZBUFFER;
  f.dwRGBBitCount = f.dwZBufferBitDepth = bits;
  f.dwRBitMask = f.dwGBitMask = f.dwBBitMask = 0;
  f.dwZBitMask = mask;
  f.dwStencilBitDepth = stencil;
  return f;
}

DDPIXELFORMAT Rgb(std::uint32_t bits, std::uint32_t a, std::uint32_t r, std::uint32_t g,
                  std::uint32_t b) {
  DDPIXELFORMAT f;
  f.dwFlags = DDPF_RGB | (a ? DDPF_ALPHAPIXELS : 0u);
  f.dwRGBBitCount = bits;
  f.dwRGBAlphaBitMask = a;
  f.dwRBitMask = r;
  f.dwGBitMask = g;
  f.dwBBitMask = b;
  return f;
}

bool SameRgb(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b) {
  return a.dwRGBBitCount == b.dwRGBBitCount && a.dwRBitMask == b.dwRBitMask &&
         a.dwGBitMask == b.dwGBitMask && a.dwBBitMask == b.dwBBitMask &&
         a.dwRGBAlphaBitMask == b.dwRGBAlphaBitMask && !(a.dwFlags & DDPF_ZBUFFER) &&
         !(a.dwFlags & (DDPF_FOURCC | DDPF_PALETTEINDEXED4 | DDPF_PALETTEINDEXED8));
}

}  // namespace

const std::vector<DDPIXELFORMAT>& ZBufferFormats() {
  static const std::vector<DDPIXELFORMAT> formats{Z(16, 0xFFFF, 0), Z(32, 0xFFFFFF, 8),
                                                  Z(32, 0xFFFFFFFF, 0)};
  return formats;
}

const std::vector<DDPIXELFORMAT>& TextureFormats() {
  static const std::vector<DDPIXELFORMAT> formats{
      Rgb(16, 0x8000, 0x7C00, 0x03E0, 0x001F), Rgb(16, 0, 0xF800, 0x07E0, 0x001F),
      Rgb(16, 0, 0x7C00, 0x03E0, 0x001F), Rgb(16, 0xF000, 0x0F00, 0x00F0, 0x000F),
      Rgb(32, 0xFF000000, 0xFF0000, 0x00FF00, 0x0000FF)};
  return formats;
}

bool TargetFormatOf(const DDPIXELFORMAT& f, raster::TargetFormat& out) {
  if (SameRgb(f, Rgb(16, 0, 0xF800, 0x07E0, 0x001F))) {
    out = raster::TargetFormat::R5G6B5;
  } else if (SameRgb(f, Rgb(16, 0, 0x7C00, 0x03E0, 0x001F))) {
    out = raster::TargetFormat::X1R5G5B5;
  } else if (SameRgb(f, Rgb(32, 0, 0xFF0000, 0x00FF00, 0x0000FF))) {
    out = raster::TargetFormat::X8R8G8B8;
  } else {
    return false;
  }
  return true;
}

bool ZFormatOf(const DDPIXELFORMAT& f, raster::ZFormat& out) {
  static constexpr raster::ZFormat kinds[] = {raster::ZFormat::Z16, raster::ZFormat::Z24S8,
                                              raster::ZFormat::Z32};
  const auto& all = ZBufferFormats();
  for (std::size_t i = 0; i < all.size(); ++i)
    if ((f.dwFlags & DDPF_ZBUFFER) && f.dwRGBBitCount == all[i].dwRGBBitCount &&
        f.dwZBitMask == all[i].dwZBitMask) {
      out = kinds[i];
      return true;
    }
  return false;
}

bool TextureFormatOf(const DDPIXELFORMAT& f, raster::TextureFormat& out) {
  static constexpr raster::TextureFormat kinds[] = {
      raster::TextureFormat::A1R5G5B5, raster::TextureFormat::R5G6B5,
      raster::TextureFormat::X1R5G5B5, raster::TextureFormat::A4R4G4B4,
      raster::TextureFormat::A8R8G8B8};
  const auto& all = TextureFormats();
  for (std::size_t i = 0; i < all.size(); ++i)
    if (SameRgb(f, all[i])) {
      out = kinds[i];
      return true;
    }
  return false;
}

}  // namespace plat::d3d

namespace plat::detail {

testing::Fault CreationFault(const DDSURFACEDESC2& desc) {
  return desc.dwCaps & DDSCAPS_ZBUFFER ? testing::Fault::CreateZBuffer
                                       : testing::Fault::CreateSurface;
}

HRESULT Check3DSurface(const DDSURFACEDESC2& desc, const DDPIXELFORMAT& format) {
  const bool z = (desc.dwCaps & DDSCAPS_ZBUFFER) != 0;
  const bool texture = (desc.dwCaps & DDSCAPS_TEXTURE) != 0;
  if (z && texture) return DDERR_INVALIDCAPS;
  if ((desc.dwCaps2 & DDSCAPS2_TEXTUREMANAGE) && (!texture || desc.dwCaps & DDSCAPS_SYSTEMMEMORY))
    return DDERR_INVALIDCAPS;
  d3d::raster::ZFormat zf;
  d3d::raster::TextureFormat tf;
  if (z && !d3d::ZFormatOf(format, zf)) return DDERR_INVALIDPIXELFORMAT;
  if (texture && !d3d::TextureFormatOf(format, tf)) return DDERR_INVALIDPIXELFORMAT;
  if (!z && (format.dwFlags & DDPF_ZBUFFER)) return DDERR_INVALIDPIXELFORMAT;
  return DD_OK;
}

}  // namespace plat::detail
