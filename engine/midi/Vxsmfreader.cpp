// Vxsmfreader.cpp — the events of one track: delta times, running status,
// channel messages, system-exclusive and meta events, merged into the tick-
// ordered lists.
//
// Every read is checked against the track's length; an event, delta time or
// text cut off by the end fails the load ("トラックデータが不正です。"), as
// does a status whose event length cannot be known.
#include <algorithm>
#include <cstring>

#include "core/Vxerror.h"
#include "midi/Vxmididata.h"
#include "midi/Vxmidiscope.h"

namespace VexmoraMidiSystem {
namespace {

constexpr const char* kBadTrackData = "トラックデータが不正です。";
constexpr std::uint32_t kTextBytes = 255;  // a text's room: 256 bytes with the final zero

// Inserts `event` after every element with a tick at or below its own,
// starting at `cursor` (the track's position in the merged list), so a
// track's events stay in file order and follow earlier tracks' at one tick.
template <class List, class Event>
void Insert(List& list, typename List::iterator& cursor, Event&& event) {
  while (cursor != list.end() && cursor->tick <= event.tick) ++cursor;
  list.insert(cursor, std::forward<Event>(event));
}

std::string Text(const std::uint8_t* bytes, std::uint32_t n) {
  const std::uint32_t kept = std::min(n, kTextBytes);
  const auto* end = std::find(bytes, bytes + kept, std::uint8_t{0});
  return {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(end - bytes)};
}

}  // namespace

std::uint8_t TVexmoraMidiData::Byte() {
  if (position_ >= trackLength_) Fail(kBadTrackData);
  return track_[position_++];
}

const std::uint8_t* TVexmoraMidiData::Take(std::uint32_t n) {
  if (n > trackLength_ - position_) Fail(kBadTrackData);
  const std::uint8_t* at = track_ + position_;
  position_ += n;
  return at;
}

std::uint32_t TVexmoraMidiData::Quantity() {
  std::uint32_t value = 0;
  std::uint8_t b = 0;
  do {
    b = Byte();
    value = value << 7 | (b & 0x7Fu);  // any number of bytes; excess high bits drop off
  } while (b & 0x80);
  return value;
}

void TVexmoraMidiData::ReadTrack(const std::uint8_t* bytes, std::uint32_t length) {
  const auto scope = MidiScope("TVexmoraMidiData::ReadTrack");
  track_ = bytes;
  trackLength_ = length;
  position_ = 0;
  tick_ = 0;
  shortAt_ = shortMessages.begin();
  longAt_ = longMessages.begin();
  metaAt_ = metaEvents.begin();
  std::uint8_t running = 0;
  bool more = true;
  while (more && position_ < trackLength_) {
    // Ticks stop at the largest value rather than wrap, so a track's events
    // never go back in time.
    tick_ = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::uint64_t{tick_} + Quantity(), 0xFFFFFFFF));
    const std::uint8_t next = Byte();
    if (next & 0x80)
      running = next;
    else
      --position_;  // a data byte: running status
    if (running == 0xF0 || running == 0xF7) {
      more = SystemExclusive(running);
    } else if (running == 0xFF) {
      more = MetaEvent();
    } else if (running < 0x80 || running >= 0xF0) {
      // No status yet, or system common / real-time, which have no place in
      // a file: the event's length is unknown and everything after it would
      // be misread.
      Fail(kBadTrackData);
    } else {
      more = DefaultEvent(running);
    }
  }
  lengthTicks = std::max(lengthTicks, tick_);
  track_ = nullptr;
}

bool TVexmoraMidiData::DefaultEvent(std::uint8_t running) {
  const auto scope = MidiScope("TVexmoraMidiData::DefaultEvent");
  const std::uint8_t kind = running >> 4;
  const bool oneDataByte = kind == 0xC || kind == 0xD;
  const std::uint8_t* data = Take(oneDataByte ? 1 : 2);
  TShortMessage m{tick_, running, data[0], oneDataByte ? std::uint8_t{0} : data[1]};
  Insert(shortMessages, shortAt_, m);
  return true;
}

bool TVexmoraMidiData::SystemExclusive(std::uint8_t running) {
  const auto scope = MidiScope("TVexmoraMidiData::SystemExclusive");
  const std::uint32_t n = Quantity();
  const std::uint8_t* body = Take(n);
  TLongMessage m;
  m.tick = tick_;
  m.data.reserve(static_cast<std::size_t>(n) + 1);
  m.data.push_back(running);
  m.data.insert(m.data.end(), body, body + n);
  m.length = n + 1;
  Insert(longMessages, longAt_, std::move(m));
  return true;
}

bool TVexmoraMidiData::MetaEvent() {
  const auto scope = MidiScope("TVexmoraMidiData::MetaEvent");
  const std::uint8_t type = Byte();
  const std::uint32_t n = Quantity();
  const std::uint8_t* data = Take(n);
  switch (type) {
    case 0x01:
      texts.push_back(Text(data, n));
      break;
    case 0x02:
      noticeTexts.push_back(Text(data, n));
      break;
    case 0x03:
      trackNames.push_back(Text(data, n));
      break;
    case 0x05:
    case 0x06:
    case 0x07:
      Insert(metaEvents, metaAt_, TMetaEvent{tick_, type, 0, Text(data, n)});
      break;
    case 0x2F:
      return false;
    case 0x51:
      if (n >= 3) {  // a shorter tempo says nothing
        const auto tempo = static_cast<std::int32_t>(data[0] << 16 | data[1] << 8 | data[2]);
        Insert(metaEvents, metaAt_, TMetaEvent{tick_, type, tempo, {}});
      }
      break;
    case 0x58:
      if (n >= 3) {
        timeSigNumerator = data[0];
        timeSigDenominator = data[1];
        timeSigClocks = data[2];
      }
      break;
    default:
      break;
  }
  return true;
}

}  // namespace VexmoraMidiSystem
