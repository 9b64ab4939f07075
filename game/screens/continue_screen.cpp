// continue_screen.cpp — the question after the ship is destroyed: continue
// (Y) or give up (N).
//
// A button answers with the choice shown; Left and Right change the choice
// only after the button test, so a button and Right in the same frame still
// continue. Continuing does not reset the world: play resumes where the ship
// exploded, with the score cleared and a short protection.
#include "game/Kx_main.h"

namespace kx {

void TForm1::ContinueStep() {
  DrawContinueQuestion();
  ContinuePoll();
  if (ButtonPressAccepted()) {
    if (g.continueChoice == 0) {
      ContinueGame();
    } else {
      gameMode = kGameOver;
      g.musicRequest = 9;  // the game-over song, once
      g.releaseLatch = 1;
      modeTimer = 0;  // GameOver always gets its full time unless a button ends it
    }
  }
  if (g.keyLeft != 0 || g.joyLeft != 0) g.continueChoice = 0;
  if (g.keyRight != 0 || g.joyRight != 0) g.continueChoice = 1;
}

void TForm1::ContinueGame() {
  gameMode = kPlay;
  g.condition = 1;          // Yellow
  g.recoverPoints = 9999;   // the next recovery comes almost at once
  g.score = 0;
  g.clearGrade = 0;         // no clear bonus for this stage
  g.releaseLatch = 1;
  g.hitState = 2;
  g.hitTimer = 36;          // protection while the player finds the ship
  g.continued = 1;
}

void TForm1::DrawContinueQuestion() {
  auto& c = I1.Canvas;
  CONT.Draw(c, 135, 120, 0);
  c.Brush.style = plat::BrushStyle::Clear;
  c.font.size = 11;
  // The chosen answer is bright and one pixel up and left of its shadow.
  constexpr plat::TColor kDim = 0xAA0000, kBright = 0xFFCC88;
  c.font.color = kDim;
  c.TextOut(160, 153, "[ Y ]");
  if (g.continueChoice == 0) {
    c.TextOut(213, 153, "[ N ]");
    c.font.color = kBright;
    c.TextOut(159, 152, "[ Y ]");
  } else {
    c.font.color = kBright;
    c.TextOut(212, 152, "[ N ]");
  }
}

// The button poll plus the stick's x axis, which picks the answer.
void TForm1::ContinuePoll() {
  g.joyLeft = g.joyRight = 0;
  g.joyButton1 = g.joyButtons = g.joySwitch = 0;
  if (plat::joyGetPos(0, joyInfo_) != plat::MMSYSERR_NOERROR) return;
  if (joyInfo_.wXpos < joyXLow) g.joyLeft = 1;
  if (joyInfo_.wXpos > joyXHigh) g.joyRight = 1;
  switch (joyInfo_.wButtons) {
    case 1: g.joyButton1 = 1; break;
    case 2: g.joyButtons = 1; break;
    case 4: g.joySwitch = 1; break;
    default: break;  // buttons 1 and 2 together count for nothing here
  }
}

}  // namespace kx
