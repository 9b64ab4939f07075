// backgrounds.cpp — the three stage backgrounds, BK cells 0..2.
#include "art/groups.h"

namespace ag {

Image drawSpaceBackground();
Image drawBeltBackground();
Image drawFortressBackground();

void drawBackgrounds(ArtSet& art) {
  CellList& bk = art["BK"];
  bk.put(0, drawSpaceBackground());
  bk.put(1, drawBeltBackground());
  bk.put(2, drawFortressBackground());
}

}  // namespace ag
