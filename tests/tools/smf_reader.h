// smf_reader.h — a small Standard MIDI File reader for the tools tests,
// written apart from the generator's encoder so each checks the other. Reads
// formats 0-2 with running status; every track must end with end-of-track
// exactly at the end of its chunk, else the test fails. Events of all tracks
// are merged by tick, earlier tracks first, as the game's player does.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace kxtest {

inline std::uint32_t bigEndian(const std::vector<std::uint8_t>& d, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | d[at + static_cast<std::size_t>(i)];
  return v;
}

struct MidiEvent {
  std::uint32_t tick;
  int track;
  std::uint8_t status;  // 0xFF meta, 0xF0/0xF7 sysex, else channel status
  std::uint8_t type;    // meta type
  std::vector<std::uint8_t> data;
  std::string text() const { return {data.begin(), data.end()}; }
  bool channel() const { return status < 0xF0; }
  bool meta(int t) const { return status == 0xFF && type == t; }
  bool noteOn() const { return (status & 0xF0) == 0x90 && data[1] > 0; }
  bool noteOff() const { return (status & 0xF0) == 0x80 || ((status & 0xF0) == 0x90 && !data[1]); }
  bool control(int cc) const { return (status & 0xF0) == 0xB0 && data[0] == cc; }
};

struct MidiFile {
  int format = -1, division = 0, tracks = 0;
  std::vector<MidiEvent> events;
};

inline MidiFile parseSmf(const std::vector<std::uint8_t>& d, const std::string& where) {
  MidiFile smf;
  auto tagAt = [&](std::size_t at, const char* tag) {
    return d.size() >= at + 4 && std::equal(tag, tag + 4, d.begin() + static_cast<long>(at));
  };
  if (d.size() < 14 || !tagAt(0, "MThd") || bigEndian(d, 4, 4) != 6) {
    ADD_FAILURE() << where << ": bad header";
    return smf;
  }
  smf.format = static_cast<int>(bigEndian(d, 8, 2));
  smf.tracks = static_cast<int>(bigEndian(d, 10, 2));
  smf.division = static_cast<int>(bigEndian(d, 12, 2));
  std::size_t at = 14;
  for (int t = 0; t < smf.tracks; ++t) {
    if (!tagAt(at, "MTrk") || at + 8 + bigEndian(d, at + 4, 4) > d.size()) {
      ADD_FAILURE() << where << ": bad track chunk " << t;
      return smf;
    }
    const std::size_t end = at + 8 + bigEndian(d, at + 4, 4);
    at += 8;
    std::uint32_t tick = 0;
    std::uint8_t running = 0;
    bool ended = false;
    auto vlq = [&] {
      std::uint32_t v = 0;
      while (at < end && d[at] & 0x80) v = v << 7 | (d[at++] & 0x7F);
      return at < end ? v << 7 | d[at++] : v;
    };
    while (at < end && !ended) {
      tick += vlq();
      if (at < end && d[at] & 0x80) running = d[at++];
      if (at >= end || running == 0) break;
      MidiEvent e{tick, t, running, 0, {}};
      std::size_t n;
      if (running == 0xFF) {
        e.type = d[at++];
        n = vlq();
        ended = e.type == 0x2F;
      } else if (running == 0xF0 || running == 0xF7) {
        n = vlq();
      } else {
        n = (running & 0xE0) == 0xC0 ? 1 : 2;  // program change, channel pressure
      }
      if (at + n > end) break;
      e.data.assign(d.begin() + static_cast<long>(at), d.begin() + static_cast<long>(at + n));
      at += n;
      smf.events.push_back(e);
    }
    EXPECT_TRUE(ended && at == end) << where << ": track " << t << " must end with end-of-track";
    at = end;
  }
  EXPECT_EQ(at, d.size()) << where << ": bytes after the last track";
  std::stable_sort(smf.events.begin(), smf.events.end(),
                   [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
  return smf;
}

// Seconds to `tick` under the file's tempo events (120 bpm before the first).
inline double smfSeconds(const MidiFile& s, std::uint32_t tick) {
  double sec = 0;
  std::uint32_t from = 0, us = 500000;
  for (const MidiEvent& e : s.events) {
    if (e.tick >= tick) break;
    if (e.meta(0x51)) {
      sec += static_cast<double>(e.tick - from) * us / 1e6 / s.division;
      from = e.tick;
      us = bigEndian(e.data, 0, 3);
    }
  }
  return sec + static_cast<double>(tick - from) * us / 1e6 / s.division;
}

}  // namespace kxtest
