// frame.cpp — the frame driver: one call of IdleEvent is one frame.
//
// The order matters and is fixed: pacing, the star strip and the background
// into the back buffer, the HUD over them, the mode step (which draws the
// world on top), the particle pass, the enemy shots while playing, the song
// request, and last the copy of the back buffer onto the visible image.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {

void TForm1::ScrollStars() {
  // The stars drift left one pixel every second frame.
  g.starTick += 1;
  if (g.starTick > 1) {
    g.starScrollX += 1;
    g.starTick = 0;
  }
  if (g.starScrollX > 399) g.starScrollX = 0;
  blitSource = {g.starScrollX, 0, g.starScrollX + 400, 300};
  blitDest = {0, 0, 400, 300};
  I1.Canvas.CopyRect(blitDest, I0.Canvas, blitSource);
}

void TForm1::ScrollBackground() {
  // One pixel per frame; the 800-wide strip repeats every 801 frames, drawn
  // twice while its right end is on screen. Black in it lets the stars show.
  g.backScrollX -= 1;
  if (g.backScrollX < -800) g.backScrollX = 0;
  BK.Draw(I1.Canvas, g.backScrollX, 0, g.stage);
  if (g.backScrollX < -399) BK.Draw(I1.Canvas, g.backScrollX + 800, 0, g.stage);
}

void TForm1::Present() {
  const plat::Rect clip = I2.Canvas.ClipRect();
  I2.Canvas.CopyRect(clip, I1.Canvas, clip);
}

void TForm1::IdleEvent(bool& done) {
  // Pacing: frames start 37 ms apart; a late frame is followed at once, with
  // no catch-up. The comparison is wrap-safe, so the clock's 2^32 wrap does
  // not turn pacing off.
  lastFrameTime_ = plat::SpinUntil(lastFrameTime_ + 37);
  ++frameCount_;

  hiddenKeyProgress = {};  // a hidden sequence must arrive between two frames
  ScrollStars();
  ScrollBackground();
  DrawHud();
  ParticlePassUnder();  // trails and glints, under every sprite of the frame
  RunModeStep();
  ParticlePass();
  if (gameMode == kPlay) EnemyShotPass();  // the demo runs its own
  PlaySongRequest();
  Present();
  NoteModeChange();
  done = false;
}

void TForm1::NoteModeChange() {
  if (gameMode != loggedMode_) {
    loggedMode_ = gameMode;
    log_.modes.emplace_back(frameCount_, gameMode);
  }
}

}  // namespace kx
