// mesh.cpp — rotations and mesh builders.
#include "mesh.h"

#include <cmath>

namespace ag {

Mat3 Mat3::operator*(const Mat3& o) const {
  Mat3 r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] = 0;
      for (int k = 0; k < 3; ++k) r.m[i][j] += m[i][k] * o.m[k][j];
    }
  return r;
}

Mat3 Mat3::rotX(double a) {
  Mat3 r;
  const double c = std::cos(a), s = std::sin(a);
  r.m[1][1] = c;
  r.m[1][2] = -s;
  r.m[2][1] = s;
  r.m[2][2] = c;
  return r;
}

Mat3 Mat3::rotY(double a) {
  Mat3 r;
  const double c = std::cos(a), s = std::sin(a);
  r.m[0][0] = c;
  r.m[0][2] = -s;
  r.m[2][0] = s;
  r.m[2][2] = c;
  return r;
}

Mat3 Mat3::rotZ(double a) {
  Mat3 r;
  const double c = std::cos(a), s = std::sin(a);
  r.m[0][0] = c;
  r.m[0][1] = -s;
  r.m[1][0] = s;
  r.m[1][1] = c;
  return r;
}

Mat3 Mat3::scaled(double sx, double sy, double sz) {
  Mat3 r;
  r.m[0][0] = sx;
  r.m[1][1] = sy;
  r.m[2][2] = sz;
  return r;
}

void Mesh::addTri(Vec3 a, Vec3 b, Vec3 c, int mat) {
  Vec3 n = normalised(cross(b - a, c - a));
  tris_.push_back({{a, b, c}, {n, n, n}, mat});
}

void Mesh::append(const Mesh& other) {
  tris_.insert(tris_.end(), other.tris_.begin(), other.tris_.end());
}

void Mesh::transform(const Mat3& m, Vec3 offset) {
  // Normals use the inverse transpose; for rotations with axis scaling the
  // reciprocal scale is close enough for shading.
  Mat3 nm = m;
  for (int i = 0; i < 3; ++i) {
    double len2 = m.m[0][i] * m.m[0][i] + m.m[1][i] * m.m[1][i] + m.m[2][i] * m.m[2][i];
    for (int r = 0; r < 3; ++r) nm.m[r][i] = len2 > 0 ? m.m[r][i] / len2 : 0;
  }
  for (Tri& t : tris_)
    for (int k = 0; k < 3; ++k) {
      t.p[k] = m * t.p[k] + offset;
      t.n[k] = normalised(nm * t.n[k]);
    }
}

void Mesh::lathe(const std::vector<std::pair<double, double>>& profile, int segments, int mat,
                 double ry, double rz, Vec3 at) {
  const double pi2 = 6.283185307179586;
  auto point = [&](std::size_t i, int s) {
    const double a = pi2 * s / segments;
    const auto [x, r] = profile[i];
    return Vec3{x, r * std::cos(a) * ry, r * std::sin(a) * rz} + at;
  };
  auto normal = [&](std::size_t i, int s) {
    // Slope of the profile tilts the normal forward or back.
    const std::size_t i0 = i > 0 ? i - 1 : i, i1 = i + 1 < profile.size() ? i + 1 : i;
    const double dx = profile[i1].first - profile[i0].first;
    const double dr = profile[i1].second - profile[i0].second;
    const double a = pi2 * s / segments;
    return normalised({-dr, dx * std::cos(a) / ry, dx * std::sin(a) / rz});
  };
  for (std::size_t i = 0; i + 1 < profile.size(); ++i)
    for (int s = 0; s < segments; ++s) {
      Vec3 a = point(i, s), b = point(i + 1, s), c = point(i + 1, s + 1), d = point(i, s + 1);
      Vec3 na = normal(i, s), nb = normal(i + 1, s), nc = normal(i + 1, s + 1),
           nd = normal(i, s + 1);
      tris_.push_back({{a, b, c}, {na, nb, nc}, mat});
      tris_.push_back({{a, c, d}, {na, nc, nd}, mat});
    }
  // Cap the back end when it has a radius (a flat base).
  if (profile.front().second > 0.01) {
    const Vec3 centre = Vec3{profile.front().first, 0, 0} + at;
    for (int s = 0; s < segments; ++s) {
      Vec3 n{-1, 0, 0};
      tris_.push_back({{centre, point(0, s + 1), point(0, s)}, {n, n, n}, mat});
    }
  }
}

void Mesh::ellipsoid(Vec3 c, Vec3 r, int segments, int mat) {
  std::vector<std::pair<double, double>> prof;
  const int rings = segments / 2;
  for (int i = 0; i <= rings; ++i) {
    const double a = 3.141592653589793 * i / rings;
    prof.push_back({-std::cos(a) * r.x, std::sin(a)});
  }
  lathe(prof, segments, mat, r.y, r.z, c);
}

void Mesh::extrudeXY(const std::vector<std::pair<double, double>>& o, double z0, double z1,
                     int mat) {
  const std::size_t n = o.size();
  for (std::size_t i = 1; i + 1 < n; ++i) {
    addTri({o[0].first, o[0].second, z1}, {o[i].first, o[i].second, z1},
           {o[i + 1].first, o[i + 1].second, z1}, mat);
    addTri({o[0].first, o[0].second, z0}, {o[i + 1].first, o[i + 1].second, z0},
           {o[i].first, o[i].second, z0}, mat);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const auto& a = o[i];
    const auto& b = o[(i + 1) % n];
    Vec3 p0{a.first, a.second, z0}, p1{b.first, b.second, z0}, p2{b.first, b.second, z1},
        p3{a.first, a.second, z1};
    addTri(p0, p1, p2, mat);
    addTri(p0, p2, p3, mat);
  }
}

void Mesh::extrudeXZ(const std::vector<std::pair<double, double>>& o, double y0, double y1,
                     int mat) {
  Mesh m;
  // Build as an x-y slab, then turn the y axis into z.
  m.extrudeXY(o, y0, y1, mat);
  Mat3 swap;
  swap.m[1][1] = 0;
  swap.m[1][2] = 1;
  swap.m[2][1] = 1;
  swap.m[2][2] = 0;
  m.transform(swap);
  // The swap mirrors handedness; flip windings so normals still face out.
  for (Tri t : m.tris()) {
    std::swap(t.p[1], t.p[2]);
    std::swap(t.n[1], t.n[2]);
    tris_.push_back(t);
  }
}

void Mesh::box(Vec3 lo, Vec3 hi, int mat) {
  extrudeXY({{lo.x, lo.y}, {hi.x, lo.y}, {hi.x, hi.y}, {lo.x, hi.y}}, lo.z, hi.z, mat);
}

}  // namespace ag
