// window.cpp — the main form's window: a borderless SDL window, a renderer and
// one streaming texture of the form's client size.
//
// The form is composed into a 32-bit bitmap (0x00RRGGBB, the ARGB8888 layout
// with the alpha byte unused), uploaded and drawn with the renderer's logical
// size set to the client size, so a full-screen window shows the picture
// scaled with its aspect kept and black bars around it. When the form's client
// size changes (the game's display modes) the texture follows. A DirectDraw
// primary surface's picture covers the client area from its top-left corner
// and is presented as soon as it changes.
#include <algorithm>
#include <cstdio>

#include "sdl_backend.h"

namespace plat::sdl {
namespace {

void Complain(const char* what) {
  std::fprintf(stderr, "sdl: %s: %s\n", what, SDL_GetError());
}

}  // namespace

void SdlBackend::OpenWindow(const Form& form) {
  CloseWindow();
  const Form::Desc& desc = form.Description();
  const std::string caption = desc.caption.empty() ? Application::Title() : desc.caption;
  const Point size = form.ClientSize();
  const int pos = desc.centred ? SDL_WINDOWPOS_CENTERED : SDL_WINDOWPOS_UNDEFINED;
  Uint32 flags = SDL_WINDOW_BORDERLESS;
  if (desc.stayOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;

  window_ = SDL_CreateWindow(caption.c_str(), pos, pos, size.x, size.y, flags);
  if (!window_) {
    Complain("cannot open the window");  // the game runs on, unseen
    return;
  }
  // Without a GPU (Xvfb) the accelerated renderer is missing; software does.
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    Complain("cannot create a renderer");
    CloseWindow();
    return;
  }
  // A failed switch to full screen leaves a normal window, which is allowed.
  if (config_.fullscreen && SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    Complain("full screen refused, staying in a window");
  }
  if (FitFrame(size.x, size.y)) Present(form);  // show the form at once, not garbage
}

void SdlBackend::CloseWindow() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  frameW_ = frameH_ = 0;
}

bool SdlBackend::FitFrame(int w, int h) {
  if (texture_) SDL_DestroyTexture(texture_);
  frameW_ = frameH_ = 0;
  texture_ =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
  if (!texture_) {
    Complain("cannot create the frame texture");
    return false;
  }
  // Our alpha byte is always 0: draw the texture opaque.
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_RenderSetLogicalSize(renderer_, w, h);
  if (!(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) && !mode_) {
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    if (ww != w || wh != h) {
      SDL_SetWindowSize(window_, w, h);
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  }
  frameW_ = w;
  frameH_ = h;
  return true;
}

void SdlBackend::Present(const Form& form) {
  if (!renderer_) return;
  const Point size = form.ClientSize();
  if (size.x <= 0 || size.y <= 0) return;
  if (frame_.Width() != size.x || frame_.Height() != size.y) frame_.SetSize(size.x, size.y);
  form.Compose(frame_);
  if (primary_) {  // the primary surface covers the client area from its top-left
    const int pw = std::min(primary_->Width(), frame_.Width());
    for (int y = 0; y < std::min(primary_->Height(), frame_.Height()); ++y)
      std::copy_n(primary_->Row(y), pw, frame_.Row(y));
  }
  // In a display mode only its top-left part of the client area shows.
  const int w = mode_ ? std::min(mode_->x, frame_.Width()) : frame_.Width();
  const int h = mode_ ? std::min(mode_->y, frame_.Height()) : frame_.Height();
  if (w != frameW_ || h != frameH_) {
    if (!FitFrame(w, h)) return;
  }
  SDL_UpdateTexture(texture_, nullptr, frame_.Pixels().data(),
                    frame_.Width() * static_cast<int>(sizeof(RgbColor)));
  Redraw();
  SDL_RenderPresent(renderer_);
}

bool SdlBackend::SetDisplayMode(int w, int h, int) {
  // A desktop-sized full screen with the picture scaled stands in for a real
  // mode switch: the same look without changing the monitor's mode.
  if (!window_) return false;
  if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    Complain("full screen refused, staying in a window");
    return false;
  }
  mode_ = Point{w, h};
  frameW_ = frameH_ = 0;  // the next present refits the texture
  return true;
}

void SdlBackend::RestoreDisplayMode() {
  if (!mode_) return;
  mode_.reset();
  frameW_ = frameH_ = 0;
  if (window_ && !config_.fullscreen) SDL_SetWindowFullscreen(window_, 0);
}

void SdlBackend::ShowPrimary(const Bitmap* frame) {
  primary_ = frame ? std::optional<Bitmap>(*frame) : std::nullopt;
  if (const Form* form = Application::MainForm()) Present(*form);  // blits show at once
}

void SdlBackend::Redraw() {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
}

std::string SdlBackend::SaveWindowPng(const std::string& path) {
  if (!renderer_ || !texture_) return path + ": no window is open";
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return path + ": " + SDL_GetError();
  // Read the whole output, bars included. Pixels outside the picture's
  // viewport are not written and stay black.
  Bitmap shot(w, h);
  const SDL_Rect all{0, 0, w, h};
  Redraw();
  const int rc = SDL_RenderReadPixels(renderer_, &all, SDL_PIXELFORMAT_ARGB8888,
                                      shot.Pixels().data(), w * static_cast<int>(sizeof(RgbColor)));
  SDL_RenderPresent(renderer_);
  if (rc != 0) return path + ": " + SDL_GetError();
  for (RgbColor& p : shot.Pixels()) p &= 0x00FFFFFFu;
  return SavePng(shot, path);
}

}  // namespace plat::sdl
