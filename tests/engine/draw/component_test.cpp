// TVexmoraDraw's properties, Init and its failures, the pixel-mode check and
// the display-change message.
#include "draw/Vxpixelmode.h"
#include "draw_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawTest;
using kxtest::ErrorOf;
using plat::testing::Fault;

const std::string kBanner = "TVexmoraDraw(Ex) エラー\n\n";

TEST_F(DrawTest, PropertiesBeforeInitOnlyStore) {
  TearDown();
  Open({}, false);
  draw_->SetFullScreen(true);
  draw_->SetVideoMemory(true);
  draw_->SetTransparentColor(tcWhite);
  draw_->SetWidth(800);  // clamped to DisplayWidth
  EXPECT_EQ(draw_->Width(), 640);
  EXPECT_FALSE(draw_->Initialized());
  EXPECT_EQ(draw_->DirectDrawObject(), nullptr);
  draw_->SetDisplayWidth(400);
  draw_->SetDouble(true);  // 400 < 2 x 640: Width halves the display
  EXPECT_EQ(draw_->Width(), 200);
  EXPECT_EQ(draw_->Height(), 48);  // 480 >= 2 x 48
  draw_->SetWidth(300);  // too wide to double: Double goes off, Width clamps
  EXPECT_FALSE(draw_->Double());
  EXPECT_EQ(draw_->Width(), 300);
}

TEST_F(DrawTest, InitMakesTheWorkingSurfacesInSystemMemory) {
  ASSERT_TRUE(draw_->Initialized());
  plat::DDSURFACEDESC2 d;
  draw_->BackSurface()->GetSurfaceDesc(d);
  EXPECT_EQ(d.dwCaps, 0x840u);
  EXPECT_EQ(d.dwWidth, 64);
  draw_->FlipSurface()->GetSurfaceDesc(d);
  EXPECT_EQ(d.dwCaps, plat::DDSCAPS_OFFSCREENPLAIN);
  draw_->SetVideoMemory(true);  // Reset: new working surfaces
  draw_->TempSurface()->GetSurfaceDesc(d);
  EXPECT_EQ(d.dwCaps, plat::DDSCAPS_OFFSCREENPLAIN);
}

TEST_F(DrawTest, EveryInitFailureCleansUpAndNamesTheStep) {
  const std::pair<Fault, std::string> cases[] = {
      {Fault::DirectDrawCreate, "COMオブジェクトの作成に失敗しました。"},
      {Fault::DirectDrawInitialize, "DirectDrawの初期化に失敗しました。"},
      {Fault::CooperativeLevel, "協調レベルの設定に失敗しました。"},
      {Fault::CreatePrimary, "プライマリサーフェイスの作成に失敗しました。"},
      {Fault::CreateClipper, "クリッパーの作成に失敗しました。"},
      {Fault::SurfaceLock, "ピクセルモードのチェックに失敗しました。"}};
  for (const auto& [fault, text] : cases) {
    plat::testing::Fail(fault);
    EXPECT_EQ(ErrorOf([&] { draw_->Init(form_); }), kBanner + text);
    EXPECT_FALSE(draw_->Initialized());
    EXPECT_EQ(draw_->DirectDrawObject(), nullptr);
    plat::testing::ClearFaults();
  }
  const std::string surfaces[] = {"フリップサーフェイスの作成に失敗しました。",
                                  "バックサーフェイスの作成に失敗しました。",
                                  "テンポラリサーフェイスの作成に失敗しました。"};
  for (std::uint32_t i = 0; i < 3; ++i) {
    plat::testing::Fail(Fault::CreateSurface, {i, 1});
    EXPECT_EQ(ErrorOf([&] { draw_->Init(form_); }), kBanner + surfaces[i]);
    EXPECT_FALSE(draw_->Initialized());
    plat::testing::ClearFaults();
  }
  draw_->SetFullScreen(true);
  plat::testing::Fail(Fault::DisplayMode);
  EXPECT_EQ(ErrorOf([&] { draw_->Init(form_); }), kBanner + "画面の変更に失敗しました。");
}

TEST_F(DrawTest, OperationsNeedAnInitialisedComponent) {
  draw_->CleanUp();
  const std::string text = kBanner + "まだ初期化されてません。";
  EXPECT_EQ(ErrorOf([&] { draw_->Update(); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->UpdateEx(0, 0x401); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->UpdateTmp(); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->Clear(); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->WaitVSync(); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->Reset(); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->ResetAll(); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->CreateSurface("a", "a", 0, 0); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "a", 0); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->TextOutA(0, 0, "a"); }), text);
  EXPECT_EQ(ErrorOf([&] { draw_->RotZoomDraw(0, 0, 0, 256, "a", 0); }), text);
}

TEST_F(DrawTest, PixelModeFollowsTheDisplayFormatAndKey) {
  struct Case {
    int bits;
    bool rgb555;
    TTransparentColor key;
    std::uint32_t keyColour;
    int shifts[3];
  };
  const Case cases[] = {{16, false, tcGreen, 0x07E0, {11, 6, 0}},
                        {16, true, tcWhite, 0x7FFF, {10, 5, 0}},
                        {24, false, tcBlue, 0xFF, {16, 8, 0}},
                        {32, false, tcRed, 0xFF0000, {16, 8, 0}}};
  for (const Case& c : cases) {
    Reopen(c.bits, c.rgb555);
    draw_->SetTransparentColor(c.key);
    draw_->Init(form_);  // Reset alone keeps the old key
    const TPixelMode& m = PixelMode();
    EXPECT_EQ(draw_->KeyColour(), c.keyColour);
    EXPECT_EQ(m.keyColour, c.keyColour);
    EXPECT_EQ(m.bytesPerPixel, c.bits / 8);
    EXPECT_EQ(m.rShift, c.shifts[0]);
    EXPECT_EQ(m.gShift, c.shifts[1]);
    EXPECT_EQ(m.bShift, c.shifts[2]);
    EXPECT_EQ(m.screenWidth, 64);
    EXPECT_EQ(m.sinTable[16384], 65536);
    EXPECT_EQ(m.cosTable[16384], 0);
    EXPECT_EQ(m.cosTable[32768], -65536);
  }
}

TEST_F(DrawTest, WithoutMMXTheReferenceRoutinesAreInstalled) {
  plat::CpuInfo cpu;
  cpu.hasCpuid = true;
  cpu.stdEdx = 0;  // no MMX bit
  plat::testing::SetCpuInfo(cpu);
  draw_->Init(form_);
  EXPECT_FALSE(PixelMode().hasMMX);
  EXPECT_EQ(draw_->Routines().effect[beAdd], SelectRoutines(4, false).effect[beAdd]);
  cpu.stdEdx = 1u << 23;
  plat::testing::SetCpuInfo(cpu);
  draw_->Init(form_);
  EXPECT_TRUE(PixelMode().hasMMX);
  EXPECT_EQ(draw_->Routines().effect[beAdd], SelectRoutines(4, true).effect[beAdd]);
}

TEST_F(DrawTest, CleanUpGivesTheOwnerItsSizeAndTheCursorBack) {
  plat::TWinControl owner(*form_);
  auto* owned = new TVexmoraDraw(&owner);  // the owner deletes it
  owned->SetWidth(320);
  owned->SetHeight(200);
  owned->SetFullScreen(true);
  owned->Init();
  EXPECT_LT(plat::ShowCursor(true), 1);  // hidden in full screen
  plat::ShowCursor(false);
  owned->CleanUp();
  EXPECT_EQ(form_->ClientSize(), (plat::Point{320, 200}));
  EXPECT_GE(plat::ShowCursor(true), 1);
  plat::ShowCursor(false);
}

}  // namespace
