// span.cpp — the scalar per-pixel loop, one instance per target format: it
// draws the states the eight-lane loop (soa_span.cpp) leaves out and is the
// reference that loop is tested against. Z test
// (LESSEQUAL), texture reads, colour key, the stage cascade, specular,
// blending, and the write in the target's own format. Attributes live in
// three 4-float vectors stepped by one vector add each per pixel; the
// perspective divide is one reciprocal; colour maths runs on 16-bit lanes.
#include <cstring>

#include "raster/pipeline.h"

namespace plat::d3d::raster {
namespace {

inline std::uint32_t ReadZ(const std::uint8_t* p, ZFormat f) {
  switch (f) {
    case ZFormat::Z16:
      return Load16(p);
    case ZFormat::Z24S8:
      return Load32(p) & 0xFFFFFFu;
    default:
      return Load32(p);
  }
}

inline void WriteZ(std::uint8_t* p, ZFormat f, std::uint32_t z) {
  switch (f) {
    case ZFormat::Z16:
      Store16(p, z);
      break;
    case ZFormat::Z24S8:
      Store32(p, (Load32(p) & 0xFF000000u) | z);
      break;
    default:
      Store32(p, z);
      break;
  }
}

inline Float4 Load4(const float* p) {
  Float4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <TargetFormat F>
void Spans(const Pipeline& p, const Plane& plane, const SpanRun* runs, int count) {
  constexpr int kBytes = PixelBytes<F>();
  // Local copies: pixel stores could alias the pipeline, which would make
  // the compiler reload every field for every pixel.
  const ZFormat zFormat = p.zFormat;
  const bool zTest = p.zTest, zWrite = p.zWrite, textured = p.textured;
  const bool perspective = p.perspective, specular = p.specular, blend = p.blend;
  const Factor srcFactor = p.srcFactor, dstFactor = p.dstFactor;
  const int stageCount = p.stageCount;
  const ResolvedStage stages[2] = {p.stages[0], p.stages[1]};
  const Sampler samplers[2] = {p.samplers[0], p.samplers[1]};
  const bool reads0 = stages[0].readsTexture, reads1 = stageCount > 1 && stages[1].readsTexture;

  const int zBytes = ZBytes(zFormat);
  const Float4 dZwuv = Load4(p.dx), dColor = Load4(p.dx + kB), dSpec = Load4(p.dx + kSB);
  const Float4 yZwuv = Load4(plane.dy), yColor = Load4(plane.dy + kB),
               ySpec = Load4(plane.dy + kSB);
  const Float4 oZwuv = Load4(plane.at), oColor = Load4(plane.at + kB),
               oSpec = Load4(plane.at + kSB);

  for (const SpanRun* run = runs; run != runs + count; ++run) {
    const int y = run->y, x0 = run->x0, x1 = run->x1;
    std::uint8_t* px = p.pixels + y * p.pitch + static_cast<std::ptrdiff_t>(x0) * kBytes;
    std::uint8_t* zp =
        p.z ? p.z + y * p.zPitch + static_cast<std::ptrdiff_t>(x0) * zBytes : nullptr;
    const float fx = static_cast<float>(x0) - plane.x0, fy = static_cast<float>(y) - plane.y0;
    Float4 zwuv = oZwuv + fx * dZwuv + fy * yZwuv;
    Float4 color = oColor + fx * dColor + fy * yColor;
    Float4 spec = oSpec + fx * dSpec + fy * ySpec;

    for (int x = x0; x < x1;
         ++x, px += kBytes, zp += zBytes, zwuv += dZwuv, color += dColor, spec += dSpec) {
      std::uint32_t zNew = 0;
      if (zTest) {
        zNew = ZToInt(zwuv[0], zFormat);
        if (zNew > ReadZ(zp, zFormat)) continue;
      }
      const Lanes diffuse = ToLanes(color);
      Lanes current = diffuse;
      if (stageCount > 0) {
        std::uint32_t texel[2] = {0xFFFFFFFFu, 0xFFFFFFFFu};
        if (textured) {
          float u = zwuv[2], v = zwuv[3];
          if (perspective) {
            const float w = 1.0f / zwuv[1];
            u *= w;
            v *= w;
          }
          bool drop = false;
          if (reads0) texel[0] = samplers[0].Sample(u, v, drop);
          if (reads1) texel[1] = samplers[1].Sample(u, v, drop);
          if (drop) continue;
        }
        const Lanes diffuseAlpha = AlphaOf(diffuse);
        for (int s = 0; s < stageCount; ++s) {
          const ResolvedStage& st = stages[s];
          const Lanes tex = ToLanes(texel[s]);
          const Lanes a1 = st.arg1.Pick(diffuse, current, tex);
          const Lanes a2 = st.arg2.Pick(diffuse, current, tex);
          Lanes out = Op(st.colorOp, a1, a2, diffuseAlpha);
          if (!st.sameOp) out[3] = Op(st.alphaOp, a1, a2, diffuseAlpha)[3];
          current = out;
        }
      }
      if (specular) current = Sat(current + ToLanes(spec));
      if (blend) current = BlendPixel(srcFactor, dstFactor, current, ToLanes(ReadArgb<F>(px)));
      WritePixel<F>(px, EncodeArgb<F>(ToArgb(current)));
      if (zWrite) WriteZ(zp, zFormat, zNew);
    }
  }
}

}  // namespace

SpanFn SpanFor(TargetFormat format) {
  switch (format) {
    case TargetFormat::R5G6B5:
      return &Spans<TargetFormat::R5G6B5>;
    case TargetFormat::X1R5G5B5:
      return &Spans<TargetFormat::X1R5G5B5>;
    case TargetFormat::X8R8G8B8:
      return &Spans<TargetFormat::X8R8G8B8>;
  }
  return nullptr;
}

}  // namespace plat::d3d::raster
