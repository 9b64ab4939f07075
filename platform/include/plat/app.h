// app.h — the application object, forms, posted messages and message boxes:
// the window half of the form toolkit stand-in.
//
// One thread runs the application. Application::Run loops until the main form
// closes: it delivers every pending message in arrival order (key events to the
// form's OnKey, posted messages to their MessagePort, close requests), then
// calls the idle handler once; the backend presents the main form after each
// idle call. Messages are never delivered during an idle call. When the idle
// handler leaves `done` false it is called again at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "plat/base.h"

namespace plat {

class Bitmap;

enum : std::uint16_t { VK_ESCAPE = 0x1B, VK_LEFT = 0x25, VK_UP, VK_RIGHT, VK_DOWN };
// Letters are 'A'..'Z' (0x41..0x5A) whatever the case typed.
enum class Cursor { Default, None, HourGlass };
struct Message {
  std::uint32_t msg = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};
enum : std::uint32_t { WM_ACTIVATEAPP = 0x1C, WM_DISPLAYCHANGE = 0x7E, WM_USER = 0x400 };

class Form {  // a top-level window
 public:
  struct Desc {
    std::string caption;
    int clientWidth = 640, clientHeight = 480;
    TColor color = clBlack;
    bool centred = true, stayOnTop = false;
  };
  explicit Form(Desc d) : desc_(std::move(d)) {}

  std::function<void(std::uint16_t vk, bool down)> OnKey;
  std::function<void()> OnClose;

  void Close();  // OnClose, then the loop ends for the main form
  // A secondary form (a splash) shows while visible; as every form is centred
  // on the desktop, it is drawn centred over the main form's client area.
  void Show() { visible_ = true; }
  void Hide() { visible_ = false; }
  bool Visible() const { return visible_; }
  bool Closed() const { return closed_; }
  void SetCursor(Cursor c);  // the main form's cursor shows over the window
  Cursor GetCursor() const { return cursor_; }
  // The visible image (a TImage): drawn over the form colour at `at`, in
  // client coordinates. Null hides it. The bitmap must outlive the form.
  void ShowImage(const Bitmap* image, Point at) { image_ = image; imageAt_ = at; }
  const Bitmap* Image() const { return image_; }
  Point ImagePosition() const { return imageAt_; }
  Point ClientSize() const { return {desc_.clientWidth, desc_.clientHeight}; }
  void SetClientSize(int w, int h) { desc_.clientWidth = w; desc_.clientHeight = h; }
  const Desc& Description() const { return desc_; }
  // What the window shows now: the form colour with the visible image, and
  // for the main form every visible secondary form over it.
  void Compose(Bitmap& out) const;

 private:
  Desc desc_;
  bool closed_ = false;
  bool visible_ = false;
  Cursor cursor_ = Cursor::Default;
  const Bitmap* image_ = nullptr;
  Point imageAt_{};
};

class MessagePort {  // hidden utility window
 public:
  explicit MessagePort(std::function<void(const Message&)> wndProc);  // also gets broadcasts
  ~MessagePort();
  MessagePort(const MessagePort&) = delete;
  MessagePort& operator=(const MessagePort&) = delete;
  void Post(const Message& m) const;  // any thread; handled on the application's thread

  struct Impl;

 private:
  std::shared_ptr<Impl> impl_;
};

namespace Application {
void SetTitle(std::string_view title);
std::string Title();
Form& CreateForm(const Form::Desc& desc);  // the first one created is the main form
void DestroyForm(Form& form);
Form* MainForm();
void SetIdle(std::function<void(bool& done)> handler);
void ProcessMessages();  // one pass over pending messages
int Run();               // until the main form closes; returns the exit status
// Runs the loop for at most `idleCalls` idle calls (the headless driver's
// frames); false once the main form has closed.
bool RunFor(int idleCalls);
bool AskYesNo(std::string_view text);    // true = Yes; any other answer = No
void ShowMessage(std::string_view text);  // OK box; also the exception display
// Ends the application: destroys the forms and resets the loop state, so
// tests can start a fresh one.
void Shutdown();
}  // namespace Application

int ShowCursor(bool show);  // display counter, like the Win32 call

}  // namespace plat
