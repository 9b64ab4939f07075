// popups.cpp — the 51-slot pop-up message table: stage names, warnings,
// bonuses and small score texts.
//
// A slot is in use while its timer is at least 1. Messages do not move; each
// frame of Play a slot counts down and is drawn with the canvas's text output
// on a clear background. Banners sit at a fixed place (olive shadow, yellow
// text one pixel up and left); floating texts sit at the slot's position.
#include "game/Kx_main.h"

namespace kx {
namespace {

struct PopupLook {
  const char* text;
  bool banner;
  int a, b;  // banner: shadow position; floating: dx and unused
  plat::TColor colour;  // floating only
};

constexpr plat::TColor kCyan = 0xFFFF00, kGreen = 0x00FF00;

constexpr PopupLook kLooks[] = {
    {"STAGE 1", true, 166, 146, 0},
    {"STAGE 2", true, 166, 146, 0},
    {"STAGE 3", true, 166, 146, 0},
    {"Power UP", false, -30, 0, kCyan},
    {"500", false, -10, 0, kCyan},
    {"100", false, -10, 0, kCyan},
    {"300", false, -10, 0, kCyan},
    {"Recover", false, -10, 0, kCyan},
    {"STAGE CLEAR", true, 144, 146, 0},
    {"WARNING", true, 163, 146, 0},
    {"MISSION  COMPLETE.", true, 113, 146, 0},
    {"Get 'TYPE-D'", false, -20, 0, kGreen},
    {"Special Bonus 15,000", false, -46, 0, kGreen},
    {"Special Bonus 50,000", false, -46, 0, kGreen},
    {"Special Bonus 100,000", false, -46, 0, kGreen},
    {"Clear Bonus 30,000", true, 124, 176, 0},
    {"Clear Bonus 10,000", true, 124, 176, 0},
};
constexpr int kLookCount = static_cast<int>(sizeof kLooks / sizeof kLooks[0]);

}  // namespace

void TForm1::SpawnPopup(i32 x, i32 y, i32 timer, i32 kind) {
  for (auto& p : world.popups) {
    if (p.timer != 0) continue;
    p.x = x;
    p.y = y;
    p.timer = timer;
    p.kind = kind;
    return;
  }
  // All 51 slots busy: the message is dropped.
}

void TForm1::DrawPopups() {
  auto& c = I1.Canvas;
  for (auto& p : world.popups) {
    if (p.timer < 1) continue;
    p.timer -= 1;
    if (p.kind < 0 || p.kind >= kLookCount) continue;  // counts down, draws nothing
    const PopupLook& look = kLooks[p.kind];
    if (look.banner) {
      c.font.size = 14;
      c.font.color = plat::clOlive;
      c.TextOut(look.a, look.b, look.text);
      c.font.color = plat::clYellow;
      c.TextOut(look.a - 1, look.b - 1, look.text);
    } else {
      c.font.size = 9;
      c.font.color = look.colour;
      c.TextOut(p.x + look.a, p.y - 6, look.text);
    }
  }
}

}  // namespace kx
