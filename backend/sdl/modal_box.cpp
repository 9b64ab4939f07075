// modal_box.cpp — our own message box (plat/detail/message_box.h) shown on
// SDL as a modal loop.
//
// With the main window up, the box is drawn centred over its last frame (the
// visible part, in a display mode) and that frame comes back when the box
// closes. Without one, a borderless window of the box's size opens centred on
// the desktop for the box's lifetime. The loop waits on SDL's queue: keys and
// left clicks go to the box only (keys pressed in it stay away from the game
// until released, see boxKeys_), while focus, display and joystick events
// take their usual way. Closing the window answers No / OK; a quit request
// (Ctrl-C) answers too and then reaches the game. The cursor shows while the
// box is up. Boxes are at most 5/8 of the picture wide (240..480 pixels).
#include <algorithm>
#include <cstdio>

#include "keys.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

using detail::BoxAnswer;
using detail::BoxButtons;
using detail::BoxLayout;
using detail::BoxState;

constexpr int kPollMs = 100;

Point MaxBoxSize(int w, int h) {
  return {std::clamp(w * 5 / 8, std::min(w - 8, 240), 480), h - 8};
}

std::uint16_t BoxVk(SDL_Keycode key) {
  return key == SDLK_TAB ? detail::kVkTab : VkFromKeycode(key);
}

// Where the box shows: a renderer, a streaming texture of the picture's size,
// the picture under the box and the box's top-left in it.
struct Stage {
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  Uint32 windowId = 0;
  Bitmap background;
  Point at;

  void Show(const BoxLayout& layout, const BoxState& state) const {
    Bitmap scene = background;
    DrawMessageBox(layout, state, scene, at);
    SDL_UpdateTexture(texture, nullptr, scene.Pixels().data(),
                      scene.Width() * static_cast<int>(sizeof(RgbColor)));
    Present();
  }
  void Present() const {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
  }
};

// The stand-alone box window, used when the main window is not up.
class BoxWindow {
 public:
  BoxWindow() = default;
  BoxWindow(const BoxWindow&) = delete;
  BoxWindow& operator=(const BoxWindow&) = delete;
  ~BoxWindow() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
  }

  bool Open(const std::string& title, Point size, Stage& stage) {
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               size.x, size.y, SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
    if (!window_) return false;
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_) {
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                   size.x, size.y);
    }
    if (!texture_) return false;
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    SDL_RaiseWindow(window_);  // takes the keyboard focus
    stage.renderer = renderer_;
    stage.texture = texture_;
    stage.windowId = SDL_GetWindowID(window_);
    stage.background.SetSize(size.x, size.y);
    stage.at = {0, 0};
    return true;
  }

 private:
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
};

}  // namespace

BoxAnswer SdlBackend::RunMessageBox(std::string_view text, BoxButtons kind) {
  const BoxAnswer dismissed = kind == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
  const std::string title = Application::Title();
  const bool overMain = texture_ && frameW_ > 0 && frameH_ > 0;
  Stage stage;
  BoxWindow own;
  BoxLayout layout;
  if (overMain) {
    layout = detail::LayoutMessageBox(title, text, kind, MaxBoxSize(frameW_, frameH_));
    stage.renderer = renderer_;
    stage.texture = texture_;
    stage.windowId = SDL_GetWindowID(window_);
    stage.background.SetSize(frameW_, frameH_);
    Canvas(stage.background).Draw(0, 0, frame_);
    stage.at = {std::max(0, (frameW_ - layout.size.x) / 2),
                std::max(0, (frameH_ - layout.size.y) / 2)};
  } else {
    SDL_Rect desktop{0, 0, 640, 480};
    SDL_GetDisplayUsableBounds(0, &desktop);
    layout = detail::LayoutMessageBox(title, text, kind, MaxBoxSize(desktop.w, desktop.h));
    if (!own.Open(title, layout.size, stage)) {
      std::fprintf(stderr, "sdl: cannot show a message box: %s\n", SDL_GetError());
      return dismissed;
    }
  }

  const int cursor = SDL_ShowCursor(SDL_QUERY);
  SDL_ShowCursor(SDL_ENABLE);
  BoxState state(kind);
  stage.Show(layout, state);
  bool closed = false;
  while (state.Answer() == BoxAnswer::Pending) {
    SDL_Event e;
    if (!SDL_WaitEventTimeout(&e, kPollMs)) continue;
    const BoxState before = state;
    switch (e.type) {
      case SDL_KEYDOWN:
        // A repeat of a key held since before the box presses nothing.
        if (e.key.repeat && !boxKeys_.contains(e.key.keysym.sym)) break;
        boxKeys_.insert(e.key.keysym.sym);
        state.Key(BoxVk(e.key.keysym.sym));
        break;
      case SDL_KEYUP:
        HandleEvent(e);  // passes only keys held since before the box
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        // Renderer-scaled windows report logical (picture) coordinates.
        if (e.button.button == SDL_BUTTON_LEFT && e.button.windowID == stage.windowId) {
          const Point p{e.button.x - stage.at.x, e.button.y - stage.at.y};
          if (e.type == SDL_MOUSEBUTTONDOWN)
            state.MouseDown(layout, p);
          else
            state.MouseUp(layout, p);
        }
        break;
      case SDL_QUIT:
        state.Close();
        HandleEvent(e);  // Ctrl-C: the game quits after the box
        break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          state.Close();
          closed = true;
        } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED &&
                   e.window.windowID == stage.windowId) {
          stage.Present();
        } else if (overMain || e.window.windowID != stage.windowId) {
          HandleEvent(e);
        }
        break;
      default:
        HandleEvent(e);
        break;
    }
    if (!(state == before) && state.Answer() == BoxAnswer::Pending) stage.Show(layout, state);
  }
  if (closed) {
    // Closing the last window also sends a quit request: the close was the
    // answer, not a wish to quit.
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_QUIT);
  }
  SDL_ShowCursor(cursor);
  if (overMain) {
    SDL_UpdateTexture(texture_, nullptr, frame_.Pixels().data(),
                      frame_.Width() * static_cast<int>(sizeof(RgbColor)));
    Redraw();
    SDL_RenderPresent(renderer_);
  }
  return state.Answer();
}

}  // namespace plat::sdl
