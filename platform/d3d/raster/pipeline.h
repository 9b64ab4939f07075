// pipeline.h — one draw call's resolved state (scissor, Z, stages, blend,
// samplers, the span loop for the target format) and the triangle set-up
// that feeds it. Built once per draw call; Triangle() per triangle.
//
// Three span loops: the lean eight-lane one (soa_lean.cpp) for the usual 3D
// state, with a sixteen-lane AVX2 build (lean16.cpp) for the 3D component's
// textures; the general eight-lane one (soa_span.cpp) for every other state
// whose textures it can read (see soa_sampler.h); the scalar one (span.cpp)
// for the rest, the reference the fast ones are tested against.
#pragma once

#include <cstdint>

#include "raster/combine.h"
#include "raster/raster.h"
#include "raster/sampler.h"
#if defined(__SSE2__)
#include "raster/soa_sampler.h"
#endif

namespace plat::d3d::raster {

// Interpolated attributes, in this order: three groups of four for vector
// stepping, colours in the byte order of a packed 0xAARRGGBB. U and V are
// premultiplied by rhw when the pipeline is perspective-correct; colours
// carry a +0.5 bias so the span loop can truncate.
enum Attr : int { kZ, kW, kU, kV, kB, kG, kR, kA, kSB, kSG, kSR, kAttrs };
inline constexpr int kAttrSlots = 12;

// One argument of a stage as lane masks: all ones on the lanes read from
// each source, colour lanes from the colour argument and the alpha lane from
// the alpha argument (unknown arguments read current).
struct ArgMask {
  Lanes diffuse{}, current{}, texture{};
  std::uint8_t colorSrc = kCurrent, alphaSrc = kCurrent;  // the sources as indices
  static constexpr std::uint8_t kDiffuse = 0, kCurrent = 1, kTexture = 2;
  void Set(TexArg color, TexArg alpha) {
    const auto src = [](TexArg a) {
      return a == TexArg::Diffuse ? kDiffuse : a == TexArg::Texture ? kTexture : kCurrent;
    };
    colorSrc = src(color);
    alphaSrc = src(alpha);
    const auto lanes = [color, alpha](bool (*is)(TexArg)) {
      const std::uint16_t c = is(color) ? 0xFFFF : 0, a = is(alpha) ? 0xFFFF : 0;
      return Lanes{c, c, c, a, 0, 0, 0, 0};
    };
    diffuse = lanes([](TexArg a) { return a == TexArg::Diffuse; });
    texture = lanes([](TexArg a) { return a == TexArg::Texture; });
    current = lanes([](TexArg a) { return a != TexArg::Diffuse && a != TexArg::Texture; });
  }
  bool ReadsTexture() const { return texture[0] != 0 || texture[3] != 0; }
  KX_RASTER_INLINE Lanes Pick(Lanes d, Lanes c, Lanes t) const {
    return (d & diffuse) | (c & current) | (t & texture);
  }
};

// A stage whose alpha operation is DISABLE keeps the current alpha, which is
// SELECTARG1 of current; `sameOp` lets one operation serve all four lanes.
struct ResolvedStage {
  TexOp colorOp = TexOp::Disable, alphaOp = TexOp::Disable;
  bool sameOp = false;
  ArgMask arg1, arg2;
  bool readsTexture = false;
};

#if defined(__SSE2__)
// The state the eight-lane loop reads per group, resolved per draw call.
struct FastState {
  bool zTest = false, zWrite = false, z16 = false, textured = false, perspective = false;
  bool specular = false, blend = false;
  Factor srcFactor = Factor::One, dstFactor = Factor::Zero;
  int stageCount = 0;
  struct Stage {
    TexOp colorOp, alphaOp;
    std::uint8_t c1, c2, a1, a2;  // ArgMask source indices of both arguments
    bool reads;                   // samples its texture
  } stages[2] = {};
  soa::SampleFn sample[2] = {};
  const soa::FastSampler* samplers[2] = {};
  std::uint32_t zBits = 0;       // the depth bits of a 32-bit Z entry
  double zScale = 0;             // ZToInt's scale for 24- and 32-bit Z
  float zScaleF = 0, zMaxF = 0;  // 2^n and the largest value, for the lean loop's wide Z
  // Where stage 0's alpha comes from, for the lean loop's blend.
  enum : std::uint8_t { kAlphaModulate, kAlphaTexture, kAlphaDiffuse, kAlphaOther };
  std::uint8_t leanAlpha = kAlphaOther;
};
#endif

struct Pipeline;
// A triangle's attribute planes: values at (x0, y0) and steps along y (the
// steps along x are Pipeline::dx), and a batch of its spans.
struct Plane {  // filled whole by the set-up (no initialisers: it is made per triangle)
  float x0, y0;
  alignas(16) float at[kAttrSlots];
  alignas(16) float dy[kAttrSlots];
};
struct SpanRun {
  int y, x0, x1;  // pixels x0 .. x1 - 1 of row y, inside the scissor
};
inline constexpr int kSpanBatch = 64;
using SpanFn = void (*)(const Pipeline&, const Plane&, const SpanRun* runs, int count);

// A vertex being set up: screen position plus attributes.
struct SetupVertex {
  float x = 0, y = 0;
  float a[kAttrSlots] = {};
};

struct Pipeline {
  std::uint8_t* pixels = nullptr;
  std::ptrdiff_t pitch = 0;
  std::uint8_t* z = nullptr;
  std::ptrdiff_t zPitch = 0;
  ZFormat zFormat = ZFormat::None;
  int clipX0 = 0, clipY0 = 0, clipX1 = 0, clipY1 = 0;  // viewport within the target
  bool zTest = false, zWrite = false, perspective = false, specular = false, flat = false;
  bool blend = false, textured = false;
  Cull cull = Cull::None;
  Factor srcFactor = Factor::One, dstFactor = Factor::Zero;
  int stageCount = 0;
  ResolvedStage stages[2];
  Sampler samplers[2];
  SpanFn span = nullptr;
#if defined(__SSE2__)
  soa::SampleFn fastSample[2] = {};  // for the stages that read their texture
  soa::FastSampler fastSamplers[2];
  FastState fast;
  void BuildFast();  // fills `fast` from the fields above
#endif
  alignas(16) float dx[kAttrSlots] = {};  // per-pixel step of the current triangle

  // False when nothing can be drawn (empty scissor, no pixels). `allowFast`
  // false keeps to the scalar span loop.
  bool Build(const RenderTarget& target, const State& state, bool allowFast = true);

  // Draws one triangle; in flat mode the colours come from `flatFrom`.
  void Triangle(const TLVertex& v0, const TLVertex& v1, const TLVertex& v2,
                const TLVertex& flatFrom);

 private:
  SetupVertex Convert(const TLVertex& v, const TLVertex& flatFrom) const;
  void Rasterise(const SetupVertex& v0, const SetupVertex& v1, const SetupVertex& v2);
};

// The scalar span loop for a target format (span.cpp).
SpanFn SpanFor(TargetFormat format);
// The eight-lane span loop for a target format (soa_span.cpp); null where
// there is none. Needs fastSample set for every stage that reads a texture.
SpanFn FastSpanFor(TargetFormat format);
// The eight-lane loop specialised for the usual 3D state (soa_lean.cpp), or
// null when the state is not that one. Reads `fast`, so after BuildFast().
// Where the CPU has AVX2 and the texture is the 3D component's kind, its
// sixteen-lane build instead.
SpanFn LeanSpanFor(const Pipeline& p, TargetFormat format);
// Lets LeanSpanFor pick the sixteen-lane build (the default) or not, for
// tests and benchmarks of the eight-lane one. Affects later Build() calls.
void AllowSixteenLanes(bool allow);

// The lean loops' Z kinds: none, 16-bit, 24- or 32-bit.
enum LeanZ : int { kNoZ, kZ16, kZWide };
// The sixteen-lane build (lean16.cpp) for 1:5:5:5 bilinear WRAP textures,
// or null. Runs AVX2 code: call only where the CPU has it.
SpanFn Lean16SpanFor(const Pipeline& p, TargetFormat format, LeanZ z);

}  // namespace plat::d3d::raster
