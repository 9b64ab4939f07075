// bk_fortress.cpp — BK_03, stage 3 and the ending: the enemy fortress. A
// plated ceiling and floor run along the strip, built from modules (towers,
// vents, pipe runs, window rows, hazard-striped lips) whose edges step with
// 45-degree chamfers. The hull darkens toward the screen edges, so the HUD
// bands stay quiet, and the middle of the strip is left to the stars except
// for a few far, unlit pylons.
#include <algorithm>
#include <cmath>
#include <vector>

#include "art/bk_common.h"
#include "art/groups.h"
#include "draw.h"

namespace ag {
namespace {

enum class Module { Plain, Vents, Windows, Pipes, Tower, Hazard };

struct Segment {
  int x0, width, depth;
  Module kind;
};

std::vector<Segment> layout(Rng& rng, int baseDepth) {
  std::vector<Segment> segs;
  int x = 0;
  while (x < kBkW) {
    int w = rng.range(5, 14) * 8;
    if (kBkW - x < 48)
      w = kBkW - x;  // last module closes the loop exactly
    else if (kBkW - x - w < 40)
      w = kBkW - x;
    Module kind = static_cast<Module>(rng.range(0, 5));
    int depth = baseDepth + rng.range(-6, 8);
    if (kind == Module::Tower) depth += rng.range(22, 38);
    if (kind == Module::Windows || kind == Module::Pipes) depth += rng.range(4, 12);
    segs.push_back({x, w, depth, kind});
    x += w;
  }
  return segs;
}

// Edge depth per column with 45-degree chamfers between modules.
std::vector<int> profile(const std::vector<Segment>& segs) {
  std::vector<int> d(kBkW);
  for (const Segment& s : segs)
    for (int x = s.x0; x < s.x0 + s.width; ++x) d[static_cast<std::size_t>(x)] = s.depth;
  for (bool changed = true; changed;) {
    changed = false;
    for (int x = 0; x < kBkW; ++x) {
      int l = d[static_cast<std::size_t>((x + kBkW - 1) % kBkW)];
      int r = d[static_cast<std::size_t>((x + 1) % kBkW)];
      int lim = std::min(l, r) + 1;
      if (d[static_cast<std::size_t>(x)] > lim) {
        d[static_cast<std::size_t>(x)] = lim;
        changed = true;
      }
    }
  }
  return d;
}

const Segment& segmentAt(const std::vector<Segment>& segs, int x) {
  for (const Segment& s : segs)
    if (x >= s.x0 && x < s.x0 + s.width) return s;
  return segs.back();
}

const Ramp<7> kHull = {Rgb{16, 16, 30},  Rgb{28, 28, 46},  Rgb{42, 42, 64},   Rgb{56, 58, 82},
                       Rgb{72, 74, 100}, Rgb{92, 94, 122}, Rgb{118, 122, 150}};

// Brightness of one hull pixel. `d` = pixels from the open edge into the
// hull, `edgeFacesUp` for the floor.
double hullTone(const Segment& s, int x, int y, int d, int depthHere, int slope, bool edgeFacesUp) {
  const int lx = x - s.x0;
  double t = 0.52;
  // Plates: 24 x 12 with a light top-left rim and a dark bottom-right rim.
  const int px = (lx + (y / 12) * 8) % 24, py = (y + 300) % 12;
  if (py == 0 || px == 0) t += 0.16;
  if (py == 11 || px == 23) t -= 0.2;
  if (lx == 0 || lx == s.width - 1) t -= 0.25;  // module seam
  // The lip along the open edge: lit when it faces up, shaded when down.
  if (d < 3) {
    t = edgeFacesUp ? 0.92 - d * 0.12 : 0.22 + d * 0.06;
    if (slope != 0) t += (slope < 0) == edgeFacesUp ? 0.1 : -0.1;
  } else if (d < 5) {
    t -= 0.18;
  }
  switch (s.kind) {
    case Module::Vents:
      if (d > 6 && d < depthHere - 6 && lx > 6 && lx < s.width - 6 && (d % 4 == 0)) t = 0.08;
      break;
    case Module::Windows:
      if (d >= 7 && d <= 8 && lx % 10 >= 3 && lx % 10 <= 5) return 1.5;  // lit window row
      if (d == 6 || d == 9) t -= 0.15;
      break;
    case Module::Pipes:
      if (d >= 5 && d < 13) {
        int k = (d - 5) % 4;  // two pipes, each 4 pixels thick, shaded as cylinders
        t = k == 0 ? 0.42 : k == 1 ? 0.82 : k == 2 ? 0.6 : 0.3;
        if (lx % 32 == 16 || lx % 32 == 17) t = 0.25;  // clamp rings
      }
      break;
    case Module::Hazard:
      if (d >= 3 && d < 7) return ((lx + d) / 4) % 2 ? 2.0 : 0.1;
      break;
    case Module::Tower:
      if (d > 8 && lx > 8 && lx < s.width - 8 && (lx - 8) % 12 < 2) t -= 0.22;  // ribs
      break;
    case Module::Plain: {
      // A round hatch in the middle of the module.
      const double hx = lx - s.width / 2.0 + 0.5, hy = d - 12.5;
      const double r = std::hypot(hx, hy);
      if (depthHere > 26 && r < 7) {
        if (r > 5.5)
          t = hx + hy < 0 ? 0.25 : 0.8;  // sunken rim
        else
          t = 0.42 + (std::abs(hx) < 1 || std::abs(hy) < 1 ? -0.2 : 0.0);
      }
      break;
    }
  }
  return t;
}

Rgb hullColour(double t, int x, int y, double fadeToEdge) {
  if (t > 1.9) return scale(Rgb{134, 110, 46}, 0.4 + 0.6 * fadeToEdge);     // hazard amber
  if (t > 1.4) return scale(Rgb{120, 168, 214}, 0.45 + 0.55 * fadeToEdge);  // window light
  return pickDither(kHull, std::clamp(t * fadeToEdge * 0.82, 0.0, 1.0), x, y);
}

void hull(Image& bk, Rng& rng, bool floor) {
  std::vector<Segment> segs = layout(rng, floor ? 38 : 34);
  std::vector<int> edge = profile(segs);
  for (int x = 0; x < kBkW; ++x) {
    const Segment& s = segmentAt(segs, x);
    const int e = edge[static_cast<std::size_t>(x)];
    const int slope = edge[static_cast<std::size_t>((x + 1) % kBkW)] -
                      edge[static_cast<std::size_t>((x + kBkW - 1) % kBkW)];
    for (int k = 0; k < e; ++k) {
      const int y = floor ? kBkH - 1 - k : k;
      const int d = e - 1 - k;  // distance from the open edge
      // Darker toward the screen edge: the hull curves away into the HUD band.
      const double fade = 0.35 + 0.65 * std::clamp((k - 4) / 26.0, 0.0, 1.0);
      bk.set(x, y, hullColour(hullTone(s, x, y, d, e, floor ? -slope : slope, floor), x, y, fade));
    }
  }
  // Turrets and masts standing on tower modules, as silhouettes with a lit rim.
  for (const Segment& s : segs) {
    if (s.kind != Module::Tower) continue;
    const double cx = s.x0 + s.width / 2.0;
    const int e = edge[static_cast<std::size_t>(static_cast<int>(cx))];
    const double cy = floor ? kBkH - e : e;
    Image dome(30, 30);
    fillEllipse(dome, 15, 15, 11, 7, kHull[3]);
    fillEllipse(dome, 13, 13, 7, 4, kHull[5]);
    fillEllipse(dome, 12, 12, 3, 2, kHull[6]);
    fillRect(dome, 4, 14, 22, 2, kHull[1]);
    Image clip(30, 15);
    clip.blit(dome.crop(0, floor ? 0 : 15, 30, 15), 0, 0);
    blitWrapped(bk, clip, static_cast<int>(cx) - 15,
                floor ? static_cast<int>(cy) - 15 : static_cast<int>(cy));
  }
}

// Far pylons hanging from the ceiling or rising from the floor, unlit.
void pylons(Image& bk, Rng& rng) {
  const Rgb body{18, 18, 34}, rim{28, 28, 50}, lamp{60, 70, 110};
  for (int i = 0; i < 7; ++i) {
    const int x = i * (kBkW / 7) + rng.range(0, 60), w = rng.range(3, 6) * 2;
    const bool down = (i % 2) == 0;
    const int len = rng.range(40, 78);
    for (int k = 0; k < len; ++k) {
      const int y = down ? 30 + k : kBkH - 30 - k;
      for (int j = 0; j < w; ++j) {
        const int px = (x + j) % kBkW;
        bool cross = (k % 14) < 2;
        bk.set(px, y, j == 0 ? rim : (cross || j == w - 1) ? body : scale(body, 0.8));
      }
    }
    const int tip = down ? 30 + len : kBkH - 31 - len;
    bk.set((x + w / 2) % kBkW, tip, lamp);
  }
}

}  // namespace

Image drawFortressBackground() {
  Image bk(kBkW, kBkH);
  Rng rng(0xB03);
  pylons(bk, rng);
  hull(bk, rng, false);
  hull(bk, rng, true);
  return bk;
}

}  // namespace ag
