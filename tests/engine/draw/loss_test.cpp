// Lost surfaces: Draw, Update and UpdateEx restore and go on quietly, the
// next frame shows the reloaded picture; ResetAll reloads every surface in
// table order.
#include <fstream>
#include <iterator>

#include "core/Vxdebug.h"
#include "draw_fixture.h"
#include "support/temp_dir.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawTest;
using kxtest::ErrorOf;

const plat::Bitmap kPic = kxtest::Picture(8, 8, 3);

// A copy restores both surfaces at once; a blend finds the back surface lost
// at its lock and ends, then the pattern lost at its own lock: one frame more.
TEST_F(DrawTest, DrawOnLostSurfacesRestoresThemAndALaterDrawShowsThePicture) {
  Load("pic", kPic);
  for (TBlendEffect e : {beNormal, beAdd}) {
    control_->LoseSurfaces(true);
    const int quietDraws = e == beNormal ? 1 : 2;
    for (int i = 0; i < quietDraws; ++i) {
      EXPECT_EQ(ErrorOf([&] { draw_->Draw(2, 2, "pic", 0, e, 255); }), "");
      EXPECT_EQ(Back().IsLost(), plat::DD_OK);
      EXPECT_NE(At(2, 2), kPic.Pixel(0, 0)) << int(e) << " drew on a lost surface";
    }
    EXPECT_EQ(draw_->FindSurface("pic")->Surface()->IsLost(), plat::DD_OK);
    FillBack(0);
    draw_->Draw(2, 2, "pic", 0, e, 255);
    EXPECT_EQ(At(2, 2) & 0xFFFFFF, kPic.Pixel(0, 0)) << int(e);
    EXPECT_EQ(At(9, 9) & 0xFFFFFF, kPic.Pixel(7, 7)) << int(e);
  }
}

TEST_F(DrawTest, LostVideoMemorySurfacesComeBackWithTheirPictures) {
  draw_->SetVideoMemory(true);  // patterns and working surfaces in video memory
  Load("pic", kPic);
  control_->LoseSurfaces();
  draw_->Draw(0, 0, "pic", 0, beSub);  // restores the back surface only
  EXPECT_EQ(draw_->FindSurface("pic")->Surface()->IsLost(), plat::DDERR_SURFACELOST);
  draw_->WindDraw(0, 0, "pic", 0, beNormal, -1, 0);  // restores what is lost first
  EXPECT_EQ(draw_->FindSurface("pic")->Surface()->IsLost(), plat::DD_OK);
  EXPECT_EQ(At(0, 0), kPic.Pixel(0, 0));
}

TEST_F(DrawTest, UpdateAndUpdateExGoOnOverLostSurfaces) {
  for (int mode : {0x100, 0x201, 0x401, 0x802, 0x104}) {
    control_->LoseSurfaces(true);
    EXPECT_EQ(ErrorOf([&] { draw_->UpdateEx(100, mode); }), "") << mode;
    FillBack(0x00ABCDEF);
    draw_->UpdateEx(0, 0x100);
    EXPECT_EQ(kxtest::GetPixel(*draw_->PrimarySurface(), 3, 3), 0x00ABCDEFu) << mode;
  }
  control_->LoseSurfaces(true);
  EXPECT_EQ(ErrorOf([&] { draw_->Update(); }), "");
  EXPECT_EQ(ErrorOf([&] { draw_->UpdateTmp(); }), "");
  EXPECT_EQ(ErrorOf([&] { draw_->Clear(); }), "");
  EXPECT_EQ(ErrorOf([&] { draw_->TextOutA(0, 0, "x"); }), "");
  EXPECT_EQ(ErrorOf([&] { draw_->DirectDraw({0, 0, 2, 2}, {0, 0, 2, 2}, "none"); }),
            "TVexmoraDraw(Ex) エラー\n\nサーフェイスが存在しません。\nスプライト名：none");
}

TEST_F(DrawTest, ResetAllReloadsEverySurfaceInTableOrder) {
  kxtest::TempDir dir;
  const std::string log = dir.File("draw.log");
  Load("b", kPic, 4, 4);
  Load("a", kxtest::Picture(6, 6));
  Load("c", kPic);
  ASSERT_TRUE(VexmoraDebugSystem::TVexmoraDebug::SetDebug(log.c_str(), true, false));
  draw_->ResetAll();
  VexmoraDebugSystem::TVexmoraDebug::SetDebug(nullptr, false, false);
  std::ifstream in(log, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  const auto pa = text.find("SurfaceName:a\n"), pb = text.find("SurfaceName:b\n"),
             pc = text.find("SurfaceName:c\n");
  ASSERT_NE(pa, std::string::npos);
  EXPECT_LT(pa, pb);
  EXPECT_LT(pb, pc);
  EXPECT_NE(text.find("BMPWidth:4  BMPHeight:4  Line:2  Count:4"), std::string::npos);
  EXPECT_EQ(draw_->GetSurfaceInfo("b").count, 4);
  FillBack(0);
  draw_->Draw(0, 0, "b", 3);
  EXPECT_EQ(At(0, 0), kPic.Pixel(4, 4));
}

}  // namespace
