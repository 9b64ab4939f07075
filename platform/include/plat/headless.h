// headless.h — the headless backend: a memory framebuffer, the virtual clock,
// scripted keyboard and joystick, scripted message-box answers, an audio
// device whose output is captured in virtual time, and a MIDI device that
// records every message with its virtual time.
//
// Start() installs the backend and the virtual-time scheduler on the calling
// thread, which becomes platform thread 1. Frames start exactly 37 ms apart in
// virtual time because the game paces itself with SpinUntil, and nothing
// depends on the wall clock, so a run is repeatable bit for bit.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "plat/canvas.h"
#include "plat/joystick.h"

namespace plat::headless {

struct Config {
  std::uint32_t startMs = 0;                 // timeGetTime at start (0xFFFFF000 crosses the wrap)
  std::int64_t unixSeconds = 1'800'000'000;  // time() and the date text at start
  std::optional<JOYCAPS> joystick;           // nullopt: joyGetDevCaps and joyGetPos fail
  bool audioDevice = true;                   // false: IDirectSound::Initialize fails
  bool midiDevice = true;                    // false: midiOutOpen fails (MMSYSERR_NODRIVER)
  bool midiSynth = false;                    // also play MIDI through the synthesiser into the capture
  std::uint32_t audioPeriodMs = 10;          // the mixer renders every this many virtual ms
  bool keepAudio = true;  // false: the mixer runs but only its last block is kept (long runs)
  int desktopBits = 32;                      // the windowed primary's depth: 16, 24 or 32
  bool rgb555 = false;                       // 16-bit desktop and modes are 5:5:5 (else 5:6:5)
  std::uint32_t pitchPadding = 0;            // extra bytes at the end of every surface row
  bool halAvailable = false;                 // the Direct3D HAL device exists (else only RGB)
};

class Control {
 public:
  void Key(std::uint16_t vk, bool down);  // queued, delivered before the next idle call
  void SetJoystick(std::optional<JOYINFO> info);  // nullopt = unplugged
  // Answers for the coming Yes/No boxes, in order; when they run out: No.
  void AnswerMessageBoxes(std::vector<bool> yes);
  const std::vector<std::string>& MessageBoxTexts() const;
  bool StepFrames(int n);          // run the app loop for n idle calls; false once closed
  void Advance(std::uint32_t ms);  // let virtual time pass (threads run)
  const Bitmap& Screen() const;    // what the window shows (the main form, the primary surface over it)
  // Loses the primary and video-memory surfaces, as a mode switch does (and
  // the system-memory ones too when asked).
  void LoseSurfaces(bool includeSystemMemory = false);
  // Broadcasts WM_DISPLAYCHANGE with `bpp`, delivered before the next idle call.
  void BroadcastDisplayChange(int bpp);
  int Presents() const;            // how often the window was presented
  // The display mode set through DirectDraw (w, h, bpp); nullopt = desktop.
  std::optional<std::array<int, 3>> DisplayMode() const;
  // Everything the audio device played: interleaved stereo 16-bit at
  // AudioRate(), rendered in step with virtual time from the device's first
  // opening until now (or its closing). Reopening at another rate (a primary
  // SetFormat) starts a new capture. The span is valid until time advances.
  // Without Config::keepAudio only the last rendered block is there.
  std::span<const std::int16_t> AudioCapture() const;
  int AudioRate() const;  // 0 before the device first opened
  // Every message the MIDI output sent since Start, with the virtual time
  // (timeGetTime) it was sent at: short messages as their 1 to 3 bytes,
  // system-exclusive messages with F0/F7. Valid until time advances.
  struct MidiEvent {
    std::uint32_t ms;
    std::vector<std::uint8_t> bytes;
  };
  const std::vector<MidiEvent>& MidiLog() const;
};

// Selects the headless backend (replacing any other) and returns its control.
Control& Start(const Config& config = {});
// Removes the headless backend and the virtual scheduler again.
void Stop();

// Writes interleaved stereo 16-bit PCM as a RIFF WAVE file; false on failure.
bool WriteWav(const std::string& path, std::span<const std::int16_t> stereo, int rate);

}  // namespace plat::headless
