// art.h — the picture groups. Each group draws a fixed set of cells into the
// ArtSet and uses its own random seed, so groups do not disturb each other.
#pragma once

#include <vector>

#include "catalog.h"

namespace ag {

struct ArtGroup {
  const char* name;
  void (*draw)(ArtSet&);
};

// In drawing order (later groups may copy cells drawn by earlier ones).
const std::vector<ArtGroup>& artGroups();

// Runs every group.
ArtSet drawAll();

}  // namespace ag
