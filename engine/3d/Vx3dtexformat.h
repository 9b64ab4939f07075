// Vx3dtexformat.h — the rules a 3D texture follows on a given device: its
// pixel format, its surface size, its pattern grid and its transparency.
//
// Textures are 16-bit. A format with one alpha bit (1:5:5:5) is preferred so
// black can be keyed out; 4:4:4:4, alpha-only, FourCC and palettised formats
// are never used. Sizes are rounded up to powers of two and squared when the
// device demands it, and clamped to its maximum (0 reported means 256).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plat/d3d.h"
#include "plat/ddraw.h"

namespace Vexmora3DSystem {

struct TVexmora3DTextureInfo {
  float patternU = 0;  // pattern width in texture coordinates
  float patternV = 0;
  int columns = 0;     // patterns per row
  int count = 0;       // patterns in the bitmap
  int patternWidth = 0, patternHeight = 0;  // in bitmap pixels
  std::string name;      // key in the texture table
  std::string fileName;  // resource name or file path
};

// The pattern grid of a `width` × `height` bitmap; a pattern size of 0 (or
// less) means the whole bitmap. The bitmap must not be empty.
TVexmora3DTextureInfo TexturePatterns(int width, int height, int patternWidth, int patternHeight);

// Whether `format` is a usable 16-bit format with (or without) alpha pixels.
bool TextureFormatAccepted(const plat::DDPIXELFORMAT& format, bool wantAlpha);
// The first accepted format with alpha, else the first without; none: empty.
std::optional<plat::DDPIXELFORMAT> ChooseTextureFormat(
    const std::vector<plat::DDPIXELFORMAT>& formats);

struct TTextureSize {
  std::uint32_t width, height;
};
TTextureSize TextureSurfaceSize(std::uint32_t width, std::uint32_t height,
                                const plat::D3DDEVICEDESC7& caps);

// Makes black pixels of a locked 16-bit surface fully transparent and every
// other pixel opaque; bits outside the colour and alpha masks are kept. A
// format without alpha bits is left alone.
void KeyBlackToTransparent(void* bits, std::int32_t pitch, std::uint32_t width,
                           std::uint32_t height, const plat::DDPIXELFORMAT& format);

}  // namespace Vexmora3DSystem
