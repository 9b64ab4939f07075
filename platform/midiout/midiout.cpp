// midiout.cpp — MIDI output handles over the backend's MIDI sink.
//
// One process-wide mutex serialises every send and the open count, so the
// sink sees whole messages one at a time whatever thread calls. It is held
// only while a message is handed to the sink, never across a platform wait.
// A handle keeps the backend it was opened on and sends only while that is
// the active backend. Opening on another backend while old handles are still
// open starts a new generation: the old handles then send nothing and their
// close is harmless.
#include "plat/midiout.h"

#include <array>
#include <mutex>
#include <utility>

#include "plat/detail/backend.h"
#include "plat/testing.h"

namespace plat {

namespace {

struct Sink {
  std::mutex m;
  int open = 0;  // handles of this generation still open
  std::uint64_t generation = 1;
  detail::Backend* backend = nullptr;
};

Sink& TheSink() {
  static Sink s;
  return s;
}

MMRESULT Send(MidiOut& out, std::span<const std::uint8_t> bytes) {
  Sink& s = TheSink();
  std::lock_guard lock(s.m);
  if (out.generation != s.generation || out.backend != detail::ActiveBackend())
    return MMSYSERR_INVALHANDLE;
  out.backend->MidiMessage(bytes);
  return MMSYSERR_NOERROR;
}

// Bytes of a short message with this status; 0 for one that cannot be sent
// as a short message (a data byte, or a system-exclusive start or end).
int ShortLength(std::uint8_t status) {
  if (status < 0x80 || status == 0xF0 || status == 0xF7) return 0;
  if (status < 0xF0) return (status & 0xE0) == 0xC0 ? 2 : 3;  // 0xC_, 0xD_: one data byte
  if (status == 0xF2) return 3;
  if (status == 0xF1 || status == 0xF3) return 2;
  return 1;
}

}  // namespace

MMRESULT midiOutOpen(std::unique_ptr<MidiOut>& out) {
  if (testing::ShouldFail(testing::Fault::MidiOutOpen)) return MMSYSERR_ALLOCATED;
  detail::Backend* backend = detail::ActiveBackend();
  if (!backend) return MMSYSERR_NODRIVER;
  Sink& s = TheSink();
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(s.m);
    if (s.open > 0 && s.backend != backend) {
      ++s.generation;  // handles left open on a backend that was replaced
      s.open = 0;
    }
    if (s.open == 0 && !backend->OpenMidi()) return MMSYSERR_NODRIVER;
    ++s.open;
    s.backend = backend;
    generation = s.generation;
  }
  // Replacing a handle closes the old one (after the new open, so the
  // device stays open throughout).
  std::unique_ptr<MidiOut> old = std::exchange(out, std::make_unique<MidiOut>(backend, generation));
  midiOutClose(old);
  return MMSYSERR_NOERROR;
}

void midiOutClose(std::unique_ptr<MidiOut>& out) {
  if (!out) return;
  Sink& s = TheSink();
  {
    std::lock_guard lock(s.m);
    if (out->generation == s.generation && s.open > 0 && --s.open == 0) {
      s.backend->CloseMidi();
      s.backend = nullptr;
    }
  }
  out.reset();
}

MMRESULT midiOutShortMsg(MidiOut& out, std::uint32_t packed) {
  const std::array<std::uint8_t, 3> bytes{static_cast<std::uint8_t>(packed),
                                          static_cast<std::uint8_t>(packed >> 8),
                                          static_cast<std::uint8_t>(packed >> 16)};
  const int n = ShortLength(bytes[0]);
  if (n == 0) return MMSYSERR_INVALPARAM;
  return Send(out, std::span(bytes).first(static_cast<std::size_t>(n)));
}

MMRESULT midiOutLongMsg(MidiOut& out, std::span<const std::uint8_t> bytes) {
  if (testing::ShouldFail(testing::Fault::MidiLongMsgNotReady)) return MIDIERR_NOTREADY;
  if (bytes.empty()) return MMSYSERR_INVALPARAM;
  return Send(out, bytes);
}

MMRESULT midiOutLongMsg(MidiOut& out, const MIDIHDR& header) {
  if (!(header.dwFlags & MHDR_PREPARED) || !header.lpData) return MMSYSERR_INVALPARAM;
  return midiOutLongMsg(out, std::span(header.lpData, header.dwBufferLength));
}

MMRESULT midiOutPrepareHeader(MidiOut& /*out*/, MIDIHDR& header) {
  header.dwFlags |= MHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT midiOutUnprepareHeader(MidiOut& /*out*/, MIDIHDR& header) {
  header.dwFlags &= ~MHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT midiOutReset(MidiOut& out) {
  for (std::uint8_t channel = 0; channel < 16; ++channel) {
    const auto status = static_cast<std::uint8_t>(0xB0 | channel);
    const std::array<std::uint8_t, 3> sustainOff{status, 64, 0}, notesOff{status, 123, 0};
    if (const MMRESULT r = Send(out, sustainOff); r != MMSYSERR_NOERROR) return r;
    Send(out, notesOff);
  }
  return MMSYSERR_NOERROR;
}

}  // namespace plat
