// pictures.h — the viewer's textures, drawn in code and registered as
// module bitmap resources under the names the models and sprites use:
// "plates.bmp" (hull plating), "checker.bmp" (a shaded checkerboard),
// "chrome.bmp" (sky over ground, for environment mapping) and "glow.bmp"
// (two 32 × 32 sprite patterns on black: a soft spark, a four-point star).
//
// Black becomes transparent in textures with alpha, so the opaque pictures
// keep every texel at least slightly lit.
#pragma once

namespace viewer {

void RegisterPictures();

}  // namespace viewer
