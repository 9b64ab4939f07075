// app.cpp — the application object: forms, the message queue and the loop.
//
// Messages (key events, posted messages, system broadcasts, close requests)
// wait in one queue and are delivered only between idle calls, in arrival
// order. Posted messages come from any thread; everything else happens on the
// application's thread. A message posted to a port that has since been
// destroyed is dropped.
#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>
#include <variant>
#include <vector>

#include "plat/app.h"
#include "plat/canvas.h"
#include "plat/detail/backend.h"

namespace plat {

struct MessagePort::Impl {
  std::function<void(const Message&)> wndProc;
};

namespace {

struct Posted {
  std::weak_ptr<MessagePort::Impl> port;
  Message message;
};
using QueueItem = std::variant<detail::InputEvent, Posted>;

struct AppState {
  std::string title;
  std::vector<std::unique_ptr<Form>> forms;
  Form* mainForm = nullptr;
  std::function<void(bool&)> idle;
  bool quit = false;
  int cursorCount = 0;
  std::unique_ptr<detail::Backend> backend;

  std::mutex queueMutex;  // guards queue and ports: Post may come from any thread
  std::deque<QueueItem> queue;
  std::vector<std::weak_ptr<MessagePort::Impl>> ports;
};

AppState& State() {
  static AppState state;
  return state;
}

void Broadcast(const Message& m) {
  std::vector<std::shared_ptr<MessagePort::Impl>> live;
  {
    std::lock_guard lock(State().queueMutex);
    for (auto& w : State().ports)
      if (auto p = w.lock()) live.push_back(std::move(p));
  }
  for (auto& p : live) p->wndProc(m);
}

void Deliver(const QueueItem& item) {
  AppState& s = State();
  if (const auto* posted = std::get_if<Posted>(&item)) {
    if (auto port = posted->port.lock()) port->wndProc(posted->message);
    return;
  }
  const auto& e = std::get<detail::InputEvent>(item);
  switch (e.kind) {
    case detail::InputEvent::Kind::Key:
      if (s.mainForm && s.mainForm->OnKey) s.mainForm->OnKey(e.vk, e.down);
      break;
    case detail::InputEvent::Kind::Quit:
      if (s.mainForm) s.mainForm->Close();
      break;
    case detail::InputEvent::Kind::Activate:
      Broadcast({WM_ACTIVATEAPP, e.down ? 1u : 0u, 0});
      break;
    case detail::InputEvent::Kind::DisplayChange:
      Broadcast({WM_DISPLAYCHANGE, static_cast<std::uintptr_t>(e.value), 0});
      break;
  }
}

// Delivers what is queued now; messages queued by the handlers themselves
// wait for the next pass, so a handler cannot starve the idle call.
void DeliverPending() {
  AppState& s = State();
  std::deque<QueueItem> batch;
  {
    std::lock_guard lock(s.queueMutex);
    batch.swap(s.queue);
  }
  for (const auto& item : batch) {
    if (s.quit) break;
    Deliver(item);
  }
}

}  // namespace

namespace detail {

void InstallBackend(std::unique_ptr<Backend> backend) {
  AppState& s = State();
  if (s.backend && s.mainForm) s.backend->CloseWindow();
  s.backend = std::move(backend);
  if (s.backend && s.mainForm) s.backend->OpenWindow(*s.mainForm);
}

Backend* ActiveBackend() { return State().backend.get(); }

void PushInput(const InputEvent& e) {
  std::lock_guard lock(State().queueMutex);
  State().queue.emplace_back(e);
}

}  // namespace detail

void Form::Close() {
  if (closed_) return;
  if (OnClose) OnClose();
  closed_ = true;
  if (State().mainForm == this) State().quit = true;
}

void Form::SetCursor(Cursor c) {
  cursor_ = c;
  if (State().mainForm == this && State().backend)
    State().backend->SetCursorVisible(c != Cursor::None);
}

namespace {

void Blit(Bitmap& out, const Bitmap& src, Point at) {
  const Rect dst{std::max(0, at.x), std::max(0, at.y), std::min(out.Width(), at.x + src.Width()),
                 std::min(out.Height(), at.y + src.Height())};
  for (int y = dst.top; y < dst.bottom; ++y) {
    const RgbColor* row = src.Row(y - at.y) + (dst.left - at.x);
    std::copy(row, row + dst.Width(), out.Row(y) + dst.left);
  }
}

}  // namespace

void Form::Compose(Bitmap& out) const {
  if (out.Width() != desc_.clientWidth || out.Height() != desc_.clientHeight)
    out.SetSize(desc_.clientWidth, desc_.clientHeight);
  std::ranges::fill(out.Pixels(), BgrToRgb(desc_.color));
  if (image_) Blit(out, *image_, imageAt_);
  if (State().mainForm != this) return;
  for (const auto& f : State().forms) {
    if (f.get() == this || !f->Visible()) continue;
    Bitmap layer;
    f->Compose(layer);
    Blit(out, layer, {(out.Width() - layer.Width()) / 2, (out.Height() - layer.Height()) / 2});
  }
}

MessagePort::MessagePort(std::function<void(const Message&)> wndProc)
    : impl_(std::make_shared<Impl>(Impl{std::move(wndProc)})) {
  std::lock_guard lock(State().queueMutex);
  auto& ports = State().ports;
  std::erase_if(ports, [](const auto& w) { return w.expired(); });
  ports.push_back(impl_);
}

MessagePort::~MessagePort() = default;

void MessagePort::Post(const Message& m) const {
  std::lock_guard lock(State().queueMutex);
  State().queue.emplace_back(Posted{impl_, m});
}

namespace Application {

void SetTitle(std::string_view title) { State().title = title; }
std::string Title() { return State().title; }

Form& CreateForm(const Form::Desc& desc) {
  AppState& s = State();
  auto& form = *s.forms.emplace_back(std::make_unique<Form>(desc));
  if (!s.mainForm) {
    s.mainForm = &form;
    s.quit = false;
    if (s.backend) s.backend->OpenWindow(form);
  }
  return form;
}

void DestroyForm(Form& form) {
  AppState& s = State();
  if (s.mainForm == &form) {
    if (s.backend) s.backend->CloseWindow();
    s.mainForm = nullptr;
  }
  std::erase_if(s.forms, [&](const auto& f) { return f.get() == &form; });
}

Form* MainForm() { return State().mainForm; }

void SetIdle(std::function<void(bool& done)> handler) { State().idle = std::move(handler); }

void ProcessMessages() {
  AppState& s = State();
  if (s.backend) s.backend->PumpEvents(0);
  DeliverPending();
  if (s.backend && s.mainForm && !s.quit) s.backend->Present(*s.mainForm);
}

bool RunFor(int idleCalls) {
  AppState& s = State();
  for (int i = 0; i < idleCalls; ++i) {
    if (s.quit || !s.mainForm) return false;
    if (s.backend) s.backend->PumpEvents(0);
    DeliverPending();
    if (s.quit) return false;
    bool done = true;
    if (s.idle) {
      s.idle(done);
      if (s.backend && s.mainForm) s.backend->Present(*s.mainForm);
    }
    // Nothing asks to run again: wait for the next message instead of spinning.
    if (done && s.backend) s.backend->PumpEvents(50);
  }
  return !s.quit && s.mainForm != nullptr;
}

int Run() {
  while (RunFor(1)) {
  }
  return 0;
}

bool AskYesNo(std::string_view text) {
  auto* b = State().backend.get();
  return b ? b->AskYesNo(text) : false;
}

void ShowMessage(std::string_view text) {
  if (auto* b = State().backend.get()) b->ShowMessage(text);
}

void Shutdown() {
  AppState& s = State();
  if (s.backend && s.mainForm) s.backend->CloseWindow();
  s.idle = nullptr;
  s.mainForm = nullptr;
  s.forms.clear();
  s.quit = false;
  s.cursorCount = 0;
  std::lock_guard lock(s.queueMutex);
  s.queue.clear();
}

}  // namespace Application

int ShowCursor(bool show) {
  AppState& s = State();
  s.cursorCount += show ? 1 : -1;
  if (s.backend) s.backend->SetCursorVisible(s.cursorCount >= 0);
  return s.cursorCount;
}

}  // namespace plat
