// bench_draw — blend throughput in Mpixel/s, per effect and pixel format,
// for a full frame (640 x 480) and a sprite (32 x 32): the scalar build (the
// same arithmetic compiled without vectorisation), the reference routine,
// the fast (SIMD) routine, and, when built with pixman, pixman's nearest
// operations (OVER and ADD on 8888, 8888 to 565). Fast and scalar-model
// results are checked bit-identical before timing.
//
// Names: <effect>/<format>/<size>/<variant>; variants "scalar" (reference
// arithmetic, no vectorisation), "scalar_packed" (packed model, no
// vectorisation), "reference", "sse2", "fast" (the widest SIMD form this
// processor runs). Parameter 200 (no special case).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "draw/Vxblendfast.h"
#include "draw/Vxblendref.h"
#include "draw/Vxblendsimd.h"
#include "draw/Vxblendmodel.h"
#include "draw/Vxpixelmode.h"
#include "draw/scalar_build.h"

#if defined(KX_HAVE_PIXMAN)
#include <pixman.h>
#endif

namespace {

using namespace VexmoraDrawSystem;

struct Format {
  const char* name;
  int bits;
  bool rgb555;
};
constexpr Format kFormats[] = {{"565", 16, false}, {"555", 16, true}, {"24", 24, false}, {"32", 32, false}};
constexpr const char* kEffects[] = {"", "trans", "add", "mod", "sub", "coloradd", "colormod"};
constexpr std::int32_t kParam = 200;

struct Buffers {
  Buffers(int w, int h, int bytes)
      : pitch(w * bytes), dest(static_cast<std::size_t>(pitch) * h), source(dest.size()) {
    std::uint32_t r = 12345;
    for (auto& b : dest) b = static_cast<std::uint8_t>((r = r * 1664525u + 1013904223u) >> 24);
    for (auto& b : source) b = static_cast<std::uint8_t>((r = r * 1664525u + 1013904223u) >> 24);
  }
  TVexmoraDrawDirect Record(int w, int h) {
    TVexmoraDrawDirect d;
    d.dest = dest.data();
    d.source = source.data();
    d.destPitch = d.sourcePitch = pitch;
    d.width = w;
    d.height = h;
    d.param1 = kParam;
    return d;
  }
  std::int32_t pitch;
  std::vector<std::uint8_t> dest, source;
};

enum Variant { kScalar, kScalarPacked, kReference, kSse2, kFast };

void Blend(benchmark::State& state, Format f, int effect, int w, int h, Variant v) {
  const plat::DDPIXELFORMAT pf = plat::PixelFormatForBits(f.bits, f.rgb555);
  FillPixelMode(PixelMode(), pf, 0, 640, 480, true);
  kxbench_scalar::SetMode(pf, 0);
  const int bytes = f.bits / 8;
  Buffers b(w, h, bytes);
  const TVexmoraDrawDirect r = b.Record(w, h);
  const kxbench_scalar::Area area{r.dest, r.source, r.destPitch, r.sourcePitch, w, h, kParam};
  const auto e = static_cast<TBlendEffect>(effect);
  const TPixelRoutine routine = v == kReference ? ReferenceBlend(bytes, e, false)
                                : v == kFast    ? FastBlend(bytes, e, false)
                                : v == kSse2    ? SimdBlend(TSimd::Sse2, bytes, e, false)
                                                : nullptr;
  if (v == kFast || v == kSse2) {  // a SIMD form must match the model before it counts
    Buffers check(w, h, bytes);
    routine(r);
    TVexmoraDrawDirect m = check.Record(w, h);
    ModelBlend(bytes, e, false)(m);
    if (b.dest != check.dest) {
      state.SkipWithError("fast routine differs from the scalar model");
      return;
    }
  }
  for (auto _ : state) {
    if (routine)
      routine(r);
    else
      kxbench_scalar::Run(bytes, effect, false, v == kScalarPacked, area);
    benchmark::DoNotOptimize(b.dest.data());
    benchmark::ClobberMemory();
  }
  state.counters["Mpixel/s"] = benchmark::Counter(static_cast<double>(w) * h * 1e-6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

#if defined(KX_HAVE_PIXMAN)
// pixman on the comparable operations: OVER and ADD of 8888 onto 8888, and a
// 8888 to 565 conversion (SRC).
void Pixman(benchmark::State& state, pixman_op_t op, pixman_format_code_t dst, int w, int h) {
  std::vector<std::uint32_t> src(static_cast<std::size_t>(w) * h, 0x80402010u);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * h, 0x10203040u);
  pixman_image_t* s = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, src.data(), w * 4);
  pixman_image_t* d = pixman_image_create_bits(dst, w, h, out.data(), w * 4);
  for (auto _ : state) {
    pixman_image_composite32(op, s, nullptr, d, 0, 0, 0, 0, 0, 0, w, h);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  state.counters["Mpixel/s"] = benchmark::Counter(static_cast<double>(w) * h * 1e-6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
#endif

int RegisterAll() {
  const struct {
    const char* name;
    int w, h;
  } sizes[] = {{"640x480", 640, 480}, {"32x32", 32, 32}};
  const struct {
    const char* name;
    Variant v;
  } variants[] = {{"scalar", kScalar}, {"scalar_packed", kScalarPacked},
                  {"reference", kReference}, {"sse2", kSse2}, {"fast", kFast}};
  for (int e = 1; e <= 6; ++e)
    for (const Format& f : kFormats)
      for (const auto& s : sizes)
        for (const auto& v : variants) {
          if (e > 4 && v.v != kScalar && v.v != kReference) continue;  // no packed form
          const std::string name = std::string(kEffects[e]) + "/" + f.name + "/" + s.name + "/" + v.name;
          benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& st) {
            Blend(st, f, e, s.w, s.h, v.v);
          });
        }
#if defined(KX_HAVE_PIXMAN)
  for (const auto& s : sizes) {
    benchmark::RegisterBenchmark((std::string("pixman_over/8888/") + s.name).c_str(),
                                 [=](benchmark::State& st) { Pixman(st, PIXMAN_OP_OVER, PIXMAN_a8r8g8b8, s.w, s.h); });
    benchmark::RegisterBenchmark((std::string("pixman_add/8888/") + s.name).c_str(),
                                 [=](benchmark::State& st) { Pixman(st, PIXMAN_OP_ADD, PIXMAN_a8r8g8b8, s.w, s.h); });
    benchmark::RegisterBenchmark((std::string("pixman_src/8888to565/") + s.name).c_str(),
                                 [=](benchmark::State& st) { Pixman(st, PIXMAN_OP_SRC, PIXMAN_r5g6b5, s.w, s.h); });
  }
#endif
  return 0;
}
const int kRegistered = RegisterAll();

}  // namespace

BENCHMARK_MAIN();
