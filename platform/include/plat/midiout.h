// midiout.h — the system MIDI output (the winmm midiOut calls the engine uses).
//
// There is one output, the mapper. Every handle forwards to the backend's MIDI
// sink: the first open asks the backend for its device (none: the open fails
// with MMSYSERR_NODRIVER), the last close releases it. All calls are
// thread-safe, and messages reach the sink one at a time, in the order the
// calls were made.
//
// Short messages go out with the length their status byte implies (channel
// messages 3 bytes, program change and channel pressure 2, system common and
// real-time 1 to 3); a data byte or a system-exclusive status in a short
// message is refused with MMSYSERR_INVALPARAM. midiOutLongMsg sends its bytes
// before it returns, so the caller's buffer may go at once; prepare and
// unprepare only mark the header. midiOutReset sends, on all 16 channels,
// sustain off (controller 64 = 0) and all notes off (controller 123).
//
// Fault points: MidiOutOpen (the open fails with MMSYSERR_ALLOCATED) and
// MidiLongMsgNotReady (midiOutLongMsg returns MIDIERR_NOTREADY, sending
// nothing).
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "plat/base.h"

namespace plat {

inline constexpr MMRESULT MMSYSERR_ALLOCATED = 4, MMSYSERR_INVALHANDLE = 5,
                          MMSYSERR_INVALPARAM = 11;
inline constexpr std::uint32_t MHDR_PREPARED = 2;  // MIDIHDR::dwFlags

namespace detail {
class Backend;
}

class MidiOut {  // an open output, made by midiOutOpen
 public:
  MidiOut(detail::Backend* sink, std::uint64_t gen) : backend(sink), generation(gen) {}
  MidiOut(const MidiOut&) = delete;
  MidiOut& operator=(const MidiOut&) = delete;
  detail::Backend* const backend;  // where its messages go
  const std::uint64_t generation;  // of the opens on that backend
};

// The system-exclusive header. The bytes stay the caller's.
struct MIDIHDR {
  const std::uint8_t* lpData = nullptr;
  std::uint32_t dwBufferLength = 0;
  std::uint32_t dwFlags = 0;
};

MMRESULT midiOutOpen(std::unique_ptr<MidiOut>& out);           // the mapper
void midiOutClose(std::unique_ptr<MidiOut>& out);              // null: nothing
MMRESULT midiOutShortMsg(MidiOut& out, std::uint32_t packed);  // status | d1 << 8 | d2 << 16
MMRESULT midiOutLongMsg(MidiOut& out, std::span<const std::uint8_t> bytes);
MMRESULT midiOutLongMsg(MidiOut& out, const MIDIHDR& header);
MMRESULT midiOutPrepareHeader(MidiOut& out, MIDIHDR& header);
MMRESULT midiOutUnprepareHeader(MidiOut& out, MIDIHDR& header);
MMRESULT midiOutReset(MidiOut& out);

}  // namespace plat
