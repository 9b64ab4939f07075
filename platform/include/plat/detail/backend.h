// backend.h — what platform/ asks of a backend (sdl or headless). Engine and
// game code never include it.
//
// A backend supplies only the parts that touch the outside world: the window
// and its presentation, input events, message boxes, the joystick, the audio
// and MIDI sinks and the clock (through its Scheduler). The software parts (canvas, image lists,
// bitmaps, the application loop) are common code in platform/.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "plat/app.h"
#include "plat/canvas.h"
#include "plat/joystick.h"

namespace plat::detail {

// An input or system event produced by a backend, queued in arrival order.
struct InputEvent {
  enum class Kind { Key, Quit, Activate, DisplayChange } kind = Kind::Key;
  std::uint16_t vk = 0;  // Key
  bool down = false;     // Key: pressed; Activate: active
  int value = 0;         // DisplayChange: bits per pixel
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::string_view Name() const = 0;

  // The main form was created / destroyed.
  virtual void OpenWindow(const Form& form) = 0;
  virtual void CloseWindow() = 0;
  // Shows the main form's current contents (after each idle call and on
  // ProcessMessages).
  virtual void Present(const Form& form) = 0;
  // Appends pending input events to the platform queue (PushInput); if
  // `waitMs` > 0 and nothing is pending, waits up to that long for one.
  virtual void PumpEvents(std::uint32_t waitMs) = 0;

  virtual bool AskYesNo(std::string_view text) = 0;
  virtual void ShowMessage(std::string_view text) = 0;
  virtual void SetCursorVisible(bool visible) = 0;

  // Full screen showing the top-left w x h of the main form's client area,
  // scaled keeping aspect; false when the display cannot switch (the window
  // stays as it is). RestoreDisplayMode gives the desktop its mode back.
  virtual bool SetDisplayMode(int w, int h, int bpp) = 0;
  virtual void RestoreDisplayMode() = 0;

  // DirectDraw surfaces. The desktop's depth (the windowed primary's format;
  // 16 means 5:6:5 unless Use555), whether 16-bit formats are 5:5:5, and extra
  // bytes at the end of every surface row (tests of pitch handling).
  virtual int DesktopBits() const { return 32; }
  virtual bool Use555() const { return false; }
  virtual std::uint32_t PitchPadding() const { return 0; }
  // The primary surface's picture (0x00RRGGBB), shown over the main form's
  // client area from its top-left corner, and presented now; null: none.
  // The bitmap stays valid until the next call.
  virtual void ShowPrimary(const Bitmap* /*frame*/) {}
  // Whether the Direct3D hardware (HAL) devices exist; the real display
  // never offers them, the headless one when its configuration asks.
  virtual bool HalAvailable() const { return false; }

  virtual MMRESULT JoyCaps(JOYCAPS& caps) = 0;
  virtual MMRESULT JoyPos(JOYINFO& info) = 0;

  // The audio sink (one at a time). OpenAudio (re)starts it: from then on
  // `render` is asked for interleaved stereo 16-bit frames, on the backend's
  // audio thread (sdl) or its device ticks (headless). Returns the frame rate
  // the sink runs at (`rate` when it can), 0 when there is no audio device.
  // CloseAudio returns once `render` is no longer running. Default: no device.
  using AudioRender = std::function<void(std::int16_t* out, int frames)>;
  virtual int OpenAudio(int /*rate*/, AudioRender /*render*/) { return 0; }
  virtual void CloseAudio() {}

  // The MIDI sink (plat/midiout.h). OpenMidi is asked when the first MIDI
  // output opens: false = no device. MidiMessage gets every message whole: a
  // short message as its 1 to 3 bytes, a system-exclusive message with its
  // F0/F7 framing; calls come from any thread but never two at once.
  // CloseMidi follows the last output's close. Default: no device.
  virtual bool OpenMidi() { return false; }
  virtual void MidiMessage(std::span<const std::uint8_t> /*bytes*/) {}
  virtual void CloseMidi() {}

  // Wall-clock seconds (time(NULL)).
  virtual std::int64_t UnixSeconds() = 0;
};

// Installs the backend (null removes it). platform/ works without one: no
// window, no input, no joystick, message boxes answer No.
void InstallBackend(std::unique_ptr<Backend> backend);
Backend* ActiveBackend();
// Called by backends: queue an event for the application's thread.
void PushInput(const InputEvent& e);
// Marks the primary and video-memory DirectDraw surfaces lost (and the
// system-memory ones too when asked), as a display mode switch does.
void LoseSurfaces(bool includeSystemMemory);

}  // namespace plat::detail
