// input_script.h — scripted input for the headless driver.
//
// One event per line: "FRAME down KEY", "FRAME up KEY" (KEY: Left Right Up
// Down Z X C Escape or a letter A-Z) or "FRAME joy X Y BUTTONS" (axes
// 0..65535, button mask 0..15). Events of frame F are applied just before
// frame F runs; frames count from 1. Blank lines and lines starting with #
// are ignored. Without a joy line there is no joystick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kxh {

struct InputEvent {
  int frame = 0;
  enum class Kind { KeyDown, KeyUp, Joy } kind = Kind::KeyDown;
  std::uint16_t vk = 0;
  std::uint32_t x = 0, y = 0, buttons = 0;
};

// Events in file order (stable for equal frames). Throws std::runtime_error
// naming the source and line of the first bad line.
std::vector<InputEvent> ParseInputScript(const std::string& text, const std::string& source);
std::vector<InputEvent> LoadInputScript(const std::string& path);

}  // namespace kxh
