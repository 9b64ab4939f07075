// sdl_backend.h — the SDL2 backend object, shared by the files of backend/sdl.
//
// One instance exists between sdl::Start and sdl::Stop, owned by the platform
// (InstallBackend). Everything runs on the application's thread; only
// sdl::InjectKey may come from another, as it just pushes into SDL's
// thread-safe event queue, and the audio sink (audio.cpp) is opened and
// closed by whichever thread creates or releases the sound device.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>

#include "plat/canvas.h"
#include "plat/detail/backend.h"
#include "plat/detail/message_box.h"
#include "plat/sdl.h"
#include "synth/device_clock.h"
#include "synth/synth.h"

namespace plat::sdl {

class SdlBackend final : public detail::Backend {
 public:
  explicit SdlBackend(const Config& config) : config_(config) {}
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  std::string_view Name() const override { return "sdl"; }

  void OpenWindow(const Form& form) override;  // window.cpp
  void CloseWindow() override;
  void Present(const Form& form) override;
  void PumpEvents(std::uint32_t waitMs) override;  // events.cpp

  bool AskYesNo(std::string_view text) override;  // dialogs.cpp
  void ShowMessage(std::string_view text) override;
  void SetCursorVisible(bool visible) override;
  std::int64_t UnixSeconds() override;

  bool SetDisplayMode(int w, int h, int bpp) override;  // window.cpp
  void RestoreDisplayMode() override;
  void ShowPrimary(const Bitmap* frame) override;

  MMRESULT JoyCaps(JOYCAPS& caps) override;  // joystick.cpp
  MMRESULT JoyPos(JOYINFO& info) override;

  int OpenAudio(int rate, AudioRender render) override;  // audio.cpp
  void CloseAudio() override;

  bool OpenMidi() override;  // midi.cpp
  void MidiMessage(std::span<const std::uint8_t> bytes) override;
  void CloseMidi() override;
  // For the audio callback: adds the MIDI synthesiser's next `frames` stereo
  // frames at `rate` into the interleaved 16-bit `out`, saturating, each
  // message applied one device period after it was sent (`nowNs`: when the
  // callback started, on the scheduler's clock). Nothing while no MIDI
  // output has opened the synthesiser.
  void MixMidi(std::int16_t* out, int frames, int rate, std::int64_t nowNs);
  // The audio callback's work: the sound mixer, then the music over it.
  void RenderAudio(std::int16_t* out, int frames);  // audio.cpp
  void TraceMidi(MidiTrace trace);                  // midi.cpp

  // Test hooks behind sdl::SaveWindowPng and sdl::AutoAnswerMessageBoxes.
  std::string SaveWindowPng(const std::string& path);
  void AutoAnswer(bool yes) { autoAnswer_ = yes; }

 private:
  void HandleEvent(const SDL_Event& e);  // events.cpp
  bool FitFrame(int w, int h);           // (re)creates the texture for a w x h frame
  void Redraw();                         // clear + copy the texture, not presented
  bool JoystickReady();                  // opens joystick 0 lazily
  void OpenJoystick();
  void CloseJoystick();
  // Shows our own message box and waits for its answer (modal_box.cpp).
  detail::BoxAnswer RunMessageBox(std::string_view text, detail::BoxButtons kind);

  Config config_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int frameW_ = 0, frameH_ = 0;  // texture (= logical) size
  Bitmap frame_;                 // the composed form, reused every present
  std::optional<Bitmap> primary_;  // the DirectDraw primary surface's picture
  std::optional<Point> mode_;    // a display mode: show only this top-left part
  SDL_Joystick* joystick_ = nullptr;
  SDL_AudioDeviceID audio_ = 0;  // 0 = closed
  AudioRender render_;           // called on SDL's audio thread while audio_ is open
  int audioRate_ = 0;
  std::optional<bool> autoAnswer_;
  // Keys that went down while a message box was up: their repeats and their
  // release belong to the box, not to the game.
  std::set<SDL_Keycode> boxKeys_;
  // The MIDI synthesiser (midi.cpp): made by the first OpenMidi, kept until
  // the backend goes; `midiLive_` publishes it to the audio thread, and
  // `midiQueue_` carries the messages there with their send times.
  std::unique_ptr<synth::Synth> midi_;
  std::atomic<synth::Synth*> midiLive_{nullptr};
  synth::TimedMidi midiQueue_;
  synth::DeviceClock midiClock_;  // audio thread
  std::atomic<bool> audioRunning_{false};
  MidiTrace midiTrace_;  // set while no MIDI output is open
};

}  // namespace plat::sdl
