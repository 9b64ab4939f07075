// midi_fixture.h — a TVexmoraMidi on the headless backend: its play thread
// runs on virtual time (cycles at 0, 10, 20 ... ms), every message sent is in
// the MIDI log with its time, and Run lets time pass and then delivers the
// posted messages as the application loop would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "midi/Vxmidi.h"
#include "plat/app.h"
#include "plat/headless.h"
#include "plat/testing.h"
#include "plat/timer.h"
#include "smf_builder.h"

namespace kxtest {

struct Sent {
  std::uint32_t ms;
  Bytes bytes;
};

class MidiTest : public ::testing::Test {
 protected:
  void SetUp() override { Open({}); }
  void TearDown() override {
    midi_.reset();
    plat::ClearResources();
    plat::testing::ClearFaults();
    plat::headless::Stop();
  }
  void Open(const plat::headless::Config& config, bool init = true) {
    midi_.reset();
    control_ = &plat::headless::Start(config);
    midi_ = std::make_unique<VexmoraMidiSystem::TVexmoraMidi>(nullptr);
    midi_->OnMidiEnd = [this](plat::TComponent*) { ++ends_; };
    if (init) midi_->Init();
  }
  void Song(const std::string& name, std::uint16_t division, const std::vector<Track>& tracks) {
    AddSong(name + ".mid", Smf(tracks.size() == 1 ? 0 : 1, division, tracks));
    midi_->CreateData(name, name + ".mid");
  }
  void Run(std::uint32_t ms) {
    control_->Advance(ms);
    plat::Application::ProcessMessages();
  }
  // Runs in 10 ms steps until OnMidiEnd was raised (at most `limit` ms);
  // returns the time it was.
  std::uint32_t RunUntilEnd(std::uint32_t limit) {
    for (std::uint32_t t = 0; t < limit && ends_ == 0; t += 10) Run(10);
    return plat::timeGetTime();
  }
  // The messages sent since `from` whose first byte matches `status` under
  // `mask`.
  std::vector<Sent> Log(int status, int mask = 0xFF, std::uint32_t from = 0) const {
    std::vector<Sent> out;
    for (const auto& e : control_->MidiLog())
      if (e.ms >= from && (e.bytes[0] & mask) == status) out.push_back({e.ms, e.bytes});
    return out;
  }
  std::vector<std::uint32_t> Times(int status, int d1, std::uint32_t from = 0) const {
    std::vector<std::uint32_t> out;
    for (const Sent& s : Log(status, 0xFF, from))
      if (s.bytes.size() > 1 && s.bytes[1] == d1) out.push_back(s.ms);
    return out;
  }

  plat::headless::Control* control_ = nullptr;
  std::unique_ptr<VexmoraMidiSystem::TVexmoraMidi> midi_;
  int ends_ = 0;
};

}  // namespace kxtest
