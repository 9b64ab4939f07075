// Blits: unscaled copies with keys and refused rectangles, stretching with
// the nearest-neighbour rule, clipping with matching source pixels, colour
// fills, format conversion, and copies within one surface.
#include <vector>

#include "ddraw_fixture.h"

namespace {

using namespace plat;
using kxtest::DdrawTest;
using kxtest::GetPixel;
using kxtest::PutPixel;

// Numbers the pixels 1, 2, 3 ... row by row.
void Number(IDirectDrawSurface7& s, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) PutPixel(s, x, y, static_cast<std::uint32_t>(1 + x + y * w));
}

TEST_F(DdrawTest, BltFastCopiesSkipsKeysAndRefusesRectanglesOutside) {
  auto src = Make(4, 2), dst = Make(6, 4);
  Number(*src, 4, 2);
  PutPixel(*src, 1, 0, 0x00ABCDEF);
  src->SetColorKey(0x00ABCDEF, 0x00ABCDEF);
  dst->ColorFill(nullptr, 7);
  ASSERT_EQ(dst->BltFast(2, 1, *src, {0, 0, 4, 2}, true), DD_OK);
  EXPECT_EQ(GetPixel(*dst, 2, 1), 1u);
  EXPECT_EQ(GetPixel(*dst, 3, 1), 7u);  // the key pixel left the destination alone
  EXPECT_EQ(GetPixel(*dst, 5, 2), 8u);
  ASSERT_EQ(dst->BltFast(2, 1, *src, {0, 0, 4, 2}, false), DD_OK);
  EXPECT_EQ(GetPixel(*dst, 3, 1), 0x00ABCDEFu);
  EXPECT_EQ(dst->BltFast(3, 1, *src, {0, 0, 4, 2}, false), DDERR_INVALIDRECT);
  EXPECT_EQ(dst->BltFast(-1, 0, *src, {0, 0, 1, 1}, false), DDERR_INVALIDRECT);
  EXPECT_EQ(dst->BltFast(0, 0, *src, {0, 0, 5, 1}, false), DDERR_INVALIDRECT);
}

TEST_F(DdrawTest, BltStretchesByNearestNeighbourAndClipsWithMatchingSource) {
  auto src = Make(2, 2), dst = Make(6, 6);
  Number(*src, 2, 2);
  dst->ColorFill(nullptr, 0);
  const Rect twice{0, 0, 4, 4};
  ASSERT_EQ(dst->Blt(&twice, src.get(), nullptr, false), DD_OK);
  const std::uint32_t expect[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(*dst, x, y), expect[y][x]) << x << "," << y;

  // Hanging over the top-left corner: only the visible part, scaled alike.
  dst->ColorFill(nullptr, 0);
  const Rect over{-2, -2, 2, 2};
  ASSERT_EQ(dst->Blt(&over, src.get(), nullptr, false), DD_OK);
  EXPECT_EQ(GetPixel(*dst, 0, 0), 4u);
  EXPECT_EQ(GetPixel(*dst, 1, 1), 4u);
  EXPECT_EQ(GetPixel(*dst, 2, 0), 0u);
  // And over the bottom-right corner.
  const Rect under{4, 4, 8, 8};
  ASSERT_EQ(dst->Blt(&under, src.get(), nullptr, false), DD_OK);
  EXPECT_EQ(GetPixel(*dst, 5, 5), 1u);
  EXPECT_EQ(GetPixel(*dst, 4, 5), 1u);

  // Shrinking samples pixel centres: columns 1 and 3 of a 4-wide source.
  auto wide = Make(4, 1);
  Number(*wide, 4, 1);
  const Rect half{0, 0, 2, 1};
  ASSERT_EQ(dst->Blt(&half, wide.get(), nullptr, false), DD_OK);
  EXPECT_EQ(GetPixel(*dst, 0, 0), 2u);
  EXPECT_EQ(GetPixel(*dst, 1, 0), 4u);
}

TEST_F(DdrawTest, ColorFillMasksToTheDepthAndClips) {
  TearDown();
  headless::Config c;
  c.desktopBits = 16;
  c.pitchPadding = 2;
  Open(c);
  auto s = Make(3, 3);
  const Rect r{-5, 1, 2, 9};
  ASSERT_EQ(s->ColorFill(&r, 0xFFFFFFFF), DD_OK);
  EXPECT_EQ(GetPixel(*s, 0, 1), 0xFFFFu);
  EXPECT_EQ(GetPixel(*s, 1, 2), 0xFFFFu);
  EXPECT_EQ(GetPixel(*s, 2, 1), 0u);
  EXPECT_EQ(GetPixel(*s, 0, 0), 0u);
  EXPECT_TRUE(kxtest::PaddingIntact(*s));
}

TEST_F(DdrawTest, BlitsBetweenFormatsConvertThroughEightBitChannels) {
  auto s32 = Make(2, 1);
  PutPixel(*s32, 0, 0, 0x00FFFFFF);
  PutPixel(*s32, 1, 0, 0x00F80400);
  DDSURFACEDESC2 d;
  d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  d.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  d.dwWidth = 2;
  d.dwHeight = 1;
  d.ddpfPixelFormat = PixelFormatForBits(16);
  std::shared_ptr<IDirectDrawSurface7> s16;
  ASSERT_EQ(dd_->CreateSurface(d, s16), DD_OK);
  ASSERT_EQ(s16->BltFast(0, 0, *s32, {0, 0, 2, 1}, false), DD_OK);
  EXPECT_EQ(GetPixel(*s16, 0, 0), 0xFFFFu);
  EXPECT_EQ(GetPixel(*s16, 1, 0), 0xF820u);
  ASSERT_EQ(s32->BltFast(0, 0, *s16, {0, 0, 2, 1}, false), DD_OK);
  EXPECT_EQ(GetPixel(*s32, 0, 0), 0x00FFFFFFu);
  EXPECT_EQ(GetPixel(*s32, 1, 0), 0x00FF0400u);  // 5 bits widened: 11111 -> FF
}

TEST_F(DdrawTest, CopiesWithinOneSurfaceReadTheOriginal) {
  auto s = Make(5, 1);
  Number(*s, 5, 1);
  ASSERT_EQ(s->BltFast(1, 0, *s, {0, 0, 4, 1}, false), DD_OK);
  for (int x = 1; x < 5; ++x) EXPECT_EQ(GetPixel(*s, x, 0), static_cast<std::uint32_t>(x));
}

TEST_F(DdrawTest, BlitsRefuseLockedSurfaces) {
  auto a = Make(2, 2), b = Make(2, 2);
  DDSURFACEDESC2 d;
  ASSERT_EQ(b->Lock(nullptr, d), DD_OK);
  EXPECT_EQ(a->BltFast(0, 0, *b, {0, 0, 2, 2}, false), DDERR_SURFACEBUSY);
  EXPECT_EQ(b->ColorFill(nullptr, 0), DDERR_SURFACEBUSY);
  b->Unlock();
}

}  // namespace
