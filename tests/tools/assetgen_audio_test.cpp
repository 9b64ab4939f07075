// assetgen_audio_test.cpp — checks the sounds and songs that assetgen writes,
// with readers written apart from the generator. Effects: plain 16-bit mono
// PCM WAVs (RIFF, a 16-byte fmt chunk, data, nothing else) whose length and
// peak suit how often the game plays them, starting at once and silent at
// both ends. Songs: well-formed SMFs of the format each needs, every note
// released, tempos the player converts exactly, volume set only at the start
// (fades scale it), and loops on bar lines with nothing lost at the jump.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "assetgen_run.h"
#include "smf_reader.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

std::uint32_t le(const std::vector<std::uint8_t>& d, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | d[at + i];
  return v;
}
bool tagAt(const std::vector<std::uint8_t>& d, std::size_t at, const char* tag) {
  return d.size() >= at + 4 && std::equal(tag, tag + 4, d.begin() + static_cast<long>(at));
}

fs::path out() {
  return kxtest::assetgenRuns() / "a";
}

using kxtest::MidiEvent;
using kxtest::MidiFile;

// ---- WAV ----

struct EffectSpec {
  const char* file;
  double minSeconds, maxSeconds, peakDb;
};

// In the order of the game's effect codes 1..17.
const EffectSpec kEffects[] = {
    {"bse1.wav", 0.6, 1.0, -1},      {"bse10.wav", 0.5, 0.8, -3},    {"se5.wav", 0.8, 1.2, -4},
    {"get.wav", 0.25, 0.4, -3},      {"bse3.wav", 0.25, 0.4, -6},    {"bse6.wav", 1.0, 1.6, -1},
    {"se2.wav", 0.08, 0.15, -12},    {"_bse8.wav", 0.2, 0.3, -6},    {"_G_swd9.wav", 0.3, 0.5, -4},
    {"bse5.wav", 0.3, 0.5, -6},      {"a1_04083.wav", 0.7, 1.0, -5}, {"bse15.wav", 0.6, 0.9, -4},
    {"rush.wav", 1.5, 2.5, -3},      {"os18.wav", 0.4, 0.6, -4},     {"os20.wav", 0.3, 0.5, -5},
    {"A1_05101.wav", 0.2, 0.35, -8}, {"_a1.wav", 0.05, 0.15, -10},
};

// Samples of a WAV laid out exactly as RIFF, WAVE, fmt (16), data; fails the
// test and returns nothing for any other layout.
std::vector<std::int16_t> readPcm(const fs::path& p) {
  const std::vector<std::uint8_t> d = slurp(p);
  const std::string where = p.filename().string();
  if (d.size() < 44 || !tagAt(d, 0, "RIFF") || !tagAt(d, 8, "WAVE") || !tagAt(d, 12, "fmt ") ||
      !tagAt(d, 36, "data")) {
    ADD_FAILURE() << where << ": not RIFF/WAVE with fmt then data";
    return {};
  }
  EXPECT_EQ(le(d, 4, 4), d.size() - 8) << where << ": RIFF size";
  EXPECT_EQ(le(d, 16, 4), 16u) << where << ": fmt size";
  EXPECT_EQ(le(d, 20, 2), 1u) << where << ": PCM";
  EXPECT_EQ(le(d, 22, 2), 1u) << where << ": mono";
  EXPECT_EQ(le(d, 24, 4), 22050u) << where << ": rate";
  EXPECT_EQ(le(d, 28, 4), 44100u) << where << ": bytes per second";
  EXPECT_EQ(le(d, 32, 2), 2u) << where << ": block align";
  EXPECT_EQ(le(d, 34, 2), 16u) << where << ": bits";
  const std::uint32_t bytes = le(d, 40, 4);
  EXPECT_EQ(bytes, d.size() - 44) << where << ": data size, or a chunk after data";
  std::vector<std::int16_t> s(std::min<std::size_t>(bytes, d.size() - 44) / 2);
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(le(d, 44 + 2 * i, 2));
  return s;
}

TEST(AssetgenSounds, EveryEffectIsPlainPcmOfItsLengthAndLevel) {
  ASSERT_FALSE(kxtest::assetgenRuns().empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(out() / "wav"), fs::directory_iterator{}), 17);
  for (const EffectSpec& e : kEffects) {
    SCOPED_TRACE(e.file);
    const std::vector<std::int16_t> s = readPcm(out() / "wav" / e.file);
    ASSERT_GT(s.size(), 100u);
    const double seconds = static_cast<double>(s.size()) / 22050;
    EXPECT_GE(seconds, e.minSeconds);
    EXPECT_LE(seconds, e.maxSeconds);
    int peak = 0;
    double sum = 0;
    for (std::int16_t v : s) {
      peak = std::max(peak, std::abs(static_cast<int>(v)));
      sum += v;
    }
    EXPECT_NEAR(20 * std::log10(peak / 32768.0), e.peakDb, 0.1);
    EXPECT_LT(std::fabs(sum / static_cast<double>(s.size())), 0.01 * peak) << "DC offset";
    // No click: both ends at silence. No leading silence: loud within 10 ms.
    EXPECT_LE(std::abs(s.front()), peak / 100);
    EXPECT_LE(std::abs(s.back()), peak / 100);
    int early = 0;
    for (std::size_t i = 0; i < 220; ++i) early = std::max(early, std::abs(static_cast<int>(s[i])));
    EXPECT_GE(early, peak / 10) << "slow start";
  }
}

// ---- SMF ----

struct SongSpec {
  const char* file;
  int format;
  bool loops;
  double introMin, introMax;  // seconds before the loop start
  double bodyMin, bodyMax;    // loop length, or the whole song when it plays once
};

const SongSpec kSongs[] = {
    {"KX00STD.mid", 1, true, 0, 0, 45, 60}, {"KX01STD.mid", 1, true, 2.5, 4, 60, 80},
    {"KX02STD.mid", 1, true, 4, 5, 60, 90}, {"KX03STD.mid", 0, true, 3.5, 5.5, 60, 90},
    {"KX04STD.mid", 1, true, 3, 4, 30, 60}, {"KX05STD.mid", 1, true, 3, 4, 60, 90},
    {"KX06STD.mid", 1, false, 0, 0, 4, 8},  {"KX07STD.mid", 1, false, 0, 0, 24, 28},
};

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

class AssetgenSongs : public testing::TestWithParam<SongSpec> {
 protected:
  void SetUp() override {
    ASSERT_FALSE(kxtest::assetgenRuns().empty());
    smf_ = kxtest::parseSmf(slurp(out() / "mid" / GetParam().file), GetParam().file);
    ASSERT_FALSE(smf_.events.empty());
  }
  MidiFile smf_;
};

TEST_P(AssetgenSongs, IsWellFormedWithEveryNoteReleased) {
  EXPECT_EQ(smf_.format, GetParam().format);
  EXPECT_EQ(smf_.tracks > 1, smf_.format == 1);
  EXPECT_GT(smf_.division, 0);
  EXPECT_LT(smf_.division, 0x8000) << "PPQ, not SMPTE";
  std::map<int, std::uint32_t> sounding;  // channel * 128 + key -> start tick
  int notes = 0;
  for (const MidiEvent& e : smf_.events) {
    if (!e.channel() || (e.status & 0xE0) != 0x80) continue;
    const int id = (e.status & 0x0F) * 128 + e.data[0];
    if (e.noteOn()) {
      EXPECT_FALSE(sounding.count(id)) << "key struck again while sounding at tick " << e.tick;
      sounding[id] = e.tick;
      ++notes;
    } else if (e.noteOff()) {
      EXPECT_TRUE(sounding.erase(id)) << "note-off without note at tick " << e.tick;
    }
  }
  EXPECT_TRUE(sounding.empty()) << sounding.size() << " notes never released";
  EXPECT_GT(notes, 50);
}

TEST_P(AssetgenSongs, TimingSuitsThePlayer) {
  const std::uint32_t bar = 4u * static_cast<std::uint32_t>(smf_.division);
  std::uint32_t lastTempo = 0, lastNote = 0, firstNote = UINT32_MAX;
  bool drums = false;
  for (const MidiEvent& e : smf_.events) {
    if (e.meta(0x51)) {
      const std::uint32_t us = kxtest::bigEndian(e.data, 0, 3);
      EXPECT_EQ(us % 1000, 0u) << "tempo at tick " << e.tick;
      EXPECT_LE(e.tick - lastTempo, 2 * bar) << "tempo not restated before tick " << e.tick;
      lastTempo = e.tick;
    }
    if (!e.channel()) continue;
    if (e.noteOn()) {
      firstNote = std::min(firstNote, e.tick);
      drums = drums || (e.status & 0x0F) == 9;
    }
    if (e.noteOff()) lastNote = std::max(lastNote, e.tick);
    // A volume change after the start would undo the player's fade.
    if (e.control(7)) {
      EXPECT_LE(kxtest::smfSeconds(smf_, e.tick), 0.25) << "CC7 at tick " << e.tick;
    }
  }
  EXPECT_EQ(smf_.events.front().tick, 0u);
  EXPECT_GE(kxtest::smfSeconds(smf_, firstNote), 0.15) << "notes before the GM reset settles";
  EXPECT_GE(lastTempo + 2 * bar, lastNote);
  EXPECT_TRUE(drums || !GetParam().loops) << "no drums on channel 10";
}

TEST_P(AssetgenSongs, LoopsOnBarLinesOrEndsCleanly) {
  const SongSpec& spec = GetParam();
  const std::uint32_t bar = 4u * static_cast<std::uint32_t>(smf_.division);
  std::vector<std::uint32_t> starts, ends;
  std::uint32_t lastStored = 0;
  for (const MidiEvent& e : smf_.events) {
    if (!e.meta(0x2F)) lastStored = std::max(lastStored, e.tick);
    if (e.status != 0xFF || (e.type != 6 && e.type != 7)) continue;
    const std::string t = lower(e.text());
    if (t == (e.type == 6 ? "repeatstart" : "repeat")) starts.push_back(e.tick);
    if (t == (e.type == 6 ? "repeatend" : "end")) ends.push_back(e.tick);
  }
  std::uint32_t start = 0, end = lastStored;
  if (!spec.loops || spec.introMax == 0) {
    // Played once, or looped whole: no repeat texts, the song runs to its
    // last stored event, which for a loop sits on a bar line.
    EXPECT_TRUE(starts.empty() && ends.empty());
    if (spec.loops) {
      EXPECT_EQ(end % bar, 0u) << "whole-song loop off the bar line";
    }
  } else {
    ASSERT_EQ(starts.size(), 1u);
    ASSERT_EQ(ends.size(), 1u);
    start = starts[0];
    end = ends[0];
    EXPECT_GT(start, 0u);
    EXPECT_EQ(start % bar, 0u);
    EXPECT_EQ((end - start) % bar, 0u);
    EXPECT_GE(kxtest::smfSeconds(smf_, start), spec.introMin);
    EXPECT_LE(kxtest::smfSeconds(smf_, start), spec.introMax);
    bool tempoAtStart = false;
    for (const MidiEvent& e : smf_.events)
      tempoAtStart = tempoAtStart || (e.meta(0x51) && e.tick == start);
    EXPECT_TRUE(tempoAtStart) << "the loop start must state its tempo";
  }
  EXPECT_GE(kxtest::smfSeconds(smf_, end) - kxtest::smfSeconds(smf_, start), spec.bodyMin);
  EXPECT_LE(kxtest::smfSeconds(smf_, end) - kxtest::smfSeconds(smf_, start), spec.bodyMax);
  // The jump back skips channel events in the last moments before it, so a
  // looping song releases every note at least a 32nd note earlier.
  for (const MidiEvent& e : smf_.events) {
    if (spec.loops && e.channel()) {
      EXPECT_LE(e.tick + smf_.division / 8, end) << "tick " << e.tick;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(All, AssetgenSongs, testing::ValuesIn(kSongs),
                         [](const testing::TestParamInfo<SongSpec>& i) {
                           return std::string(i.param.file).substr(0, 7);
                         });

}  // namespace
