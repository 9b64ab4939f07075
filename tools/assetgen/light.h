// light.h — light and surface helpers shared by the backgrounds and sprites:
// one light from the upper left, Lambert diffuse plus a small specular term.
#pragma once

#include <cmath>

namespace ag {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double k) {
  return {a.x * k, a.y * k, a.z * k};
}
inline double dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Vec3 normalised(Vec3 a) {
  double l = std::sqrt(dot(a, a));
  return l > 0 ? a * (1.0 / l) : Vec3{0, 0, 1};
}

// Screen y grows downward; the key light comes from the upper left, in front.
inline Vec3 keyLight() {
  return normalised({-0.55, -0.6, 0.58});
}

// Brightness in 0..1 of a surface normal (screen space, z toward the viewer).
inline double lightLevel(Vec3 n, double ambient = 0.18, double specular = 0.35,
                         Vec3 l = keyLight()) {
  n = normalised(n);
  double d = std::max(0.0, dot(n, l));
  Vec3 h = normalised(l + Vec3{0, 0, 1});
  double s = std::pow(std::max(0.0, dot(n, h)), 24.0);
  return std::min(1.0, ambient + (1.0 - ambient) * d * 0.9 + specular * s);
}

// Normal of a height field h(x, y) from its gradient.
inline Vec3 heightNormal(double dhdx, double dhdy, double strength = 1.0) {
  return normalised({-dhdx * strength, -dhdy * strength, 1.0});
}

}  // namespace ag
