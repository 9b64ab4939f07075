// looks.cpp — how enemies look: the sprite list and base cell of each look,
// and the explosion each look plays when it dies.
//
// A look's cell is base + frame / divisor; sprites are drawn centred (top-left
// at centre minus half the list's cell size). The third stage's boss is one
// 200 x 170 picture drawn off-centre. A look outside the table draws nothing.
#include "game/Kx_main.h"

namespace kx {

plat::ImageList* TForm1::LookList(i32 list) {
  switch (list) {
    case 24: return &IL24;
    case 40: return &IL40;
    case 50: return &IL50;
    case 64: return &IL64;
    case 74: return &IL74;
    case 80: return &IL80;
    case 100: return &IL100;
    case 150: return &IL150;
    case 200: return &IL200;
    default: return nullptr;
  }
}

namespace {

struct Look {
  i32 list;     // cell size of the image list: 24 -> IL24, 200 -> IL200
  i32 base;     // first cell
  i32 divisor;  // frames per cell
};

constexpr Look kLooks[] = {
    {64, 0, 1},   {50, 0, 1},   {50, 7, 1},   {40, 0, 1},   {40, 3, 1},   {40, 6, 1},   // 0..5
    {64, 23, 1},  {50, 14, 1},  {50, 17, 1},  {64, 29, 1},  {64, 34, 1},  {80, 0, 1},   // 6..11
    {50, 21, 1},  {50, 24, 1},  {50, 30, 1},  {64, 39, 1},  {100, 0, 3},  {50, 68, 1},  // 12..17
    {64, 43, 1},  {50, 37, 2},  {74, 64, 1},  {64, 50, 1},  {64, 56, 1},  {150, 0, 1},  // 18..23
    {40, 9, 1},   {200, 0, 0},  {40, 12, 1},  {100, 5, 1},  {24, 25, 1},  {24, 35, 1},  // 24..29
    {64, 62, 1},  {64, 76, 1},  {64, 16, 1},  {50, 42, 1},  {50, 49, 1},  {50, 7, 1},   // 30..35
    {74, 72, 1},  {50, 56, 1},  {64, 82, 1},  {64, 95, 1},  {50, 59, 1},  {80, 10, 1},  // 36..41
    {80, 18, 1},  {74, 78, 1},  {74, 85, 1},  {74, 92, 1},  {64, 100, 3}, {100, 34, 1}, // 42..47
    {100, 66, 1},                                                                     // 48
};
constexpr i32 kLookCount = static_cast<i32>(sizeof kLooks / sizeof kLooks[0]);

}  // namespace

void TForm1::DrawEnemy(const Enemy& e) {
  if (e.look < 0 || e.look >= kLookCount) return;
  const Look& look = kLooks[e.look];
  plat::ImageList* list = LookList(look.list);
  if (look.divisor == 0) {  // the one-picture boss, drawn from its own anchor
    list->Draw(I1.Canvas, e.x - 100, e.y - 85, look.base);
    return;
  }
  list->Draw(I1.Canvas, e.x - list->CellWidth() / 2, e.y - list->CellHeight() / 2,
             look.base + e.frame / look.divisor);
}

void TForm1::ExplosionStep(Enemy& e) {
  e.frame += 1;
  if (e.frame >= 16) {
    e.state = 0;
    return;
  }
  auto& c = I1.Canvas;
  switch (e.look) {
    case 1: case 2: case 7: case 12: case 13: case 17: case 24: case 26: case 29: case 35: case 37:
      Bo32.Draw(c, e.x - 16, e.y - 16, e.frame);
      break;
    case 11: case 16: case 23: case 25: case 27: case 47: case 48:
      IL96.Draw(c, e.x - 48, e.y - 48, e.frame);
      if (e.look != 47) DrawBlastRings(e.x, e.y, e.frame);
      break;
    case 20: case 32: case 36: case 41: case 42: case 43: case 44: case 45:
      Bo64.Draw(c, e.x - 32, e.y - 32, e.frame + 15);
      break;
    default:
      Bo64.Draw(c, e.x - 32, e.y - 32, e.frame);
      break;
  }
}

void TForm1::DrawBlastRings(i32 x, i32 y, i32 frame) {
  // Three shock rings widening at different speeds around a big explosion.
  auto& c = I1.Canvas;
  const auto brush = c.Brush.style;
  c.Brush.style = plat::BrushStyle::Clear;
  c.Pen.color = plat::clWhite;
  c.Pen.mode = plat::PenMode::Copy;
  for (i32 step : {38, 27, 16}) {
    const i32 r = step * frame;
    c.Ellipse({x - r, y - r, x + r, y + r});
  }
  c.Brush.style = brush;
}

}  // namespace kx
