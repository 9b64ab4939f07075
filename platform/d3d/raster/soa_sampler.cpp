// soa_sampler.cpp — picks the eight-lane texture read routine
// (soa_sampler_impl.h) for a bound sampler, once per draw call.
#include "raster/soa_sampler.h"

#include "raster/soa_sampler_impl.h"

#if defined(__SSE2__)

namespace plat::d3d::raster::soa {
namespace {

using detail::Bilinear;
using detail::kOpaque;
using detail::Point;

template <TextureFormat T>
SampleFn For(bool linear, bool wrap, bool alpha) {
  if (linear && !alpha && !kOpaque<T>)
    return wrap ? &Bilinear<T, true, false> : &Bilinear<T, false, false>;
  if (linear) return wrap ? &Bilinear<T, true, true> : &Bilinear<T, false, true>;
  return wrap ? &Point<T, true> : &Point<T, false>;
}

}  // namespace

SampleFn MakeFastSampler(const Sampler& in, FastSampler& out, bool alpha) {
  constexpr int kMaxSide = 16384;
  if (!in.texels || in.pitch <= 0 || in.pitch > 32767 || in.width > kMaxSide ||
      in.height > kMaxSide)
    return nullptr;
  if (in.wrap && (in.wmask < 0 || in.hmask < 0)) return nullptr;
  const bool wide = in.format == TextureFormat::A8R8G8B8;
  out.texels = in.texels;
  out.fw = in.fw;
  out.fh = in.fh;
  out.wmask = in.wmask;
  out.hmask = in.hmask;
  out.wmax = in.width - 1;
  out.hmax = in.height - 1;
  out.madd = static_cast<std::int32_t>(in.pitch << 16 | (wide ? 4 : 2));
  out.keyed = in.keyed && (wide || in.key <= 0xFFFFu);  // a wider key matches no 16-bit texel
  out.key = in.key;
  switch (in.format) {
    case TextureFormat::A1R5G5B5:
      return For<TextureFormat::A1R5G5B5>(in.linear, in.wrap, alpha);
    case TextureFormat::R5G6B5:
      return For<TextureFormat::R5G6B5>(in.linear, in.wrap, alpha);
    case TextureFormat::X1R5G5B5:
      return For<TextureFormat::X1R5G5B5>(in.linear, in.wrap, alpha);
    case TextureFormat::A4R4G4B4:
      return For<TextureFormat::A4R4G4B4>(in.linear, in.wrap, alpha);
    case TextureFormat::A8R8G8B8:
      return For<TextureFormat::A8R8G8B8>(in.linear, in.wrap, alpha);
  }
  return nullptr;
}

}  // namespace plat::d3d::raster::soa

#endif  // __SSE2__
