// Pixel-exact blend tests: each effect x pixel format (5:6:5, 5:5:5, 24, 32)
// x keyed/unkeyed x reference/fast routine runs over a fixed-seed source and
// destination with padded pitches, odd widths (leading and trailing pixels
// around the SIMD blocks) and parameters around the special cases; the
// FNV-1a hash of the result must equal the hash of the same area computed by
// the model in blend_model.h, and no padding byte may change.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "blend_model.h"
#include "draw/Vxblendfast.h"
#include "draw/Vxblendmodel.h"
#include "draw/Vxblendref.h"
#include "draw/Vxblendsimd.h"
#include "draw/Vxpixelmode.h"
#include "draw/Vxroutines.h"
#include "support/surface_check.h"

namespace {

using namespace VexmoraDrawSystem;

struct Format {
  const char* name;
  int bits;
  bool rgb555;
};
const Format kFormats[] = {{"565", 16, false}, {"555", 16, true}, {"24", 24, false}, {"32", 32, false}};
// Around the SIMD blocks: 8 and 16 pixels (SSE2), 16 and 32 (AVX2) and
// their 3-byte strides.
const int kWidths[] = {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 21, 31, 32, 33, 37, 63, 64, 71};
const std::int32_t kParams[] = {0, 1, 64, 127, 128, 129, 200, 254, 255, 256, 1000, 0x00FF8040};
constexpr int kHeight = 3, kPad = 5;

struct Area {
  int width, bytes;
  std::int32_t pitch;
  std::vector<std::uint8_t> mem;
  Area(int w, int b) : width(w), bytes(b), pitch(w * b + kPad),
                       mem(static_cast<std::size_t>(pitch) * kHeight, kxtest::kPadByte) {}
  std::uint8_t* Px(int x, int y) { return mem.data() + y * pitch + x * bytes; }
  std::uint32_t Get(int x, int y) {
    std::uint32_t v = 0;
    std::memcpy(&v, Px(x, y), static_cast<std::size_t>(bytes));
    return v;
  }
  void Set(int x, int y, std::uint32_t v) { std::memcpy(Px(x, y), &v, static_cast<std::size_t>(bytes)); }
  std::uint64_t Hash() const { return kxtest::HashRows(mem.data(), pitch, width * bytes, kHeight); }
  bool PadIntact() const {
    for (int y = 0; y < kHeight; ++y)
      for (int i = width * bytes; i < pitch; ++i)
        if (mem[static_cast<std::size_t>(y * pitch + i)] != kxtest::kPadByte) return false;
    return true;
  }
};

// Fixed-seed pixels; every fifth source pixel is the key, with junk in the
// bits outside the colour mask now and then.
void Fill(Area& dst, Area& src, const TPixelMode& m, std::uint32_t seed) {
  std::uint32_t r = seed;
  auto next = [&] { return r = r * 1664525u + 1013904223u; };
  const std::uint32_t all = dst.bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * dst.bytes)) - 1;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < dst.width; ++x) {
      dst.Set(x, y, next() & all);
      const std::uint32_t s = next();
      src.Set(x, y, (x + y) % 5 == 0 ? m.keyColour | (s & 0x80 ? 0 : s & m.otherMask & all) : s & all);
    }
}

void Model(Area& d, Area& s, int e, bool keyed, bool packed, std::int32_t param,
           const TPixelMode& m) {
  const auto a = static_cast<std::uint32_t>(param);
  const std::uint32_t whole = d.bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * d.bytes)) - 1;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < d.width; ++x) {
      const std::uint32_t sp = s.Get(x, y), dp = d.Get(x, y);
      if (keyed && (packed ? sp == (m.keyColour & whole) : (sp & m.colourMask) == m.keyColour))
        continue;
      std::uint32_t out;
      if (!packed) {
        out = kxtest::RefPixel(e, dp, sp, a, m);
      } else if (d.bytes == 2) {
        out = kxtest::PackedPixel16(e, dp, sp, a, m);
      } else {
        out = 0;
        for (int k = 0; k < d.bytes; ++k)
          out |= kxtest::PackedByte(e, dp >> (8 * k) & 0xFF, sp >> (8 * k) & 0xFF, a) << (8 * k);
      }
      d.Set(x, y, out & whole);
    }
}

TVexmoraDrawDirect Record(Area& d, Area& s, std::int32_t param) {
  TVexmoraDrawDirect r;
  r.dest = d.mem.data();
  r.source = s.mem.data();
  r.destPitch = d.pitch;
  r.sourcePitch = s.pitch;
  r.width = d.width;
  r.height = kHeight;
  r.param1 = param;
  return r;
}

enum class Set { Reference, Fast, EngineModel, Sse2, Avx2 };

void CheckAll(Set set) {
  for (const Format& f : kFormats) {
    TPixelMode& m = PixelMode();
    const plat::DDPIXELFORMAT pf = plat::PixelFormatForBits(f.bits, f.rgb555);
    FillPixelMode(m, pf, pf.dwRBitMask, 64, 64, true);  // key: red
    const int bytes = f.bits / 8;
    for (int e = beTrans; e <= beColorMod; ++e) {
      const bool packed = set != Set::Reference;
      if (packed && e > beSub) continue;  // the colour effects have no packed form
      for (bool keyed : {false, true}) {
        const auto effect = static_cast<TBlendEffect>(e);
        TPixelRoutine routine = nullptr;
        switch (set) {
          case Set::Reference: routine = ReferenceBlend(bytes, effect, keyed); break;
          case Set::Fast: routine = FastBlend(bytes, effect, keyed); break;
          case Set::EngineModel: routine = ModelBlend(bytes, effect, keyed); break;
          case Set::Sse2: routine = SimdBlend(TSimd::Sse2, bytes, effect, keyed); break;
          case Set::Avx2: routine = SimdBlend(TSimd::Avx2, bytes, effect, keyed); break;
        }
        if (!routine) GTEST_SKIP() << "not on this processor";
        for (int w : kWidths)
          for (std::int32_t param : kParams) {
            Area d(w, bytes), s(w, bytes);
            Fill(d, s, m, static_cast<std::uint32_t>(w * 131 + e * 7 + param));
            Area expect = d;
            Model(expect, s, e, keyed, packed, param, m);
            routine(Record(d, s, param));
            ASSERT_EQ(d.Hash(), expect.Hash())
                << f.name << " effect " << e << (keyed ? " keyed" : "") << " width " << w
                << " param " << param;
            ASSERT_TRUE(d.PadIntact()) << f.name << " effect " << e << " width " << w;
          }
      }
    }
  }
}

TEST(BlendHash, ReferenceRoutinesMatchTheMaskedArithmetic) { CheckAll(Set::Reference); }
TEST(BlendHash, FastRoutinesMatchThePackedModel) { CheckAll(Set::Fast); }
TEST(BlendHash, Sse2RoutinesMatchThePackedModel) { CheckAll(Set::Sse2); }
TEST(BlendHash, Avx2RoutinesMatchThePackedModel) { CheckAll(Set::Avx2); }
TEST(BlendHash, ScalarModelRoutinesMatchThePackedModel) { CheckAll(Set::EngineModel); }

TEST(BlendHash, FastRoutinesAreTheWidestSimdForm) {
  const TPixelRoutine avx2 = SimdBlend(TSimd::Avx2, 2, beTrans, false);
  EXPECT_EQ(FastBlend(2, beTrans, false), avx2 ? avx2 : SimdBlend(TSimd::Sse2, 2, beTrans, false));
  EXPECT_STREQ(FastBlendIsa(), avx2 ? "avx2" : "sse2");
}

TEST(BlendRoutines, PackedFormsReplaceOnlyTransToSubAndOnlyWithMMX) {
  for (int bytes : {2, 3, 4}) {
    const TDrawRoutines fast = SelectRoutines(bytes, true), plain = SelectRoutines(bytes, false);
    EXPECT_EQ(fast.effect[0], nullptr);
    EXPECT_EQ(fast.effect[7], nullptr);
    for (int e = beTrans; e <= beColorMod; ++e)
      for (bool keyed : {false, true}) {
        const auto i = static_cast<std::size_t>(e + (keyed ? 7 : 0));
        const auto effect = static_cast<TBlendEffect>(e);
        EXPECT_EQ(plain.effect[i], ReferenceBlend(bytes, effect, keyed));
        EXPECT_EQ(fast.effect[i], e <= beSub ? FastBlend(bytes, effect, keyed)
                                             : ReferenceBlend(bytes, effect, keyed));
      }
    EXPECT_NE(fast.rotZoom, nullptr);
    EXPECT_NE(fast.rotZoomKeyed, nullptr);
  }
  const TDrawRoutines palette = SelectRoutines(1, true);
  for (TPixelRoutine r : palette.effect) EXPECT_EQ(r, nullptr);
  EXPECT_EQ(palette.rotZoom, nullptr);
}

}  // namespace
