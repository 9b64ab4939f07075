// Named surfaces: pattern geometry, resource before file, duplicate names,
// load failures, lookups and their error texts.
#include "draw_fixture.h"
#include "support/temp_dir.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawTest;
using kxtest::ErrorOf;

TEST_F(DrawTest, PatternsCutTheBitmapIntoAGrid) {
  Load("grid", kxtest::Picture(100, 50), 32, 16);
  const TVexmoraDrawSurfaceInfo info = draw_->GetSurfaceInfo("grid");
  EXPECT_EQ(info.columns, 3);
  EXPECT_EQ(info.count, 9);
  EXPECT_EQ(info.bitmapWidth, 100);
  EXPECT_EQ(info.patternHeight, 16);
  EXPECT_EQ(info.surfaceName, "grid");
  EXPECT_EQ(draw_->FindSurface("grid")->PatternRect(5), (plat::Rect{64, 16, 96, 32}));
  Load("whole", kxtest::Picture(10, 7));
  const TVexmoraDrawSurfaceInfo whole = draw_->GetSurfaceInfo("whole");
  EXPECT_EQ(whole.patternWidth, 10);
  EXPECT_EQ(whole.columns, 1);
  EXPECT_EQ(whole.count, 1);
}

TEST_F(DrawTest, AResourceWinsOverAFileAndAnExistingNameStays) {
  kxtest::TempDir dir;
  const std::string path = dir.File("pic.bmp");
  kxtest::WriteBmp(path, kxtest::Picture(3, 3, 1));
  plat::RegisterResource("BITMAP", path, kxtest::BmpBytes(kxtest::Picture(5, 5, 2)));
  draw_->CreateSurface("a", path, 0, 0);
  EXPECT_EQ(draw_->GetSurfaceInfo("a").bitmapWidth, 5);
  plat::ClearResources();
  draw_->CreateSurface("b", path, 0, 0);
  EXPECT_EQ(draw_->GetSurfaceInfo("b").bitmapWidth, 3);
  draw_->CreateSurface("b", "no such file", 0, 0);  // the old one stays, nothing is read
  EXPECT_EQ(draw_->GetSurfaceInfo("b").fileName, path);
  draw_->DeleteSurface("nobody");
  draw_->DeleteSurface("b");
  EXPECT_EQ(draw_->FindSurface("b"), nullptr);
  draw_->DeleteAllSurface();
  EXPECT_EQ(draw_->SurfaceCount(), 0u);
}

TEST_F(DrawTest, FailedLoadsLeaveNoEntry) {
  EXPECT_EQ(ErrorOf([&] { draw_->CreateSurface("x", "missing.bmp", 0, 0); }),
            "TVexmoraDraw(Ex)Surface エラー\n\nBMPの読み込みに失敗しました。\nファイル名：missing.bmp");
  EXPECT_EQ(draw_->FindSurface("x"), nullptr);
  plat::RegisterResource("BITMAP", "p", kxtest::BmpBytes(kxtest::Picture(2, 2)));
  plat::testing::Fail(plat::testing::Fault::CreateSurface);
  EXPECT_EQ(ErrorOf([&] { draw_->CreateSurface("x", "p", 0, 0); }),
            "TVexmoraDraw(Ex)Surface エラー\n\nサーフェイスの作成に失敗しました。\nファイル名：p");
  plat::testing::Fail(plat::testing::Fault::SurfaceGetDC);
  EXPECT_EQ(ErrorOf([&] { draw_->CreateSurface("x", "p", 0, 0); }),
            "TVexmoraDraw(Ex)Surface エラー\n\nBMPの転送に失敗しました。\nファイル名：p");
  EXPECT_EQ(draw_->SurfaceCount(), 0u);
}

TEST_F(DrawTest, LookupsNameTheMissingSurfaceOrPattern) {
  Load("s", kxtest::Picture(8, 8), 4, 4);
  const std::string banner = "TVexmoraDraw(Ex) エラー\n\n";
  EXPECT_EQ(ErrorOf([&] { draw_->GetSurfaceInfo("t"); }),
            banner + "サーフェイスが存在しません。\nサーフェイス名：t");
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "t", 0); }),
            banner + "サーフェイスが存在しません。\nスプライト名：t");
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "s", 4); }),
            banner + "スプライトが存在しません。\nスプライト名：s");
  EXPECT_EQ(ErrorOf([&] { draw_->ZoomDraw(0, 0, 256, 256, "s", 4); }),
            banner + "スプライトが存在しません。\nスプライト名：s");
  EXPECT_EQ(ErrorOf([&] { draw_->DirectDraw({0, 0, 1, 1}, {0, 0, 1, 1}, "t"); }),
            banner + "サーフェイスが存在しません。\nスプライト名：t");
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "s", 3); }), "");
  plat::testing::Fail(plat::testing::Fault::SurfaceLock, {1, 1});  // the pattern's lock
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "s", 0, beAdd); }),
            banner + "スプライトのロックに敗しました。\nスプライト名：s");
  plat::testing::Fail(plat::testing::Fault::SurfaceLock);
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "s", 0, beAdd); }),
            banner + "バックサーフェイスのロックに失敗");
  plat::testing::Fail(plat::testing::Fault::Blt);
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "s", 0); }),
            banner + "スプライトの描画に失敗しました。\nスプライト名：s");
  // A failed lock leaves nothing locked behind.
  EXPECT_EQ(ErrorOf([&] { draw_->Draw(0, 0, "s", 0, beAdd); }), "");
}

}  // namespace
