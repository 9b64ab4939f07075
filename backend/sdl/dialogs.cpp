// dialogs.cpp — message boxes, the mouse cursor and the wall clock.
//
// Boxes are SDL's own (UTF-8 text, the application title as caption), modal
// to the main window when it is open. A Yes/No box answers Yes only when Yes
// is chosen: Return picks Yes, Escape picks No, and a box that cannot be
// shown (no display) counts as No. OK-box texts also go to stderr, so error
// reports survive a run without a screen.
#include <cstdio>
#include <ctime>
#include <string>

#include "sdl_backend.h"

namespace plat::sdl {

bool SdlBackend::AskYesNo(std::string_view text) {
  if (autoAnswer_) return *autoAnswer_;
  const std::string message(text);
  const std::string title = Application::Title();
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;  // no icon type: the boxes have none
  box.window = window_;
  box.title = title.c_str();
  box.message = message.c_str();
  box.numbuttons = 2;
  box.buttons = buttons;
  int chosen = -1;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) return false;
  return chosen == 1;
}

void SdlBackend::ShowMessage(std::string_view text) {
  const std::string message(text);
  std::fprintf(stderr, "%s\n", message.c_str());
  if (autoAnswer_) return;
  SDL_ShowSimpleMessageBox(0, Application::Title().c_str(), message.c_str(), window_);
}

void SdlBackend::SetCursorVisible(bool visible) {
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

std::int64_t SdlBackend::UnixSeconds() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace plat::sdl
