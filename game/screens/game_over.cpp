// game_over.cpp — the game-over notice. Nothing else moves in this mode:
// enemies and their shots are neither updated nor drawn.
#include "game/Kx_main.h"

namespace kx {

void TForm1::DrawGameOver() { DrawBitmapText(147, 140, 0, 9, "GAME OVER"); }

}  // namespace kx
