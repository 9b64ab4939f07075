// Vxmidiplay.cpp — song playback: Play, Stop, fade-out, Reset, Repeat, and
// the play thread with its cycle (SmfPlay, then the stop handshake, then the
// direct-message queue).
//
// Ticks advance by elapsed ms × division / (tempo / 1000), the remainder
// carried to the next cycle. A fade lowers every channel's controller 7
// linearly, one step about every 32 cycles, and ends the song when its time
// is used up.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Vxoperation.h"
#include "midi/Vxmidi.h"
#include "plat/timer.h"

namespace VexmoraMidiSystem {

using VexmoraSystem::VxOperation;

namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // µs per quarter: 120 bpm
constexpr std::uint32_t kStopWaitMs = 1000;
constexpr std::int32_t kResyncMs = 100;  // a thread this far behind stops catching up

bool SameText(const std::string& a, const char* b) {
  const std::string_view v(b);
  return a.size() == v.size() && std::equal(a.begin(), a.end(), v.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

bool RepeatStart(const TMetaEvent& m) {
  return (m.type == 6 && SameText(m.text, "RepeatStart")) ||
         (m.type == 7 && SameText(m.text, "repeat"));
}

bool RepeatEnd(const TMetaEvent& m) {
  return (m.type == 6 && SameText(m.text, "RepeatEnd")) || (m.type == 7 && SameText(m.text, "end"));
}

bool EndsNote(const TShortMessage& m) {
  const int kind = m.status >> 4;
  return kind == 0x8 || (kind == 0x9 && m.data2 == 0);
}

}  // namespace

// The play thread.

TVexmoraMidiPlayThread::TVexmoraMidiPlayThread(TVexmoraMidi* component, std::uint32_t milliseconds)
    : owner(component), interval(milliseconds) {
  thread_ = plat::Thread::Start([this](plat::Thread& self) { Execute(self); },
                                plat::ThreadPriority::TimeCritical);
}

TVexmoraMidiPlayThread::~TVexmoraMidiPlayThread() {
  if (!thread_) return;
  thread_->Terminate();
  thread_->WaitFor();
}

// Cycles start on fixed deadlines, `interval` apart, slept to as absolute
// times (a relative sleep would add the cycle's own work and the clock's
// rounding to every period); a late cycle makes the next one come sooner
// rather than shifting all that follow.
void TVexmoraMidiPlayThread::Execute(plat::Thread& self) {
  std::uint32_t previous = plat::timeGetTime();
  std::uint32_t deadline = previous;
  while (!self.Terminated()) {
    const std::uint32_t now = plat::timeGetTime();
    owner->Cycle(now - previous);
    previous = now;
    deadline += interval;
    const std::uint32_t after = plat::timeGetTime();
    const auto wait = static_cast<std::int32_t>(deadline - after);
    if (wait > 0)
      plat::SleepUntil(deadline);
    else if (wait < -kResyncMs)
      deadline = after;
  }
}

void TVexmoraMidi::Cycle(std::uint32_t elapsed) {
  {
    Lock state(stateLock);
    if (playing) SmfPlay(elapsed);
    if (stopRequest) {
      stopRequest = false;
      EndSong();  // posts 0x420 unless the song ended this very cycle
      stopAck.Set();
    }
  }
  UserPlay(elapsed);
}

void TVexmoraMidi::EndSong() {
  if (!playing) return;
  playing = false;
  messageWindow->Post({kMidiEndMessage, playSerial, 0});
}

// Operations of the application's thread.

void TVexmoraMidi::Play(std::string_view name, bool loopSong) {
  VxOperation("TVexmoraMidi::Play", [&] {
    RequireInit();
    {
      Lock state(stateLock);
      if (playing) return;  // a song must be stopped before another starts
    }
    const VexmoraSystem::TVexmoraAutoPtr<TVexmoraMidiData>& song = songs.LookupPtr(name);
    Reset();
    std::uint32_t serial = 0;
    {
      Lock state(stateLock);
      loop = loopSong;
      currentData = song.get();
      shortCursor = currentData->shortMessages.cbegin();
      longCursor = currentData->longMessages.cbegin();
      metaCursor = currentData->metaEvents.cbegin();
      serial = ++playSerial;
    }
    currentHold = song;
    MidiReset(mrGM);
    {
      Lock state(stateLock);
      playing = true;
    }
    messageWindow->Post({kMidiStartMessage, serial, 0});
  });
}

void TVexmoraMidi::Stop() {
  VxOperation("TVexmoraMidi::Stop", [&] {
    RequireInit();
    bool wait = false;
    {
      Lock state(stateLock);
      if (playing) {
        stopAck.Reset();  // an answer to an earlier request that timed out
        stopRequest = true;
        wait = true;
      }
    }
    if (wait) stopAck.Wait(kStopWaitMs);  // goes on either way
    {
      Lock state(stateLock);
      fadeTimeLeft = 0;
    }
    Lock device(deviceLock);
    if (midiOut) plat::midiOutReset(*midiOut);
  });
}

void TVexmoraMidi::SetFadeOut(std::int32_t milliseconds) {
  VxOperation("TVexmoraMidi::SetFadeOut", [&] {
    RequireInit();
    if (milliseconds <= 0) return;  // a fade takes time
    Lock state(stateLock);
    if (fadeTimeLeft != 0) return;  // running, or run out since the last Reset
    fadeLevel = 1.0f;
    fadeRate = 1.0f / static_cast<float>(milliseconds);
    fadeTimeLeft = milliseconds;
  });
}

void TVexmoraMidi::Reset() {
  VxOperation("TVexmoraMidi::Reset", [&] {
    Lock state(stateLock);
    ResetState();
  });
}

void TVexmoraMidi::ResetState() {
  tickRemainder = currentTick = 0;
  fadeTimeLeft = 0;
  repeatStartTick = 0;
  tempo = kDefaultTempo;
  for (TVexmoraMidiChannel& c : channels) {
    const std::uint8_t program = c.program;
    c = TVexmoraMidiChannel{};
    c.program = program;
  }
  CopyReport();
}

void TVexmoraMidi::CopyReport() {
  Lock report(reportLock);
  reportedChannels = channels;
}

// Back to the song's start, or to the last repeat-start marker passed,
// without sending what lies before it; the tempo is the one in force there.
void TVexmoraMidi::Repeat() {
  Lock state(stateLock);
  if (!currentData) return;
  currentTick = 0;
  tempo = kDefaultTempo;
  shortCursor = currentData->shortMessages.cbegin();
  longCursor = currentData->longMessages.cbegin();
  metaCursor = currentData->metaEvents.cbegin();
  if (repeatStartTick == 0) return;
  const auto start = static_cast<std::uint32_t>(repeatStartTick);
  currentTick = start;
  for (; metaCursor != currentData->metaEvents.cend() && metaCursor->tick < start; ++metaCursor)
    if (metaCursor->type == 0x51) tempo = static_cast<std::uint32_t>(metaCursor->value);
  while (longCursor != currentData->longMessages.cend() && longCursor->tick < start) ++longCursor;
  while (shortCursor != currentData->shortMessages.cend() && shortCursor->tick < start)
    ++shortCursor;
}

// Before a jump back from an end marker at `endTick`: what fell due before
// the marker, and the note-offs at its tick, so no note of the pass hangs.
void TVexmoraMidi::SendBefore(std::uint32_t endTick) {
  const TVexmoraMidiData& song = *currentData;
  for (; longCursor != song.longMessages.cend() && longCursor->tick < endTick; ++longCursor)
    LongMsg(*longCursor);
  for (; shortCursor != song.shortMessages.cend() && shortCursor->tick < endTick; ++shortCursor)
    ShortMsg(*shortCursor);
  for (auto it = shortCursor; it != song.shortMessages.cend() && it->tick == endTick; ++it)
    if (EndsNote(*it)) ShortMsg(*it);
}

void TVexmoraMidi::SmfPlay(std::uint32_t elapsed) {
  Lock state(stateLock);
  if (!playing || !currentData) return;
  const TVexmoraMidiData& song = *currentData;

  const std::uint32_t msPerQuarter = std::max<std::uint32_t>(tempo / 1000, 1);
  const std::uint64_t ticks = tickRemainder + std::uint64_t{elapsed} * song.division;
  currentTick += static_cast<std::uint32_t>(ticks / msPerQuarter);
  tickRemainder = static_cast<std::uint32_t>(ticks % msPerQuarter);

  if (Report)
    for (TVexmoraMidiChannel& c : channels)
      c.level = c.level <= 4 ? 0 : static_cast<std::uint8_t>(c.level - 4);

  for (; metaCursor != song.metaEvents.cend() && metaCursor->tick <= currentTick; ++metaCursor) {
    const TMetaEvent& m = *metaCursor;
    if (m.type == 0x51) {
      tempo = static_cast<std::uint32_t>(m.value);
    } else if (RepeatStart(m)) {
      repeatStartTick = static_cast<std::int32_t>(m.tick);
    } else if (RepeatEnd(m) && loop && m.tick > static_cast<std::uint32_t>(repeatStartTick)) {
      // (An end at or before its start would loop over nothing, forever.)
      SendBefore(m.tick);
      Repeat();
      return;
    }
  }
  for (; longCursor != song.longMessages.cend() && longCursor->tick <= currentTick; ++longCursor)
    LongMsg(*longCursor);
  for (; shortCursor != song.shortMessages.cend() && shortCursor->tick <= currentTick;
       ++shortCursor)
    ShortMsg(*shortCursor);

  if (fadeTimeLeft != 0) FadeStep(elapsed);
  if (Report) CopyReport();
  if (!playing) return;  // faded out
  if (metaCursor == song.metaEvents.cend() && longCursor == song.longMessages.cend() &&
      shortCursor == song.shortMessages.cend()) {
    if (loop)
      Repeat();
    else
      EndSong();
  }
}

void TVexmoraMidi::FadeStep(std::uint32_t elapsed) {
  fadeLevel -= static_cast<float>(elapsed) * fadeRate;
  if (fadeStepCounter % 32 == 0 && fadeLevel >= 0.0f) {
    for (std::uint8_t ch = 0; ch < 16; ++ch) {
      const auto value = static_cast<int>(static_cast<float>(channels[ch].volume) * fadeLevel);
      ShortMsg({0, static_cast<std::uint8_t>(0xB0 | ch), 7,
                static_cast<std::uint8_t>(std::clamp(value, 0, 127))});
    }
  }
  const std::int64_t left = std::int64_t{fadeTimeLeft} - elapsed;
  fadeTimeLeft = static_cast<std::int32_t>(
      std::max<std::int64_t>(left, std::numeric_limits<std::int32_t>::min()));
  ++fadeStepCounter;
  // Used up exactly counts too: 0 would read as "no fade" and the song would
  // go on at its last step for ever.
  if (fadeTimeLeft <= 0) {
    fadeTimeLeft = std::min(fadeTimeLeft, -1);
    EndSong();
  }
}

}  // namespace VexmoraMidiSystem
