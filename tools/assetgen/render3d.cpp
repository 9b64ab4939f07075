// render3d.cpp — triangle rasteriser and shading.
#include "render3d.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "draw.h"

namespace ag {

Image renderMesh(const Mesh& mesh, const std::vector<Material>& mats, const RenderOpts& o) {
  const std::size_t n = static_cast<std::size_t>(o.w) * o.h;
  std::vector<double> depth(n, -std::numeric_limits<double>::infinity());
  std::vector<Vec3> normal(n), modelPos(n);
  std::vector<int> mat(n, -1);
  for (const Tri& t : mesh.tris()) {
    Vec3 s[3], nv[3];
    for (int k = 0; k < 3; ++k) {
      Vec3 q = o.rot * t.p[k];
      s[k] = {o.cx + q.x * o.scale, o.cy - q.y * o.scale, q.z * o.scale};
      nv[k] = o.rot * t.n[k];
    }
    const double area =
        (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[2].x - s[0].x) * (s[1].y - s[0].y);
    if (std::abs(area) < 1e-9) continue;
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({s[0].x, s[1].x, s[2].x}))));
    const int x1 =
        std::min(o.w - 1, static_cast<int>(std::ceil(std::max({s[0].x, s[1].x, s[2].x}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({s[0].y, s[1].y, s[2].y}))));
    const int y1 =
        std::min(o.h - 1, static_cast<int>(std::ceil(std::max({s[0].y, s[1].y, s[2].y}))));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const double px = x + 0.5, py = y + 0.5;
        double w0 = (s[1].x - px) * (s[2].y - py) - (s[2].x - px) * (s[1].y - py);
        double w1 = (s[2].x - px) * (s[0].y - py) - (s[0].x - px) * (s[2].y - py);
        double w2 = (s[0].x - px) * (s[1].y - py) - (s[1].x - px) * (s[0].y - py);
        w0 /= area;
        w1 /= area;
        w2 /= area;
        if (w0 < -1e-6 || w1 < -1e-6 || w2 < -1e-6) continue;
        const double z = w0 * s[0].z + w1 * s[1].z + w2 * s[2].z;
        const std::size_t i = static_cast<std::size_t>(y) * o.w + x;
        if (z <= depth[i]) continue;
        depth[i] = z;
        normal[i] = nv[0] * w0 + nv[1] * w1 + nv[2] * w2;
        modelPos[i] = t.p[0] * w0 + t.p[1] * w1 + t.p[2] * w2;
        mat[i] = t.mat;
      }
  }
  Image img(o.w, o.h);
  for (int y = 0; y < o.h; ++y)
    for (int x = 0; x < o.w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * o.w + x;
      if (mat[i] < 0) continue;
      const Material& m = mats.at(static_cast<std::size_t>(mat[i]));
      Vec3 nn = normalised(normal[i]);
      if (nn.z < 0) nn = nn * -1.0;
      double lit = m.emissive ? 0.45 + 0.55 * nn.z : lightLevel(nn, m.ambient, m.specular);
      lit = std::clamp(lit * o.brightness, 0.0, 1.0);
      if (m.panel > 0) {
        // Seams on the two model axes that face the viewer most.
        const Vec3 p = modelPos[i];
        auto seam = [&](double v) {
          const double f = std::fmod(std::abs(v) + 0.3, m.panel);
          return f < 0.75;
        };
        const Vec3 mn = normalised(normal[i]);
        bool onSeam = false;
        if (std::abs(mn.x) < 0.8 && seam(p.x)) onSeam = true;
        if (std::abs(mn.y) < 0.8 && seam(p.y * 1.3)) onSeam = true;
        if (onSeam) lit -= 1.0 / 6.0;
      }
      lit = std::clamp(lit, 0.0, 1.0);
      img.set(x, y, m.dither ? pickDither(m.ramp, lit, x, y) : pick(m.ramp, lit));
    }
  // Crease lines: a far pixel next to a much nearer one takes the darkest tone.
  Image shaded = img;
  for (int y = 0; y < o.h; ++y)
    for (int x = 0; x < o.w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * o.w + x;
      if (mat[i] < 0) continue;
      bool crease = false;
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        const int nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= o.w || ny >= o.h) continue;
        const std::size_t j = static_cast<std::size_t>(ny) * o.w + nx;
        if (mat[j] >= 0 && depth[j] - depth[i] > o.edgeDepth) crease = true;
      }
      if (crease) img.set(x, y, mats.at(static_cast<std::size_t>(mat[i])).ramp[0]);
    }
  if (o.outline) outline(img, o.ink);
  return img;
}

}  // namespace ag
