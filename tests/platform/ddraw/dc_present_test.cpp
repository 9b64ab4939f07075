// The DC canvas on a surface (conversion both ways, untouched pixels keep
// their bits) and the primary surface shown in the window.
#include "ddraw_fixture.h"

namespace {

using namespace plat;
using kxtest::DdrawTest;
using kxtest::GetPixel;
using kxtest::PutPixel;

TEST_F(DdrawTest, CanvasDrawingTruncatesToTheMasksAndLeavesOtherPixelsAlone) {
  TearDown();
  headless::Config c;
  c.desktopBits = 16;
  c.rgb555 = true;
  Open(c);
  auto s = Make(3, 1);
  PutPixel(*s, 2, 0, 0x8000);  // only the unused top bit
  {
    std::unique_ptr<SurfaceDC> dc;
    ASSERT_EQ(s->GetDC(dc), DD_OK);
    Bitmap bmp(2, 1);
    bmp.Row(0)[0] = 0xFFFFFF;
    bmp.Row(0)[1] = 0x0F8F07;
    dc->canvas().Draw(0, 0, bmp);
    EXPECT_EQ(dc->canvas().GetPixel(2, 0), 0u);  // the DC sees the colour bits only
  }
  EXPECT_EQ(GetPixel(*s, 0, 0), 0x7FFFu);  // white is every colour bit
  EXPECT_EQ(GetPixel(*s, 1, 0), (1u << 10) | (17u << 5) | 0u);
  EXPECT_EQ(GetPixel(*s, 2, 0), 0x8000u);
}

TEST_F(DdrawTest, ThePrimaryShowsOverTheWindow) {
  auto primary = Primary();
  auto s = Make(2, 2);
  s->ColorFill(nullptr, 0x00123456);
  ASSERT_EQ(primary->BltFast(10, 5, *s, {0, 0, 2, 2}, false), DD_OK);
  control_->StepFrames(1);
  const Bitmap& screen = control_->Screen();
  ASSERT_EQ(screen.Width(), 64);
  EXPECT_EQ(screen.Pixel(10, 5), 0x123456u);
  EXPECT_EQ(screen.Pixel(11, 6), 0x123456u);
  EXPECT_EQ(screen.Pixel(12, 5), 0u);
  primary.reset();
  control_->StepFrames(1);
  EXPECT_EQ(control_->Screen().Pixel(10, 5), 0u);  // the form's colour again
}

TEST_F(DdrawTest, PrimaryBlitsAreClippedToTheClipperWindow) {
  auto primary = Primary();
  ASSERT_EQ(primary->SetClipperWindow(form_), DD_OK);
  form_->SetClientSize(32, 24);
  auto s = Make(1, 1);
  s->ColorFill(nullptr, 0x00FFFFFF);
  const Rect all{0, 0, 64, 48};
  ASSERT_EQ(primary->Blt(&all, s.get(), nullptr, false), DD_OK);
  EXPECT_EQ(GetPixel(*primary, 31, 23), 0x00FFFFFFu);
  EXPECT_EQ(GetPixel(*primary, 32, 0), 0u);
}

}  // namespace
