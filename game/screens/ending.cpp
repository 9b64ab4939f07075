// ending.cpp — the ending after the third stage: the ship flies right over
// fast scenery, boosting with its pods, while a five-line epilogue scrolls up
// from below the playfield. When the text has gone the demo and the ranking
// take over.
//
// Nothing here reads input. The ship's trail is laid out behind it each frame
// (no trail shift runs), so the afterimages keep a fixed spacing. TYPE-D is
// shown as TYPE-B (its exhaust and pod layout).
#include "game/Kx_main.h"
#include "game/world/orbit_path.h"
#include "game/world/pod_tables.h"

namespace kx {
namespace {

constexpr i32 kTextGoneY = -175;  // the last line has left the top
constexpr const char* kEpilogue[5] = {
    " TO DEFEND THOSE I LOVE, I", "WILL KEEP FIGHTING.", " ALL I HOPE FOR IS THE DAY",
    "WHEN I WILL LIVE A PEACEFUL", "LIFE WITH MY FAVORITES."};
constexpr i32 kLineY[5] = {0, 25, 70, 95, 120};  // a blank line between the two sentences

}  // namespace

void TForm1::EndingScene() {
  I1.Canvas.Brush.style = plat::BrushStyle::Clear;
  g.backScrollX -= 2;  // the scenery rushes past (seen from the next frame)
  g.starScrollX += 1;
  auto& ship = world.shipTrail[0];
  ship.x += 2;
  ship.bank = 0;
  if (g.weaponType == 3) g.weaponType = 1;
  for (int n = 1; n < kShipTrail; ++n) world.shipTrail[n].x = ship.x + 17 - 17 * n;

  PlaceEndingPods();
  DrawEndingPods();
  DrawEndingShip();

  g.endingTextY -= 1;
  if (g.endingTextY < kTextGoneY) {
    gameMode = kDemo;
    g.releaseLatch = 1;
    modeTimer = 0;
    rankingInserted = 0;  // the demo's first frame enters the final score
    g.titleMusicPending = 1;
  }
  DrawEpilogue();
}

void TForm1::PlaceEndingPods() {
  const auto& ship = world.shipTrail[0];
  const auto& trail3 = world.shipTrail[3];
  auto& pods = world.podTrail[0];
  for (int i = 0; i < 2; ++i) {
    switch (g.weaponType) {
      case 0:
        pods.x[i] = ship.x + kFormationX[g.moveDir & 7][i];
        pods.y[i] = ship.y + kFormationY[g.moveDir & 7][i] - kFormationRaise;
        break;
      case 1:
        pods.x[i] = trail3.x - 10;
        pods.y[i] = trail3.y + (i == 0 ? -46 : 46);
        break;
      default: {
        i32& a = g.podAngle[i];
        a += 2;
        if (a > kOrbitPoints - 1 || a < 0) a = 0;
        pods.x[i] = static_cast<i32>(kOrbitX[a] * 2.1) + ship.x - 5;
        pods.y[i] = static_cast<i32>(kOrbitY[a] * 1.7) + ship.y + 11;
        break;
      }
    }
  }
}

void TForm1::DrawEndingPods() {
  auto& pods = world.podTrail[0];
  for (int i = 0; i < 2; ++i) {
    IL20.Draw(I1.Canvas, pods.x[i] - 10, pods.y[i] - 10, pods.frame[i] + 6);  // boosting look
    pods.frame[i] += 1;
    if (pods.frame[i] > 5) pods.frame[i] = 0;
  }
}

// The ship as it looks boosting in play: two afterimages, then the ship.
void TForm1::DrawEndingShip() {
  const auto& trail = world.shipTrail;
  const i32 type = g.weaponType;
  for (int n : {4, 7}) DrawShipSprite(trail[n].x, trail[n].y, trail[3].bank + 38, 2 * type + 32);
  DrawShipSprite(trail[0].x, trail[0].y, trail[0].bank + 16, 2 * type + 26);
}

void TForm1::DrawEpilogue() {
  auto& c = I1.Canvas;
  c.font.size = 14;
  c.font.color = 0x008080;  // olive shadow, one pixel down and right
  for (int n = 0; n < 5; ++n) c.TextOut(71, g.endingTextY + kLineY[n] + 1, kEpilogue[n]);
  c.font.color = plat::clYellow;
  for (int n = 0; n < 5; ++n) c.TextOut(70, g.endingTextY + kLineY[n], kEpilogue[n]);
}

}  // namespace kx
