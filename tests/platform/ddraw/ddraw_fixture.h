// ddraw_fixture.h — a headless run with a DirectDraw object at the normal
// cooperative level on a 64 x 48 main form, and a maker of off-screen
// surfaces.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "plat/app.h"
#include "plat/ddraw.h"
#include "plat/headless.h"
#include "plat/testing.h"
#include "support/surface_check.h"

namespace kxtest {

class DdrawTest : public ::testing::Test {
 protected:
  void SetUp() override { Open({}); }
  void TearDown() override {
    dd_.reset();
    plat::testing::ClearFaults();
    plat::headless::Stop();
  }
  void Open(const plat::headless::Config& config) {
    control_ = &plat::headless::Start(config);
    form_ = &plat::Application::CreateForm({"ddraw", 64, 48});
    ASSERT_EQ(plat::CoCreateDirectDraw7(dd_), plat::DD_OK);
    ASSERT_EQ(dd_->SetCooperativeLevel(form_, plat::DDSCL_NORMAL), plat::DD_OK);
  }
  std::shared_ptr<plat::IDirectDrawSurface7> Make(
      int w, int h, std::uint32_t caps = plat::DDSCAPS_OFFSCREENPLAIN | plat::DDSCAPS_SYSTEMMEMORY) {
    plat::DDSURFACEDESC2 d;
    d.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT;
    d.dwCaps = caps;
    d.dwWidth = w;
    d.dwHeight = h;
    std::shared_ptr<plat::IDirectDrawSurface7> s;
    EXPECT_EQ(dd_->CreateSurface(d, s), plat::DD_OK);
    return s;
  }
  std::shared_ptr<plat::IDirectDrawSurface7> Primary() {
    plat::DDSURFACEDESC2 d;
    d.dwFlags = plat::DDSD_CAPS;
    d.dwCaps = plat::DDSCAPS_PRIMARYSURFACE;
    std::shared_ptr<plat::IDirectDrawSurface7> s;
    EXPECT_EQ(dd_->CreateSurface(d, s), plat::DD_OK);
    return s;
  }

  plat::headless::Control* control_ = nullptr;
  plat::Form* form_ = nullptr;
  std::shared_ptr<plat::IDirectDraw7> dd_;
};

}  // namespace kxtest
