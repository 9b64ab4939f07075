// raster_fixture.h — render targets and textures in plain memory for the
// rasteriser tests: exact-size buffers (so ASan sees any write past the
// end), padded pitches filled with a marker byte, pixel reads as 8-bit RGB,
// and vertex/quad builders.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "raster/raster.h"

namespace kxtest::raster {

namespace r = plat::d3d::raster;
inline constexpr std::uint8_t kPad = 0xCD;

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Canvas {
  int w, h, bpp, pitch;
  std::vector<std::uint8_t> pixels;
  std::vector<std::uint8_t> zbuf;
  int zBytes = 0;
  r::RenderTarget target;

  Canvas(int width, int height, r::TargetFormat f = r::TargetFormat::X8R8G8B8, int padBytes = 0)
      : w(width),
        h(height),
        bpp(f == r::TargetFormat::X8R8G8B8 ? 4 : 2),
        pitch(width * bpp + padBytes) {
    pixels.assign(static_cast<std::size_t>(pitch) * h, kPad);
    for (int y = 0; y < h; ++y)
      std::memset(&pixels[static_cast<std::size_t>(y) * pitch], 0, w * bpp);
    target = {pixels.data(), pitch, w, h, f};
  }
  // A Z buffer whose rows are padded by 4 bytes, every entry `fill`.
  void AddZ(r::ZFormat f, std::uint32_t fill) {
    zBytes = f == r::ZFormat::Z16 ? 2 : 4;
    const int zp = w * zBytes + 4;
    zbuf.assign(static_cast<std::size_t>(zp) * h, 0);
    target.z = zbuf.data();
    target.zPitch = zp;
    target.zFormat = f;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) std::memcpy(&zbuf[ZOffset(x, y)], &fill, zBytes);
  }
  std::size_t ZOffset(int x, int y) const {
    return static_cast<std::size_t>(y) * target.zPitch + static_cast<std::size_t>(x) * zBytes;
  }
  std::uint32_t Z(int x, int y) const {
    std::uint32_t v = 0;
    std::memcpy(&v, &zbuf[ZOffset(x, y)], zBytes);
    return v;
  }
  std::uint32_t Raw(int x, int y) const {
    std::uint32_t v = 0;
    std::memcpy(&v, &pixels[static_cast<std::size_t>(y) * pitch + x * bpp], bpp);
    return v;
  }
  Rgb At(int x, int y) const {
    const std::uint32_t v = Raw(x, y);
    switch (target.format) {
      case r::TargetFormat::X8R8G8B8:
        return {int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)};
      case r::TargetFormat::R5G6B5:
        return {int(v >> 11) << 3, int(v >> 5 & 0x3F) << 2, int(v & 0x1F) << 3};
      case r::TargetFormat::X1R5G5B5:
        return {int(v >> 10 & 0x1F) << 3, int(v >> 5 & 0x1F) << 3, int(v & 0x1F) << 3};
    }
    return {};
  }
  bool PaddingIntact() const {
    for (int y = 0; y < h; ++y)
      for (int i = w * bpp; i < pitch; ++i)
        if (pixels[static_cast<std::size_t>(y) * pitch + i] != kPad) return false;
    return true;
  }
  r::Viewport Full() const { return {0, 0, w, h}; }
};

// A texture of 32-bit or 16-bit texels, row pitch padded by 8 bytes.
struct Tex {
  std::vector<std::uint8_t> bytes;
  r::Texture t;
  Tex(int w, int h, r::TextureFormat f, const std::vector<std::uint32_t>& texels) {
    const int b = f == r::TextureFormat::A8R8G8B8 ? 4 : 2;
    const int pitch = w * b + 8;
    bytes.assign(static_cast<std::size_t>(pitch) * h, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        std::memcpy(&bytes[static_cast<std::size_t>(y) * pitch + x * b], &texels[y * w + x], b);
    t = {bytes.data(), pitch, w, h, f};
  }
};

inline r::TLVertex V(float x, float y, std::uint32_t color = 0xFFFFFFFF, float u = 0, float v = 0,
                     float z = 0, float rhw = 1) {
  return {x, y, z, rhw, color, 0, u, v};
}

// Strip order: top-left, top-right, bottom-left, bottom-right (clockwise pairs).
inline std::vector<r::TLVertex> Quad(float x0, float y0, float x1, float y1,
                                     std::uint32_t color = 0xFFFFFFFF, float u0 = 0, float v0 = 0,
                                     float u1 = 1, float v1 = 1, float z = 0) {
  return {V(x0, y0, color, u0, v0, z), V(x1, y0, color, u1, v0, z), V(x0, y1, color, u0, v1, z),
          V(x1, y1, color, u1, v1, z)};
}

// Untextured, diffuse only, no culling: the colour lands as given.
inline r::State Plain(const Canvas& c) {
  r::State s;
  s.viewport = c.Full();
  s.cull = r::Cull::None;
  s.stages[0] = {r::TexOp::SelectArg2, r::TexOp::SelectArg2, r::TexArg::Texture,
                 r::TexArg::Diffuse,   r::TexArg::Texture,   r::TexArg::Diffuse};
  return s;
}

// Adds the vertex colour: a pixel drawn n times reads n times its blue.
inline r::State Counting(const Canvas& c) {
  r::State s = Plain(c);
  s.alphaBlend = true;
  s.srcBlend = r::Blend::One;
  s.dstBlend = r::Blend::One;
  return s;
}

}  // namespace kxtest::raster
