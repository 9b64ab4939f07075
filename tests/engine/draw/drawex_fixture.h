// drawex_fixture.h — DrawTest with a TVexmoraDrawEx instead (64 x 48,
// windowed on the 32-bit desktop; the software device unless the config
// offers the hardware one), device-state readers, a trace capture, and the
// 5:6:5 texel model: what a picture's pixel becomes in a tile.
#pragma once

#include <fstream>
#include <functional>
#include <iterator>

#include "core/Vxdebug.h"
#include "draw/Vxdrawex.h"
#include "draw_fixture.h"
#include "engine/core/log_fixture.h"
#include "support/temp_dir.h"

namespace kxtest {

// 0x00RRGGBB truncated to 5:6:5 and widened again by bit replication.
inline std::uint32_t Texel565(std::uint32_t c) {
  const std::uint32_t r = c >> 19 & 0x1F, g = c >> 10 & 0x3F, b = c >> 3 & 0x1F;
  return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

// A picture whose colours a 5:6:5 tile holds exactly.
inline plat::Bitmap Exact565(plat::Bitmap b) {
  for (plat::RgbColor& p : b.Pixels()) p = Texel565(p);
  return b;
}

class DrawExTest : public DrawTest {
 protected:
  void SetUp() override { OpenEx({}); }
  void OpenEx(const plat::headless::Config& config, bool init = true) {
    control_ = &plat::headless::Start(config);
    form_ = &plat::Application::CreateForm({"drawex", 64, 48});
    auto ex = std::make_unique<VexmoraDrawSystem::TVexmoraDrawEx>(nullptr);
    ex_ = ex.get();
    draw_ = std::move(ex);
    draw_->SetWidth(64);
    draw_->SetHeight(48);
    if (init) draw_->Init(form_);
  }
  void ReopenEx(const plat::headless::Config& config, bool init = true) {
    TearDown();
    OpenEx(config, init);
  }
  std::uint32_t Render(plat::D3DRENDERSTATETYPE t) {
    std::uint32_t v = 0;
    ex_->Device()->GetRenderState(t, v);
    return v;
  }
  std::uint32_t Stage(plat::D3DTEXTURESTAGESTATETYPE t) {
    std::uint32_t v = 0;
    ex_->Device()->GetTextureStageState(0, t, v);
    return v;
  }
  std::uint32_t Rgb(int x, int y) { return At(x, y) & 0xFFFFFF; }
  // The debug log written while `run` runs (Shift-JIS text).
  std::string Log(const std::function<void()>& run) {
    const std::string path = dir_.File("drawex.log");
    VexmoraDebugSystem::TVexmoraDebug::SetDebug(path.c_str(), true, false);
    run();
    VexmoraDebugSystem::TVexmoraDebug::SetDebug(nullptr, false, false);
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  VexmoraDrawSystem::TVexmoraDrawEx* ex_ = nullptr;
  TempDir dir_;
};

}  // namespace kxtest
