// joystick.cpp — joystick 0 as the multimedia joystick calls see it.
//
// The device is opened on first use or when SDL reports one plugged in, and
// closed when it goes. Axes -32768..32767 become 0..65535; buttons 0..3 are
// mask bits 0..3; the third axis, when there is one, is the z position.
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

std::uint32_t AxisPos(SDL_Joystick* joy, int axis) {
  return static_cast<std::uint32_t>(SDL_JoystickGetAxis(joy, axis) + 32768);
}

}  // namespace

void SdlBackend::OpenJoystick() {
  if (SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
}

void SdlBackend::CloseJoystick() {
  if (joystick_) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
}

bool SdlBackend::JoystickReady() {
  if (joystick_ && !SDL_JoystickGetAttached(joystick_)) CloseJoystick();
  if (!joystick_) OpenJoystick();
  return joystick_ != nullptr;
}

MMRESULT SdlBackend::JoyCaps(JOYCAPS& caps) {
  if (!JoystickReady()) return JOYERR_UNPLUGGED;
  caps = JOYCAPS{};  // 0..65535 on both axes
  return MMSYSERR_NOERROR;
}

MMRESULT SdlBackend::JoyPos(JOYINFO& info) {
  if (!JoystickReady()) return JOYERR_UNPLUGGED;
  SDL_JoystickUpdate();
  if (!SDL_JoystickGetAttached(joystick_)) {
    CloseJoystick();
    return JOYERR_UNPLUGGED;
  }
  const int axes = SDL_JoystickNumAxes(joystick_);
  const int buttons = SDL_JoystickNumButtons(joystick_);
  info = JOYINFO{};
  if (axes > 0) info.wXpos = AxisPos(joystick_, 0);
  if (axes > 1) info.wYpos = AxisPos(joystick_, 1);
  if (axes > 2) info.wZpos = AxisPos(joystick_, 2);
  for (int b = 0; b < 4 && b < buttons; ++b) {
    if (SDL_JoystickGetButton(joystick_, b)) info.wButtons |= 1u << b;
  }
  return MMSYSERR_NOERROR;
}

}  // namespace plat::sdl
