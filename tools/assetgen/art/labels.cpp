// labels.cpp — the HUD label pictures (ISC 0-8, 75 x 17). Words are in the
// label font, left-aligned at the cell's left edge (the game puts numbers
// right after them), with a near-black outline and shadow so they read over
// any background. The condition words carry their own colours; ~Ranking~ is
// centred because its cell is centred on the screen.
#include "art/groups.h"
#include "art/text_style.h"

namespace ag {
namespace {

Image label(const std::string& word, const std::vector<Rgb>& stops, bool centred) {
  Image cell(75, 17);
  Image text = styledText(FontId::Label, word, stops);
  dropShadow(text, 1, 1, Rgb{10, 8, 20});
  const int x = centred ? (75 - text.width() + 1) / 2 : 0;
  cell.blit(text, x, 1);
  return cell;
}

}  // namespace

void drawLabels(ArtSet& art) {
  const std::vector<Rgb> hud = {{236, 252, 255}, {150, 220, 255}, {70, 150, 236}};
  const std::vector<Rgb> green = {{210, 255, 190}, {90, 226, 90}, {30, 150, 50}};
  const std::vector<Rgb> yellow = {{255, 255, 200}, {255, 224, 70}, {210, 150, 20}};
  const std::vector<Rgb> red = {{255, 210, 200}, {255, 90, 70}, {180, 30, 40}};
  const std::vector<Rgb> gold = {{255, 255, 230}, {255, 214, 120}, {230, 130, 40}};
  CellList& isc = art["ISC"];
  isc.put(0, label("Score", hud, false));
  isc.put(1, label("Hi-Score", hud, false));
  isc.put(2, label("Recover", hud, false));
  isc.put(3, label("Point", hud, false));
  isc.put(4, label("Condition", hud, false));
  isc.put(5, label("Green", green, false));
  isc.put(6, label("Yellow", yellow, false));
  isc.put(7, label("Red", red, false));
  isc.put(8, label("~Ranking~", gold, true));
}

}  // namespace ag
