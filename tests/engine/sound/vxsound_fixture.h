// vxsound_fixture.h — sound tests: small WAV files built in memory, and a
// headless run (virtual clock, captured audio, the engine log fixture) with a
// TVexmoraSound on a form, initialised at the device rate of 22050 Hz.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/log_fixture.h"
#include "plat/component.h"
#include "plat/testing.h"
#include "sound/Vxsound.h"

namespace kxtest {

inline std::string Le(std::uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
  return s;
}
// A chunk; `declared` >= 0 overrides the size field.
inline std::string Chunk(const std::string& id, const std::string& payload, long declared = -1) {
  return id + Le(static_cast<std::uint32_t>(declared < 0 ? payload.size() : declared), 4) + payload;
}
// A 16-bit PCM format record of 18 bytes, or 16 without the extra size.
inline std::string Fmt(int channels, std::uint32_t rate, bool extra = true) {
  const auto align = static_cast<std::uint32_t>(channels * 2);
  return Le(1, 2) + Le(static_cast<std::uint32_t>(channels), 2) + Le(rate, 4) +
         Le(rate * align, 4) + Le(align, 2) + Le(16, 2) + (extra ? Le(0, 2) : "");
}
inline std::string Riff(const std::string& chunks) {
  return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}
inline std::string Pcm16(const std::vector<std::int16_t>& samples) {
  std::string out;
  for (std::int16_t s : samples) out += Le(static_cast<std::uint16_t>(s), 2);
  return out;
}
inline std::string MonoWav(const std::vector<std::int16_t>& samples, std::uint32_t rate = 22050) {
  return Riff(Chunk("fmt ", Fmt(1, rate)) + Chunk("data", Pcm16(samples)));
}
// Never 0 and no repeat within 30011 samples, so a misplaced piece shows.
inline std::vector<std::int16_t> Signal(std::size_t n) {
  std::vector<std::int16_t> s(n);
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<std::int16_t>(1 + (i * 37) % 30011);
  return s;
}
inline std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const plat::Exception& e) {
    return e.Message();
  }
  return "";
}

class VxSoundTest : public EngineLogTest {
 protected:
  void SetUp() override {
    EngineLogTest::SetUp();
    plat::testing::ClearFaults();
    Restart({});
  }
  void TearDown() override {
    owner_.reset();  // deletes the component
    plat::testing::ClearFaults();
    EngineLogTest::TearDown();
  }
  void Restart(const plat::headless::Config& config) {
    owner_.reset();
    control_ = &plat::headless::Start(config);
    owner_ = std::make_unique<plat::TWinControl>(form_);
    sound_ = new VexmoraSoundSystem::TVexmoraSound(owner_.get());
  }
  std::string WriteWav(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  VexmoraSoundSystem::TVexmoraSoundBuffer& Buffer(const std::string& name) const {
    return *sound_->FindBuffer(name);
  }
  std::vector<std::int16_t> Side(int side) const {  // 0 left, 1 right
    const auto all = control_->AudioCapture();
    std::vector<std::int16_t> out;
    for (auto i = static_cast<std::size_t>(side); i < all.size(); i += 2) out.push_back(all[i]);
    return out;
  }

  plat::headless::Control* control_ = nullptr;
  plat::Form form_{plat::Form::Desc{}};
  std::unique_ptr<plat::TWinControl> owner_;
  VexmoraSoundSystem::TVexmoraSound* sound_ = nullptr;  // owned by owner_
};

}  // namespace kxtest
