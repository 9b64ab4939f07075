// Presentation: the windowed frame stretched to the client area, the
// full-screen frame centred or doubled (and clipped), UpdateEx's
// preparations and effects, UpdateTmp and Clear.
#include "draw_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawTest;
using kxtest::GetPixel;

TEST_F(DrawTest, WindowedUpdateStretchesTheFrameToTheClientArea) {
  FillBack(0);
  kxtest::PutPixel(Back(), 63, 47, 0x00FF00FF);
  draw_->Update();
  control_->StepFrames(1);
  EXPECT_EQ(control_->Screen().Pixel(63, 47), 0xFF00FFu);
  EXPECT_EQ(control_->Screen().Pixel(62, 47), 0u);
  // A client area twice as wide shows every frame column twice.
  draw_->CleanUp();
  form_->SetClientSize(128, 48);
  draw_->Init(form_);
  FillBack(0);
  kxtest::PutPixel(Back(), 63, 47, 0x00FF00FF);
  draw_->Update();
  EXPECT_EQ(GetPixel(*draw_->PrimarySurface(), 126, 47), 0x00FF00FFu);
  EXPECT_EQ(GetPixel(*draw_->PrimarySurface(), 127, 47), 0x00FF00FFu);
  EXPECT_EQ(GetPixel(*draw_->PrimarySurface(), 125, 47), 0u);
}

TEST_F(DrawTest, FullScreenUpdateCentresOrDoublesTheFrame) {
  draw_->CleanUp();
  draw_->SetWidth(400);
  draw_->SetHeight(300);
  draw_->SetFullScreen(true);
  draw_->Init(form_);
  EXPECT_EQ(control_->DisplayMode(), (std::array<int, 3>{640, 480, 16}));
  EXPECT_EQ(draw_->BytesPerPixel(), 2);
  FillBack(0xFFFF);
  draw_->Update();
  plat::IDirectDrawSurface7& screen = *draw_->PrimarySurface();
  EXPECT_EQ(GetPixel(screen, 120, 90), 0xFFFFu);
  EXPECT_EQ(GetPixel(screen, 519, 389), 0xFFFFu);
  EXPECT_EQ(GetPixel(screen, 119, 90), 0u);
  EXPECT_EQ(GetPixel(screen, 520, 389), 0u);
  // Doubled: (-80, -60)-(720, 540), clipped; frame pixel (40, 30) lands at 0, 0.
  // (Double goes on without shrinking the frame only while the display is
  // big enough for it.)
  draw_->SetDisplayWidth(800);
  draw_->SetDisplayHeight(600);
  draw_->SetDouble(true);
  draw_->SetDisplayWidth(640);
  draw_->SetDisplayHeight(480);
  ASSERT_EQ(draw_->Width(), 400);
  FillBack(0);
  kxtest::PutPixel(Back(), 40, 30, 0x1234);
  kxtest::PutPixel(Back(), 39, 30, 0x4321);
  draw_->Update();
  EXPECT_EQ(GetPixel(screen, 0, 0), 0x1234u);
  EXPECT_EQ(GetPixel(screen, 1, 1), 0x1234u);
  EXPECT_EQ(GetPixel(screen, 2, 0), 0u);
}

TEST_F(DrawTest, UpdateExBlendsTheTempSurfaceIntoTheFrame) {
  FillBack(0x00FFFFFF);
  draw_->UpdateEx(300, 0x402);  // value >= 255: the temp surface has no weight
  EXPECT_EQ(GetPixel(Back(), 0, 0), 0x00FEFEFEu);  // d * 255 / 256, per byte
  FillBack(0x00FFFFFF);
  draw_->UpdateEx(0, 0x402);  // parameter 255: all black temp
  EXPECT_EQ(GetPixel(Back(), 5, 5), 0u);
  FillBack(0x00101010);
  draw_->UpdateEx(255, 0x804);  // add white with parameter 0: unchanged
  EXPECT_EQ(GetPixel(Back(), 5, 5), 0x00101010u);
  draw_->UpdateEx(0, 0x804);  // add white with parameter 255: white
  EXPECT_EQ(GetPixel(Back(), 5, 5) & 0x00FFFFFF, 0x00FFFFFFu);
  EXPECT_EQ(GetPixel(*draw_->FlipSurface(), 5, 5) & 0x00FFFFFF, 0x00FFFFFFu);
}

TEST_F(DrawTest, UpdateExWaveShiftsRowsIntoTheTempSurface) {
  FillBack(0x00202020);
  const int before = draw_->WaveCounter();
  draw_->UpdateEx(0, 0x202);  // no displacement: the temp surface is the frame
  EXPECT_EQ(draw_->WaveCounter(), before + 48);
  EXPECT_EQ(kxtest::HashSurface(*draw_->TempSurface()), kxtest::HashSurface(Back()));
  draw_->UpdateEx(16, 0x202);  // rows move up to 8 pixels: some black shows
  int black = 0;
  for (int y = 0; y < 48; ++y) black += GetPixel(*draw_->TempSurface(), 0, y) == 0;
  black += GetPixel(*draw_->TempSurface(), 63, 0) == 0;
  EXPECT_GT(black, 0);
  EXPECT_EQ(GetPixel(*draw_->FlipSurface(), 20, 20), 0x00202020u);
}

TEST_F(DrawTest, UpdateTmpKeepsTheFrameAndClearBlanksIt) {
  FillBack(0x00445566);
  draw_->UpdateTmp();
  EXPECT_EQ(GetPixel(*draw_->TempSurface(), 10, 10), 0x00445566u);
  draw_->Clear();
  EXPECT_EQ(GetPixel(Back(), 10, 10), 0u);
  plat::testing::Fail(plat::testing::Fault::Blt);
  EXPECT_EQ(kxtest::ErrorOf([&] { draw_->Clear(); }),
            "TVexmoraDraw(Ex) エラー\n\nバックバッファの初期化に失敗しました。");
  plat::testing::Fail(plat::testing::Fault::Blt);
  EXPECT_EQ(kxtest::ErrorOf([&] { draw_->UpdateTmp(); }),
            "TVexmoraDraw(Ex) エラー\n\nテンポラリサーフェイスの更新に失敗しました。");
  plat::testing::Fail(plat::testing::Fault::Blt);
  EXPECT_EQ(kxtest::ErrorOf([&] { draw_->Update(); }),
            "TVexmoraDraw(Ex) エラー\n\n画面の更新に失敗しました。");
}

}  // namespace
