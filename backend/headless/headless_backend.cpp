// headless_backend.cpp — the headless backend: no window, a framebuffer
// composed on demand, scripted keys, joystick and message-box answers, and
// the virtual-time scheduler as the clock. The audio device renders on a
// virtual-time device tick into a capture (audio_capture.h); the MIDI device
// logs each message with the virtual time it was sent at and, if asked, also
// plays it into the capture (midi_render.h).
//
// Keys queued with Control::Key reach the application before its next idle
// call. Message boxes are answered from the scripted list (then No) and their
// texts are recorded for tests.
#include <algorithm>
#include <array>
#include <deque>
#include <memory>

#include "plat/app.h"
#include "plat/detail/backend.h"
#include "plat/detail/scheduler.h"
#include "audio_capture.h"
#include "midi_render.h"
#include "plat/headless.h"
#include "plat/timer.h"
#include "virtual_scheduler.h"

namespace plat::headless {
namespace {

class HeadlessBackend final : public detail::Backend {
 public:
  HeadlessBackend(const Config& c, VirtualScheduler& clock)
      : config_(c), audio_(clock, c.audioPeriodMs, c.keepAudio) {
    if (c.midiSynth)
      audio_.SetOverlay([this](std::int16_t* out, int frames, int rate, std::int64_t startNs) {
        midiRender_.Mix(out, frames, rate, startNs);
      });
  }

  std::string_view Name() const override { return "headless"; }
  void OpenWindow(const Form& form) override { form_ = &form; }
  void CloseWindow() override { form_ = nullptr; }
  void Present(const Form& form) override {
    form_ = &form;
    ++presents_;
    screenStale_ = true;
  }
  void PumpEvents(std::uint32_t /*waitMs*/) override {
    // Nothing arrives from outside while we wait, so waiting is pointless:
    // scripted keys are all handed over now.
    while (!keys_.empty()) {
      detail::PushInput(keys_.front());
      keys_.pop_front();
    }
  }
  bool AskYesNo(std::string_view text) override {
    texts_.emplace_back(text);
    if (answers_.empty()) return false;
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
  }
  void ShowMessage(std::string_view text) override { texts_.emplace_back(text); }
  void SetCursorVisible(bool) override {}
  bool SetDisplayMode(int w, int h, int bpp) override {
    displayMode_ = {w, h, bpp};
    return true;
  }
  void RestoreDisplayMode() override { displayMode_.reset(); }
  int DesktopBits() const override { return config_.desktopBits; }
  bool Use555() const override { return config_.rgb555; }
  std::uint32_t PitchPadding() const override { return config_.pitchPadding; }
  bool HalAvailable() const override { return config_.halAvailable; }
  void ShowPrimary(const Bitmap* frame) override {
    primary_ = frame ? std::optional<Bitmap>(*frame) : std::nullopt;
    ++presents_;
    screenStale_ = true;
  }
  MMRESULT JoyCaps(JOYCAPS& caps) override {
    if (!config_.joystick) return JOYERR_UNPLUGGED;
    caps = *config_.joystick;
    return MMSYSERR_NOERROR;
  }
  MMRESULT JoyPos(JOYINFO& info) override {
    if (!joystick_) return JOYERR_UNPLUGGED;
    info = *joystick_;
    return MMSYSERR_NOERROR;
  }
  int OpenAudio(int rate, AudioRender render) override {
    return config_.audioDevice ? audio_.Open(rate, std::move(render)) : 0;
  }
  void CloseAudio() override { audio_.Close(); }
  bool OpenMidi() override {
    if (config_.midiDevice && config_.midiSynth) midiRender_.Open();
    return config_.midiDevice;
  }
  void MidiMessage(std::span<const std::uint8_t> bytes) override {
    midiLog_.push_back({timeGetTime(), {bytes.begin(), bytes.end()}});
    midiRender_.Send(bytes, detail::ActiveScheduler().NowMs());
  }
  std::int64_t UnixSeconds() override {
    return config_.unixSeconds +
           static_cast<std::int64_t>(detail::ActiveScheduler().NowMs() / 1000);
  }

  const Bitmap& Screen() {
    if (screenStale_ && form_) {
      form_->Compose(screen_);
      if (primary_) {  // over the client area from its top-left corner
        const int w = std::min(primary_->Width(), screen_.Width());
        for (int y = 0; y < std::min(primary_->Height(), screen_.Height()); ++y)
          std::copy_n(primary_->Row(y), w, screen_.Row(y));
      }
    }
    screenStale_ = false;
    return screen_;
  }

  Config config_;
  const Form* form_ = nullptr;
  int presents_ = 0;
  bool screenStale_ = true;
  Bitmap screen_;
  std::deque<detail::InputEvent> keys_;
  std::optional<JOYINFO> joystick_;
  std::deque<bool> answers_;
  std::vector<std::string> texts_;
  std::optional<std::array<int, 3>> displayMode_;
  std::optional<Bitmap> primary_;
  MidiRender midiRender_;  // before audio_: the capture's last render uses it
  AudioCapture audio_;
  std::vector<Control::MidiEvent> midiLog_;
};

HeadlessBackend* g_backend = nullptr;
VirtualScheduler* g_scheduler = nullptr;
Control g_control;

HeadlessBackend& B() { return *g_backend; }

}  // namespace

void Control::Key(std::uint16_t vk, bool down) {
  B().keys_.push_back({detail::InputEvent::Kind::Key, vk, down, 0});
}
void Control::SetJoystick(std::optional<JOYINFO> info) { B().joystick_ = info; }
void Control::AnswerMessageBoxes(std::vector<bool> yes) {
  B().answers_.assign(yes.begin(), yes.end());
}
const std::vector<std::string>& Control::MessageBoxTexts() const { return B().texts_; }
bool Control::StepFrames(int n) { return Application::RunFor(n); }
void Control::Advance(std::uint32_t ms) { g_scheduler->Advance(ms); }
const Bitmap& Control::Screen() const { return B().Screen(); }
int Control::Presents() const { return B().presents_; }
std::optional<std::array<int, 3>> Control::DisplayMode() const { return B().displayMode_; }
std::span<const std::int16_t> Control::AudioCapture() const { return B().audio_.Samples(); }
int Control::AudioRate() const { return B().audio_.Rate(); }
const std::vector<Control::MidiEvent>& Control::MidiLog() const { return B().midiLog_; }
void Control::LoseSurfaces(bool includeSystemMemory) { detail::LoseSurfaces(includeSystemMemory); }
void Control::BroadcastDisplayChange(int bpp) {
  B().keys_.push_back({detail::InputEvent::Kind::DisplayChange, 0, false, bpp});
}

Control& Start(const Config& config) {
  Stop();
  auto scheduler = std::make_unique<VirtualScheduler>(config.startMs);
  g_scheduler = scheduler.get();
  detail::InstallScheduler(std::move(scheduler));
  auto backend = std::make_unique<HeadlessBackend>(config, *g_scheduler);
  g_backend = backend.get();
  if (config.joystick) g_backend->joystick_ = JOYINFO{};
  detail::InstallBackend(std::move(backend));
  return g_control;
}

void Stop() {
  if (!g_backend) return;
  Application::Shutdown();
  detail::InstallBackend(nullptr);
  detail::InstallScheduler(nullptr);
  g_backend = nullptr;
  g_scheduler = nullptr;
}

}  // namespace plat::headless
