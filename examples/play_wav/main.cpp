// play_wav — plays a WAV file through TVexmoraSound on the real audio device,
// first as a static sound (all samples in memory), then streamed (read from
// the file while it plays), and writes a debug log with the trace lines and
// the profiling report.
//
//   play_wav FILE.wav [LOG]      LOG defaults to play_wav.log (Shift-JIS)
//
// A small window owns the component, as a form would: DirectSound's
// cooperative level needs a window. Escape or closing it ends early. Exit
// status 0, or 1 with the engine's message on stderr.
#include <cstdio>
#include <string>

#include "core/Vxdebug.h"
#include "plat/app.h"
#include "plat/component.h"
#include "plat/exception.h"
#include "plat/sdl.h"
#include "plat/timer.h"
#include "sound/Vxsound.h"

namespace {

using VexmoraSoundSystem::TVexmoraSound;

// Plays "static", then "stream", one after the other; false once both ended.
class Player {
 public:
  explicit Player(TVexmoraSound& sound) : sound_(sound) {}
  bool Step() {
    if (current_ && sound_.IsPlaying(current_)) return true;
    if (!current_) {
      current_ = "static";
    } else if (std::string(current_) == "static") {
      current_ = "stream";
    } else {
      return false;
    }
    std::printf("playing %s\n", current_);
    sound_.Play(current_, false);
    return true;
  }

 private:
  TVexmoraSound& sound_;
  const char* current_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: play_wav FILE.wav [LOG]\n");
    return 2;
  }
  const std::string file = argv[1];
  const std::string log = argc == 3 ? argv[2] : "play_wav.log";
  if (const std::string why = plat::sdl::Start(); !why.empty()) {
    std::fprintf(stderr, "play_wav: cannot open the display: %s\n", why.c_str());
    return 1;
  }
  if (!VexmoraDebugSystem::TVexmoraDebug::SetDebug(log.c_str(), true, true))
    std::fprintf(stderr, "play_wav: cannot write %s; going on without a log\n", log.c_str());

  plat::Application::SetTitle("play_wav");
  plat::Form& form = plat::Application::CreateForm({"play_wav", 200, 40});
  form.OnKey = [&form](std::uint16_t vk, bool down) {
    if (down && vk == plat::VK_ESCAPE) form.Close();
  };
  int status = 0;
  {
    plat::TWinControl owner(form);
    auto* sound = new TVexmoraSound(&owner);  // owned by the form
    Player player(*sound);
    try {
      sound->Init();
      sound->CreateBuffer("static", file, false);
      sound->CreateBuffer("stream", file, true);
      plat::Application::SetIdle([&](bool& done) {
        done = false;
        plat::Sleep(10);
        try {
          if (!player.Step()) form.Close();
        } catch (const plat::Exception& e) {
          std::fprintf(stderr, "%s\n", e.Message().c_str());
          status = 1;
          form.Close();
        }
      });
      plat::Application::Run();
    } catch (const plat::Exception& e) {
      std::fprintf(stderr, "%s\n", e.Message().c_str());
      status = 1;
    }
  }  // the component stops and releases its buffers here
  VexmoraDebugSystem::TVexmoraDebug::SetDebug(nullptr, false, false);  // the report
  plat::Application::Shutdown();
  plat::sdl::Stop();
  return status;
}
