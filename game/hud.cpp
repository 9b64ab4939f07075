// hud.cpp — the bitmap-font text routine, the condition label and the
// heads-up display drawn over every frame.
//
// The HUD redraws every label and number each frame from image-list cells;
// nothing is cached.
#include <algorithm>
#include <cstdio>

#include "game/Kx_main.h"

namespace kx {

void TForm1::DrawBitmapText(int x, int y, int style, int length, const char* text) {
  if (style == 0) Font0.DrawingStyle = plat::ImageList::Style::Normal;
  if (style == 1) {
    Font0.BlendColor = plat::clYellow;
    Font0.DrawingStyle = plat::ImageList::Style::Selected;
  }
  for (int i = 0; i < length; ++i) {
    // Signed, as the text is 8-bit: a space gives a negative cell, which
    // draws nothing and leaves a gap.
    const int ch = static_cast<std::int8_t>(text[i]);
    const int cell = ch < 58 ? ch - 48 : ch - 55;
    if (style == 2)
      Font2.Draw(I1.Canvas, x + 10 * i, y, cell);
    else
      Font0.Draw(I1.Canvas, x + 12 * i, y, cell);
  }
  if (style == 1) Font0.DrawingStyle = plat::ImageList::Style::Normal;
}

void TForm1::DrawNumber(int x, int y, int style, i32 value) {
  const int length = std::snprintf(numberText, sizeof numberText, "%d", value);
  DrawBitmapText(x, y, style, length, numberText);
}

void TForm1::SetCondition(i32 level) {
  int cell = -1;
  if (level == 0) cell = 5;                   // Green
  if (level == 1) cell = 6;                   // Yellow
  if (level == 2 || level == 3) cell = 7;     // Red
  ISC.Draw(I1.Canvas, 105, 2, cell);
}

void TForm1::RecoverOverflow() {
  if (g.recoverPoints <= 9999) return;
  auto& ship = world.shipTrail[0];
  ship.burstActive = 1;
  ship.burstSize = 0;
  const i32 before = g.condition;
  g.condition -= 1;
  g.soundRequest = 3;
  SetCondition(g.condition);
  g.recoverPoints = 0;
  g.hitFrame = 0;
  g.hitState = 2;  // a short protection
  if (before < 3) {
    g.hitTimer = g.continued >= 1 ? 36 : 2;
    g.continued = 0;
    SpawnPopup(ship.x - 10, ship.y - 6, 30, 7);  // "Recover"
  } else {
    // Repaired while being destroyed.
    g.hitTimer = 2;
    g.score += 15000;
    SpawnPopup(ship.x - 10, ship.y - 6, 39, 12);  // "Special Bonus 15,000"
  }
}

void TForm1::DrawHud() {
  ISC.Draw(I1.Canvas, 20, 2, 4);  // Condition
  SetCondition(g.condition);
  ISC.Draw(I1.Canvas, 239, 2, 2);  // Recover
  ISC.Draw(I1.Canvas, 305, 2, 3);  // Point
  RecoverOverflow();
  g.recoverShown = g.recoverPoints / 100;
  DrawNumber(355, 2, 2, g.recoverShown);
  ISC.Draw(I1.Canvas, 20, 281, 0);   // Score
  ISC.Draw(I1.Canvas, 220, 281, 1);  // Hi-Score
  DrawNumber(85, 281, 2, g.score);
  // The high score follows the score as soon as it passes the best stored
  // one, before the ranking is updated.
  DrawNumber(315, 281, 2, std::max(g.score, highScores[0].score));
  if (g.weaponType == 3) {
    DrawBitmapText(276, 22, 0, 6, "CHARGE");
    g.charge = std::min(g.charge, 100);
    DrawNumber(355, 22, 2, g.charge);
  }
}

}  // namespace kx
