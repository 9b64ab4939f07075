// bench_draw_scene — frames per second of the draw showcase's scenes on the
// headless backend, drawn by TVexmoraDraw (software blends) and by
// TVexmoraDrawEx (the Direct3D device, here our software rasteriser): a
// 320 x 240 frame with the background, eight 32 x 32 balls, the scene's name
// and the presentation, as the showcase draws it.
//
// Names: <component>/<scene>; components "draw" and "drawex"; scenes 0
// (beNormal), 1 (beTrans), 2 (beAdd), 9 (RotZoomDraw) and "all" (the eleven
// scenes in turn). The "fps" counter is frames per second of CPU time.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "draw/Vxdraw.h"
#include "draw/Vxdrawex.h"
#include "pictures.h"
#include "plat/app.h"
#include "plat/component.h"
#include "plat/exception.h"
#include "plat/headless.h"
#include "scenes.h"

namespace {

using VexmoraDrawSystem::TVexmoraDraw;

constexpr int kAllScenes = -1;

void Frames(benchmark::State& state, bool ex, int scene) {
  plat::headless::Start();
  plat::Form& form = plat::Application::CreateForm({"bench", 320, 240});
  {
    plat::TWinControl owner(form);
    TVexmoraDraw* draw =
        ex ? new VexmoraDrawSystem::TVexmoraDrawEx(&owner) : new TVexmoraDraw(&owner);
    try {
      draw->SetWidth(320);
      draw->SetHeight(240);
      plat::Font font;
      font.size = 12;
      font.color = plat::clWhite;
      draw->SetFont(font);
      draw->Init();
      showcase::RegisterPictures();
      draw->CreateSurface("bg", "bg", 0, 0);
      draw->CreateSurface("balls", "balls", 32, 32);
      int frame = 0;
      for (auto _ : state) {
        const int s = scene == kAllScenes ? frame / 4 % showcase::kScenes : scene;
        showcase::DrawScene(*draw, s, frame++);
      }
    } catch (const plat::Exception& e) {
      state.SkipWithError(e.Message().c_str());
    }
  }
  plat::headless::Stop();
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void Register() {
  for (bool ex : {false, true})
    for (int scene : {0, 1, 2, 9, kAllScenes}) {
      const std::string name = std::string(ex ? "drawex/" : "draw/") +
                               (scene == kAllScenes ? "all" : std::to_string(scene));
      benchmark::RegisterBenchmark(name.c_str(), Frames, ex, scene)->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
