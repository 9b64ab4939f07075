// d3d_fixture.h — a headless run with a DirectDraw object and its
// IDirect3D7, makers of render targets, Z buffers and textures, whole-surface
// pixel reads, and a minimal backend that offers the hardware device.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "plat/d3d.h"
#include "plat/ddraw.h"
#include "plat/detail/backend.h"
#include "plat/headless.h"
#include "plat/testing.h"

namespace kxtest {

using SurfacePtr = std::shared_ptr<plat::IDirectDrawSurface7>;

inline SurfacePtr MakeSurface(plat::IDirectDraw7& dd, int w, int h, std::uint32_t caps,
                              const plat::DDPIXELFORMAT* format, std::uint32_t caps2 = 0) {
  plat::DDSURFACEDESC2 d;
  d.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT;
  if (format) {
    d.dwFlags |= plat::DDSD_PIXELFORMAT;
    d.ddpfPixelFormat = *format;
  }
  d.dwCaps = caps;
  d.dwCaps2 = caps2;
  d.dwWidth = w;
  d.dwHeight = h;
  SurfacePtr s;
  EXPECT_EQ(dd.CreateSurface(d, s), plat::DD_OK);
  return s;
}

// Every pixel's raw value, row by row (padding left out).
inline std::vector<std::uint32_t> RawPixels(plat::IDirectDrawSurface7& s) {
  plat::DDSURFACEDESC2 d;
  std::vector<std::uint32_t> out;
  if (s.Lock(nullptr, d) != plat::DD_OK) return out;
  const int bytes = static_cast<int>(d.ddpfPixelFormat->dwRGBBitCount / 8);
  for (int y = 0; y < d.dwHeight; ++y)
    for (int x = 0; x < d.dwWidth; ++x) {
      std::uint32_t v = 0;
      std::memcpy(&v, d.lpSurface + static_cast<std::ptrdiff_t>(y) * d.lPitch + x * bytes,
                  static_cast<std::size_t>(bytes));
      out.push_back(v);
    }
  s.Unlock();
  return out;
}

// Writes raw texel values, row by row.
inline void FillRaw(plat::IDirectDrawSurface7& s, const std::vector<std::uint32_t>& values) {
  plat::DDSURFACEDESC2 d;
  ASSERT_EQ(s.Lock(nullptr, d), plat::DD_OK);
  const int bytes = static_cast<int>(d.ddpfPixelFormat->dwRGBBitCount / 8);
  for (int y = 0; y < d.dwHeight; ++y)
    for (int x = 0; x < d.dwWidth; ++x)
      std::memcpy(d.lpSurface + static_cast<std::ptrdiff_t>(y) * d.lPitch + x * bytes,
                  &values[static_cast<std::size_t>(y * d.dwWidth + x)],
                  static_cast<std::size_t>(bytes));
  s.Unlock();
}

class D3dTest : public ::testing::Test {
 protected:
  void SetUp() override { Open({}); }
  void TearDown() override {
    d3d_.reset();
    dd_.reset();
    plat::testing::ClearFaults();
    plat::headless::Stop();
  }
  void Open(const plat::headless::Config& config) {
    control_ = &plat::headless::Start(config);
    ASSERT_EQ(plat::CoCreateDirectDraw7(dd_), plat::DD_OK);
    ASSERT_EQ(dd_->QueryDirect3D7(d3d_), plat::DD_OK);
  }
  // A system-memory 3D back surface of `bits` (16: 5:6:5).
  SurfacePtr Back(int w, int h, int bits) {
    const plat::DDPIXELFORMAT f = plat::PixelFormatForBits(bits);
    return MakeSurface(
        *dd_, w, h,
        plat::DDSCAPS_OFFSCREENPLAIN | plat::DDSCAPS_3DDEVICE | plat::DDSCAPS_SYSTEMMEMORY, &f);
  }
  std::shared_ptr<plat::IDirect3DDevice7> Device(const SurfacePtr& target) {
    std::shared_ptr<plat::IDirect3DDevice7> dev;
    EXPECT_EQ(d3d_->CreateDevice(plat::D3DDEVTYPE::RGB, target, dev), plat::D3D_OK);
    return dev;
  }
  // The Z buffer of enumerated format `index` (0: Z16), attached to `target`.
  SurfacePtr AttachZ(const SurfacePtr& target, int index) {
    std::vector<plat::DDPIXELFORMAT> formats;
    EXPECT_EQ(d3d_->EnumZBufferFormats(plat::D3DDEVTYPE::RGB, formats), plat::D3D_OK);
    plat::DDSURFACEDESC2 desc;
    target->GetSurfaceDesc(desc);
    SurfacePtr z = MakeSurface(*dd_, desc.dwWidth, desc.dwHeight,
                               plat::DDSCAPS_ZBUFFER | plat::DDSCAPS_SYSTEMMEMORY,
                               &formats[static_cast<std::size_t>(index)]);
    EXPECT_EQ(target->AddAttachedSurface(z), plat::DD_OK);
    return z;
  }
  // A Z16 surface, not attached.
  SurfacePtr MakeZ(int w, int h) {
    std::vector<plat::DDPIXELFORMAT> formats;
    d3d_->EnumZBufferFormats(plat::D3DDEVTYPE::RGB, formats);
    return MakeSurface(*dd_, w, h, plat::DDSCAPS_ZBUFFER | plat::DDSCAPS_SYSTEMMEMORY, &formats[0]);
  }
  // A system-memory texture of enumerated format `index` (1: R5G6B5).
  SurfacePtr Texture(plat::IDirect3DDevice7& dev, int w, int h, int index) {
    std::vector<plat::DDPIXELFORMAT> formats;
    EXPECT_EQ(dev.EnumTextureFormats(formats), plat::D3D_OK);
    return MakeSurface(*dd_, w, h, plat::DDSCAPS_TEXTURE | plat::DDSCAPS_SYSTEMMEMORY,
                       &formats[static_cast<std::size_t>(index)]);
  }

  plat::headless::Control* control_ = nullptr;
  std::shared_ptr<plat::IDirectDraw7> dd_;
  std::shared_ptr<plat::IDirect3D7> d3d_;
};

// No window, no input: just a display that offers the hardware device.
class HalBackend : public plat::detail::Backend {
 public:
  std::string_view Name() const override { return "hal-test"; }
  void OpenWindow(const plat::Form&) override {}
  void CloseWindow() override {}
  void Present(const plat::Form&) override {}
  void PumpEvents(std::uint32_t) override {}
  bool AskYesNo(std::string_view) override { return false; }
  void ShowMessage(std::string_view) override {}
  void SetCursorVisible(bool) override {}
  bool SetDisplayMode(int, int, int) override { return false; }
  void RestoreDisplayMode() override {}
  bool HalAvailable() const override { return true; }
  plat::MMRESULT JoyCaps(plat::JOYCAPS&) override { return plat::JOYERR_UNPLUGGED; }
  plat::MMRESULT JoyPos(plat::JOYINFO&) override { return plat::JOYERR_UNPLUGGED; }
  std::int64_t UnixSeconds() override { return 0; }
};

}  // namespace kxtest
