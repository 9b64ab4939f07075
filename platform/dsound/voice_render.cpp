// voice_render.cpp — one voice mixed into the accumulator: gains and the
// per-format inner loops (8-bit unsigned or 16-bit signed, mono or stereo).
//
// Resampling is linear between the frame under the cursor and the next one
// (the first frame again when looping, the same frame at the end of a
// one-shot). At the buffer's own rate the fraction stays 0, so the output is
// the stored samples exactly.
#include <algorithm>
#include <cmath>

#include "mixer.h"

namespace plat::dsound {

std::int32_t GainQ16(std::int32_t hundredthsDb) {
  if (hundredthsDb <= DSBVOLUME_MIN) return 0;
  if (hundredthsDb >= 0) return kUnityGain;
  return static_cast<std::int32_t>(std::lround(kUnityGain * std::pow(10.0, hundredthsDb / 2000.0)));
}

void Voice::UpdateGains() {
  gainLeft = GainQ16(volume - std::max(pan, 0));
  gainRight = GainQ16(volume + std::min(pan, 0));
}

namespace {

template <int Bits>
std::int32_t Sample(const std::uint8_t* p, int channel) {
  if constexpr (Bits == 8) {
    return (static_cast<std::int32_t>(p[channel]) - 128) * 256;
  } else {
    const auto lo = static_cast<std::uint16_t>(p[2 * channel]);
    const auto hi = static_cast<std::uint16_t>(p[2 * channel + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | hi << 8));
  }
}

std::int32_t Lerp(std::int32_t a, std::int32_t b, std::int64_t frac16) {
  return a + static_cast<std::int32_t>(((b - a) * frac16) >> 16);
}

std::int32_t Scale(std::int32_t s, std::int64_t gain) {
  return static_cast<std::int32_t>((s * gain + 0x8000) >> 16);
}

template <int Channels, int Bits>
Travel Mix(Voice& v, std::int32_t* acc, int frames, std::uint64_t step) {
  constexpr int kBlock = Channels * Bits / 8;
  const std::uint8_t* data = v.memory->bytes.data();
  const std::uint32_t n = v.frames;
  const std::uint64_t size = static_cast<std::uint64_t>(n) << 32;
  const std::int64_t gl = v.gainLeft, gr = v.gainRight;
  const bool looping = v.looping;
  std::uint64_t pos = v.position;
  std::uint64_t wraps = 0;
  Travel t{pos >> 32, 0, false};
  for (int i = 0; i < frames; ++i) {
    const auto idx = static_cast<std::uint32_t>(pos >> 32);
    const auto next = idx + 1 < n ? idx + 1 : (looping ? 0 : idx);
    const std::int64_t frac = (pos >> 16) & 0xFFFF;
    const std::uint8_t* a = data + static_cast<std::size_t>(idx) * kBlock;
    const std::uint8_t* b = data + static_cast<std::size_t>(next) * kBlock;
    const std::int32_t l = Lerp(Sample<Bits>(a, 0), Sample<Bits>(b, 0), frac);
    const std::int32_t r =
        Channels == 2 ? Lerp(Sample<Bits>(a, Channels - 1), Sample<Bits>(b, Channels - 1), frac) : l;
    acc[2 * i] += Scale(l, gl);
    acc[2 * i + 1] += Scale(r, gr);
    pos += step;
    if (pos >= size) {
      if (!looping) {
        t.to = n;
        t.ended = true;
        v.position = 0;
        return t;
      }
      wraps += pos / size;
      pos %= size;
    }
  }
  v.position = pos;
  t.to = wraps * n + (pos >> 32);
  return t;
}

}  // namespace

Travel MixVoice(Voice& v, std::int32_t* acc, int frames, std::uint64_t step) {
  const bool stereo = v.format.channels == 2;
  if (v.format.bits == 8) return stereo ? Mix<2, 8>(v, acc, frames, step) : Mix<1, 8>(v, acc, frames, step);
  return stereo ? Mix<2, 16>(v, acc, frames, step) : Mix<1, 16>(v, acc, frames, step);
}

}  // namespace plat::dsound
