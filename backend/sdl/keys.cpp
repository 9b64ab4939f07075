// keys.cpp — SDL keycodes <-> virtual-key codes (see keys.h).
#include "keys.h"

#include <array>
#include <utility>

namespace plat::sdl {
namespace {

// Keys outside the letter and digit ranges. The keypad Enter is the same
// virtual key as Return, so it maps one way only (listed after Return).
constexpr std::array<std::pair<SDL_Keycode, std::uint16_t>, 8> kSpecial{{
    {SDLK_ESCAPE, 0x1B},
    {SDLK_LEFT, 0x25},
    {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},
    {SDLK_DOWN, 0x28},
    {SDLK_RETURN, 0x0D},
    {SDLK_KP_ENTER, 0x0D},
    {SDLK_SPACE, 0x20},
}};

}  // namespace

std::uint16_t VkFromKeycode(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<std::uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<std::uint16_t>('0' + (key - SDLK_0));
  for (const auto& [sym, vk] : kSpecial) {
    if (sym == key) return vk;
  }
  return 0;
}

SDL_Keycode KeycodeFromVk(std::uint16_t vk) {
  if (vk >= 'A' && vk <= 'Z') return SDLK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return SDLK_0 + (vk - '0');
  for (const auto& [sym, code] : kSpecial) {
    if (code == vk) return sym;  // the first match: Return, not keypad Enter
  }
  return SDLK_UNKNOWN;
}

}  // namespace plat::sdl
