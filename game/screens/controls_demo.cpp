// controls_demo.cpp — the controls demonstration: the ship is steered by a
// fixed command script through the demo input fields, and a key legend
// lights the keys the current command simulates.
//
// Each command lasts four frames (the first three). The simulated inputs are
// cleared every frame, so the legend goes dark on frames whose command is 0.
// The ship obeys the play rules except: boost speed 16, weapon switching only
// through types 0..2, no charge and no recovery (DemonstrationControlPass).
#include "game/Kx_main.h"
#include "game/screens/controls_script.h"

namespace kx {
namespace {

// Legend flags: 0 boost, 1 fire, 2 switch, 3 up, 4 down, 5 left, 6 right.
enum Legend { kBoost, kFire, kSwitch, kUp, kDown, kLeft, kRight };

struct LegendLine {
  const char* text;
  int x, y;
  int flag;
};
constexpr LegendLine kLegend[7] = {
    {"Boost UP  [Z]", 35, 35, kBoost},
    {"Weapon Trigger  [X]", 35, 70, kFire},
    {"Switches Weapon  [C]", 35, 105, kSwitch},
    {"Movement (Up)  [Up Arrow]", 155, 140, kUp},
    {"Movement (Left)  [Left Arrow]", 155, 175, kLeft},
    {"Movement (Right)  [Right Arrow]", 155, 210, kRight},
    {"Movement (Down)  [Down Arrow]", 155, 245, kDown},
};

// Directions of the commands 5..12 as (vertical, horizontal) legend flags;
// -1 for none.
constexpr int kMoves[8][2] = {{kUp, -1},    {kDown, -1},    {-1, kLeft},   {-1, kRight},
                              {kUp, kRight}, {kDown, kRight}, {kUp, kLeft}, {kDown, kLeft}};

}  // namespace

void TForm1::ControlsDemoStep() {
  g.boostOn = 0;
  g.demoDown = g.demoLeft = g.demoRight = g.demoUp = g.demoFire = g.demoSwitch = 0;
  for (auto& lit : g.legendLit) lit = 0;

  g.scriptTick += 1;
  if (g.scriptTick > 3) {
    g.scriptTick = 0;
    g.scriptPos += 1;
  }
  // Past the end (never reached from the title) counts as the end.
  const bool inScript = g.scriptPos >= 0 && g.scriptPos < kControlsScriptLength;
  ControlsCommand(inScript ? kControlsScript[g.scriptPos] : kControlsEnd);

  DemonstrationControlPass();
  PlayerPass();
  DrawControlsLegend();
}

void TForm1::ControlsCommand(i32 op) {
  auto press = [&](int flag) {
    switch (flag) {
      case kBoost: g.boostOn = 1; break;
      case kFire: g.demoFire = 1; break;
      case kSwitch: g.demoSwitch = 1; break;
      case kUp: g.demoUp = 1; break;
      case kDown: g.demoDown = 1; break;
      case kLeft: g.demoLeft = 1; break;
      case kRight: g.demoRight = 1; break;
      default: return;
    }
    g.legendLit[flag] = 1;
  };
  if (op == kControlsEnd) {
    gameMode = kTitle;
    return;
  }
  if (op == 4) {  // the special attack: both keys light
    if (g.podState == 0) LaunchPods();
    g.legendLit[kBoost] = g.legendLit[kFire] = 1;
    return;
  }
  // 13..20 add boost and 21..28 fire to a move of 5..12.
  if (op >= 21 && op <= 28) {
    press(kFire);
    op -= 16;
  } else if (op >= 13 && op <= 20) {
    press(kBoost);
    op -= 8;
  }
  if (op >= 1 && op <= 3) press(op - 1);
  if (op >= 5 && op <= 12) {
    press(kMoves[op - 5][0]);
    press(kMoves[op - 5][1]);
  }
}

void TForm1::DrawControlsLegend() {
  auto& c = I1.Canvas;
  c.Brush.style = plat::BrushStyle::Clear;
  c.font.size = 11;
  for (const auto& line : kLegend) {
    c.font.color = g.legendLit[line.flag] != 0 ? 0x66EEFD : 0x115050;
    c.TextOut(line.x, line.y, line.text);
  }
}

}  // namespace kx
