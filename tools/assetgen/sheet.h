// sheet.h — a PNG contact sheet of image lists for looking at the art:
// each list is a labelled block of its cells on a dark checkerboard (so the
// transparent black shows as the checkerboard), cells not drawn yet are
// crossed out. Zoom repeats pixels.
#pragma once

#include <string>
#include <vector>

#include "catalog.h"

namespace ag {

// lists empty = every list. Throws std::runtime_error on a write failure.
void writeSheet(const ArtSet& art, const std::vector<std::string>& lists, int zoom,
                const std::string& pngPath);
void writePng(const std::string& path, const Image& img);

}  // namespace ag
