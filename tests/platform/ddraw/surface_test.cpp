// DirectDraw surfaces: formats of the display modes, pitches with padding,
// lock rules, video memory, the device name and the vertical blank.
#include "ddraw_fixture.h"
#include "plat/timer.h"

namespace {

using namespace plat;
using kxtest::DdrawTest;

TEST(PixelFormat, DisplayModesHaveTheirMasks) {
  const DDPIXELFORMAT f565 = PixelFormatForBits(16), f555 = PixelFormatForBits(16, true);
  EXPECT_EQ(f565.dwRBitMask, 0xF800u);
  EXPECT_EQ(f565.dwGBitMask, 0x07E0u);
  EXPECT_EQ(f555.dwRBitMask, 0x7C00u);
  EXPECT_EQ(f555.dwGBitMask, 0x03E0u);
  EXPECT_EQ(PixelFormatForBits(24).dwRBitMask, 0xFF0000u);
  EXPECT_EQ(PixelFormatForBits(32).dwBBitMask, 0xFFu);
  EXPECT_EQ(PixelFormatForBits(8).dwRBitMask, 0u);
}

TEST_F(DdrawTest, WindowedSurfacesTakeTheDesktopFormatAndPrimaryTheClientSize) {
  auto primary = Primary();
  DDSURFACEDESC2 d;
  primary->GetSurfaceDesc(d);
  EXPECT_EQ(d.dwWidth, 64);
  EXPECT_EQ(d.dwHeight, 48);
  EXPECT_EQ(d.ddpfPixelFormat->dwRGBBitCount, 32u);
  Make(5, 3)->GetSurfaceDesc(d);
  EXPECT_EQ(d.lPitch, 20);

  TearDown();
  headless::Config c;
  c.desktopBits = 16;
  c.rgb555 = true;
  c.pitchPadding = 6;
  Open(c);
  Make(5, 3)->GetSurfaceDesc(d);
  EXPECT_EQ(d.ddpfPixelFormat->dwGBitMask, 0x03E0u);
  EXPECT_EQ(d.lPitch, 16);
}

TEST_F(DdrawTest, FullScreenModeSetsTheFormatAndPrimarySize) {
  ASSERT_EQ(dd_->SetCooperativeLevel(form_, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
  ASSERT_EQ(dd_->SetDisplayMode(40, 30, 24), DD_OK);
  DDSURFACEDESC2 d;
  Primary()->GetSurfaceDesc(d);
  EXPECT_EQ(d.dwWidth, 40);
  EXPECT_EQ(d.dwHeight, 30);
  EXPECT_EQ(d.ddpfPixelFormat->dwRGBBitCount, 24u);
  EXPECT_EQ(d.lPitch, 120);
  ASSERT_EQ(dd_->SetDisplayMode(40, 30, 16), DD_OK);
  EXPECT_EQ(dd_->DisplayFormat().dwRBitMask, 0xF800u);
  dd_.reset();  // the desktop comes back
  ASSERT_EQ(CoCreateDirectDraw7(dd_), DD_OK);
  EXPECT_EQ(dd_->DisplayFormat().dwRGBBitCount, 32u);
}

TEST_F(DdrawTest, PrimaryNeedsACooperativeLevelAndSizesAreChecked) {
  std::shared_ptr<IDirectDraw7> fresh;
  ASSERT_EQ(CoCreateDirectDraw7(fresh), DD_OK);
  DDSURFACEDESC2 d;
  d.dwCaps = DDSCAPS_PRIMARYSURFACE;
  std::shared_ptr<IDirectDrawSurface7> s;
  EXPECT_EQ(fresh->CreateSurface(d, s), DDERR_INVALIDPARAMS);
  d = {};
  d.dwFlags = DDSD_CAPS | DDSD_WIDTH;  // no height
  d.dwWidth = 4;
  EXPECT_EQ(dd_->CreateSurface(d, s), DDERR_INVALIDPARAMS);
  EXPECT_FALSE(s);
}

TEST_F(DdrawTest, LockPointsAtTheRectangleAndRefusesASecondLock) {
  auto s = Make(8, 4);
  DDSURFACEDESC2 all, part, again;
  ASSERT_EQ(s->Lock(nullptr, all), DD_OK);
  EXPECT_EQ(s->Lock(nullptr, again), DDERR_SURFACEBUSY);
  std::unique_ptr<SurfaceDC> dc;
  EXPECT_EQ(s->GetDC(dc), DDERR_SURFACEBUSY);
  ASSERT_EQ(s->Unlock(), DD_OK);
  const Rect r{3, 2, 5, 4};
  ASSERT_EQ(s->Lock(&r, part), DD_OK);
  EXPECT_EQ(part.lpSurface, all.lpSurface + 2 * all.lPitch + 3 * 4);
  s->Unlock();
  EXPECT_EQ(s->Unlock(), DDERR_INVALIDPARAMS);
  const Rect outside{6, 0, 9, 1};
  EXPECT_EQ(s->Lock(&outside, part), DDERR_INVALIDRECT);
}

TEST_F(DdrawTest, VideoMemoryShrinksWithVideoSurfacesOnly) {
  std::uint32_t total = 0, free0 = 0, free1 = 0;
  dd_->GetAvailableVidMem(DDSCAPS_VIDEOMEMORY, &total, &free0);
  auto system = Make(100, 100);
  dd_->GetAvailableVidMem(DDSCAPS_VIDEOMEMORY, nullptr, &free1);
  EXPECT_EQ(free1, free0);
  auto video = Make(100, 100, DDSCAPS_OFFSCREENPLAIN);
  dd_->GetAvailableVidMem(DDSCAPS_VIDEOMEMORY, nullptr, &free1);
  EXPECT_EQ(free0 - free1, 40000u);
  EXPECT_EQ(total, 64u << 20);
}

TEST_F(DdrawTest, DeviceIdentifierNamesTheBackend) {
  DDDEVICEIDENTIFIER2 id;
  ASSERT_EQ(dd_->GetDeviceIdentifier(id), DD_OK);
  EXPECT_NE(id.szDescription.find("headless"), std::string::npos);
}

TEST_F(DdrawTest, VerticalBlankWaitsForTheNextSixtiethOfASecond) {
  control_->Advance(5);
  dd_->WaitForVerticalBlank();
  EXPECT_EQ(timeGetTime(), 17u);  // refreshes at 0, 16.7, 33.3 ... ms, rounded up
  dd_->WaitForVerticalBlank();
  EXPECT_EQ(timeGetTime(), 34u);
}

TEST_F(DdrawTest, FaultPointsFailTheirCalls) {
  using plat::testing::Fault;
  using plat::testing::Fail;
  auto s = Make(4, 4);
  Fail(Fault::CreateSurface);
  DDSURFACEDESC2 d;
  d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  d.dwWidth = d.dwHeight = 2;
  std::shared_ptr<IDirectDrawSurface7> out;
  EXPECT_EQ(dd_->CreateSurface(d, out), DDERR_GENERIC);
  Fail(Fault::SurfaceLock);
  EXPECT_EQ(s->Lock(nullptr, d), DDERR_GENERIC);
  Fail(Fault::Blt);
  EXPECT_EQ(s->ColorFill(nullptr, 0), DDERR_GENERIC);
  Fail(Fault::SurfaceGetDC);
  std::unique_ptr<SurfaceDC> dc;
  EXPECT_EQ(s->GetDC(dc), DDERR_GENERIC);
  Fail(Fault::CreatePrimary);
  d = {};
  d.dwCaps = DDSCAPS_PRIMARYSURFACE;
  EXPECT_EQ(dd_->CreateSurface(d, out), DDERR_GENERIC);
}

}  // namespace
