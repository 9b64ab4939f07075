// attract_demo.cpp — the attract demo under the ranking: scripted enemy
// formations fly across the stage background.
//
// Three 18-command scripts take turns (demoScript), one command every sixth
// frame; a wait command lasts two steps. The ship is not drawn: it only bobs
// up and down off screen so that the enemies that aim at it have a target.
// The enemies behave exactly as in play.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {
namespace {

constexpr int kDemoScriptLength = 18;
constexpr i32 kWait = 8;
constexpr std::int16_t kDemoScripts[3][kDemoScriptLength] = {
    {45, 8, 48, 8, 46, 8, 47, 8, 46, 8, 45, 8, 47, 8, 48, 8, 46, 8},
    {57, 8, 58, 8, 57, 8, 58, 8, 57, 8, 57, 8, 58, 8, 58, 8, 57, 8},
    {66, 8, 8, 8, 8, 67, 8, 8, 8, 8, 8, 68, 8, 8, 8, 8, 8, 8},
};

}  // namespace

void TForm1::AttractDemoStep() {
  auto& ship = world.shipTrail[0];
  if (g.demoBobUp == 0) {
    ship.y -= 1;
    if (ship.y < 100) g.demoBobUp = 1;
  } else {
    ship.y += 1;
    if (ship.y > 200) g.demoBobUp = 0;
  }

  g.scriptTick += 1;
  if (g.scriptTick > 5) {
    g.scriptTick = 0;
    // After the ending the position still holds the last stage's script
    // position: start the demo script from its beginning instead.
    if (g.scriptPos < 0 || g.scriptPos >= kDemoScriptLength) g.scriptPos = 0;
    const int script = g.demoScript >= 0 && g.demoScript < 3 ? g.demoScript : 0;
    g.scriptOp = kDemoScripts[script][g.scriptPos];
    DemoCommand(g.scriptOp);
    if (g.scriptPos > kDemoScriptLength - 1) g.scriptPos = 0;
  }

  EnemyPass();
  EnemyShotPass();
}

void TForm1::DemoCommand(i32 op) {
  if (op == kWait) {
    g.scriptWait += 1;
    if (g.scriptWait > 1) {
      g.scriptWait = 0;
      g.scriptPos += 1;
    }
    return;
  }
  // A full enemy table drops the spawn (and draws no random numbers); the
  // script advances all the same.
  switch (op) {
    case 45: case 46: case 47: case 48:  // beam stations from above or below
      if (Enemy* e = NewEnemy(op < 47 ? 36 : 37, 0, op % 2 == 1 ? -40 : 340, 6, 25, 25, 30)) {
        e->x = plat::random(300) + 80;
        e->p0 = op == 45 || op == 47 ? 0 : 1;
        e->p1 = plat::random(17) + 8;
      }
      break;
    case 57: case 58:  // dashers
      if (Enemy* e = NewEnemy(op == 57 ? 45 : 46, 0, op == 57 ? -40 : 340, 7, 25, 22, 38)) {
        e->x = plat::random(170) + 200;
        e->p1 = plat::random(7) + 3;
      }
      break;
    case 66: case 67: case 68: {  // turret ships from the right
      const i32 n = op - 66;
      if (Enemy* e = NewEnemy(53 + n, 430, 0, n == 0 ? 18 : n == 1 ? 25 : 35, 28, 34, 43 + n)) {
        e->y = plat::random(250) + 25;
        e->p0 = e->y > 149 ? 1 : 0;
        e->p1 = plat::random(8) + 6;
      }
      break;
    }
    default:
      break;
  }
  g.scriptPos += 1;
}

}  // namespace kx
