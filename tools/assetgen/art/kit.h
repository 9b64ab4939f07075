// kit.h — shared parts for the pre-rendered enemies and bosses: an enemy
// palette (hull, accent, dark metal, glowing lamps, canopy, bright metal),
// the camera used for every enemy (seen from slightly above), mirrored wing
// pairs and common bodies. Models face +x; a yaw of 180 degrees faces them
// left, toward the player.
#pragma once

#include <vector>

#include "draw.h"
#include "mesh.h"
#include "render3d.h"

namespace ag {

constexpr double kDegToRad = 3.14159265358979323846 / 180;

enum KitMat { kHull = 0, kAccent, kMetal, kGlow, kCanopy, kBright };

std::vector<Material> kitMaterials(Rgb hull, Rgb accent, Rgb glow = Rgb{255, 120, 40});

// Camera: model rolled, pitched and yawed (degrees), then seen from
// `elevation` degrees above.
Mat3 kitView(double yaw, double pitch = 0, double roll = 0, double elevation = 22);

// Renders into a w x h cell with the model origin at the cell centre.
Image kitRender(const Mesh& m, const std::vector<Material>& mats, int w, int h, const Mat3& rot,
                double scale = 1.0, double brightness = 1.0);

// Plan-view outline (x, z) extruded between y0 and y1, and its mirror in z.
void wingPair(Mesh& m, const std::vector<std::pair<double, double>>& plan, double y0, double y1,
              int mat);
// Pointed fuselage of the given length (centred on the origin) and radius.
void fuselage(Mesh& m, double len, double radius, int mat, double ry = 0.85, Vec3 at = {});
// A missile or torpedo along x: body, nose cone and four tail fins.
void missileBody(Mesh& m, double len, double radius, int bodyMat, int noseMat, int finMat);

// Engine flame from (x, y) in the picture, pointing left (dir -1) or right
// (dir +1); length and radius in pixels; odd flicker values narrow it.
void flame(Image& img, double x, double y, double len, double radius, Rgb outer, Rgb inner,
           int flicker, int dir = -1);

}  // namespace ag
