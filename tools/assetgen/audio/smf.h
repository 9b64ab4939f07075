// smf.h — Standard MIDI File writer, formats 0 and 1, positive PPQ division.
// A track collects events at absolute ticks in any order; encoding sorts them
// (stable) by tick and, within a tick, meta and system-exclusive first, then
// program and controller changes, then note-offs, then note-ons, so a note
// repeated on the same key is released before it sounds again. Each track
// ends with an end-of-track event at the given end tick. With running status
// on, note-offs are written as note-ons of velocity 0 to keep the status.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ag::audio {

class SmfTrack {
 public:
  void meta(std::uint32_t tick, std::uint8_t type, std::string_view text);
  void tempo(std::uint32_t tick, std::uint32_t usPerQuarter);
  // 4/4 is (4, 2): the denominator is a power of two.
  void timeSignature(std::uint32_t tick, int numerator, int denominatorPow);
  // Complete message, F0 ... F7.
  void sysex(std::uint32_t tick, const std::vector<std::uint8_t>& message);
  void program(std::uint32_t tick, int channel, int program);
  void control(std::uint32_t tick, int channel, int controller, int value);
  void noteOn(std::uint32_t tick, int channel, int key, int velocity);
  void noteOff(std::uint32_t tick, int channel, int key);
  // Adds every event of `other` (for merging tracks into a format 0 file).
  void append(const SmfTrack& other);
  std::uint32_t lastTick() const;
  // The MTrk chunk, header included.
  std::vector<std::uint8_t> encode(std::uint32_t endTick, bool runningStatus) const;

 private:
  struct Event {
    std::uint32_t tick;
    int rank;
    std::vector<std::uint8_t> bytes;
  };
  void add(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes);
  std::vector<Event> events_;
};

std::vector<std::uint8_t> encodeSmf(int format, int division, const std::vector<SmfTrack>& tracks,
                                    std::uint32_t endTick, bool runningStatus);

}  // namespace ag::audio
