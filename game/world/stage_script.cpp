// stage_script.cpp — one step of the stage script: read the opcode at
// scriptPos of the current stage and run it.
//
// The play step calls this when scriptTick passes 5, so the script moves
// every sixth frame. Opcodes that wait leave scriptPos where it is until their
// condition holds; everything else advances by one. Spawning opcodes live in
// the script_waves_*.cpp files by opcode range.
#include "game/Kx_main.h"
#include "game/world/stage_scripts.h"

namespace kx {

void TForm1::ScriptStep() {
  g.scriptTick = 0;
  const auto script = StageScript(g.stage);
  // Past the last opcode (or on a stage without a script) the script holds,
  // as on a stall opcode: the trailing waits are long enough for the fly-out,
  // but nothing may read beyond the table.
  if (g.scriptPos < 0 || g.scriptPos >= static_cast<i32>(script.size())) return;
  g.scriptOp = script[static_cast<std::size_t>(g.scriptPos)];
  if (RunScriptOpcode(g.scriptOp)) g.scriptPos += 1;
}

bool TForm1::RunScriptOpcode(i32 op) {
  switch (op) {
    case 0:  // a long wait: six steps
      g.scriptWait += 1;
      if (g.scriptWait <= 5) return false;
      g.scriptWait = 0;
      return true;
    case 8:  // a short wait: two steps
      g.scriptWait += 1;
      if (g.scriptWait <= 1) return false;
      g.scriptWait = 0;
      return true;
    case 1: case 2: case 3:  // stage banner; banners are drawn at a fixed place
      SpawnPopup(0, 0, 50, op - 1);
      return true;
    case 19: {  // the screen must be empty: explosions and items count too
      for (const auto& e : world.enemies)
        if (e.state != 0) return false;
      return true;
    }
    case 20: return true;
    case 21: SpawnPopup(0, 0, 50, 9); return true;  // "WARNING"
    case 44: g.musicRequest = 10; return true;
    case 71: g.musicRequest = 2; return true;
    case 72: g.musicRequest = 3; return true;
    case 73: g.musicRequest = 4; return true;
    case 74: g.musicRequest = 5; return true;
    case 76: g.musicRequest = 7; return true;
    case 78: case 79: StageClear(op == 79); return true;
    case 80: FadeOutMusic(); return true;
    case 6: case 7: case 54: SpawnCarrier(op); return true;
    default: break;
  }
  // A spawn that finds the table full is dropped; the script goes on anyway.
  if (op >= 4 && op <= 18) {
    SpawnEarlyWave(op);
  } else if (op >= 22 && op <= 43) {
    SpawnMiddleWave(op);
  } else if (op >= 45 && op <= 70) {
    SpawnLateWave(op);
  } else {
    return false;  // 75, 77 and anything unknown stall the script for good
  }
  return true;
}

void TForm1::StageClear(bool final) {
  // The ship flies out; the stage flow changes the stage once it is gone.
  g.shipMotion = 2;
  g.shipMotionSpeed = 0;
  if (final) {
    SpawnPopup(0, 0, 120, 10);  // "MISSION  COMPLETE."
  } else {
    g.soundRequest = 13;
    SpawnPopup(0, 0, 120, 8);  // "STAGE CLEAR"
  }
  if (g.clearGrade == 2) {
    SpawnPopup(0, 0, 120, 15);
    g.score += 30000;
  } else if (g.clearGrade == 1) {
    SpawnPopup(0, 0, 120, 16);
    g.score += 10000;
  }
}

}  // namespace kx
