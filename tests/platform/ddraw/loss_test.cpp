// Surface loss: which surfaces a mode switch loses, what lost surfaces
// answer, Restore's garbage, and a primary that cannot come back in another
// display mode.
#include "ddraw_fixture.h"

namespace {

using namespace plat;
using kxtest::DdrawTest;

TEST_F(DdrawTest, LosingTakesPrimaryAndVideoMemoryButNotSystemMemory) {
  auto primary = Primary();
  auto video = Make(4, 4, DDSCAPS_OFFSCREENPLAIN);
  auto system = Make(4, 4);
  control_->LoseSurfaces();
  EXPECT_EQ(primary->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(video->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(system->IsLost(), DD_OK);
  DDSURFACEDESC2 d;
  std::unique_ptr<SurfaceDC> dc;
  EXPECT_EQ(video->Lock(nullptr, d), DDERR_SURFACELOST);
  EXPECT_EQ(video->GetDC(dc), DDERR_SURFACELOST);
  EXPECT_EQ(video->ColorFill(nullptr, 0), DDERR_SURFACELOST);
  EXPECT_EQ(system->BltFast(0, 0, *video, {0, 0, 4, 4}, false), DDERR_SURFACELOST);
  control_->LoseSurfaces(true);
  EXPECT_EQ(system->IsLost(), DDERR_SURFACELOST);
}

TEST_F(DdrawTest, RestoreFillsAFixedGarbagePattern) {
  auto a = Make(6, 3, DDSCAPS_OFFSCREENPLAIN), b = Make(6, 3, DDSCAPS_OFFSCREENPLAIN);
  a->ColorFill(nullptr, 0);
  control_->LoseSurfaces();
  ASSERT_EQ(a->Restore(), DD_OK);
  ASSERT_EQ(b->Restore(), DD_OK);
  EXPECT_EQ(a->IsLost(), DD_OK);
  const std::uint64_t h = kxtest::HashSurface(*a);
  EXPECT_EQ(h, kxtest::HashSurface(*b));
  EXPECT_NE(kxtest::GetPixel(*a, 0, 0), 0u);
  EXPECT_TRUE(kxtest::PaddingIntact(*a));
}

TEST_F(DdrawTest, PrimaryRestoresOnlyInTheModeItWasMadeFor) {
  ASSERT_EQ(dd_->SetCooperativeLevel(form_, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
  ASSERT_EQ(dd_->SetDisplayMode(32, 24, 16), DD_OK);
  auto primary = Primary();
  ASSERT_EQ(dd_->SetDisplayMode(32, 24, 32), DD_OK);
  control_->LoseSurfaces();
  EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
  ASSERT_EQ(dd_->SetDisplayMode(32, 24, 16), DD_OK);
  EXPECT_EQ(primary->Restore(), DD_OK);
}

}  // namespace
