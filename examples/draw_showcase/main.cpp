// draw_showcase — TVexmoraDraw (or TVexmoraDrawEx, drawing through the
// Direct3D device) in action: generated pictures drawn with every blend
// effect, the wind, zoom and rotation, each scene named on screen with
// TextOutA.
//
//   draw_showcase [--ex]                    a real window; Escape quits
//   draw_showcase [--ex] --shot FILE        a real window for 130 frames,
//                                           then a PNG of what it shows
//   draw_showcase [--ex] --headless DIR [N] no window: N frames per scene
//                                           (default 3), the last of each
//                                           saved as DIR/scene-XX.png
//
// --ex selects TVexmoraDrawEx; both draw the same scenes.
// Exit status 0, or 1 with the engine's message on stderr.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "draw/Vxdraw.h"
#include "draw/Vxdrawex.h"
#include "pictures.h"
#include "plat/app.h"
#include "plat/component.h"
#include "plat/exception.h"
#include "plat/headless.h"
#include "plat/sdl.h"
#include "scenes.h"

namespace {

using VexmoraDrawSystem::TVexmoraDraw;

bool g_ex = false;  // --ex: the accelerated component

TVexmoraDraw* NewDraw(plat::TComponent* owner) {
  if (g_ex) return new VexmoraDrawSystem::TVexmoraDrawEx(owner);
  return new TVexmoraDraw(owner);
}

void Setup(TVexmoraDraw& draw) {
  draw.SetWidth(320);
  draw.SetHeight(240);
  plat::Font font;
  font.size = 12;
  font.color = plat::clWhite;
  draw.SetFont(font);
  draw.Init();
  showcase::RegisterPictures();
  draw.CreateSurface("bg", "bg", 0, 0);
  draw.CreateSurface("balls", "balls", 32, 32);
}

int Headless(const std::string& dir, int frames) {
  auto& control = plat::headless::Start();
  plat::Form& form = plat::Application::CreateForm({"draw_showcase", 320, 240});
  std::filesystem::create_directories(dir);
  int status = 0;
  {
    plat::TWinControl owner(form);
    TVexmoraDraw* draw = NewDraw(&owner);
    try {
      Setup(*draw);
      for (int s = 0; s < showcase::kScenes; ++s) {
        for (int f = 0; f < frames; ++f) {
          showcase::DrawScene(*draw, s, f);
          control.StepFrames(1);
        }
        char name[32];
        std::snprintf(name, sizeof name, "/scene-%02d.png", s);
        if (const std::string why = plat::SavePng(control.Screen(), dir + name); !why.empty()) {
          std::fprintf(stderr, "%s\n", why.c_str());
          status = 1;
        }
      }
    } catch (const plat::Exception& e) {
      std::fprintf(stderr, "%s\n", e.Message().c_str());
      status = 1;
    }
  }
  plat::headless::Stop();
  return status;
}

int Window(const std::string& shot) {
  if (const std::string why = plat::sdl::Start(); !why.empty()) {
    std::fprintf(stderr, "draw_showcase: cannot open the display: %s\n", why.c_str());
    return 1;
  }
  plat::Application::SetTitle("draw_showcase");
  plat::Form& form = plat::Application::CreateForm({"draw_showcase", 320, 240});
  form.OnKey = [&form](std::uint16_t vk, bool down) {
    if (down && vk == plat::VK_ESCAPE) form.Close();
  };
  int status = 0;
  {
    plat::TWinControl owner(form);
    TVexmoraDraw* draw = NewDraw(&owner);
    try {
      Setup(*draw);
      int frame = 0;
      plat::Application::SetIdle([&](bool& done) {
        done = false;
        try {
          showcase::DrawScene(*draw, frame / 120 % showcase::kScenes, frame);
          draw->WaitVSync();
          if (++frame == 130 && !shot.empty()) {
            if (const std::string why = plat::sdl::SaveWindowPng(shot); !why.empty()) {
              std::fprintf(stderr, "%s\n", why.c_str());
              status = 1;
            }
            form.Close();
          }
        } catch (const plat::Exception& e) {
          std::fprintf(stderr, "%s\n", e.Message().c_str());
          status = 1;
          form.Close();
        }
      });
      plat::Application::Run();
    } catch (const plat::Exception& e) {
      std::fprintf(stderr, "%s\n", e.Message().c_str());
      status = 1;
    }
  }
  plat::Application::Shutdown();
  plat::sdl::Stop();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--ex") {
    g_ex = true;
    --argc;
    ++argv;
  }
  if (argc >= 3 && std::string(argv[1]) == "--headless")
    return Headless(argv[2], argc >= 4 ? std::max(1, std::atoi(argv[3])) : 3);
  if (argc == 3 && std::string(argv[1]) == "--shot") return Window(argv[2]);
  if (argc != 1) {
    std::fprintf(stderr, "usage: draw_showcase [--ex] [--headless DIR [FRAMES] | --shot FILE]\n");
    return 2;
  }
  return Window("");
}
