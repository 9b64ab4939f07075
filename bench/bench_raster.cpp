// bench_raster — throughput of the software rasteriser behind the RGB device
// on one core, at 400 x 300 and 640 x 480 (<res> 0 and 1), 16-bit 5:6:5
// targets with a 16-bit Z buffer and 32-bit X8R8G8B8 ones with a 32-bit Z:
//   Quad/<res>/<bits>/<filter>  one full-screen textured quad (two triangles),
//                         modulated by a Gouraud colour, perspective-correct;
//                         filter 0 point, 1 bilinear. Counter Mpix/s.
//   Tris/<res>/<bits>/<area>/<z>/<blend>/<lanes>  a screen full of
//                         triangles of <area> pixels (16 or 1000) as the 3D
//                         pipeline draws them: bilinear, perspective-correct,
//                         texture x Gouraud diffuse plus specular, with the
//                         Z test and write and/or SRCALPHA blending; <lanes>
//                         16 lets the span loop use its AVX2 build where the
//                         CPU has it, 8 keeps to the SSE2 one.
//                         Counters Mtri/s and Mpix/s (nominal areas).
// Textures are 256 x 256 1:5:5:5, as the 3D component uses. Every round
// draws every pixel: the Z rows redraw at equal depth, which LESSEQUAL passes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/pipeline.h"
#include "raster/raster.h"

namespace {

namespace r = plat::d3d::raster;

struct Scene {
  int w, h;
  std::vector<std::uint8_t> pixels;
  std::vector<std::uint32_t> z;
  std::vector<std::uint16_t> texels;
  r::RenderTarget target;
  r::Texture texture;
  r::State state;

  Scene(int res, int bits, bool bilinear)
      : w(res ? 640 : 400),
        h(res ? 480 : 300),
        pixels(static_cast<std::size_t>(w) * h * (bits / 8)),
        z(static_cast<std::size_t>(w) * h),
        texels(256 * 256) {
    std::uint32_t seed = 1;
    for (auto& t : texels) {
      seed = seed * 1664525u + 1013904223u;
      t = static_cast<std::uint16_t>(seed >> 16) | 0x8000;
    }
    const bool wide = bits == 32;
    target = {pixels.data(),
              w * (bits / 8),
              w,
              h,
              wide ? r::TargetFormat::X8R8G8B8 : r::TargetFormat::R5G6B5,
              z.data(),
              w * (wide ? 4 : 2),
              wide ? r::ZFormat::Z32 : r::ZFormat::Z16};
    texture = {texels.data(), 512, 256, 256, r::TextureFormat::A1R5G5B5};
    state.viewport = {0, 0, w, h};
    state.cull = r::Cull::None;
    state.stages[0] = {r::TexOp::Modulate,
                       r::TexOp::Modulate,
                       r::TexArg::Texture,
                       r::TexArg::Diffuse,
                       r::TexArg::Texture,
                       r::TexArg::Diffuse,
                       bilinear ? r::Filter::Linear : r::Filter::Point,
                       r::Address::Wrap,
                       &texture};
  }
};

r::TLVertex Vtx(float x, float y, float z, std::uint32_t c, float u, float v) {
  return {x, y, z, 1.0f / (1.0f + z), c, 0x00102030, u, v};
}

void Quad(benchmark::State& st) {
  Scene s(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)), st.range(2) != 0);
  const auto w = static_cast<float>(s.w), h = static_cast<float>(s.h);
  const std::vector<r::TLVertex> q{
      Vtx(0, 0, 0.2f, 0xFFFF8040, 0, 0), Vtx(w, 0, 0.8f, 0xFF40FF80, 2.5f, 0),
      Vtx(0, h, 0.2f, 0xFF8040FF, 0, 1.875f), Vtx(w, h, 0.8f, 0xFFFFFFFF, 2.5f, 1.875f)};
  for (auto _ : st) {
    r::DrawTriangleStrip(s.target, s.state, q);
    benchmark::DoNotOptimize(s.pixels.data());
    benchmark::ClobberMemory();
  }
  st.counters["Mpix/s"] = benchmark::Counter(static_cast<double>(st.iterations()) * s.w * s.h / 1e6,
                                             benchmark::Counter::kIsRate);
}
BENCHMARK(Quad)->ArgsProduct({{0, 1}, {16, 32}, {0, 1}})->Unit(benchmark::kMillisecond);

void Tris(benchmark::State& st) {
  Scene s(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)), true);
  const double area = static_cast<double>(st.range(2));
  s.state.zEnable = st.range(3) != 0;
  s.state.specular = true;
  if (st.range(4) != 0) {
    s.state.alphaBlend = true;
    s.state.srcBlend = r::Blend::SrcAlpha;
    s.state.dstBlend = r::Blend::InvSrcAlpha;
  }
  // Right triangles with legs `leg` (area leg^2 / 2), two per grid cell,
  // at fractional positions so every edge case of the edge walk occurs.
  const float leg = static_cast<float>(std::sqrt(2.0 * area));
  const float cell = leg + 1.0f;
  const auto w = static_cast<float>(s.w), h = static_cast<float>(s.h);
  std::vector<r::TLVertex> list;
  for (float y = 0.3f; y + cell < h; y += cell)
    for (float x = 0.6f; x + cell < w; x += cell) {
      const float u = x / 256, v = y / 256, d = leg / 256, z = (x + y) / (w + h);
      list.push_back(Vtx(x, y, z, 0xC0FF8040, u, v));
      list.push_back(Vtx(x + leg, y, z, 0xC040FF80, u + d, v));
      list.push_back(Vtx(x, y + leg, z, 0xC08040FF, u, v + d));
      list.push_back(Vtx(x + leg, y, z, 0xC040FF80, u + d, v));
      list.push_back(Vtx(x + leg, y + leg, z, 0xC0FFFFFF, u + d, v + d));
      list.push_back(Vtx(x, y + leg, z, 0xC08040FF, u, v + d));
    }
  const double tris = static_cast<double>(list.size() / 3);
  std::fill(s.z.begin(), s.z.end(), 0xFFFFFFFFu);
  r::AllowSixteenLanes(st.range(5) == 16);
  for (auto _ : st) {
    r::DrawTriangleList(s.target, s.state, list);
    benchmark::DoNotOptimize(s.pixels.data());
    benchmark::ClobberMemory();
  }
  r::AllowSixteenLanes(true);
  const double n = static_cast<double>(st.iterations());
  st.counters["Mtri/s"] = benchmark::Counter(n * tris / 1e6, benchmark::Counter::kIsRate);
  st.counters["Mpix/s"] = benchmark::Counter(n * tris * area / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(Tris)
    ->ArgsProduct({{0, 1}, {16, 32}, {16, 1000}, {0, 1}, {0, 1}, {16, 8}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
