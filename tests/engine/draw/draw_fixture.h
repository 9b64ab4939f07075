// draw_fixture.h — a headless run with a TVexmoraDraw initialised windowed
// on a 64 x 48 form (Width x Height 64 x 48), pictures registered as module
// resources, and pixel helpers over the back surface.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "draw/Vxdraw.h"
#include "plat/app.h"
#include "plat/cpu.h"
#include "plat/headless.h"
#include "plat/kernel.h"
#include "plat/testing.h"
#include "support/bmp_bytes.h"
#include "support/surface_check.h"

namespace kxtest {

// A w x h picture whose pixel (x, y) is 0xRRGGBB with R = 8x, G = 8y and
// B = 0x40 + pattern-ish salt, never black (black is the key).
inline plat::Bitmap Picture(int w, int h, std::uint32_t salt = 0) {
  plat::Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Row(y)[x] = ((8u * x + salt) & 0xFF) << 16 | ((8u * y) & 0xFF) << 8 | (0x40 + salt);
  return b;
}

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override { Open({}); }
  void TearDown() override {
    draw_.reset();
    plat::testing::ClearFaults();
    plat::ClearResources();
    plat::testing::SetCpuInfo(std::nullopt);
    plat::headless::Stop();
  }
  void Open(const plat::headless::Config& config, bool init = true) {
    control_ = &plat::headless::Start(config);
    form_ = &plat::Application::CreateForm({"draw", 64, 48});
    draw_ = std::make_unique<VexmoraDrawSystem::TVexmoraDraw>(nullptr);
    draw_->SetWidth(64);
    draw_->SetHeight(48);
    if (init) draw_->Init(form_);
  }
  void Reopen(int desktopBits, bool rgb555 = false, std::uint32_t padding = 0) {
    TearDown();
    plat::headless::Config c;
    c.desktopBits = desktopBits;
    c.rgb555 = rgb555;
    c.pitchPadding = padding;
    Open(c);
  }
  // Registers `b` as a module bitmap resource and makes it surface `name`.
  void Load(const std::string& name, const plat::Bitmap& b, int pw = 0, int ph = 0) {
    plat::RegisterResource("BITMAP", name, BmpBytes(b));
    draw_->CreateSurface(name, name, pw, ph);
  }
  plat::IDirectDrawSurface7& Back() { return *draw_->BackSurface(); }
  std::uint32_t At(int x, int y) { return GetPixel(Back(), x, y); }
  // The back surface's pixel as 0x00RRGGBB (32-bit desktop).
  void FillBack(std::uint32_t v) { Back().ColorFill(nullptr, v); }

  plat::headless::Control* control_ = nullptr;
  plat::Form* form_ = nullptr;
  std::unique_ptr<VexmoraDrawSystem::TVexmoraDraw> draw_;
};

// Runs `f` and returns the message of the EVxDraw (or EVxDrawSurface) it
// throws; empty when it throws nothing.
template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const plat::Exception& e) {
    return e.Message();
  }
  return {};
}

}  // namespace kxtest
