// driver.cpp — the headless run from start-up to the closing of the window.
#include "driver.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "game/Kx_main.h"
#include "input_script.h"
#include "plat/canvas.h"
#include "plat/headless.h"
#include "state_json.h"

namespace kxh {
namespace {

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) throw std::runtime_error(path + ": cannot write the file");
}

void Shot(const kx::TForm1& game, const Options& o, int frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06d.png", frame);
  const std::string path = (std::filesystem::path(o.shotDir) / name).string();
  if (const std::string why = plat::SavePng(game.I2.picture, path); !why.empty())
    throw std::runtime_error(why);
}

int Run(const Options& o) {
  const std::vector<InputEvent> events =
      o.inputFile.empty() ? std::vector<InputEvent>{} : LoadInputScript(o.inputFile);
  if (!o.shotDir.empty()) std::filesystem::create_directories(o.shotDir);

  plat::headless::Config config;
  config.midiSynth = !o.audioOut.empty();  // the music belongs in the recording
  config.keepAudio = !o.audioOut.empty();  // else a long run would hold all its sound
  for (const auto& e : events)
    if (e.kind == InputEvent::Kind::Joy) config.joystick = plat::JOYCAPS{};
  plat::headless::Control& control = plat::headless::Start(config);
  control.AnswerMessageBoxes({o.answerYes});

  kx::GameOptions options;
  options.dataDir = o.dataDir.empty() ? KX_DEFAULT_DATA_DIR : o.dataDir;
  options.invincibleEveryGame = o.invincible;
  options.scoreFile = o.scoreFile;
  options.seedGiven = true;
  options.seed = o.seed;
  kx::TForm1* game = kx::StartGame(options);
  if (!game) {
    std::string why = "start-up failed";
    if (!control.MessageBoxTexts().empty()) why = control.MessageBoxTexts().back();
    kx::ShutdownGame();
    plat::headless::Stop();
    throw std::runtime_error(why);
  }

  std::size_t next = 0;
  int frame = 0;
  bool open = true;
  while (open && frame < o.frames) {
    ++frame;
    for (; next < events.size() && events[next].frame == frame; ++next) {
      const InputEvent& e = events[next];
      if (e.kind == InputEvent::Kind::Joy)
        control.SetJoystick(plat::JOYINFO{e.x, e.y, 0, e.buttons});
      else
        control.Key(e.vk, e.kind == InputEvent::Kind::KeyDown);
    }
    open = control.StepFrames(1);
    if (open && o.shotEvery > 0 && frame % o.shotEvery == 0) Shot(*game, o, frame);
  }
  if (o.shotEvery > 0 && game->FrameCount() % o.shotEvery != 0 && game->FrameCount() > 0)
    Shot(*game, o, game->FrameCount());
  if (!o.stateOut.empty()) WriteFile(o.stateOut, StateJson(*game));
  if (!o.audioOut.empty() &&
      !plat::headless::WriteWav(o.audioOut, control.AudioCapture(), control.AudioRate()))
    throw std::runtime_error(o.audioOut + ": cannot write the audio file");

  if (auto* window = plat::Application::MainForm(); window && !window->Closed()) window->Close();
  kx::ShutdownGame();
  plat::headless::Stop();
  return 0;
}

}  // namespace

int RunDriver(const Options& o) {
  try {
    return Run(o);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "korvanix-headless: %s\n", e.what());
    return 1;
  }
}

}  // namespace kxh
