// mesh.h — tiny triangle meshes for pre-rendered sprites. Units are
// pixels at scale 1; x points forward (right on screen), y up, z toward the
// viewer. Builders make bodies of revolution (smooth normals), extruded side
// profiles and flat plates (faceted).
#pragma once

#include <vector>

#include "light.h"

namespace ag {

struct Tri {
  Vec3 p[3];
  Vec3 n[3];  // vertex normals (equal for faceted parts)
  int mat = 0;
};

struct Mat3 {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Vec3 operator*(Vec3 v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
  Mat3 operator*(const Mat3& o) const;
  static Mat3 rotX(double a);  // roll: top tilts toward the viewer for a > 0
  static Mat3 rotY(double a);  // yaw: nose turns toward the viewer for a > 0
  static Mat3 rotZ(double a);  // pitch: nose up for a > 0
  static Mat3 scaled(double sx, double sy, double sz);
};

class Mesh {
 public:
  const std::vector<Tri>& tris() const { return tris_; }
  void addTri(Vec3 a, Vec3 b, Vec3 c, int mat);  // faceted
  void add(const Tri& t) { tris_.push_back(t); }
  void append(const Mesh& other);
  // Applies m then moves by offset (normals rotate with m, then renormalise).
  void transform(const Mat3& m, Vec3 offset = {});

  // Body of revolution around the x axis: profile (x, radius) pairs from back
  // to front; ry/rz scale the radius vertically and in depth.
  void lathe(const std::vector<std::pair<double, double>>& profile, int segments, int mat,
             double ry = 1.0, double rz = 1.0, Vec3 at = {});
  void ellipsoid(Vec3 centre, Vec3 radii, int segments, int mat);
  // A convex outline in the x-y plane extruded from z0 to z1 (side profile).
  void extrudeXY(const std::vector<std::pair<double, double>>& outline, double z0, double z1,
                 int mat);
  // A convex outline in the x-z plane (plan view) extruded from y0 to y1: wings.
  void extrudeXZ(const std::vector<std::pair<double, double>>& outline, double y0, double y1,
                 int mat);
  void box(Vec3 lo, Vec3 hi, int mat);

 private:
  std::vector<Tri> tris_;
};

}  // namespace ag
