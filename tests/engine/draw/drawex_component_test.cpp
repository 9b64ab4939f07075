// TVexmoraDrawEx as a component: defaults, the fallback from the hardware
// device with its traces and the capability line, the hardware device's
// loss, EffectDraw, and text through the keyed buffers.
#include "drawex_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawExTest;
using kxtest::ErrorOf;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& l : lines) out += kxtest::Sjis("TVexmoraDraw(Ex)::" + l) + "\n";
  return out;
}

TEST_F(DrawExTest, DefaultsAndMaskedFloatingPointExceptions) {
  std::uint16_t saved = 0, unmasked = 0, after = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(saved));
  unmasked = static_cast<std::uint16_t>(saved & ~0x3F);
  __asm__ __volatile__("fldcw %0" : : "m"(unmasked));
  TVexmoraDrawEx fresh(nullptr);
  __asm__ __volatile__("fnstcw %0" : "=m"(after));
  __asm__ __volatile__("fldcw %0" : : "m"(saved));
  EXPECT_EQ(after & 0x3F, 0x3F);
  EXPECT_TRUE(fresh.UseHAL());
  fresh.SetVideoMemory(false);
  EXPECT_TRUE(fresh.VideoMemory());
  EXPECT_EQ(fresh.Font().color, 8u);
  EXPECT_EQ(ErrorOf([&] { fresh.EffectDraw(0, 0, nullptr, "", 0, 0, 0); }),
            "TVexmoraDraw(Ex) エラー\n\nまだ初期化されてません。");
  EXPECT_EQ(ErrorOf([&] { draw_->EffectDraw(0, 0, nullptr, "", 0, 0, 0); }),
            "TVexmoraDraw(Ex) エラー\n\nTVexmoraDrawExでは、追加エフェクトは使用できません。");
}

// No hardware device here: the first attempt fails and the software device
// takes over (UseHAL follows); the pixel mode is the 5:6:5 textures'.
TEST_F(DrawExTest, WithoutHardwareInitFallsBackOnceAndTracesIt) {
  ReopenEx({}, false);
  plat::testing::SetCpuInfo(plat::CpuInfo{});  // no MMX
  const std::string log = Log([&] { draw_->Init(form_); });
  EXPECT_NE(
      log.find(Lines({"初期化開始", "ハードウェアアクセラレーションを使用", "クリーンアップ"})),
      std::string::npos);
  EXPECT_NE(log.find(kxtest::Sjis("3Dデバイスの作成に失敗しました。")), std::string::npos);
  EXPECT_NE(log.find(Lines({"ハードウェアアクセラレーション使用に失敗",
                            "ハードウェアエミュレーションを使用", "クリーンアップ"})),
            std::string::npos);
  EXPECT_NE(log.find(Lines({"サーフェイス情報の取得に成功",
                            "HasMMX:No  Width:64  Height:48  ColorBit:16\nTVexmoraDraw(Ex)::"
                            "RMask:0000F800  GMask:000007E0  BMask:0000001F  Key:00000000",
                            "Direct3Dシステムの設定に成功", "テンポラリサーフェイスの作成に成功",
                            "デバイス名:Korvanix software display (headless)",
                            "beTrans:Yes  beAdd:Yes  beSub:Yes  beMod:Yes  beColorAdd:Yes  "
                            "beColorMod:Yes\nTVexmoraDraw(Ex)::TexAddrClamp:Yes  "
                            "TexFMagPoint:Yes  TexFMagPoint:Yes"})),
            std::string::npos)
      << log;
  plat::D3DDEVICEDESC7 caps;
  ex_->Device()->GetCaps(caps);
  EXPECT_EQ(caps.deviceGUID, plat::D3DDEVTYPE::RGB);
  EXPECT_FALSE(ex_->UseHAL());
  EXPECT_TRUE(ex_->BlendSupported(beColorMod));
}

// The hardware target lives in video memory and is lost on a mode switch;
// the managed tiles are not. The draw meeting the loss ends quietly.
TEST_F(DrawExTest, HardwareDeviceWhenOfferedSurvivesItsTargetsLoss) {
  plat::headless::Config hal;
  hal.halAvailable = true;
  ReopenEx(hal, false);
  EXPECT_EQ(Log([&] { draw_->Init(form_); }).find(kxtest::Sjis("使用に失敗")), std::string::npos);
  plat::D3DDEVICEDESC7 caps;
  ex_->Device()->GetCaps(caps);
  EXPECT_EQ(caps.deviceGUID, plat::D3DDEVTYPE::HAL);
  const plat::Bitmap pic = kxtest::Picture(8, 8);
  Load("pic", pic);
  control_->LoseSurfaces();
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "pic", 0); }), "");
  EXPECT_EQ(Back().IsLost(), plat::DD_OK);
  draw_->Draw(0, 0, "pic", 0);
  EXPECT_EQ(Rgb(7, 7), kxtest::Texel565(pic.Pixel(7, 7)));
}

// Text lands where a canvas puts it, clipped at the edges, over the frame
// (black around the letters is the key); its colour keeps a red of 0x10 or
// more, and it ends the scene.
TEST_F(DrawExTest, TextIsPlacedAsOnACanvasAndKeyedOverTheFrame) {
  Load("pic", kxtest::Picture(4, 4));
  const std::uint32_t bg = 0x00204060;
  for (const plat::Point at : {plat::Point{5, 7}, plat::Point{-3, -2}, plat::Point{50, 40}}) {
    FillBack(bg);
    draw_->Draw(60, 0, "pic", 0);
    draw_->TextOutA(at.x, at.y, "Hi!");
    EXPECT_FALSE(ex_->SceneOpen());
    EXPECT_EQ(draw_->Font().color, 0x18u);
    plat::Bitmap model(64, 48);
    plat::Canvas canvas(model);
    canvas.font = draw_->Font();
    canvas.Brush.style = plat::BrushStyle::Clear;
    canvas.TextOut(at.x, at.y, "Hi!");
    int letters = 0;
    for (int y = 4; y < 48; ++y)  // below the picture
      for (int x = 0; x < 64; ++x) {
        const std::uint32_t m = model.Pixel(x, y);
        letters += m != 0;
        ASSERT_EQ(Rgb(x, y), m ? m : bg) << at.x << "," << at.y << " pixel " << x << "," << y;
      }
    EXPECT_GT(letters, 10);
  }
  FillBack(bg);
  draw_->TextOutA(64, 0, "out");
  EXPECT_EQ(Rgb(63, 5), bg);
  plat::testing::Fail(plat::testing::Fault::CreateSurface);  // no buffers after a new font
  EXPECT_EQ(ErrorOf([&] { draw_->SetFont(plat::Font{}); }),
            "TVexmoraDraw(Ex) エラー\n\nテキスト用サーフェイスの取得に失敗しました。");
  EXPECT_EQ(ErrorOf([&] { draw_->TextOutA(0, 0, "x"); }),
            "TVexmoraDraw(Ex) エラー\n\nテキスト用サーフェイスが存在しません。");
}

}  // namespace
