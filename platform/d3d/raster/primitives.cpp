// primitives.cpp — the rasteriser's entry points: triangle lists, strips and
// indexed lists of transformed vertices, and clears of the target and the
// Z buffer.
#include <algorithm>

#include "raster/pipeline.h"

namespace plat::d3d::raster {

void DrawTriangleList(const RenderTarget& target, const State& state,
                      std::span<const TLVertex> vertices) {
  Pipeline p;
  if (!p.Build(target, state)) return;
  for (std::size_t i = 0; i + 2 < vertices.size(); i += 3)
    p.Triangle(vertices[i], vertices[i + 1], vertices[i + 2], vertices[i]);
}

void DrawTriangleStrip(const RenderTarget& target, const State& state,
                       std::span<const TLVertex> vertices) {
  Pipeline p;
  if (!p.Build(target, state)) return;
  for (std::size_t i = 0; i + 2 < vertices.size(); ++i) {
    const TLVertex& first = vertices[i];
    if (i % 2 == 0) {
      p.Triangle(first, vertices[i + 1], vertices[i + 2], first);
    } else {
      p.Triangle(vertices[i + 1], first, vertices[i + 2], first);
    }
  }
}

void DrawIndexedTriangleList(const RenderTarget& target, const State& state,
                             std::span<const TLVertex> vertices,
                             std::span<const std::uint16_t> indices) {
  Pipeline p;
  if (!p.Build(target, state)) return;
  for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
    const std::size_t a = indices[i], b = indices[i + 1], c = indices[i + 2];
    if (a >= vertices.size() || b >= vertices.size() || c >= vertices.size()) continue;
    p.Triangle(vertices[a], vertices[b], vertices[c], vertices[a]);
  }
}

namespace {

// `area` clipped to the target; false when empty.
bool ClipArea(const RenderTarget& t, const Rect& area, Rect& out) {
  out = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, t.width),
         std::min(area.bottom, t.height)};
  return !out.Empty();
}

template <typename Put>
void Fill(std::uint8_t* base, std::ptrdiff_t pitch, int bytes, const Rect& r, Put put) {
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* p = base + y * pitch + static_cast<std::ptrdiff_t>(r.left) * bytes;
    for (int x = r.left; x < r.right; ++x, p += bytes) put(p);
  }
}

}  // namespace

void ClearTarget(const RenderTarget& target, const Rect& area, ArgbColor color) {
  Rect r;
  if (!target.pixels || !ClipArea(target, area, r)) return;
  auto* base = static_cast<std::uint8_t*>(target.pixels);
  switch (target.format) {
    case TargetFormat::R5G6B5: {
      const std::uint32_t v = EncodeArgb<TargetFormat::R5G6B5>(color);
      Fill(base, target.pitch, 2, r, [v](std::uint8_t* p) { Store16(p, v); });
      break;
    }
    case TargetFormat::X1R5G5B5: {
      const std::uint32_t v = EncodeArgb<TargetFormat::X1R5G5B5>(color);
      Fill(base, target.pitch, 2, r, [v](std::uint8_t* p) { Store16(p, v); });
      break;
    }
    case TargetFormat::X8R8G8B8: {
      const std::uint32_t v = EncodeArgb<TargetFormat::X8R8G8B8>(color);
      Fill(base, target.pitch, 4, r, [v](std::uint8_t* p) { Store32(p, v); });
      break;
    }
  }
}

void ClearZ(const RenderTarget& target, const Rect& area, float z) {
  Rect r;
  if (!target.z || target.zFormat == ZFormat::None || !ClipArea(target, area, r)) return;
  const std::uint32_t v = ZToInt(z, target.zFormat);
  auto* base = static_cast<std::uint8_t*>(target.z);
  switch (target.zFormat) {
    case ZFormat::Z16:
      Fill(base, target.zPitch, 2, r, [v](std::uint8_t* p) { Store16(p, v); });
      break;
    case ZFormat::Z24S8:
      Fill(base, target.zPitch, 4, r,
           [v](std::uint8_t* p) { Store32(p, (Load32(p) & 0xFF000000u) | v); });
      break;
    case ZFormat::Z32:
      Fill(base, target.zPitch, 4, r, [v](std::uint8_t* p) { Store32(p, v); });
      break;
    case ZFormat::None:
      break;
  }
}

}  // namespace plat::d3d::raster
