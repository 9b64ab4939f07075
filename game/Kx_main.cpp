// Kx_main.cpp — the main window's life: construction, start-up, closing, and
// the program's entry points shared by the real game and the headless driver.
#include "game/Kx_main.h"

#include <cmath>
#include <exception>
#include <memory>
#include <optional>

#include "game/Sp.h"
#include "game/assets.h"
#include "midi/Vxmidi.h"
#include "sound/Vxsound.h"
#include "plat/timer.h"

namespace kx {

TForm1::TForm1(plat::Form& window, GameOptions options)
    : owner(window), window_(window), options_(std::move(options)) {
  BMD = new VexmoraMidiSystem::TVexmoraMidi(&owner);
  SOU = new VexmoraSoundSystem::TVexmoraSound(&owner);
  window_.ShowImage(&I2.picture, I2.position);
  window_.OnKey = [this](std::uint16_t vk, bool down) {
    if (down)
      FormKeyDown(vk);
    else
      FormKeyUp(vk);
  };
  window_.OnClose = [this] { FormClose(); };
}

void TForm1::ComputeDirectionTables() {
  // 6.28318 rather than 2 pi, truncated toward zero: -15, not -16, at the
  // half and three-quarter turns.
  for (int i = 0; i < 16; ++i) {
    cosTable16[i] = static_cast<i32>(16.0 * std::cos(i * 6.28318 * 0.0625));
    sinTable16[i] = static_cast<i32>(16.0 * std::sin(i * 6.28318 * 0.0625));
  }
}

void TForm1::DrawStarField() {
  auto& c = I0.Canvas;
  c.Brush.color = plat::clBlack;
  c.Brush.style = plat::BrushStyle::Solid;
  c.FillRect({0, 0, 800, 300});
  // Each star is set in both halves so the strip wraps without a seam.
  static constexpr plat::TColor kStarColours[3] = {plat::clTeal, plat::clGray, plat::clLime};
  for (int i = 0; i < 65; ++i) {
    for (plat::TColor colour : kStarColours) {
      const int x = plat::random(400);
      const int y = plat::random(300);
      c.SetPixel(x, y, colour);
      c.SetPixel(x + 400, y, colour);
    }
  }
}

void TForm1::FormCreate() {
  // The splash stays up until every asset is loaded.
  std::optional<TForm2> splash(std::in_place);
  splash->Show();
  plat::Application::ProcessMessages();

  LoadScoreFile();
  ComputeDirectionTables();
  SetUpJoystick();
  StartAudio();
  plat::SeedRandom(options_.seedGiven ? options_.seed
                                      : static_cast<std::uint32_t>(plat::TimeSeconds()));
  DrawStarField();

  // The back buffer's drawing state persists for the whole run.
  auto& c = I1.Canvas;
  c.Brush.color = plat::clWhite;
  c.Brush.style = plat::BrushStyle::Clear;
  c.font.size = 9;
  c.font.color = plat::clYellow;
  c.Pen.color = plat::clYellow;
  c.Pen.width = 1;
  c.Pen.mode = plat::PenMode::Merge;

  g.backScrollX = g.starScrollX = g.recoverShown = g.score = g.stage = 0;
  g.demoScript = g.musicRequest = g.titleMusicPending = 0;
  attractToggle = 1;
  modeTimer = 0;

  LoadAssets(*this, options_.dataDir);
  CreateEffects();
  gameMode = kTitle;
  g.musicRequest = 1;  // the first frame starts the title song
  CreateSongs();

  splash.reset();
  window_.SetCursor(plat::Cursor::None);
  FullScreenQuestion();

  // The first frame starts at once; the rest follow 37 ms apart.
  lastFrameTime_ = plat::timeGetTime() - 37;
  plat::Application::SetIdle([this](bool& done) { IdleEvent(done); });
}

void TForm1::FullScreenQuestion() {
  // Either answer switches to a full-screen 16-bit mode: Yes shows the
  // playfield alone, No the whole window with the playfield in its middle.
  // A display that cannot switch leaves the window as it is.
  const bool yes = plat::Application::AskYesNo("400*300(FullScreen)モードで起動しますか？");
  if (yes) {
    I2.position = {0, 0};
    window_.ShowImage(&I2.picture, I2.position);
  }
  plat::DirectDrawCreate(directDraw_);
  if (!directDraw_) return;
  directDraw_->SetCooperativeLevel(&window_, plat::DDSCL_EXCLUSIVE | plat::DDSCL_FULLSCREEN);
  directDraw_->SetDisplayMode(yes ? 400 : 640, yes ? 300 : 480, 16);
}

void TForm1::FormClose() {
  SaveScoreFile();
  directDraw_.reset();  // gives the desktop its display mode back
}

void RegisterFormResources();  // generated from the form pictures

namespace {

struct Running {
  std::unique_ptr<TForm1> game;
};
Running& Current() {
  static Running r;
  return r;
}

}  // namespace

TForm1* StartGame(const GameOptions& options) {
  plat::Application::SetTitle("Korvanix");
  plat::Form::Desc desc;
  desc.caption = "Korvanix";
  desc.clientWidth = 640;
  desc.clientHeight = 480;
  desc.color = plat::clBlack;
  plat::Form& window = plat::Application::CreateForm(desc);
  RegisterFormResources();
  auto& slot = Current().game;
  slot = std::make_unique<TForm1>(window, options);
  try {
    slot->FormCreate();
  } catch (const std::exception& e) {
    // Start-up stops here: the message is shown, no frame ever runs, and the
    // window stays until Escape closes it.
    plat::Application::ShowMessage(e.what());
    return nullptr;
  }
  return slot.get();
}

void ShutdownGame() {
  Current().game.reset();
  plat::Application::Shutdown();
}

int RunGame(const GameOptions& options) {
  int status = 0;
  try {
    StartGame(options);
    status = plat::Application::Run();
  } catch (const std::exception& e) {
    plat::Application::ShowMessage(e.what());
    status = 1;
  }
  ShutdownGame();
  return status;
}

}  // namespace kx
