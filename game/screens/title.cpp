// title.cpp — what the title screen draws (over the stars and the stage
// background, under nothing: the HUD is already there).
#include "game/Kx_main.h"

namespace kx {

void TForm1::DrawTitle() {
  auto& c = I1.Canvas;
  c.font.size = 9;
  c.Brush.style = plat::BrushStyle::Clear;
  IT.Draw(c, 22, 66, 0);
  static constexpr const char* kCredit = "(C) 2026 THE KORVANIX TEAM";
  c.font.color = 0x337777;
  c.TextOut(129, 158, kCredit);
  c.font.color = 0x66EEFD;
  c.TextOut(128, 157, kCredit);
  DrawBitmapText(87, 190, 0, 19, "HIT BUTTON TO START");
  DrawBitmapText(135, 215, 0, 11, "ESC TO EXIT");
}

}  // namespace kx
