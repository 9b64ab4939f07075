// start.cpp — starting and stopping SDL, and the smoke-test hooks.
//
// Start initialises SDL video and events (the joystick subsystem too, though
// a machine where it fails still runs, without a joystick) and installs the
// backend; Stop removes it and shuts SDL down. Audio is initialised by the
// sound code when it opens its device.
#include <memory>

#include "keys.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

// The installed SDL backend, or null when another backend (or none) is active.
SdlBackend* Active() {
  return dynamic_cast<SdlBackend*>(detail::ActiveBackend());
}

}  // namespace

SdlBackend::~SdlBackend() {
  CloseAudio();
  CloseJoystick();
  CloseWindow();
}

std::string Start(const Config& config) {
  if (Active()) return "";
  // The multimedia joystick is read whether or not the window has the focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::string why = SDL_GetError();
    SDL_Quit();
    return why;
  }
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  detail::InstallBackend(std::make_unique<SdlBackend>(config));
  return "";
}

void Stop() {
  if (Active()) detail::InstallBackend(nullptr);  // closes the window and joystick
  SDL_Quit();
}

void InjectKey(std::uint16_t vk, bool down) {
  const SDL_Keycode key = KeycodeFromVk(vk);
  if (key == SDLK_UNKNOWN) return;
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.timestamp = SDL_GetTicks();
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  SDL_PushEvent(&e);  // thread-safe; the window id does not matter to us
}

std::string SaveWindowPng(const std::string& path) {
  SdlBackend* b = Active();
  return b ? b->SaveWindowPng(path) : path + ": the sdl backend is not running";
}

void AutoAnswerMessageBoxes(bool yes) {
  if (SdlBackend* b = Active()) b->AutoAnswer(yes);
}

}  // namespace plat::sdl
