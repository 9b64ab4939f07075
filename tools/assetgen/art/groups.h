// groups.h — one entry point per picture group (see art.h).
#pragma once

#include "catalog.h"

namespace ag {

void drawFontGlyphs(ArtSet& art);
void drawBackgrounds(ArtSet& art);
void drawLogos(ArtSet& art);
void drawLabels(ArtSet& art);
void drawParticles(ArtSet& art);
void drawPods(ArtSet& art);
void drawEnemyBullets(ArtSet& art);
void drawShip(ArtSet& art);
void drawExplosions(ArtSet& art);
void drawPlayerShots(ArtSet& art);
void drawHazards(ArtSet& art);
void drawItems(ArtSet& art);
void drawSmallEnemies(ArtSet& art);
void drawMediumEnemies(ArtSet& art);
void drawLargeEnemies(ArtSet& art);
void drawStage1Boss(ArtSet& art);
void drawHeavies(ArtSet& art);
void drawStage3Boss(ArtSet& art);
void drawStage2Boss(ArtSet& art);

}  // namespace ag
