// events.cpp — SDL events -> the platform's input queue.
//
// Mapped keys become key events (repeats arrive as further key-downs, as the
// game expects); other keys are dropped, and so are the repeats and release
// of a key pressed in a message box. Closing the window or asking the
// program to quit (Ctrl-C included) becomes Quit; focus changes become
// Activate (WM_ACTIVATEAPP); display changes become DisplayChange with the
// display's bits per pixel. An uncovered window shows its last frame again.
// Joystick arrival and removal are handled here.
#include <algorithm>
#include <climits>

#include "keys.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

using detail::InputEvent;

void Push(InputEvent::Kind kind, bool down = false, int value = 0) {
  InputEvent e;
  e.kind = kind;
  e.down = down;
  e.value = value;
  detail::PushInput(e);
}

// Bits per pixel of the display showing `window` (32 for 24-bit colour in
// 4-byte pixels, as Windows reports it).
int DisplayBits(SDL_Window* window) {
  const int index = window ? SDL_GetWindowDisplayIndex(window) : 0;
  SDL_DisplayMode mode{};
  if (SDL_GetCurrentDisplayMode(index < 0 ? 0 : index, &mode) != 0) return 32;
  return SDL_BYTESPERPIXEL(mode.format) * 8;
}

}  // namespace

void SdlBackend::PumpEvents(std::uint32_t waitMs) {
  SDL_Event e;
  int got = SDL_PollEvent(&e);
  if (!got && waitMs > 0) {
    got = SDL_WaitEventTimeout(&e, static_cast<int>(std::min<std::uint32_t>(waitMs, INT_MAX)));
  }
  while (got) {
    HandleEvent(e);
    got = SDL_PollEvent(&e);
  }
}

void SdlBackend::HandleEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (boxKeys_.contains(e.key.keysym.sym)) {
        // Pressed afresh, the key is the game's again; until then it is not.
        const bool fresh = e.type == SDL_KEYDOWN && !e.key.repeat;
        if (fresh || e.type == SDL_KEYUP) boxKeys_.erase(e.key.keysym.sym);
        if (!fresh) break;
      }
      if (const std::uint16_t vk = VkFromKeycode(e.key.keysym.sym)) {
        InputEvent key;
        key.vk = vk;
        key.down = e.type == SDL_KEYDOWN;
        detail::PushInput(key);
      }
      break;
    case SDL_QUIT:
      Push(InputEvent::Kind::Quit);
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
          // Uncovered: show the last frame again (the game may not be
          // drawing, e.g. after a failed start-up).
          if (texture_) {
            Redraw();
            SDL_RenderPresent(renderer_);
          }
          break;
        case SDL_WINDOWEVENT_CLOSE:
          Push(InputEvent::Kind::Quit);
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          Push(InputEvent::Kind::Activate, true);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          Push(InputEvent::Kind::Activate, false);
          break;
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
          Push(InputEvent::Kind::DisplayChange, false, DisplayBits(window_));
          break;
        default:
          break;
      }
      break;
    case SDL_DISPLAYEVENT:
      Push(InputEvent::Kind::DisplayChange, false, DisplayBits(window_));
      break;
    case SDL_JOYDEVICEADDED:
      if (!joystick_) OpenJoystick();
      break;
    case SDL_JOYDEVICEREMOVED:
      if (joystick_ && SDL_JoystickInstanceID(joystick_) == e.jdevice.which) CloseJoystick();
      break;
    default:
      break;
  }
}

}  // namespace plat::sdl
