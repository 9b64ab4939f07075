// kit.cpp — shared enemy parts.
#include "art/kit.h"

#include <cmath>

namespace ag {

std::vector<Material> kitMaterials(Rgb hull, Rgb accent, Rgb glow) {
  std::vector<Material> m(6);
  m[kHull].ramp = makeRamp(hull);
  m[kAccent].ramp = makeRamp(accent);
  m[kMetal].ramp = makeRamp(Rgb{92, 96, 116});
  m[kGlow].ramp = makeRamp(glow);
  m[kGlow].emissive = true;
  m[kCanopy].ramp = makeRamp(Rgb{250, 190, 60});
  m[kCanopy].specular = 0.9;
  m[kBright].ramp = makeRamp(Rgb{186, 190, 206});
  return m;
}

Mat3 kitView(double yaw, double pitch, double roll, double elevation) {
  return Mat3::rotX(elevation * kDegToRad) * Mat3::rotY(yaw * kDegToRad) *
         Mat3::rotZ(pitch * kDegToRad) * Mat3::rotX(roll * kDegToRad);
}

Image kitRender(const Mesh& m, const std::vector<Material>& mats, int w, int h, const Mat3& rot,
                double scale, double brightness) {
  RenderOpts o;
  o.w = w;
  o.h = h;
  o.cx = w / 2.0;
  o.cy = h / 2.0;
  o.rot = rot;
  o.scale = scale;
  o.brightness = brightness;
  o.edgeDepth = 2.0 * scale;
  return renderMesh(m, mats, o);
}

void wingPair(Mesh& m, const std::vector<std::pair<double, double>>& plan, double y0, double y1,
              int mat) {
  m.extrudeXZ(plan, y0, y1, mat);
  std::vector<std::pair<double, double>> mirrored;
  for (auto [x, z] : plan) mirrored.push_back({x, -z});
  m.extrudeXZ(mirrored, y0, y1, mat);
}

void fuselage(Mesh& m, double len, double r, int mat, double ry, Vec3 at) {
  const double h = len / 2;
  m.lathe({{-h, r * 0.7}, {-h * 0.7, r}, {h * 0.2, r}, {h * 0.65, r * 0.6}, {h, 0}}, 14, mat, ry,
          1.0, at);
}

void missileBody(Mesh& m, double len, double r, int bodyMat, int noseMat, int finMat) {
  const double h = len / 2;
  m.lathe({{-h, r * 0.8}, {-h + 1, r}, {h * 0.45, r}}, 10, bodyMat);
  m.lathe({{h * 0.45, r}, {h * 0.8, r * 0.6}, {h, 0}}, 10, noseMat);
  m.extrudeXY({{-h, -r * 2.2}, {-h + len * 0.25, -r}, {-h + len * 0.25, r}, {-h, r * 2.2}}, -0.5,
              0.5, finMat);
  m.extrudeXZ({{-h, -r * 2.2}, {-h + len * 0.25, -r}, {-h + len * 0.25, r}, {-h, r * 2.2}}, -0.5,
              0.5, finMat);
}

void flame(Image& img, double x, double y, double len, double radius, Rgb outer, Rgb inner,
           int flicker, int dir) {
  for (int py = static_cast<int>(y - radius - 1); py <= y + radius + 1; ++py)
    for (int px = static_cast<int>(x - len - 2); px <= x + len + 2; ++px) {
      const double dx = (dir < 0 ? x - (px + 0.5) : px + 0.5 - x), dy = std::abs(py + 0.5 - y);
      if (dx < -1 || dx > len) continue;
      const double t = std::max(0.0, dx) / len;
      const double rad = radius * (1 - t * t) * (flicker % 2 ? 0.85 : 1.0) + 0.4;
      if (dy > rad) continue;
      const double q = dy / rad;
      if (img.opaque(px, py) && dx < 0.5) continue;  // keep the nozzle rim
      img.set(px, py, q < 0.4 && t < 0.6 ? Rgb{255, 255, 230} : q < 0.7 ? inner : outer);
    }
}

}  // namespace ag
