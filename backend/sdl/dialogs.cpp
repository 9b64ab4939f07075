// dialogs.cpp — message boxes, the mouse cursor and the wall clock.
//
// Boxes are our own (modal_box.cpp), so Japanese text shows in our Japanese
// face whatever fonts the display has. A Yes/No box answers Yes only when Yes
// is chosen; a box that cannot be shown counts as No. OK-box texts also go to
// stderr, so error reports survive a run without a screen. With
// AutoAnswerMessageBoxes no box shows: Yes/No gets the set answer at once.
#include <cstdio>
#include <ctime>
#include <string>

#include "sdl_backend.h"

namespace plat::sdl {

bool SdlBackend::AskYesNo(std::string_view text) {
  if (autoAnswer_) return *autoAnswer_;
  return RunMessageBox(text, detail::BoxButtons::YesNo) == detail::BoxAnswer::Yes;
}

void SdlBackend::ShowMessage(std::string_view text) {
  const std::string message(text);
  std::fprintf(stderr, "%s\n", message.c_str());
  if (autoAnswer_) return;
  RunMessageBox(text, detail::BoxButtons::Ok);
}

void SdlBackend::SetCursorVisible(bool visible) {
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

std::int64_t SdlBackend::UnixSeconds() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace plat::sdl
