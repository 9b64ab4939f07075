// The splash: drawn once, shown centred over the main window while start-up
// loads, and gone before the display question.
#include "game/Sp.h"
#include "game_fixture.h"

namespace kxtest {
namespace {

TEST_F(GameTest, SplashShowsCentredOverTheWindowUntilReleased) {
  plat::Bitmap before;
  game().Window().Compose(before);
  {
    kx::TForm2 splash;
    splash.Show();
    plat::Bitmap with;
    game().Window().Compose(with);
    const int left = (640 - 365) / 2, top = (480 - 87) / 2;
    const auto& p = splash.Picture();
    // The bevel's light corner, the logo, and the teal "loading..." text.
    EXPECT_EQ(with.Pixel(left, top), p.Pixel(0, 0));
    EXPECT_EQ(with.Pixel(left, top), 0xFFFFFFu);
    int logo = 0, teal = 0;
    for (int y = 0; y < 87; ++y)
      for (int x = 0; x < 365; ++x) {
        EXPECT_EQ(with.Pixel(left + x, top + y), p.Pixel(x, y));
        logo += y >= 30 && p.Pixel(x, y) != 0 && p.Pixel(x, y) != 0xFFFFFFu;
        teal += p.Pixel(x, y) == plat::BgrToRgb(plat::clTeal);
      }
    EXPECT_GT(logo, 2000);
    EXPECT_GT(teal, 30);
  }
  plat::Bitmap after;
  game().Window().Compose(after);
  EXPECT_TRUE(std::ranges::equal(after.Pixels(), before.Pixels()));
}

}  // namespace
}  // namespace kxtest
