// sound_fixture.h — a headless run with an initialised DirectSound device
// (priority level, primary buffer) and helpers to make, fill and hear
// secondary buffers through the audio capture.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include "plat/dsound.h"
#include "plat/headless.h"
#include "plat/testing.h"

namespace kxtest {

inline constexpr std::uint32_t kStaticCaps = 0x180E2, kStreamCaps = 0x181E0;

inline plat::WAVEFORMATEX Pcm(int channels, int bits, std::uint32_t rate) {
  const auto align = static_cast<std::uint16_t>(channels * bits / 8);
  return {plat::WAVE_FORMAT_PCM, static_cast<std::uint16_t>(channels), rate, rate * align, align,
          static_cast<std::uint16_t>(bits), 0};
}

// Writes 16-bit samples at `offset` through Lock, across the wrap if need be.
inline void Write(plat::IDirectSoundBuffer& b, std::uint32_t offset,
                  std::span<const std::int16_t> samples) {
  void *p1 = nullptr, *p2 = nullptr;
  std::uint32_t n1 = 0, n2 = 0;
  ASSERT_EQ(b.Lock(offset, static_cast<std::uint32_t>(samples.size() * 2), &p1, &n1, &p2, &n2, 0),
            plat::DS_OK);
  auto* first = static_cast<std::uint8_t*>(p1);
  auto* second = static_cast<std::uint8_t*>(p2);
  for (std::uint32_t i = 0; i < samples.size() * 2; ++i) {
    const auto byte = static_cast<std::uint8_t>(samples[i / 2] >> (i % 2 * 8));
    (i < n1 ? first[i] : second[i - n1]) = byte;
  }
  ASSERT_EQ(b.Unlock(p1, n1, p2, n2), plat::DS_OK);
}

inline std::size_t CountNonZero(const std::vector<std::int16_t>& s) {
  return s.size() - static_cast<std::size_t>(std::count(s.begin(), s.end(), 0));
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override { Open({}); }
  void TearDown() override {
    primary_.reset();
    ds_.reset();
    plat::testing::ClearFaults();
    plat::headless::Stop();
  }
  void Open(const plat::headless::Config& config) {
    control_ = &plat::headless::Start(config);
    ASSERT_EQ(plat::CoCreateDirectSound(ds_), plat::DS_OK);
    if (!config.audioDevice) return;
    ASSERT_EQ(ds_->Initialize(), plat::DS_OK);
    ASSERT_EQ(ds_->SetCooperativeLevel(&form_, plat::DSSCL_PRIORITY), plat::DS_OK);
    ASSERT_EQ(ds_->CreateSoundBuffer({0x81, 0, nullptr}, primary_), plat::DS_OK);
  }

  std::shared_ptr<plat::IDirectSoundBuffer> Make(const plat::WAVEFORMATEX& f, std::uint32_t bytes,
                                                 std::uint32_t caps = kStaticCaps) {
    std::shared_ptr<plat::IDirectSoundBuffer> b;
    EXPECT_EQ(ds_->CreateSoundBuffer({caps, bytes, &f}, b), plat::DS_OK);
    return b;
  }
  // A mono 16-bit buffer at `rate` holding `samples`.
  std::shared_ptr<plat::IDirectSoundBuffer> Mono(const std::vector<std::int16_t>& samples,
                                                 std::uint32_t rate = 44100,
                                                 std::uint32_t caps = kStaticCaps) {
    auto b = Make(Pcm(1, 16, rate), static_cast<std::uint32_t>(samples.size() * 2), caps);
    Write(*b, 0, samples);
    return b;
  }
  // One side of the capture so far (0 = left, 1 = right).
  std::vector<std::int16_t> Side(int side) const {
    const auto all = control_->AudioCapture();
    std::vector<std::int16_t> out;
    for (auto i = static_cast<std::size_t>(side); i < all.size(); i += 2) out.push_back(all[i]);
    return out;
  }
  static std::uint32_t Status(plat::IDirectSoundBuffer& b) {
    std::uint32_t s = 0xDEAD;
    return b.GetStatus(&s) == plat::DS_OK ? s : 0xDEAD;
  }

  plat::headless::Control* control_ = nullptr;
  plat::Form form_{plat::Form::Desc{}};
  std::shared_ptr<plat::IDirectSound> ds_;
  std::shared_ptr<plat::IDirectSoundBuffer> primary_;
};

}  // namespace kxtest
