// replay.cpp — a recorded game played in the real SDL window, in real time.
//
// Usage: kx_window_replay <input file> <data folder> <frames> [final mode]
// Starts the sdl backend and the game with the no-damage flag, feeds the
// input file's key events before their frames (the headless driver's input
// format) and runs that many frames at the game's own pace (37 ms each).
// Prints every mode change; with a final mode name (Play, Ending, Demo, ...)
// the exit status is 0 only when the run reached that mode. The ranking is
// kept in a scratch file, never the player's.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "game/Kx_main.h"
#include "input_script.h"
#include "plat/app.h"
#include "plat/sdl.h"

namespace {

int Fail(const std::string& why) {
  std::fprintf(stderr, "window replay: %s\n", why.c_str());
  return 1;
}

int Run(const std::string& input, const std::string& dataDir, int frames,
        const std::string& expected) {
  const std::vector<kxh::InputEvent> events = kxh::LoadInputScript(input);
  plat::sdl::AutoAnswerMessageBoxes(false);
  kx::GameOptions options;
  options.dataDir = dataDir;
  options.invincibleEveryGame = true;
  options.seedGiven = true;
  options.seed = 1;
  options.scoreFile = "/tmp/kx_window_replay-" + std::to_string(getpid()) + ".K_score.dat";
  kx::TForm1* game = kx::StartGame(options);
  if (!game) return Fail("the game's start-up failed (its message is above)");
  std::size_t next = 0;
  bool reached = expected.empty();
  std::uint32_t mode = game->gameMode;
  for (int frame = 1; frame <= frames; ++frame) {
    for (; next < events.size() && events[next].frame == frame; ++next)
      if (events[next].kind != kxh::InputEvent::Kind::Joy)
        plat::sdl::InjectKey(events[next].vk, events[next].kind == kxh::InputEvent::Kind::KeyDown);
    if (!plat::Application::RunFor(1))
      return Fail("the window closed at frame " + std::to_string(frame));
    if (game->gameMode != mode) {
      mode = game->gameMode;
      std::printf("frame %6d: %s\n", game->FrameCount(), kx::GameModeName(mode));
      std::fflush(stdout);
      reached = reached || expected == kx::GameModeName(mode);
    }
  }
  std::remove(options.scoreFile.c_str());
  return reached ? 0 : Fail("never reached " + expected);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4)
    return Fail("usage: kx_window_replay <input file> <data folder> <frames> [final mode]");
  if (const std::string err = plat::sdl::Start(); !err.empty()) return Fail("SDL: " + err);
  int status = 1;
  try {
    status = Run(argv[1], argv[2], std::atoi(argv[3]), argc > 4 ? argv[4] : "");
  } catch (const std::exception& e) {
    status = Fail(e.what());
  }
  kx::ShutdownGame();
  plat::sdl::Stop();
  return status;
}
