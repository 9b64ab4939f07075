// raster.h — the software rasteriser behind the RGB device: transformed
// triangles (lists, strips, indexed lists) into a 16-bit 5:6:5 / 5:5:5 or
// 32-bit X8R8G8B8 target with an optional 16, 24(+8) or 32-bit Z buffer.
//
// Conventions: pixel centres sit at integer coordinates; a pixel is drawn
// when its centre lies inside the triangle or on a top or left edge, so two
// triangles sharing an edge draw its pixels exactly once. Positions snap to
// 1/16 pixel. The viewport always scissors; vertices far outside it are
// clipped against a guard band first, so nothing is written outside the
// target. Colours and Z interpolate linearly in screen space, texture
// coordinates with rhw when `perspective` is set.
//
// Texturing: two stages sharing the vertex's one coordinate pair; point
// sampling takes texel floor(u * W), bilinear weights texel centres at
// (i + 0.5) / W; CLAMP or WRAP addressing (MIRROR reads as WRAP). A stage
// without a texture reads opaque white. With `colorKey` set, a pixel whose
// point-sampled texel equals its texture's key is not drawn (no Z write).
//
// Pixels: colour maths on 8-bit channels, written in the target's format
// with unused X bits 0; 16-bit channels widen by bit replication when read
// for blending and narrow by truncation when written.
//
// Enumerator values are Direct3D 7's, so the device can cast its DWORD
// states straight in. Values outside the lists act as documented per field
// (unknown texture arguments read CURRENT). Dithering, fog, stencil,
// wireframe and mipmaps are not supported.
//
// Speed: spans run eight pixels at a time on SSE2 for every state whose
// textures soa_sampler.h can read (not WRAP on sides that are not powers of
// two); the usual 3D state (texture x diffuse, specular, SRCALPHA blend)
// has its own specialised loop. The perspective divide is exact at every
// pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "plat/base.h"

namespace plat::d3d::raster {

enum class TargetFormat : std::uint8_t { R5G6B5, X1R5G5B5, X8R8G8B8 };
enum class ZFormat : std::uint8_t { None, Z16, Z24S8, Z32 };  // Z24S8: stencil byte on top, kept
enum class TextureFormat : std::uint8_t { A1R5G5B5, R5G6B5, X1R5G5B5, A4R4G4B4, A8R8G8B8 };

// Unknown blend factors (the 3D component sets 0) act as Zero.
enum class Blend : std::uint32_t {
  Zero = 1,
  One = 2,
  SrcColor = 3,
  InvSrcColor = 4,
  SrcAlpha = 5,
  InvSrcAlpha = 6,
  BothSrcAlpha = 12  // as SRCBLEND: source As, destination 1 - As, DESTBLEND ignored;
                     // as DESTBLEND it is unknown (Zero)
};
// Unknown operations (0 included) act as Disable.
enum class TexOp : std::uint32_t {
  Disable = 1,
  SelectArg1 = 2,
  SelectArg2 = 3,
  Modulate = 4,
  Modulate2x = 5,
  Modulate4x = 6,
  Add = 7,
  Subtract = 10,
  AddSmooth = 11,
  BlendDiffuseAlpha = 12
};
enum class TexArg : std::uint32_t { Diffuse = 0, Current = 1, Texture = 2 };
enum class Filter : std::uint32_t { Point = 1, Linear = 2 };
enum class Address : std::uint32_t { Wrap = 1, Mirror = 2, Clamp = 3 };
enum class Cull : std::uint32_t { None = 1, CW = 2, CCW = 3 };
enum class Shade : std::uint32_t { Flat = 1, Gouraud = 2 };

// Pitches are in bytes and may include padding. `z` may be null (no Z buffer).
struct RenderTarget {
  void* pixels = nullptr;
  std::ptrdiff_t pitch = 0;
  int width = 0, height = 0;
  TargetFormat format = TargetFormat::X8R8G8B8;
  void* z = nullptr;
  std::ptrdiff_t zPitch = 0;
  ZFormat zFormat = ZFormat::None;
};

// `colorKey` is a raw texel value of the texture's own format.
struct Texture {
  const void* texels = nullptr;
  std::ptrdiff_t pitch = 0;
  int width = 0, height = 0;
  TextureFormat format = TextureFormat::R5G6B5;
  bool hasColorKey = false;
  std::uint32_t colorKey = 0;
};

// Screen rectangle drawing is limited to (clipped to the target), and the
// depth range the T&L path maps z into.
struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
  float minZ = 0.0f, maxZ = 1.0f;
};

// One texture stage. `filter` is the magnification filter (no mipmaps, so
// minification uses it too).
struct Stage {
  TexOp colorOp = TexOp::Disable, alphaOp = TexOp::Disable;
  TexArg colorArg1 = TexArg::Texture, colorArg2 = TexArg::Current;
  TexArg alphaArg1 = TexArg::Texture, alphaArg2 = TexArg::Current;
  Filter filter = Filter::Point;
  Address address = Address::Wrap;
  const Texture* texture = nullptr;
};

// Defaults are Direct3D 7's device defaults. Z test is LESSEQUAL.
struct State {
  Viewport viewport;
  bool zEnable = false, zWrite = true;
  Cull cull = Cull::CCW;
  Shade shade = Shade::Gouraud;
  bool perspective = true;
  bool specular = false;
  bool alphaBlend = false;
  Blend srcBlend = Blend::One, dstBlend = Blend::Zero;
  bool colorKey = false;
  Stage stages[2] = {{TexOp::Modulate, TexOp::SelectArg1}, {}};
};

// Transformed and lit vertex, laid out as FVF XYZRHW | DIFFUSE | SPECULAR |
// TEX1 (32 bytes). Colours are 0xAARRGGBB; specular alpha is unused.
struct TLVertex {
  float x = 0, y = 0, z = 0, rhw = 1;
  std::uint32_t diffuse = 0xFFFFFFFF, specular = 0;
  float u = 0, v = 0;
};
static_assert(sizeof(TLVertex) == 32);

// Triangle i of a strip uses vertices i, i+1, i+2 (odd ones wound the other
// way for culling); flat shading takes the colours of each triangle's first
// vertex. Indices past the vertex array drop their triangle.
void DrawTriangleList(const RenderTarget& target, const State& state,
                      std::span<const TLVertex> vertices);
void DrawTriangleStrip(const RenderTarget& target, const State& state,
                       std::span<const TLVertex> vertices);
void DrawIndexedTriangleList(const RenderTarget& target, const State& state,
                             std::span<const TLVertex> vertices,
                             std::span<const std::uint16_t> indices);

// Fills `area` (clipped to the target) with `color` (0xAARRGGBB, converted to
// the target format) and/or the Z buffer with `z` (0..1; stencil bits kept).
void ClearTarget(const RenderTarget& target, const Rect& area, ArgbColor color);
void ClearZ(const RenderTarget& target, const Rect& area, float z);

}  // namespace plat::d3d::raster
