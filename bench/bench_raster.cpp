// bench_raster — throughput of the software rasteriser behind the RGB device
// on one core, 640 x 480 targets in 16-bit 5:6:5 and 32-bit X8R8G8B8:
//   Quad/<bits>/<filter>  one full-screen textured quad (two triangles),
//                         modulated by a Gouraud colour, perspective-correct;
//                         filter 0 point, 1 bilinear. Counter Mpix/s.
//   Tris/<bits>/<area>/<z>/<blend>  a screen full of textured bilinear Gouraud
//                         triangles of <area> pixels (16 or 1000), with the
//                         Z test and write and/or SRCALPHA blending.
//                         Counters Mtri/s and Mpix/s (nominal areas).
// Textures are 256 x 256 1:5:5:5, as the 3D component uses.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/raster.h"

namespace {

namespace r = plat::d3d::raster;
constexpr int kW = 640, kH = 480;

struct Scene {
  std::vector<std::uint8_t> pixels;
  std::vector<std::uint32_t> z;
  std::vector<std::uint16_t> texels;
  r::RenderTarget target;
  r::Texture texture;
  r::State state;

  Scene(int bits, bool bilinear)
      : pixels(static_cast<std::size_t>(kW) * kH * (bits / 8)),
        z(static_cast<std::size_t>(kW) * kH),
        texels(256 * 256) {
    std::uint32_t seed = 1;
    for (auto& t : texels) {
      seed = seed * 1664525u + 1013904223u;
      t = static_cast<std::uint16_t>(seed >> 16) | 0x8000;
    }
    target = {pixels.data(),
              kW * (bits / 8),
              kW,
              kH,
              bits == 16 ? r::TargetFormat::R5G6B5 : r::TargetFormat::X8R8G8B8,
              z.data(),
              kW * 4,
              r::ZFormat::Z32};
    texture = {texels.data(), 512, 256, 256, r::TextureFormat::A1R5G5B5};
    state.viewport = {0, 0, kW, kH};
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
  return {x, y, z, 1.0f / (1.0f + z), c, 0, u, v};
}

void Quad(benchmark::State& st) {
  Scene s(static_cast<int>(st.range(0)), st.range(1) != 0);
  const std::vector<r::TLVertex> q{
      Vtx(0, 0, 0.2f, 0xFFFF8040, 0, 0), Vtx(kW, 0, 0.8f, 0xFF40FF80, 2.5f, 0),
      Vtx(0, kH, 0.2f, 0xFF8040FF, 0, 1.875f), Vtx(kW, kH, 0.8f, 0xFFFFFFFF, 2.5f, 1.875f)};
  for (auto _ : st) {
    r::DrawTriangleStrip(s.target, s.state, q);
    benchmark::DoNotOptimize(s.pixels.data());
  }
  st.counters["Mpix/s"] = benchmark::Counter(static_cast<double>(st.iterations()) * kW * kH / 1e6,
                                             benchmark::Counter::kIsRate);
}
BENCHMARK(Quad)->ArgsProduct({{16, 32}, {0, 1}})->Unit(benchmark::kMillisecond);

void Tris(benchmark::State& st) {
  Scene s(static_cast<int>(st.range(0)), true);
  const double area = static_cast<double>(st.range(1));
  s.state.zEnable = st.range(2) != 0;
  if (st.range(3) != 0) {
    s.state.alphaBlend = true;
    s.state.srcBlend = r::Blend::SrcAlpha;
    s.state.dstBlend = r::Blend::InvSrcAlpha;
  }
  // Right triangles with legs `leg` (area leg^2 / 2), two per grid cell,
  // at fractional positions so every edge case of the edge walk occurs.
  const float leg = static_cast<float>(std::sqrt(2.0 * area));
  const float cell = leg + 1.0f;
  std::vector<r::TLVertex> list;
  for (float y = 0.3f; y + cell < kH; y += cell)
    for (float x = 0.6f; x + cell < kW; x += cell) {
      const float u = x / 256, v = y / 256, d = leg / 256, z = (x + y) / (kW + kH);
      list.push_back(Vtx(x, y, z, 0xC0FF8040, u, v));
      list.push_back(Vtx(x + leg, y, z, 0xC040FF80, u + d, v));
      list.push_back(Vtx(x, y + leg, z, 0xC08040FF, u, v + d));
      list.push_back(Vtx(x + leg, y, z, 0xC040FF80, u + d, v));
      list.push_back(Vtx(x + leg, y + leg, z, 0xC0FFFFFF, u + d, v + d));
      list.push_back(Vtx(x, y + leg, z, 0xC08040FF, u, v + d));
    }
  const double tris = static_cast<double>(list.size() / 3);
  std::fill(s.z.begin(), s.z.end(), 0xFFFFFFFFu);
  for (auto _ : st) {  // equal depths pass LESSEQUAL again on every round
    r::DrawTriangleList(s.target, s.state, list);
    benchmark::DoNotOptimize(s.pixels.data());
  }
  const double n = static_cast<double>(st.iterations());
  st.counters["Mtri/s"] = benchmark::Counter(n * tris / 1e6, benchmark::Counter::kIsRate);
  st.counters["Mpix/s"] = benchmark::Counter(n * tris * area / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(Tris)->ArgsProduct({{16, 32}, {16, 1000}, {0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
