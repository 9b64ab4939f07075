// render3d.h — renders a Mesh into a sprite: orthographic, z-buffered,
// smooth-shaded with one key light, quantised to each material's six-tone
// ramp, with a dark line where a near part overlaps a far one and a
// near-black silhouette outline. Triangles are lit on the side that faces the
// viewer, so winding does not matter.
#pragma once

#include <vector>

#include "colour.h"
#include "image.h"
#include "mesh.h"

namespace ag {

struct Material {
  Ramp6 ramp{};
  double ambient = 0.22;
  double specular = 0.3;
  bool emissive = false;  // lit from within: brightest where it faces the viewer
  bool dither = false;    // ordered dither between ramp tones
  double panel = 0;       // > 0: plate seams every `panel` model units (one tone darker)
};

struct RenderOpts {
  int w = 64, h = 64;
  double cx = 32, cy = 32;  // screen position of the model origin
  double scale = 1.0;       // pixels per model unit
  Mat3 rot;                 // model to view rotation
  double edgeDepth = 2.5;   // depth step (pixels) that draws a crease line
  bool outline = true;
  Rgb ink = kInk;
  double brightness = 1.0;  // multiplies the light level before quantising
};

Image renderMesh(const Mesh& mesh, const std::vector<Material>& mats, const RenderOpts& o);

}  // namespace ag
