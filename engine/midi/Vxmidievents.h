// Vxmidievents.h — the MIDI events shared by loading and playback: channel
// messages, system-exclusive messages and the meta events the player acts
// on, each in a list ordered by tick.
//
// A song's lists hold absolute ticks from the song start; the player's queue
// of direct messages uses TShortMessage::tick as a countdown in milliseconds.
#pragma once

#include <cstdint>
#include <list>
#include <span>
#include <string>
#include <vector>

namespace VexmoraMidiSystem {

struct TShortMessage {
  std::uint32_t tick = 0;
  std::uint8_t status = 0;  // channel in the low four bits
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;  // 0 for messages with one data byte

  // The midiOutShortMsg argument: status in the lowest byte.
  std::uint32_t Packed() const {
    return status | static_cast<std::uint32_t>(data1) << 8 |
           static_cast<std::uint32_t>(data2) << 16;
  }
};

struct TLongMessage {
  TLongMessage() = default;
  TLongMessage(std::uint32_t t, std::span<const std::uint8_t> bytes)
      : tick(t),
        data(bytes.begin(), bytes.end()),
        length(static_cast<std::uint32_t>(bytes.size())) {}

  std::uint32_t tick = 0;
  std::vector<std::uint8_t> data;  // the whole message as sent, F0/F7 first
  std::uint32_t length = 0;        // bytes in `data`
};

struct TMetaEvent {
  std::uint32_t tick = 0;
  std::uint8_t type = 0;   // 5 lyric, 6 marker, 7 cue point, 0x51 tempo
  std::int32_t value = 0;  // microseconds per quarter note for 0x51, else 0
  std::string text;        // types 5, 6 and 7
};

using TShortMessageList = std::list<TShortMessage>;
using TLongMessageList = std::list<TLongMessage>;
using TMetaEventList = std::list<TMetaEvent>;

}  // namespace VexmoraMidiSystem
