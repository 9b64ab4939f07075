// Vxmididata.h — one Standard MIDI File in memory (TVexmoraMidiData).
//
// LoadFile reads a format 0 or 1 file — a "MIDI" module resource named like
// the file first, else the file — and merges the events of all its tracks
// into three lists ordered by tick (channel messages, system-exclusive
// messages, the meta events the player uses); at equal ticks earlier tracks
// come first and each track keeps its own order. Texts, copyright notices
// and track names are collected as strings; only the last time signature is
// kept.
//
// Reading never goes past the data. Every malformed file fails with EVxMidi
// naming it: a bad header, a format other than 0 and 1 (or a format 0 file
// without exactly one track), a division of 0, a bad track header, a chunk
// longer than the file, and in a track a status byte of unknown length
// (system common or real-time), a data byte before any status, or an event
// cut off by the track's end. Chunks of other types between the tracks are
// skipped. Running status carries across delta times and across
// meta and system-exclusive events (a data byte after one starts another of
// the same kind). Texts are cut to 255 bytes and end at their first zero.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "midi/Vxmidievents.h"

namespace plat {
class Stream;
}

namespace VexmoraMidiSystem {

class TVexmoraMidiDataInfo {
 public:
  TVexmoraMidiDataInfo();
  virtual ~TVexmoraMidiDataInfo();
  TVexmoraMidiDataInfo(const TVexmoraMidiDataInfo&) = delete;
  TVexmoraMidiDataInfo& operator=(const TVexmoraMidiDataInfo&) = delete;

  // Empties the event lists and the string lists; the numbers stay.
  virtual void Clear();

  std::uint32_t format = 0;
  std::uint32_t division = 0;     // ticks per quarter note
  std::uint32_t lengthTicks = 0;  // the end tick of the longest track
  std::uint32_t timeSigNumerator = 0, timeSigDenominator = 0, timeSigClocks = 0;
  TShortMessageList shortMessages;
  TLongMessageList longMessages;
  TMetaEventList metaEvents;
  std::vector<std::string> texts, noticeTexts, trackNames;  // meta types 1, 2, 3
};

class TVexmoraMidiData : public TVexmoraMidiDataInfo {
 public:
  TVexmoraMidiData();
  ~TVexmoraMidiData() override;

  virtual void LoadFile(std::string_view fileName);
  // Parses one track's event bytes and merges its events into the lists.
  virtual void ReadTrack(const std::uint8_t* bytes, std::uint32_t length);
  // Parse one event of their kind at the current read position of the track
  // being read, insert it, and tell whether the track goes on.
  virtual bool DefaultEvent(std::uint8_t running);
  virtual bool SystemExclusive(std::uint8_t running);
  virtual bool MetaEvent();

 private:
  void Read(plat::Stream& source);
  [[noreturn]] void Fail(const char* detail) const;
  // Reading state of the current track.
  std::uint32_t Quantity();                   // a variable-length quantity
  std::uint8_t Byte();                        // the next byte
  const std::uint8_t* Take(std::uint32_t n);  // the next n bytes

  std::string fileName_;  // for error texts
  const std::uint8_t* track_ = nullptr;
  std::uint32_t trackLength_ = 0, position_ = 0, tick_ = 0;
  TShortMessageList::iterator shortAt_;
  TLongMessageList::iterator longAt_;
  TMetaEventList::iterator metaAt_;
};

}  // namespace VexmoraMidiSystem
