// modes.cpp — the top-level mode machine: one step per frame for the mode in
// gameMode.
//
// Screens that follow a button press wait until every button is released
// (releaseLatch). Where a step has a timeout and a press, the order of the two
// tests decides which wins in the same frame, so it is kept exactly.
#include "game/Kx_main.h"

namespace kx {

void TForm1::RunModeStep() {
  switch (gameMode) {
    case kPlay: PlayFrame(); break;
    case kTitle: TitleStep(); break;
    case kGameOver: GameOverStep(); break;
    case kNewGame:
      StartNewGame();
      ResetWorld();
      gameMode = kPlay;
      break;
    case kDemo: DemoStep(); break;
    case kStageChange: StageChangeStep(); break;
    case kEnding: EndingStep(); break;
    case kHowToPlay: HowToPlayStep(); break;
    case kContinue: ContinueStep(); break;
    default: break;         // a mode without a step does nothing
  }
}

void TForm1::PlaceShipHistory(i32 x, i32 y) {
  for (auto& s : world.shipTrail) {
    s.x = x;
    s.y = y;
  }
  PodsOnShipHistory(world);
}

void TForm1::TitleStep() {
  DrawTitle();
  ButtonPoll();
  if (ButtonPressAccepted()) gameMode = kNewGame;
  // The timeout is tested after the press: a press in the 101st frame is
  // overridden by the timeout's mode.
  modeTimer += 1;
  if (modeTimer <= 100) return;
  modeTimer = 0;
  if (attractToggle == 0) {
    gameMode = kDemo;
    g.score = 0;
    rankingInserted = 0;
    ResetWorld();
    PlaceShipHistory(-100, 150);
    g.demoBobUp = 0;
    attractToggle = 1;
  } else {
    gameMode = kHowToPlay;
    ResetWorld();
    PlaceShipHistory(100, 150);
    g.score = 0;
    invincible = 0;
    g.condition = 0;
    g.weaponType = 0;
    for (auto& lit : g.legendLit) lit = 0;
    attractToggle = 0;
  }
}

void TForm1::EnterDemoFromGameOver(i32 shipX) {
  gameMode = kDemo;
  g.titleMusicPending = 1;
  g.releaseLatch = 1;
  rankingInserted = 0;
  modeTimer = 0;
  ResetWorld();
  PlaceShipHistory(shipX, 150);
  g.demoBobUp = 0;
  attractToggle = 0;
}

void TForm1::GameOverStep() {
  DrawGameOver();
  modeTimer += 1;
  if (modeTimer > 100) EnterDemoFromGameOver(-100);
  ButtonPoll();
  if (ButtonPressAccepted()) EnterDemoFromGameOver(-150);
}

void TForm1::DemoStep() {
  AttractDemoStep();  // the bobbing ship, scripted enemies and their shots
  ButtonPoll();
  const bool pressed = ButtonPressAccepted();
  modeTimer += 1;
  if (pressed || modeTimer > 300) {
    gameMode = kTitle;
    if (g.titleMusicPending > 0) {
      g.musicRequest = 1;
      g.titleMusicPending = 0;
    }
    for (auto& p : world.particles) p.active = 0;
    g.demoScript = g.demoScript >= 2 ? 0 : g.demoScript + 1;
    modeTimer = 0;
    if (pressed) g.releaseLatch = 1;
  }
  DrawRanking();
}

// Black over what the stars, background and HUD drew this frame.
void TForm1::FillBackBufferBlack() {
  auto& c = I1.Canvas;
  c.Brush.color = plat::clBlack;
  c.Brush.style = plat::BrushStyle::Solid;
  c.FillRect({0, 0, 400, 300});
}

void TForm1::StageChangeStep() {
  modeTimer += 1;
  if (modeTimer < 21) {
    FillBackBufferBlack();
    return;
  }
  if (g.stage < 3) {
    gameMode = kPlay;
    ResetWorld();
    return;
  }
  gameMode = kEnding;
  for (auto& s : world.shipTrail) {
    s.x = -80;
    s.y = 150;
    s.bank = 0;
  }
  g.moveDir = 0;
  for (auto& p : world.podTrail) {
    for (int k = 0; k < 2; ++k) {
      p.x[k] = world.shipTrail[0].x;
      p.y[k] = world.shipTrail[0].y;
      p.frame[k] = 0;
    }
  }
  g.stage = 2;  // the third background stays behind the ending
  g.endingTextY = 350;
  // modeTimer carries on, so the ending starts at once.
}

void TForm1::EndingStep() {
  modeTimer += 1;
  if (modeTimer < 21)
    FillBackBufferBlack();
  else
    EndingScene();  // returns to the Demo once its text has scrolled out
}

void TForm1::HowToPlayStep() {
  ButtonPoll();
  if (ButtonPressAccepted()) {
    gameMode = kTitle;
    g.releaseLatch = 1;
  }
  ControlsDemoStep();  // its script's end also returns to the Title
}

}  // namespace kx
