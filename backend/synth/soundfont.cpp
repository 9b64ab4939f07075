// soundfont.cpp — the soundfont search: preferred GM names first (the same
// font on every machine that has it), then anything usable, in name order so
// the choice is stable.
#include "synth/soundfont.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace plat::synth {

std::string FindSoundfont() {
  namespace fs = std::filesystem;
  static const std::array<const char*, 3> kFolders{"/usr/share/sounds/sf2", "/usr/share/sounds/sf3",
                                                   "/usr/share/soundfonts"};
  static const std::array<const char*, 5> kPreferred{"default-GM.sf2", "FluidR3_GM.sf2",
                                                     "default-GM.sf3", "MuseScore_General.sf3",
                                                     "MuseScore_General_Lite.sf3"};
  std::error_code ec;
  for (const char* name : kPreferred)
    for (const char* folder : kFolders)
      if (fs::is_regular_file(fs::path(folder) / name, ec))
        return (fs::path(folder) / name).string();
  std::vector<std::string> any;
  for (const char* folder : kFolders) {
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string ext = it->path().extension().string();
      if ((ext == ".sf2" || ext == ".sf3") && it->is_regular_file(ec)) any.push_back(it->path());
    }
  }
  std::ranges::sort(any);
  return any.empty() ? std::string() : any.front();
}

}  // namespace plat::synth
