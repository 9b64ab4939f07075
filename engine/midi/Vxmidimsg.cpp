// Vxmidimsg.cpp — sending to the MIDI output: the two send primitives, the
// queue of direct channel messages the play thread sends, and the fixed
// system-exclusive messages (GM System On, GS Reset, GS effect macros).
//
// The queue is ordered by countdown; a message goes in after every message
// whose countdown is not greater than its own, so messages queued for the
// same moment leave in the order they were queued. LongMsg retries a busy
// device (MIDIERR_NOTREADY) up to 200 calls in all, without pausing.
#include <algorithm>
#include <array>

#include "core/Vxoperation.h"
#include "midi/Vxmidi.h"

namespace VexmoraMidiSystem {

using VexmoraSystem::VxOperation;

namespace {

constexpr int kLongMsgCalls = 200;
constexpr std::array<std::uint8_t, 6> kGmSystemOn{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
constexpr std::array<std::uint8_t, 11> kGsReset{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40,
                                                0x00, 0x7F, 0x00, 0x41, 0xF7};

// A GS parameter set (DT1) of one byte at 40 01 `address`. The checksum makes
// the address and data bytes sum to 0 modulo 128; the value is a data byte,
// so only its low 7 bits are sent.
TLongMessage GsMacro(std::uint8_t address, std::uint8_t value) {
  const auto vv = static_cast<std::uint8_t>(value & 0x7F);
  const auto sum = static_cast<unsigned>(0x40 + 0x01 + address + vv);
  const auto checksum = static_cast<std::uint8_t>((128 - (sum & 0x7F)) & 0x7F);
  const std::array<std::uint8_t, 11> bytes{0xF0, 0x41,    0x10, 0x42,     0x12, 0x40,
                                           0x01, address, vv,   checksum, 0xF7};
  return TLongMessage(0, bytes);
}

std::uint8_t Status(std::uint8_t kind, std::uint8_t channel) {
  return static_cast<std::uint8_t>(kind | channel);  // callers pass channels 0-15
}

}  // namespace

void TVexmoraMidi::ShortMsg(const TShortMessage& message) {
  {
    Lock state(stateLock);
    const int kind = message.status >> 4;
    TVexmoraMidiChannel& c = channels[message.status & 0x0F];
    // During a fade the volume the song set stays the base of its steps.
    if (kind == 0xB && message.data1 == 7 && fadeTimeLeft == 0) c.volume = message.data2;
    if (Report) {
      if (kind == 0x9) {
        c.level = std::max(c.level, message.data2);
      } else if (kind == 0xB) {
        switch (message.data1) {
          case 10:
            c.pan = message.data2;
            break;
          case 11:
            c.expression = message.data2;
            break;
          case 91:
            c.reverb = message.data2;
            break;
          case 93:
            c.chorus = message.data2;
            break;
          case 94:
            c.delay = message.data2;
            break;
          default:
            break;
        }
      } else if (kind == 0xC) {
        c.program = message.data1;
      }
    }
  }
  Lock device(deviceLock);
  if (midiOut) plat::midiOutShortMsg(*midiOut, message.Packed());
}

void TVexmoraMidi::LongMsg(const TLongMessage& message) {
  plat::MIDIHDR header;
  header.lpData = message.data.data();
  header.dwBufferLength =
      static_cast<std::uint32_t>(std::min<std::size_t>(message.length, message.data.size()));
  Lock device(deviceLock);
  if (!midiOut || header.dwBufferLength == 0) return;
  plat::midiOutPrepareHeader(*midiOut, header);
  for (int call = 0; call < kLongMsgCalls; ++call)
    if (plat::midiOutLongMsg(*midiOut, header) != plat::MIDIERR_NOTREADY) break;
  plat::midiOutUnprepareHeader(*midiOut, header);
}

void TVexmoraMidi::Queue(const TShortMessage& message) {
  Lock user(userLock);
  const auto at = std::find_if(userQueue.begin(), userQueue.end(),
                               [&](const TShortMessage& m) { return m.tick > message.tick; });
  userQueue.insert(at, message);
}

void TVexmoraMidi::UserPlay(std::uint32_t elapsed) {
  TShortMessageList due;
  {
    Lock user(userLock);
    auto end = userQueue.begin();
    while (end != userQueue.end() && end->tick < elapsed) ++end;
    due.splice(due.end(), userQueue, userQueue.begin(), end);
    for (TShortMessage& m : userQueue) m.tick -= elapsed;  // all are >= elapsed
  }
  for (const TShortMessage& m : due) ShortMsg(m);  // outside the queue's lock
}

void TVexmoraMidi::NoteOn(std::uint8_t channel, std::uint8_t note, std::uint8_t velocity,
                          std::uint32_t duration) {
  VxOperation("TVexmoraMidi::NoteOn", [&] {
    Queue({0, Status(0x90, channel), note, velocity});
    if (duration != 0xFFFFFFFF) Queue({duration, Status(0x80, channel), note, 0});
  });
}

void TVexmoraMidi::NoteOff(std::uint8_t channel, std::uint8_t note) {
  VxOperation("TVexmoraMidi::NoteOff", [&] { Queue({0, Status(0x80, channel), note, 0}); });
}

void TVexmoraMidi::ControlChange(std::uint8_t channel, std::uint8_t control, std::uint8_t value) {
  VxOperation("TVexmoraMidi::ControlChange", [&] {
    Queue({0, Status(0xB0, channel), control, value});
  });
}

void TVexmoraMidi::ProgramChange(std::uint8_t channel, std::uint8_t program) {
  VxOperation("TVexmoraMidi::ProgramChange", [&] {
    Queue({0, Status(0xC0, channel), program, 0});
  });
}

void TVexmoraMidi::ChannelPressure(std::uint8_t channel, std::uint8_t pressure) {
  VxOperation("TVexmoraMidi::ChannelPressure", [&] {
    Queue({0, Status(0xD0, channel), pressure, 0});
  });
}

void TVexmoraMidi::PitchBend(std::uint8_t channel, std::uint8_t value) {
  VxOperation("TVexmoraMidi::PitchBend", [&] { Queue({0, Status(0xE0, channel), value, 0}); });
}

void TVexmoraMidi::MidiReset(TMidiReset kind) {
  VxOperation("TVexmoraMidi::MidiReset", [&] {
    RequireInit();
    if (kind == mrGM) LongMsg(TLongMessage(0, kGmSystemOn));
    if (kind == mrGS) LongMsg(TLongMessage(0, kGsReset));
  });
}

void TVexmoraMidi::SetGSReverb(TGSReverb value) {
  VxOperation("TVexmoraMidi::SetGSReverb", [&] {
    RequireInit();
    LongMsg(GsMacro(0x30, value));
  });
}

void TVexmoraMidi::SetGSChorus(TGSChorus value) {
  VxOperation("TVexmoraMidi::SetGSChorus", [&] {
    RequireInit();
    LongMsg(GsMacro(0x38, value));
  });
}

void TVexmoraMidi::SetGSDelay(TGSDelay value) {
  VxOperation("TVexmoraMidi::SetGSDelay", [&] {
    RequireInit();
    LongMsg(GsMacro(0x50, value));
  });
}

}  // namespace VexmoraMidiSystem
