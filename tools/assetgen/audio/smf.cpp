// smf.cpp — Standard MIDI File encoding.
#include "audio/smf.h"

#include <algorithm>
#include <stdexcept>

namespace ag::audio {
namespace {

enum Rank { kMeta = 0, kControl = 1, kNoteOff = 2, kNoteOn = 3 };

void putVlq(std::vector<std::uint8_t>& b, std::uint32_t v) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v);
  while (n > 1) b.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
  b.push_back(groups[0]);
}

void putBig(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint8_t data7(int v) {
  if (v < 0 || v > 127) throw std::logic_error("MIDI data byte out of range");
  return static_cast<std::uint8_t>(v);
}

std::uint8_t status(int kind, int channel) {
  if (channel < 0 || channel > 15) throw std::logic_error("MIDI channel out of range");
  return static_cast<std::uint8_t>(kind | channel);
}

}  // namespace

void SmfTrack::add(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes) {
  events_.push_back({tick, rank, std::move(bytes)});
}

void SmfTrack::meta(std::uint32_t tick, std::uint8_t type, std::string_view text) {
  std::vector<std::uint8_t> b = {0xFF, type};
  putVlq(b, static_cast<std::uint32_t>(text.size()));
  b.insert(b.end(), text.begin(), text.end());
  add(tick, kMeta, std::move(b));
}

void SmfTrack::tempo(std::uint32_t tick, std::uint32_t usPerQuarter) {
  if (usPerQuarter == 0 || usPerQuarter > 0xFFFFFF) throw std::logic_error("bad tempo");
  std::vector<std::uint8_t> b = {0xFF, 0x51, 3};
  putBig(b, usPerQuarter, 3);
  add(tick, kMeta, std::move(b));
}

void SmfTrack::timeSignature(std::uint32_t tick, int numerator, int denominatorPow) {
  // 24 MIDI clocks per metronome click, 8 32nd notes per quarter.
  add(tick, kMeta, {0xFF, 0x58, 4, data7(numerator), data7(denominatorPow), 24, 8});
}

void SmfTrack::sysex(std::uint32_t tick, const std::vector<std::uint8_t>& message) {
  if (message.size() < 2 || message.front() != 0xF0 || message.back() != 0xF7)
    throw std::logic_error("system-exclusive message must run F0 ... F7");
  std::vector<std::uint8_t> b = {0xF0};
  putVlq(b, static_cast<std::uint32_t>(message.size() - 1));
  b.insert(b.end(), message.begin() + 1, message.end());
  add(tick, kMeta, std::move(b));
}

void SmfTrack::program(std::uint32_t tick, int channel, int program) {
  add(tick, kControl, {status(0xC0, channel), data7(program)});
}

void SmfTrack::control(std::uint32_t tick, int channel, int controller, int value) {
  add(tick, kControl, {status(0xB0, channel), data7(controller), data7(value)});
}

void SmfTrack::noteOn(std::uint32_t tick, int channel, int key, int velocity) {
  if (velocity < 1) throw std::logic_error("note-on velocity must be at least 1");
  add(tick, kNoteOn, {status(0x90, channel), data7(key), data7(velocity)});
}

void SmfTrack::noteOff(std::uint32_t tick, int channel, int key) {
  add(tick, kNoteOff, {status(0x80, channel), data7(key), 64});
}

void SmfTrack::append(const SmfTrack& other) {
  events_.insert(events_.end(), other.events_.begin(), other.events_.end());
}

std::uint32_t SmfTrack::lastTick() const {
  std::uint32_t t = 0;
  for (const Event& e : events_) t = std::max(t, e.tick);
  return t;
}

std::vector<std::uint8_t> SmfTrack::encode(std::uint32_t endTick, bool runningStatus) const {
  if (endTick < lastTick()) throw std::logic_error("track ends before its last event");
  std::vector<const Event*> order;
  for (const Event& e : events_) order.push_back(&e);
  std::stable_sort(order.begin(), order.end(), [](const Event* a, const Event* b) {
    return a->tick != b->tick ? a->tick < b->tick : a->rank < b->rank;
  });
  std::vector<std::uint8_t> body;
  std::uint32_t now = 0;
  std::uint8_t running = 0;
  for (const Event* e : order) {
    putVlq(body, e->tick - now);
    now = e->tick;
    std::vector<std::uint8_t> bytes = e->bytes;
    if (bytes[0] < 0xF0) {
      if (runningStatus && (bytes[0] & 0xF0) == 0x80)
        bytes = {static_cast<std::uint8_t>(0x90 | (bytes[0] & 0x0F)), bytes[1], 0};
      if (runningStatus && bytes[0] == running) {
        body.insert(body.end(), bytes.begin() + 1, bytes.end());
        continue;
      }
      running = bytes[0];
    } else {
      running = 0;  // meta and system-exclusive events cancel running status
    }
    body.insert(body.end(), bytes.begin(), bytes.end());
  }
  putVlq(body, endTick - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
  putBig(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<std::uint8_t> encodeSmf(int format, int division, const std::vector<SmfTrack>& tracks,
                                    std::uint32_t endTick, bool runningStatus) {
  if ((format != 0 && format != 1) || (format == 0 && tracks.size() != 1) || tracks.empty())
    throw std::logic_error("SMF format 0 needs one track, format 1 at least one");
  if (division <= 0 || division > 0x7FFF) throw std::logic_error("division must be a PPQ");
  std::vector<std::uint8_t> b = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
  putBig(b, static_cast<std::uint32_t>(format), 2);
  putBig(b, static_cast<std::uint32_t>(tracks.size()), 2);
  putBig(b, static_cast<std::uint32_t>(division), 2);
  for (const SmfTrack& t : tracks) {
    const std::vector<std::uint8_t> chunk = t.encode(endTick, runningStatus);
    b.insert(b.end(), chunk.begin(), chunk.end());
  }
  return b;
}

}  // namespace ag::audio
