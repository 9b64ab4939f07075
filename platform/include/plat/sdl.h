// sdl.h — the real backend: an SDL2 window, keyboard and joystick events,
// message boxes and the system clock.
//
// The main form opens as a borderless window of its client size, centred. Its
// contents (form colour plus the visible image) are presented after every idle
// call, scaled to the window keeping the aspect ratio.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace plat::sdl {

struct Config {
  bool fullscreen = false;  // desktop full screen, contents scaled keeping aspect
};

// Initialises SDL video and joystick and installs the backend. Returns an
// empty string on success, else SDL's reason.
std::string Start(const Config& config = {});
void Stop();

// Test hooks for the real-window smoke test: a key event through SDL's own
// event queue, and a PNG of what the window shows (read back from the
// renderer). SaveWindowPng returns an empty string on success.
void InjectKey(std::uint16_t vk, bool down);
std::string SaveWindowPng(const std::string& path);
// From now until Stop, message boxes are not shown: Yes/No boxes answer `yes`
// at once, OK boxes only print their text. Under Xvfb nobody can press a
// button, and the game asks a question while it starts.
void AutoAnswerMessageBoxes(bool yes);

// Hook for the music timing benchmark. `sent` is called on the sending
// thread for every MIDI message, with its send time (the scheduler's
// nanosecond clock); `notePlaced` on the audio thread for every note-on the
// synthesiser starts, with its send time and how late it sounds against the
// sample its time maps to (ns). Set it while no MIDI output is open.
struct MidiTrace {
  std::function<void(std::int64_t sentNs)> sent;
  std::function<void(std::int64_t sentNs, std::int64_t lateNs)> notePlaced;
};
void TraceMidi(MidiTrace trace);

}  // namespace plat::sdl
