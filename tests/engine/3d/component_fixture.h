// component_fixture.h — a headless run with a TVexmora3D initialised
// windowed on a 64 x 48 form (32-bit desktop), pictures registered as
// module resources, and helpers to draw inside a cleared scene and read the
// back surface.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "3d/Vx3d.h"
#include "3d/Vx3dmath.h"
#include "model_fixture.h"  // ErrorOf
#include "plat/app.h"
#include "plat/headless.h"
#include "plat/kernel.h"
#include "plat/testing.h"
#include "support/bmp_bytes.h"
#include "support/surface_check.h"

namespace kxtest3d {

using namespace Vexmora3DSystem;

inline const std::string k3DError = "TVexmora3D エラー\n\n";

class Component3DTest : public ::testing::Test {
 protected:
  void SetUp() override { Open({}); }
  void TearDown() override {
    d3d_.reset();
    plat::testing::ClearFaults();
    plat::ClearResources();
    Vexmora3DSystem::testing::Force3DNow(std::nullopt);
    plat::headless::Stop();
  }
  void Open(const plat::headless::Config& config, bool init = true) {
    control_ = &plat::headless::Start(config);
    form_ = &plat::Application::CreateForm({"3d", 64, 48});
    d3d_ = std::make_unique<TVexmora3D>(nullptr);
    d3d_->SetWidth(64);
    d3d_->SetHeight(48);
    if (init) d3d_->Init(form_);
  }
  void Reopen(const plat::headless::Config& config, bool init = true) {
    TearDown();
    Open(config, init);
  }
  // Registers `b` as a module bitmap and loads it as texture `name`.
  void LoadTexture(const std::string& name, const plat::Bitmap& b, int pw = 0, int ph = 0) {
    plat::RegisterResource("BITMAP", name, kxtest::BmpBytes(b));
    d3d_->CreateTexture(name, name, pw, ph);
  }
  // Runs `draw` in a scene on a target cleared to `colour` and Z cleared to 1.
  template <class F>
  void InScene(F&& draw, std::uint32_t colour = 0) {
    plat::IDirect3DDevice7& dev = *d3d_->Device();
    ASSERT_EQ(dev.BeginScene(), plat::DD_OK);
    dev.Clear(plat::D3DCLEAR_TARGET | plat::D3DCLEAR_ZBUFFER, colour, 1.0f);
    draw();
    ASSERT_EQ(dev.EndScene(), plat::DD_OK);
  }
  std::uint32_t At(int x, int y) {
    return kxtest::GetPixel(*d3d_->BackSurface(), x, y) & 0xFFFFFF;
  }

  plat::headless::Control* control_ = nullptr;
  plat::Form* form_ = nullptr;
  std::unique_ptr<TVexmora3D> d3d_;
};

}  // namespace kxtest3d
