// main.cpp — assetgen: draws the game's pictures and makes its sounds and
// songs, the same bytes every run.
//   assetgen --out DIR            DIR/bmp/<name>.bmp, DIR/form/<List>.bmp,
//                                 DIR/wav/<effect>.wav, DIR/mid/KX0nSTD.mid
//   assetgen --sheet FILE.png [--lists IL74,BK] [--zoom N]
//                                 contact sheet for looking at the art
// Both may be given together. Exit status 1 on any error.
#include <cstdio>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "art.h"
#include "audio/output.h"
#include "sheet.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: assetgen [--out DIR] [--sheet FILE.png [--lists A,B] [--zoom N]]\n");
  return 1;
}

std::vector<std::string> splitList(const std::string& s) {
  std::vector<std::string> out;
  std::stringstream in(s);
  for (std::string item; std::getline(in, item, ',');)
    if (!item.empty()) out.push_back(item);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir, sheetPath;
  std::vector<std::string> lists;
  int zoom = 1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (i + 1 >= argc) return usage();
    std::string v = argv[++i];
    if (a == "--out") {
      outDir = v;
    } else if (a == "--sheet") {
      sheetPath = v;
    } else if (a == "--lists") {
      lists = splitList(v);
    } else if (a == "--zoom") {
      zoom = std::stoi(v);
      if (zoom < 1 || zoom > 8) return usage();
    } else {
      return usage();
    }
  }
  if (outDir.empty() && sheetPath.empty()) return usage();
  try {
    ag::ArtSet art = ag::drawAll();
    if (!sheetPath.empty()) ag::writeSheet(art, lists, zoom, sheetPath);
    if (!outDir.empty()) {
      int n = ag::writeArtSet(art, outDir);
      n += ag::audio::writeSounds(outDir);
      n += ag::audio::writeSongs(outDir);
      std::printf("assetgen: %d files written to %s\n", n, outDir.c_str());
      std::vector<std::string> missing = art.missing();
      if (!missing.empty()) {
        // The game refuses to start without every picture.
        std::fprintf(stderr, "assetgen: %zu cells not drawn (first: %s)\n", missing.size(),
                     missing.front().c_str());
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
