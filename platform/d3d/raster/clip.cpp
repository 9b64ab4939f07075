// clip.cpp — frustum clipping in homogeneous space and the viewport mapping
// (pixel centres at integers: x = X + (1 + x/w) W/2, y = Y + (1 - y/w) H/2,
// z = minZ + z/w (maxZ - minZ), rhw = 1/w). Each plane cuts an edge from its
// inside corner, so triangles sharing an edge get the same new corner.
#include <cmath>

#include "raster/pixel.h"
#include "raster/tnl.h"

namespace plat::d3d::raster {
namespace {

// x y z w, diffuse ARGB, specular ARGB (0..255), u v.
constexpr int kF = 14;
struct Corner {
  float f[kF];
};
constexpr int kMaxCorners = 9;  // 3 + one per plane

Corner ToCorner(const ClipVertex& v) {
  const Rgba d = Unpack(v.diffuse), s = Unpack(v.specular);
  return {{v.x, v.y, v.z, v.w, static_cast<float>(d.r), static_cast<float>(d.g),
           static_cast<float>(d.b), static_cast<float>(d.a), static_cast<float>(s.r),
           static_cast<float>(s.g), static_cast<float>(s.b), static_cast<float>(s.a), v.u, v.v}};
}

std::uint32_t Repack(const float* c) {
  const auto ch = [](float v) {
    return static_cast<std::uint32_t>(v > 0.0f ? (v < 255.0f ? v + 0.5f : 255.0f) : 0.0f);
  };
  return ch(c[3]) << 24 | ch(c[0]) << 16 | ch(c[1]) << 8 | ch(c[2]);
}

// Signed distance of a corner to plane p (inside when >= 0).
float Distance(const Corner& c, int p) {
  const float x = c.f[0], y = c.f[1], z = c.f[2], w = c.f[3];
  switch (p) {
    case 0:
      return z;  // near
    case 1:
      return w - z;  // far
    case 2:
      return w + x;
    case 3:
      return w - x;
    case 4:
      return w + y;
    default:
      return w - y;
  }
}

int ClipPlane(const Corner* in, int n, Corner* out, int plane) {
  int m = 0;
  for (int i = 0; i < n; ++i) {
    const Corner& a = in[i];
    const Corner& b = in[(i + 1) % n];
    const float da = Distance(a, plane), db = Distance(b, plane);
    const bool ia = da >= 0.0f, ib = db >= 0.0f;
    if (ia) out[m++] = a;
    if (ia == ib) continue;
    const Corner& from = ia ? a : b;
    const Corner& to = ia ? b : a;
    const float df = ia ? da : db, dt = ia ? db : da;
    const float t = df / (df - dt);
    Corner& r = out[m++];
    for (int k = 0; k < kF; ++k) r.f[k] = from.f[k] + (to.f[k] - from.f[k]) * t;
  }
  return m;
}

TLVertex Project(const Corner& c, const Viewport& vp, const Corner* flatFrom) {
  const float rhw = 1.0f / c.f[3];
  TLVertex t;
  t.x = static_cast<float>(vp.x) + (1.0f + c.f[0] * rhw) * static_cast<float>(vp.width) * 0.5f;
  t.y = static_cast<float>(vp.y) + (1.0f - c.f[1] * rhw) * static_cast<float>(vp.height) * 0.5f;
  t.z = vp.minZ + c.f[2] * rhw * (vp.maxZ - vp.minZ);
  t.rhw = rhw;
  const Corner& colours = flatFrom ? *flatFrom : c;
  t.diffuse = Repack(colours.f + 4);
  t.specular = Repack(colours.f + 8);
  t.u = c.f[12];
  t.v = c.f[13];
  return t;
}

}  // namespace

void ClipAndProject(const TnlState& state, std::span<const ClipVertex> vertices,
                    std::span<const std::uint16_t> indices, std::vector<TLVertex>& out) {
  Corner poly[2][kMaxCorners];
  for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
    const std::size_t ia = indices[i], ib = indices[i + 1], ic = indices[i + 2];
    if (ia >= vertices.size() || ib >= vertices.size() || ic >= vertices.size()) continue;
    poly[0][0] = ToCorner(vertices[ia]);
    poly[0][1] = ToCorner(vertices[ib]);
    poly[0][2] = ToCorner(vertices[ic]);
    const Corner first = poly[0][0];
    const Corner* flatFrom = state.flat ? &first : nullptr;
    int n = 3, cur = 0;
    if (state.clipping) {
      for (int plane = 0; plane < 6 && n >= 3; ++plane) {
        bool all = true;
        for (int k = 0; k < n; ++k) all = all && Distance(poly[cur][k], plane) >= 0.0f;
        if (all) continue;
        n = ClipPlane(poly[cur], n, poly[cur ^ 1], plane);
        cur ^= 1;
      }
      if (n < 3) continue;
      // A corner exactly at w = 0 (all planes met at the eye) cannot be divided.
      bool ok = true;
      for (int k = 0; k < n; ++k) ok = ok && poly[cur][k].f[3] > 0.0f;
      if (!ok) continue;
    } else if (!(poly[0][0].f[3] > 0.0f && poly[0][1].f[3] > 0.0f && poly[0][2].f[3] > 0.0f)) {
      continue;
    }
    const TLVertex v0 = Project(poly[cur][0], state.viewport, flatFrom);
    for (int k = 1; k + 1 < n; ++k) {
      out.push_back(v0);
      out.push_back(Project(poly[cur][k], state.viewport, flatFrom));
      out.push_back(Project(poly[cur][k + 1], state.viewport, flatFrom));
    }
  }
}

}  // namespace plat::d3d::raster
