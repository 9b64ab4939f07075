// keys.h — SDL keycodes <-> the virtual-key codes the game reads.
//
// Only the keys the game and its tools use are mapped: Escape, the arrows,
// letters (case-free, 'A'..'Z'), digits, Enter and Space. Keycodes follow the
// keyboard layout, as virtual keys do.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace plat::sdl {

// 0 for a key that is not mapped.
std::uint16_t VkFromKeycode(SDL_Keycode key);
// SDLK_UNKNOWN for a virtual key that is not mapped.
SDL_Keycode KeycodeFromVk(std::uint16_t vk);

}  // namespace plat::sdl
