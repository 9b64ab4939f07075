// Kx_main.cpp — the main window's life: construction, start-up, closing, and
// the program's entry points shared by the real game and the headless driver.
#include "game/Kx_main.h"

#include <cmath>
#include <exception>
#include <memory>

#include "game/assets.h"
#include "plat/timer.h"

namespace kx {

TForm1::TForm1(plat::Form& window, GameOptions options)
    : window_(window), options_(std::move(options)) {
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
  ComputeDirectionTables();
  SetUpJoystick();
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
  gameMode = kTitle;
  g.musicRequest = 1;

  window_.SetCursor(plat::Cursor::None);
  // The first frame starts at once; the rest follow 37 ms apart.
  lastFrameTime_ = plat::timeGetTime() - 37;
  plat::Application::SetIdle([this](bool& done) { IdleEvent(done); });
}

void TForm1::FormClose() {
  // The ranking file is written here once the ranking lands.
}

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
