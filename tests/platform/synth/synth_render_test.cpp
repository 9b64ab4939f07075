// The music synthesiser with a real soundfont (skipped without one): a note
// sounds from the sample it was applied at, not from a block boundary, and a
// GS reset silences what plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "synth/synth.h"
#include "synth/timed_midi.h"

namespace {

using plat::synth::Synth;
using plat::synth::TimedMidi;
using Bytes = std::vector<std::uint8_t>;

constexpr int kRate = 22050;
constexpr std::int64_t kNsPerFrame = 1'000'000'000 / kRate;  // close enough to place a frame

std::unique_ptr<Synth> MakeSynth() {
  std::string why;
  return Synth::Create(why);
}

// The first frame (of a stereo 16-bit stream) louder than `level`; -1: none.
int Onset(const std::vector<std::int16_t>& pcm, int level = 64) {
  for (std::size_t i = 0; i < pcm.size(); ++i)
    if (std::abs(pcm[i]) > level) return static_cast<int>(i / 2);
  return -1;
}

// Renders `frames` in device periods of 512 with a note-on sent at frame
// `noteAt` (and, if given, `thenAt` for another message).
std::vector<std::int16_t> Render(Synth& synth, int frames, int noteAt, Bytes then = {},
                                 int thenAt = 0) {
  TimedMidi midi;
  midi.Send(Bytes{0xC0, 80}, 0);  // square lead: a sharp attack
  midi.Send(Bytes{0x90, 72, 127}, (noteAt + 1) * kNsPerFrame);
  if (!then.empty()) midi.Send(then, (thenAt + 1) * kNsPerFrame);
  std::vector<std::int16_t> pcm(2 * static_cast<std::size_t>(frames));
  for (int at = 0; at < frames; at += 512)
    midi.Render(synth, pcm.data() + 2 * at, std::min(512, frames - at), kRate,
                at * 1'000'000'000LL / kRate);
  return pcm;
}

TEST(Synth, ANoteSoundsFromItsOwnSampleNotFromTheDevicePeriod) {
  if (!MakeSynth()) GTEST_SKIP() << "no soundfont";
  std::vector<int> onsets;
  for (int noteAt : {300, 333, 1200}) {
    std::unique_ptr<Synth> synth = MakeSynth();  // no reverb tail of the last case
    const int onset = Onset(Render(*synth, 2048, noteAt));
    // On the nearest edge of FluidSynth's 64-frame blocks at twice the rate
    // (16 frames either way here), give or take the filter's 12-frame reach
    // and the attack's rise above the threshold.
    ASSERT_GE(onset, noteAt - 16 - 12) << noteAt;
    EXPECT_LE(onset, noteAt + 16 + 24) << noteAt;
    onsets.push_back(onset - noteAt);
  }
  // A period-quantised renderer would start them up to 512 frames late.
  EXPECT_LE(*std::ranges::max_element(onsets) - *std::ranges::min_element(onsets), 33);
}

TEST(Synth, MessagesTakeEffectOnTheEdgesOfItsBlocks) {
  std::unique_ptr<Synth> synth = MakeSynth();
  if (!synth) GTEST_SKIP() << "no soundfont";
  std::vector<std::int16_t> pcm(2 * 100);
  EXPECT_EQ(synth->GridFrames(kRate), 32);  // 64 frames at 44100 Hz
  synth->Mix(pcm.data(), 10, kRate);        // 20 of them
  EXPECT_EQ(synth->FramesToGrid(kRate), 22);
  synth->Mix(pcm.data(), 22, kRate);
  EXPECT_EQ(synth->FramesToGrid(kRate), 0);
  EXPECT_EQ(synth->GridFrames(44100), 64);
}

TEST(Synth, GmSystemOnSilencesWhatPlays) {
  std::unique_ptr<Synth> held = MakeSynth(), reset = MakeSynth();
  if (!held) GTEST_SKIP() << "no soundfont";
  auto loudest = [](const std::vector<std::int16_t>& pcm, int from, int to) {
    int m = 0;
    for (int i = 2 * from; i < 2 * to; ++i)
      m = std::max(m, std::abs(int{pcm[static_cast<std::size_t>(i)]}));
    return m;
  };
  const std::vector<std::int16_t> on = Render(*held, 22050, 100);
  const std::vector<std::int16_t> off =
      Render(*reset, 22050, 100, Bytes{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}, 8000);
  EXPECT_GT(loudest(on, 2000, 8000), 1000);
  EXPECT_EQ(loudest(on, 2000, 8000), loudest(off, 2000, 8000));
  // Only the reverb's tail is left of the held note.
  EXPECT_LT(loudest(off, 14000, 22050) * 8, loudest(on, 14000, 22050));
}

}  // namespace
