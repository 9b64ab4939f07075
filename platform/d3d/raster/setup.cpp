// setup.cpp — per draw call state resolution and per triangle set-up:
// culling, the guard-band clip, snapping to 1/16 pixel, attribute gradients
// and the exact edge walk.
//
// Edges step with an integer DDA on the snapped coordinates, so the first
// pixel of a scanline, ceil(x), is exact: a pixel centre on an edge belongs
// to the triangle on its right (left edges inclusive, right exclusive), and
// scanlines run from ceil(top) to ceil(bottom) exclusive. Two triangles
// sharing an edge therefore never both draw, nor both miss, a pixel.
// Triangles reaching more than kGuard pixels beyond the viewport are first
// clipped to that band; intersection points are computed from the inside
// vertex, so neighbours cut a shared edge at the very same point.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "raster/pipeline.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plat::d3d::raster {
namespace {

constexpr float kGuard = 1024.0f;
constexpr int kMaxPoly = 8;  // a triangle clipped by four lines has at most 7 corners

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {  // b > 0
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
  return -FloorDiv(-a, b);
}
// floor(a / b) for b > 0 from a double estimate (a 64-bit divide costs far
// more), settled exactly without branches. With |a| < 2^40 the estimate is
// off from a / b by under 2^-12 / b, less than the 1 / b between a
// non-integer quotient and the nearest integer, so the truncated estimate
// is floor(a / b) - 1 (exact quotient estimated low), floor(a / b) or, for
// negative quotients truncated towards zero, floor(a / b) + 1: one remainder
// test either way settles it.
std::int64_t FloorDivBy(std::int64_t a, std::int64_t b, double invB) {
  std::int64_t q = static_cast<std::int64_t>(static_cast<double>(a) * invB);
  const std::int64_t r = a - q * b;
  return q + static_cast<std::int64_t>(r >= b) - static_cast<std::int64_t>(r < 0);
}

// ceil(x) of an edge at successive scanlines. With num/den the exact x in
// pixels, `x` = ceil(num/den) and num = x * den - rem, 0 <= rem < den.
struct Edge {
  std::int64_t x = 0, rem = 0, den = 1, stepQ = 0, stepR = 0;

  // Edge from (x0, y0) down to (x1, y1) in 1/16 pixel; positioned at scanline y.
  void Init(int x0, int y0, int x1, int y1, int y) {
    const std::int64_t dy = y1 - y0, dx = x1 - x0;
    den = 16 * dy;
    const double inv = 1.0 / static_cast<double>(den);
    const std::int64_t num = static_cast<std::int64_t>(x0) * dy + (16LL * y - y0) * dx;
    x = -FloorDivBy(-num, den, inv);
    rem = x * den - num;
    const std::int64_t step = 16 * dx;
    stepQ = FloorDivBy(step, den, inv);
    stepR = step - stepQ * den;
  }
  void Step() {
    x += stepQ;
    rem -= stepR;
    if (rem < 0) {
      ++x;
      rem += den;
    }
  }
};

struct Fixed {
  int x, y;
};

int Snap(float v) {  // to nearest, as lrint in the default rounding mode
#if defined(__SSE2__)
  return _mm_cvtss_si32(_mm_set_ss(v * 16.0f));
#else
  return static_cast<int>(std::lrint(v * 16.0f));
#endif
}

// Clips `in` (n corners) to the half plane where coordinate `axis` of a
// vertex is >= bound (sign +1) or <= bound (sign -1).
int ClipPolygon(const SetupVertex* in, int n, SetupVertex* out, int axis, float bound, float sign) {
  const auto coord = [axis](const SetupVertex& v) { return axis == 0 ? v.x : v.y; };
  const auto inside = [&](const SetupVertex& v) { return (coord(v) - bound) * sign >= 0.0f; };
  int m = 0;
  for (int i = 0; i < n; ++i) {
    const SetupVertex& a = in[i];
    const SetupVertex& b = in[(i + 1) % n];
    const bool ia = inside(a), ib = inside(b);
    if (ia) out[m++] = a;
    if (ia == ib) continue;
    const SetupVertex& from = ia ? a : b;  // always inside -> outside
    const SetupVertex& to = ia ? b : a;
    const float t = (bound - coord(from)) / (coord(to) - coord(from));
    SetupVertex& r = out[m++];
    r.x = from.x + (to.x - from.x) * t;
    r.y = from.y + (to.y - from.y) * t;
    (axis == 0 ? r.x : r.y) = bound;
    for (int k = 0; k < kAttrSlots; ++k) r.a[k] = from.a[k] + (to.a[k] - from.a[k]) * t;
  }
  return m;
}

}  // namespace

bool Pipeline::Build(const RenderTarget& target, const State& state, bool allowFast) {
  if (!target.pixels || target.width <= 0 || target.height <= 0) return false;
  pixels = static_cast<std::uint8_t*>(target.pixels);
  pitch = target.pitch;
  const Viewport& vp = state.viewport;
  clipX0 = std::max(vp.x, 0);
  clipY0 = std::max(vp.y, 0);
  clipX1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{vp.x} + vp.width, target.width));
  clipY1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{vp.y} + vp.height, target.height));
  if (clipX0 >= clipX1 || clipY0 >= clipY1) return false;

  const bool hasZ = target.z && target.zFormat != ZFormat::None;
  z = hasZ ? static_cast<std::uint8_t*>(target.z) : nullptr;
  zPitch = hasZ ? target.zPitch : 0;
  zFormat = hasZ ? target.zFormat : ZFormat::None;
  zTest = hasZ && state.zEnable;
  zWrite = zTest && state.zWrite;
  perspective = state.perspective;
  specular = state.specular;
  flat = state.shade == Shade::Flat;
  cull = state.cull;

  blend = state.alphaBlend;
  srcFactor = ResolveFactor(state.srcBlend);
  dstFactor = state.srcBlend == Blend::BothSrcAlpha   ? Factor::InvSrcAlpha
              : state.dstBlend == Blend::BothSrcAlpha ? Factor::Zero
                                                      : ResolveFactor(state.dstBlend);
  if (srcFactor == Factor::One && dstFactor == Factor::Zero) blend = false;  // writes the source

  stageCount = 0;
  textured = false;
  for (int s = 0; s < 2; ++s) {
    const Stage& in = state.stages[s];
    ResolvedStage& r = stages[s];
    r.colorOp = ResolveOp(in.colorOp);
    if (r.colorOp == TexOp::Disable) break;
    r.alphaOp = ResolveOp(in.alphaOp);
    TexArg alpha1 = in.alphaArg1;
    if (r.alphaOp == TexOp::Disable) {
      r.alphaOp = TexOp::SelectArg1;
      alpha1 = TexArg::Current;
    }
    r.sameOp = r.colorOp == r.alphaOp;
    r.arg1.Set(in.colorArg1, alpha1);
    r.arg2.Set(in.colorArg2, in.alphaArg2);
    samplers[s].Bind(in, state.colorKey);
    r.readsTexture = (r.arg1.ReadsTexture() || r.arg2.ReadsTexture()) && samplers[s].texels;
    textured = textured || r.readsTexture;
    stageCount = s + 1;
  }
  span = SpanFor(target.format);
#if defined(__SSE2__)
  bool useFast = allowFast;
  for (int s = 0; s < stageCount && useFast; ++s) {
    fastSample[s] =
        stages[s].readsTexture ? soa::MakeFastSampler(samplers[s], fastSamplers[s]) : nullptr;
    useFast = !stages[s].readsTexture || fastSample[s] != nullptr;
  }
  if (useFast && FastSpanFor(target.format)) {
    span = FastSpanFor(target.format);
    BuildFast();
    if (const SpanFn lean = LeanSpanFor(*this, target.format)) {
      span = lean;
      // Without the blend nothing reads the texture's alpha.
      if (!fast.blend || fast.leanAlpha == FastState::kAlphaDiffuse)
        fast.sample[0] = fastSample[0] = soa::MakeFastSampler(samplers[0], fastSamplers[0], false);
    }
  }
#else
  (void)allowFast;
#endif
  return span != nullptr;
}

SetupVertex Pipeline::Convert(const TLVertex& v, const TLVertex& flatFrom) const {
  SetupVertex s;
  s.x = v.x;
  s.y = v.y;
  s.a[kZ] = v.z;
  s.a[kW] = v.rhw;
  s.a[kU] = perspective ? v.u * v.rhw : v.u;
  s.a[kV] = perspective ? v.v * v.rhw : v.v;
  const std::uint32_t diffuse = flat ? flatFrom.diffuse : v.diffuse;
  const std::uint32_t spec = flat ? flatFrom.specular : v.specular;
#if defined(__SSE2__)
  // B G R A bytes to floats; the specular alpha lands in the unused slot.
  const __m128i zero = _mm_setzero_si128();
  const __m128 half = _mm_set1_ps(0.5f);
  const auto channels = [&](std::uint32_t c) {
    const __m128i w = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(c)), zero);
    return _mm_add_ps(_mm_cvtepi32_ps(_mm_unpacklo_epi16(w, zero)), half);
  };
  _mm_storeu_ps(s.a + kB, channels(diffuse));
  _mm_storeu_ps(s.a + kSB, channels(spec));
  s.a[kAttrs] = 0.0f;
#else
  const Rgba c = Unpack(diffuse), sp = Unpack(spec);
  const int values[] = {c.b, c.g, c.r, c.a, sp.b, sp.g, sp.r};
  for (int k = 0; k < 7; ++k) s.a[kB + k] = static_cast<float>(values[k]) + 0.5f;
#endif
  return s;
}

void Pipeline::Triangle(const TLVertex& v0, const TLVertex& v1, const TLVertex& v2,
                        const TLVertex& flatFrom) {
  for (const TLVertex* v : {&v0, &v1, &v2})
    if (!std::isfinite(v->x) || !std::isfinite(v->y)) return;
  const float area = (v1.x - v0.x) * (v2.y - v0.y) - (v2.x - v0.x) * (v1.y - v0.y);
  // y points down: a positive area is clockwise on screen.
  if (!(area != 0.0f) || (cull == Cull::CCW && area < 0.0f) || (cull == Cull::CW && area > 0.0f))
    return;

  const SetupVertex corners[3] = {Convert(v0, flatFrom), Convert(v1, flatFrom),
                                  Convert(v2, flatFrom)};
  const float gx0 = static_cast<float>(clipX0) - kGuard, gx1 = static_cast<float>(clipX1) + kGuard;
  const float gy0 = static_cast<float>(clipY0) - kGuard, gy1 = static_cast<float>(clipY1) + kGuard;
  bool inside = true;
  for (const SetupVertex& v : corners)
    inside = inside && v.x >= gx0 && v.x <= gx1 && v.y >= gy0 && v.y <= gy1;
  if (inside) {
    Rasterise(corners[0], corners[1], corners[2]);
    return;
  }
  SetupVertex poly[2][kMaxPoly];
  int n = 3, cur = 0;
  for (int i = 0; i < 3; ++i) poly[0][i] = corners[i];
  const struct {
    int axis;
    float bound, sign;
  } planes[] = {{0, gx0, 1.0f}, {0, gx1, -1.0f}, {1, gy0, 1.0f}, {1, gy1, -1.0f}};
  for (const auto& pl : planes) {
    n = ClipPolygon(poly[cur], n, poly[cur ^ 1], pl.axis, pl.bound, pl.sign);
    cur ^= 1;
    if (n < 3) return;
  }
  for (int i = 1; i + 1 < n; ++i) Rasterise(poly[cur][0], poly[cur][i], poly[cur][i + 1]);
}

void Pipeline::Rasterise(const SetupVertex& a, const SetupVertex& b, const SetupVertex& c) {
  Fixed p[3] = {{Snap(a.x), Snap(a.y)}, {Snap(b.x), Snap(b.y)}, {Snap(c.x), Snap(c.y)}};
  const SetupVertex* v[3] = {&a, &b, &c};
  const std::int64_t area2 = std::int64_t{p[1].x - p[0].x} * (p[2].y - p[0].y) -
                             std::int64_t{p[2].x - p[0].x} * (p[1].y - p[0].y);
  if (area2 == 0) return;

  // Attribute planes from the snapped corners.
  const float x0 = static_cast<float>(p[0].x) / 16.0f, y0 = static_cast<float>(p[0].y) / 16.0f;
  const float ex1 = static_cast<float>(p[1].x - p[0].x) / 16.0f,
              ey1 = static_cast<float>(p[1].y - p[0].y) / 16.0f;
  const float ex2 = static_cast<float>(p[2].x - p[0].x) / 16.0f,
              ey2 = static_cast<float>(p[2].y - p[0].y) / 16.0f;
  const float inv = 1.0f / (ex1 * ey2 - ex2 * ey1);
  Plane plane;
  plane.x0 = x0;
  plane.y0 = y0;
  // Four attributes per step; the spare slot holds 0 in every vertex.
  using F4 = float __attribute__((vector_size(16)));
  const auto load = [](const float* src) {
    F4 r;
    std::memcpy(&r, src, sizeof r);
    return r;
  };
  const auto store = [](float* dst, F4 r) { std::memcpy(dst, &r, sizeof r); };
  for (int k = 0; k < kAttrSlots; k += 4) {
    const F4 a0 = load(v[0]->a + k), d1 = load(v[1]->a + k) - a0, d2 = load(v[2]->a + k) - a0;
    store(dx + k, (d1 * ey2 - d2 * ey1) * inv);
    store(plane.dy + k, (d2 * ex1 - d1 * ex2) * inv);
    store(plane.at + k, a0);
  }

  // Sort corners by y (ties keep their order).
  int o[3] = {0, 1, 2};
  if (p[o[1]].y < p[o[0]].y) std::swap(o[0], o[1]);
  if (p[o[2]].y < p[o[1]].y) std::swap(o[1], o[2]);
  if (p[o[1]].y < p[o[0]].y) std::swap(o[0], o[1]);
  const Fixed t = p[o[0]], m = p[o[1]], bt = p[o[2]];

  const int yTop = static_cast<int>(CeilDiv(t.y, 16)), yMid = static_cast<int>(CeilDiv(m.y, 16));
  const int yStart = std::max(yTop, clipY0);
  const int yEnd = std::min(static_cast<int>(CeilDiv(bt.y, 16)), clipY1);
  if (yStart >= yEnd) return;
  const std::int64_t cross =
      std::int64_t{m.x - t.x} * (bt.y - t.y) - std::int64_t{bt.x - t.x} * (m.y - t.y);
  const bool longLeft = cross > 0;

  Edge lng, shrt;
  lng.Init(t.x, t.y, bt.x, bt.y, yStart);
  bool upper = yStart < yMid;
  if (upper) {
    shrt.Init(t.x, t.y, m.x, m.y, yStart);
  } else {
    shrt.Init(m.x, m.y, bt.x, bt.y, yStart);
  }
  SpanRun runs[kSpanBatch];
  int n = 0;
  for (int y = yStart; y < yEnd; ++y) {
    if (upper && y == yMid) {
      upper = false;
      shrt.Init(m.x, m.y, bt.x, bt.y, y);
    }
    const std::int64_t l = longLeft ? lng.x : shrt.x, r = longLeft ? shrt.x : lng.x;
    const int xs = static_cast<int>(std::max<std::int64_t>(l, clipX0));
    const int xe = static_cast<int>(std::min<std::int64_t>(r, clipX1));
    if (xs < xe) {
      runs[n++] = {y, xs, xe};
      if (n == kSpanBatch) {
        span(*this, plane, runs, n);
        n = 0;
      }
    }
    lng.Step();
    shrt.Step();
  }
  if (n > 0) span(*this, plane, runs, n);
}

}  // namespace plat::d3d::raster
