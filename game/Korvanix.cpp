// Korvanix.cpp — the program: the game in a real window.
//
// The data folders (bmp/, wav/, mid/) are found in the working directory, or
// else in the folder the build put them in.
#include <cstdio>
#include <filesystem>

#include "game/Kx_main.h"
#include "plat/sdl.h"

int main() {
  if (const std::string why = plat::sdl::Start(); !why.empty()) {
    std::fprintf(stderr, "korvanix: cannot open the display: %s\n", why.c_str());
    return 1;
  }
  kx::GameOptions options;
  if (!std::filesystem::exists("bmp")) options.dataDir = KX_DEFAULT_DATA_DIR;
  const int status = kx::RunGame(options);
  plat::sdl::Stop();
  return status;
}
