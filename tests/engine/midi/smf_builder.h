// smf_builder.h — Standard MIDI Files written byte by byte for the MIDI
// tests, and their registration as "MIDI" module resources so the loader
// reads them by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "plat/kernel.h"

namespace kxtest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Vlq(std::uint32_t v) {
  Bytes out{static_cast<std::uint8_t>(v & 0x7F)};
  while (v >>= 7) out.insert(out.begin(), static_cast<std::uint8_t>(0x80 | (v & 0x7F)));
  return out;
}

// One track's event bytes, written event by event (each with its delta).
class Track {
 public:
  Track& Raw(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
    Append(Vlq(delta));
    bytes_.insert(bytes_.end(), bytes);
    return *this;
  }
  Track& Meta(std::uint32_t delta, std::uint8_t type, std::string_view text) {
    Append(Vlq(delta));
    bytes_.push_back(0xFF);
    bytes_.push_back(type);
    Append(Vlq(static_cast<std::uint32_t>(text.size())));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  Track& Tempo(std::uint32_t delta, std::uint32_t us) {
    return Raw(delta, {0xFF, 0x51, 3, static_cast<std::uint8_t>(us >> 16),
                       static_cast<std::uint8_t>(us >> 8), static_cast<std::uint8_t>(us)});
  }
  Track& On(std::uint32_t delta, std::uint8_t ch, std::uint8_t note, std::uint8_t vel = 100) {
    return Raw(delta, {static_cast<std::uint8_t>(0x90 | ch), note, vel});
  }
  Track& Off(std::uint32_t delta, std::uint8_t ch, std::uint8_t note) {
    return Raw(delta, {static_cast<std::uint8_t>(0x80 | ch), note, 0});
  }
  Track& End(std::uint32_t delta = 0) { return Raw(delta, {0xFF, 0x2F, 0}); }
  const Bytes& bytes() const { return bytes_; }

 private:
  void Append(const Bytes& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  Bytes bytes_;
};

inline void Put32(Bytes& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

inline Bytes Chunk(std::string_view id, const Bytes& body) {
  Bytes out(id.begin(), id.end());
  Put32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// A header ("MThd", length, format, track count, division) and the tracks.
inline Bytes Smf(std::uint16_t format, std::uint16_t division, const std::vector<Track>& tracks,
                 std::uint32_t headerLength = 6) {
  Bytes out{'M', 'T', 'h', 'd'};
  Put32(out, headerLength);
  for (std::uint16_t v : {format, static_cast<std::uint16_t>(tracks.size()), division}) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
  }
  for (const Track& t : tracks) {
    const Bytes c = Chunk("MTrk", t.bytes());
    out.insert(out.end(), c.begin(), c.end());
  }
  return out;
}

// Makes `bytes` the "MIDI" module resource `name`, which the loader reads
// before looking for a file.
inline void AddSong(const std::string& name, const Bytes& bytes) {
  std::vector<std::byte> data(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) data[i] = static_cast<std::byte>(bytes[i]);
  plat::RegisterResource("MIDI", name, std::move(data));
}

}  // namespace kxtest
