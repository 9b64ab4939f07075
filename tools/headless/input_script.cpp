// input_script.cpp — reads the driver's input files.
#include "input_script.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "plat/app.h"

namespace kxh {
namespace {

bool KeyCode(const std::string& name, std::uint16_t& vk) {
  if (name == "Left") vk = plat::VK_LEFT;
  else if (name == "Right") vk = plat::VK_RIGHT;
  else if (name == "Up") vk = plat::VK_UP;
  else if (name == "Down") vk = plat::VK_DOWN;
  else if (name == "Escape") vk = plat::VK_ESCAPE;
  else if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
    vk = static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(name[0])));
  else return false;
  return true;
}

bool ReadUnsigned(std::istringstream& in, std::uint32_t max, std::uint32_t& out) {
  long long v = -1;
  if (!(in >> v) || v < 0 || v > max) return false;
  out = static_cast<std::uint32_t>(v);
  return true;
}

}  // namespace

std::vector<InputEvent> ParseInputScript(const std::string& text, const std::string& source) {
  std::vector<InputEvent> events;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    auto fail = [&](const std::string& why) {
      throw std::runtime_error(source + ":" + std::to_string(number) + ": " + why + ": '" +
                               line + "'");
    };
    std::istringstream in(line);
    long long frame = 0;
    std::string verb;
    if (!(in >> frame) || frame < 1 || frame > 100'000'000) fail("expected a frame number from 1");
    if (!(in >> verb)) fail("expected down, up or joy");
    InputEvent e;
    e.frame = static_cast<int>(frame);
    if (verb == "down" || verb == "up") {
      std::string key;
      if (!(in >> key) || !KeyCode(key, e.vk))
        fail("expected a key (Left Right Up Down Escape or a letter A-Z)");
      e.kind = verb == "down" ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
    } else if (verb == "joy") {
      e.kind = InputEvent::Kind::Joy;
      if (!ReadUnsigned(in, 65535, e.x) || !ReadUnsigned(in, 65535, e.y) ||
          !ReadUnsigned(in, 15, e.buttons))
        fail("expected joy X Y BUTTONS (axes 0..65535, buttons 0..15)");
    } else {
      fail("expected down, up or joy");
    }
    std::string extra;
    if (in >> extra) fail("unexpected '" + extra + "' at the end");
    events.push_back(e);
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
  return events;
}

std::vector<InputEvent> LoadInputScript(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error(path + ": cannot open the input file");
  std::ostringstream text;
  text << file.rdbuf();
  return ParseInputScript(text.str(), path);
}

}  // namespace kxh
