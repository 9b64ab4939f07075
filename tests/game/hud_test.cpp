// The bitmap-font text, the HUD numbers and the pop-up table.
#include "game_fixture.h"

namespace kxtest {
namespace {

// Hash of a rectangle of the back buffer, to compare drawings made in the
// same run.
std::uint64_t Hash(const plat::Bitmap& b, plat::Rect r) {
  std::uint64_t h = 1469598103934665603ull;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) h = (h ^ b.Pixel(x, y)) * 1099511628211ull;
  return h;
}

class HudTest : public GameTest {
 protected:
  plat::Bitmap& back() { return game().I1.picture; }
  void Clear() {
    auto& c = game().I1.Canvas;
    const auto saved = c.Brush;
    c.Brush = {plat::clBlack, plat::BrushStyle::Solid};
    c.FillRect({0, 0, 400, 300});
    c.Brush = saved;
  }
};

TEST_F(HudTest, BitmapTextDrawsCellsTwelvePixelsApartWithGapsForSpaces) {
  Clear();
  game().DrawBitmapText(0, 0, 0, 3, "A 7");
  const auto text = Hash(back(), {0, 0, 40, 16});
  Clear();
  game().Font0.Draw(game().I1.Canvas, 0, 0, 10);   // A
  game().Font0.Draw(game().I1.Canvas, 24, 0, 7);   // 7, after a blank cell
  EXPECT_EQ(Hash(back(), {0, 0, 40, 16}), text);
}

TEST_F(HudTest, StyleOneBlendsWithYellowAndRestoresTheNormalStyle) {
  Clear();
  game().DrawBitmapText(0, 0, 0, 1, "8");
  const auto normal = Hash(back(), {0, 0, 16, 16});
  Clear();
  game().DrawBitmapText(0, 0, 1, 1, "8");
  EXPECT_NE(Hash(back(), {0, 0, 16, 16}), normal);
  EXPECT_EQ(game().Font0.DrawingStyle, plat::ImageList::Style::Normal);
  // Every lit pixel is at least half yellow: red and green >= 0x7F.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const auto p = back().Pixel(x, y);
      if (p) {
        EXPECT_GE((p >> 8) & 0xFF, 0x7Fu);
      }
    }
}

TEST_F(HudTest, NumbersHaveNoLeadingZerosAndZeroIsOneDigit) {
  Clear();
  game().DrawNumber(0, 0, 2, 0);
  const auto zero = Hash(back(), {0, 0, 40, 16});
  Clear();
  game().Font2.Draw(game().I1.Canvas, 0, 0, 0);
  EXPECT_EQ(Hash(back(), {0, 0, 40, 16}), zero);
  game().DrawNumber(0, 0, 2, 1200);
  EXPECT_STREQ(game().numberText, "1200");
}

TEST_F(HudTest, ChargeShowsOnlyForTypeDAndNeverAbove100) {
  rec().weaponType = 3;
  rec().charge = 250;
  Frames(1);
  EXPECT_EQ(rec().charge, 100);
  rec().weaponType = 0;
  rec().charge = 250;
  Frames(1);
  EXPECT_EQ(rec().charge, 250);
}

TEST_F(HudTest, HighScoreFollowsTheScoreOncePastTheBest) {
  // Two frames at the same scroll position: a score of 15000 over a best of
  // 14000 must show the same high score as a stored best of 15000.
  const kx::GameRecord before = rec();
  game().highScores[0].score = 14000;
  rec().score = 15000;
  Frames(1);
  const auto passed = Hash(back(), {315, 281, 400, 297});
  rec().backScrollX = before.backScrollX;
  rec().starScrollX = before.starScrollX;
  rec().starTick = before.starTick;
  game().highScores[0].score = 15000;
  rec().score = 0;
  Frames(1);
  EXPECT_EQ(Hash(back(), {315, 281, 400, 297}), passed);
}

TEST_F(HudTest, RecoverOverflowRepairsOneStepWithText) {
  rec().condition = 1;
  rec().recoverPoints = 10000;
  rec().continued = 1;
  Frames(1);
  EXPECT_EQ(rec().condition, 0);
  EXPECT_EQ(rec().recoverPoints, 0);
  EXPECT_EQ(rec().hitTimer, 36);  // after a continue: longer protection
  EXPECT_EQ(rec().soundRequest, 3);
  EXPECT_EQ(game().world.shipTrail[0].burstActive, 1);
  EXPECT_EQ(game().world.popups[0].kind, 7);
  EXPECT_EQ(game().world.popups[0].timer, 30);
}

TEST_F(HudTest, PopupsDropWhenFullAndCountDownOnlyInPlay) {
  for (int i = 0; i < kx::kPopups; ++i) game().SpawnPopup(i, 0, 5, 4);
  game().SpawnPopup(999, 0, 5, 4);
  for (const auto& p : game().world.popups) EXPECT_NE(p.x, 999);
  Frames(3);  // Title: timers stand still
  EXPECT_EQ(game().world.popups[0].timer, 5);
  game().gameMode = kx::kPlay;
  Frames(3);
  EXPECT_EQ(game().world.popups[0].timer, 2);
  Frames(2);
  EXPECT_EQ(game().world.popups[50].timer, 0);  // free again
}

TEST_F(HudTest, BannerAndFloatingTextAreBothDrawn) {
  game().gameMode = kx::kPlay;
  rec().shipMotion = 0;
  game().SpawnPopup(200, 100, 10, 9);  // WARNING banner
  game().SpawnPopup(200, 100, 10, 5);  // "100" at (190, 94)
  Frames(1);
  const auto& b = back();
  auto countColour = [&](plat::Rect r, plat::RgbColor c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += b.Pixel(x, y) == c;
    return n;
  };
  EXPECT_GT(countColour({160, 140, 260, 170}, plat::BgrToRgb(plat::clYellow)), 20);
  EXPECT_GT(countColour({160, 140, 260, 170}, plat::BgrToRgb(plat::clOlive)), 5);
  EXPECT_GT(countColour({188, 92, 220, 110}, plat::BgrToRgb(0xFFFF00)), 5);
}

}  // namespace
}  // namespace kxtest
