// model_viewer — two models built in code (a ship with a translucent canopy
// and engine glow, interlocked checkered and chrome rings), written to model
// files, loaded back through TVexmora3D and shown turning under the default
// light among additive star and spark sprites.
//
//   model_viewer                     a real 320 × 240 window; Escape quits
//   model_viewer --shot FILE         a real window for 40 frames, then a PNG
//                                    of what it shows
//   model_viewer --headless DIR [N]  no window: N frames (default 60), every
//                                    15th saved as DIR/frame-XX.png (XX the
//                                    frame number); models go to DIR too
//
// Exit status 0, or 1 with the engine's message on stderr.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "3d/Vx3d.h"
#include "plat/app.h"
#include "plat/component.h"
#include "plat/exception.h"
#include "plat/headless.h"
#include "plat/sdl.h"
#include "scene.h"

namespace {

using Vexmora3DSystem::TVexmora3D;

constexpr int kShotFrame = 40;
constexpr int kSaveEvery = 15;

int Report(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  return 1;
}

int Headless(const std::string& dir, int frames) {
  plat::headless::Control& control = plat::headless::Start();
  plat::Form& form =
      plat::Application::CreateForm({"model_viewer", viewer::kWidth, viewer::kHeight});
  int status = 0;
  {
    plat::TWinControl owner(form);
    auto* d3d = new TVexmora3D(&owner);  // the owner deletes it
    try {
      viewer::Setup(*d3d, dir);
      for (int f = 0; f < frames && status == 0; ++f) {
        viewer::DrawFrame(*d3d, f);
        control.StepFrames(1);
        if (f % kSaveEvery != 0) continue;
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%02d.png", f);
        if (const std::string why = plat::SavePng(control.Screen(), dir + name); !why.empty())
          status = Report(why);
      }
    } catch (const plat::Exception& e) {
      status = Report(e.Message());
    }
  }
  plat::headless::Stop();
  return status;
}

int Window(const std::string& shot) {
  if (const std::string why = plat::sdl::Start(); !why.empty())
    return Report("model_viewer: no display: " + why);
  plat::Application::SetTitle("model_viewer");
  plat::Form& form =
      plat::Application::CreateForm({"model_viewer", viewer::kWidth, viewer::kHeight});
  form.OnKey = [&form](std::uint16_t vk, bool down) {
    if (down && vk == plat::VK_ESCAPE) form.Close();
  };
  int status = 0;
  {
    plat::TWinControl owner(form);
    auto* d3d = new TVexmora3D(&owner);
    try {
      viewer::Setup(*d3d, (std::filesystem::temp_directory_path() / "model_viewer").string());
      int frame = 0;
      plat::Application::SetIdle([&](bool& done) {
        done = false;
        try {
          viewer::DrawFrame(*d3d, frame);
          d3d->WaitVSync();
          if (++frame == kShotFrame && !shot.empty()) {
            if (const std::string why = plat::sdl::SaveWindowPng(shot); !why.empty())
              status = Report(why);
            form.Close();
          }
        } catch (const plat::Exception& e) {
          status = Report(e.Message());
          form.Close();
        }
      });
      plat::Application::Run();
    } catch (const plat::Exception& e) {
      status = Report(e.Message());
    }
  }
  plat::Application::Shutdown();
  plat::sdl::Stop();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc >= 2 ? argv[1] : "";
  if (mode == "--headless" && (argc == 3 || argc == 4))
    return Headless(argv[2], argc == 4 ? std::max(1, std::atoi(argv[3])) : 60);
  if (mode == "--shot" && argc == 3) return Window(argv[2]);
  if (argc == 1) return Window("");
  std::fprintf(stderr, "usage: model_viewer [--headless DIR [FRAMES] | --shot FILE]\n");
  return 2;
}
