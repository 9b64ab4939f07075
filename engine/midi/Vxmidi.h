// Vxmidi.h — TVexmoraMidi, the engine's MIDI component: songs loaded by name,
// played one at a time on a time-critical play thread, direct MIDI messages,
// device resets and the GS reverb, chorus and delay macros.
//
// The play thread runs from construction to destruction and wakes every
// 10 ms on fixed deadlines (start + n × 10 ms, so lateness never piles up);
// each cycle converts the milliseconds since the previous one into song ticks
// at the current tempo, sends every event that has fallen due (meta, then
// system-exclusive, then channel messages), runs a fade-out step, and sends
// the due messages of the direct-message queue. The end of a song (or a Stop)
// is posted to the component's hidden window as message 0x420 and handled on
// the application's thread: OnMidiEnd, then Reset — unless another song has
// started since, whose state is left alone.
//
// Threads: every public operation belongs to the application's thread except
// ShortMsg and LongMsg, which any thread may call. The song state, the
// reported channel copy, the message queue and the device handle have a lock
// each; the song lock may be held while the report or device lock is taken,
// never the other way round, and nothing blocks while holding any of them.
// Stop waits at most 1000 ms for the thread to leave the playing state.
//
// Safeguards: a tempo under 1000 µs per quarter plays as 1 ms per quarter; a
// fade that has used up its time exactly still ends the song; an end marker
// at or before its start marker loops nothing (the song would stall); a jump
// back sends the messages that fell due before the end marker, and the
// note-offs at its tick, so no note hangs; Repeat starts from the default
// tempo; direct messages go out in the order they were queued; a song deleted
// while it plays stays alive until it has ended; a second Init keeps the open
// device.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "core/Vxtable.h"
#include "midi/Vxmididata.h"
#include "plat/app.h"
#include "plat/component.h"
#include "plat/kernel.h"
#include "plat/midiout.h"

namespace VexmoraMidiSystem {

enum TMidiReset : std::uint8_t { mrGM = 0, mrGS = 1 };
// GS macro numbers, counted from 0 as the GS standard numbers them.
enum TGSReverb : std::uint8_t {
  rvRoom1,
  rvRoom2,
  rvRoom3,
  rvHall1,
  rvHall2,
  rvPlate,
  rvDelay,
  rvPanningDelay
};
enum TGSChorus : std::uint8_t {
  chChorus1,
  chChorus2,
  chChorus3,
  chChorus4,
  chFeedbackChorus,
  chFlanger,
  chShortDelay,
  chShortDelayFB
};
enum TGSDelay : std::uint8_t {
  dlDelay1,
  dlDelay2,
  dlDelay3,
  dlPanDelay1,
  dlPanDelay2,
  dlPanDelay3,
  dlDelayToReverb,
  dlPanRepeat
};

struct TVexmoraMidiChannel {
  std::uint8_t level = 0;  // loudest recent note-on velocity, decaying by 4 per cycle
  std::uint8_t program = 0;
  std::uint8_t volume = 100;      // controller 7
  std::uint8_t pan = 64;          // 10
  std::uint8_t expression = 127;  // 11
  std::uint8_t reverb = 40;       // 91
  std::uint8_t chorus = 0;        // 93
  std::uint8_t delay = 0;         // 94
};
static_assert(sizeof(TVexmoraMidiChannel) == 8);

class TVexmoraMidi;
using TNotifyEvent = std::function<void(plat::TComponent* Sender)>;

class TVexmoraMidiPlayThread {
 public:
  TVexmoraMidiPlayThread(TVexmoraMidi* component, std::uint32_t milliseconds);
  ~TVexmoraMidiPlayThread();  // terminates and waits
  TVexmoraMidiPlayThread(const TVexmoraMidiPlayThread&) = delete;
  TVexmoraMidiPlayThread& operator=(const TVexmoraMidiPlayThread&) = delete;
  bool Running() const { return thread_ != nullptr; }

 private:
  void Execute(plat::Thread& self);

  TVexmoraMidi* owner;
  std::uint32_t interval;  // milliseconds per cycle
  std::unique_ptr<plat::Thread> thread_;
};

class TVexmoraMidi : public plat::TComponent {
 public:
  // Message ids of the hidden window.
  static constexpr std::uint32_t kMidiStartMessage = plat::WM_USER + 30;  // 0x41E
  static constexpr std::uint32_t kMidiEndMessage = plat::WM_USER + 32;    // 0x420

  explicit TVexmoraMidi(plat::TComponent* owner);
  ~TVexmoraMidi() override;

  // Published properties.
  std::atomic<bool> Report{true};  // keep the channel table for GetChannelData
  TNotifyEvent OnMidiStart;        // a song has started (posted by Play)
  TNotifyEvent OnMidiEnd;          // a song has ended or was stopped

  virtual void Init();
  virtual void CleanUp();
  virtual void CreateData(std::string_view name, std::string_view fileName);
  virtual void DeleteData(std::string_view name);
  virtual void DeleteAllData();
  virtual TVexmoraMidiData* GetSMFData(std::string_view name);

  virtual void Play(std::string_view name, bool loop);
  virtual void Stop();
  virtual void SetFadeOut(std::int32_t milliseconds);
  virtual void Reset();
  virtual void Repeat();
  virtual void SmfPlay(std::uint32_t elapsed);   // play thread
  virtual void UserPlay(std::uint32_t elapsed);  // play thread
  virtual void GetChannelData(std::span<TVexmoraMidiChannel, 16> channels16);
  virtual std::uint32_t GetDeltaTime();
  virtual std::uint32_t GetMusicTempo();
  virtual void WndProc(const plat::Message& message);

  // Send primitives (any thread; nothing is sent while the device is closed).
  virtual void ShortMsg(const TShortMessage& message);
  virtual void LongMsg(const TLongMessage& message);
  // Queued for the play thread's next cycle (channels 0-15).
  virtual void NoteOn(std::uint8_t channel, std::uint8_t note, std::uint8_t velocity,
                      std::uint32_t duration);  // 0xFFFFFFFF: no automatic note-off
  virtual void NoteOff(std::uint8_t channel, std::uint8_t note);
  virtual void ControlChange(std::uint8_t channel, std::uint8_t control, std::uint8_t value);
  virtual void ProgramChange(std::uint8_t channel, std::uint8_t program);
  virtual void ChannelPressure(std::uint8_t channel, std::uint8_t pressure);
  virtual void PitchBend(std::uint8_t channel, std::uint8_t value);  // low 7 bits only
  // Sent at once from the calling thread.
  virtual void MidiReset(TMidiReset kind);
  virtual void SetGSReverb(TGSReverb value);
  virtual void SetGSChorus(TGSChorus value);
  virtual void SetGSDelay(TGSDelay value);

  bool Initialised() const { return initialised; }

 private:
  friend class TVexmoraMidiPlayThread;
  using Songs = VexmoraSystem::TVexmoraResourceTable<TVexmoraMidiData, VexmoraSystem::EVxMidi>;

  class Lock {  // holds a critical section for a scope
   public:
    explicit Lock(plat::CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
    ~Lock() { cs_.Leave(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    plat::CriticalSection& cs_;
  };

  void Cycle(std::uint32_t elapsed);  // one play-thread cycle
  void EndSong();                     // playing off, 0x420 posted (once)
  void ResetState();                  // Reset's body (stateLock held)
  void RepeatFrom(std::uint32_t startTick);
  void SendBefore(std::uint32_t endTick);
  void FadeStep(std::uint32_t elapsed);
  void CopyReport();
  void Queue(const TShortMessage& message);
  void RequireInit() const;

  bool initialised = false;
  std::unique_ptr<plat::MidiOut> midiOut;
  plat::CriticalSection deviceLock;  // guards midiOut
  plat::CriticalSection stateLock;   // guards the song state below
  plat::CriticalSection reportLock;  // guards reportedChannels
  plat::CriticalSection userLock;    // guards userQueue
  plat::Event stopAck;               // auto-reset: the thread acted on stopRequest

  // Song state (stateLock).
  bool playing = false;
  bool stopRequest = false;
  bool loop = false;
  std::int32_t fadeTimeLeft = 0;  // ms; 0 = no fade, negative once run out
  std::uint32_t fadeStepCounter = 0;
  float fadeLevel = 1.0f;
  float fadeRate = 0.0f;  // level lost per millisecond
  std::uint32_t tempo = 500000;
  std::uint32_t tickRemainder = 0;
  std::uint32_t currentTick = 0;
  std::int32_t repeatStartTick = 0;
  std::uint32_t playSerial = 0;  // counts Play calls; names the song a 0x420 is about
  TVexmoraMidiData* currentData = nullptr;
  TShortMessageList::const_iterator shortCursor;
  TLongMessageList::const_iterator longCursor;
  TMetaEventList::const_iterator metaCursor;
  std::array<TVexmoraMidiChannel, 16> channels{};

  std::array<TVexmoraMidiChannel, 16> reportedChannels{};  // reportLock
  TShortMessageList userQueue;                             // userLock

  // Application thread only.
  VexmoraSystem::TVexmoraAutoPtr<TVexmoraMidiData> currentHold;  // keeps the song alive
  Songs songs;
  std::unique_ptr<plat::MessagePort> messageWindow;
  std::unique_ptr<TVexmoraMidiPlayThread> playThread;
};

// Puts TVexmoraMidi on the palette page "Vexmora".
void Register();

}  // namespace VexmoraMidiSystem
