// fx.h — effect painters shared by particles, shots and explosions: fire
// balls with a heat palette, dithered shock rings, four-point stars, glowing
// orbs. All hard-edged; "glow" and fading are done with ordered dither holes.
#pragma once

#include <cstdint>

#include "colour.h"
#include "image.h"

namespace ag {

// Fire colour by heat: 0 dark smoke .. 1 white-hot.
Rgb fireColour(double heat);
// Blue-white variant for the metallic explosion set.
Rgb plasmaColour(double heat);

struct FireStyle {
  double heat = 1.0;     // core heat 0..1
  double ragged = 0.35;  // how much noise bites into the outline
  double holes = 0.0;    // 0..1 share of pixels dropped (break-up and fading)
  double smoke = 0.0;    // 0..1 how far the colour has cooled to smoke
  bool plasma = false;   // blue-white palette instead of fire
  std::uint32_t seed = 1;
};

void fireball(Image& img, double cx, double cy, double radius, const FireStyle& st);
// Ring of the given radius and width; holes as in FireStyle.
void shockRing(Image& img, double cx, double cy, double radius, double width, Rgb inner, Rgb outer,
               double holes, int phase);
// Four-point star; angle in radians; core radius in pixels.
void star4(Image& img, double cx, double cy, double arm, double core, double angle, Rgb tip,
           Rgb mid, Rgb centre);
// Shaded glowing ball: rim, body, hot core and a highlight toward the upper left.
void orb(Image& img, double cx, double cy, double r, Rgb rim, Rgb body, Rgb core);

}  // namespace ag
