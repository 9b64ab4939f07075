// groups.cpp — the list of picture groups in drawing order.
#include "art/groups.h"

#include "art.h"

namespace ag {

const std::vector<ArtGroup>& artGroups() {
  static const std::vector<ArtGroup> groups = {
      {"font glyphs", drawFontGlyphs},
      {"backgrounds", drawBackgrounds},
      {"logos", drawLogos},
      {"labels", drawLabels},
      {"particles", drawParticles},
      {"pods", drawPods},
      {"enemy bullets", drawEnemyBullets},
      {"ship", drawShip},
      {"explosions", drawExplosions},
      {"player shots", drawPlayerShots},
      {"hazards", drawHazards},
      {"items", drawItems},
      {"small enemies", drawSmallEnemies},
      {"medium enemies", drawMediumEnemies},
      {"large enemies", drawLargeEnemies},
      {"stage 1 boss", drawStage1Boss},
      {"heavies", drawHeavies},
      {"stage 2 boss", drawStage2Boss},
      {"stage 3 boss", drawStage3Boss},
  };
  return groups;
}

ArtSet drawAll() {
  ArtSet art;
  for (const ArtGroup& g : artGroups()) g.draw(art);
  return art;
}

}  // namespace ag
