// ellipse.cpp — Canvas::Ellipse: the outline of the ellipse inscribed in a
// box, drawn with the pen, its interior filled with the brush.
//
// The outline is traced with an integer midpoint (error-term) walk from the
// left and right extremes towards the top and bottom, mirrored in all four
// quadrants, so it is symmetric, 8-connected, touches all four sides of the
// box and never leaves it; even widths and heights get two-pixel tips. A pen
// of width w paints everything between that outline and the outline of the
// box shrunk by w - 1 on every side. Pen mode Merge ORs the pen colour into
// the destination. Boxes wider or taller than kMaxSide draw nothing.
#include <climits>
#include <vector>

#include "clip.h"
#include "plat/canvas.h"

namespace plat {
namespace {

constexpr std::int64_t kMaxSide = 65536;

// One row of a traced outline, x relative to the box: the left run is
// [outerL, innerL], the right run [innerR, outerR]; the runs may meet.
struct RowRuns {
  int outerL = INT_MAX, innerL = INT_MIN, innerR = INT_MAX, outerR = INT_MIN;
  bool Used() const { return outerL != INT_MAX; }
};

std::vector<RowRuns> TraceOutline(int w, int h) {
  std::vector<RowRuns> rows(static_cast<std::size_t>(h));
  auto plot = [&](int left, int right, int y) {
    if (y < 0 || y >= h) return;
    RowRuns& r = rows[static_cast<std::size_t>(y)];
    r.outerL = std::min(r.outerL, left);
    r.innerL = std::max(r.innerL, left);
    r.innerR = std::min(r.innerR, right);
    r.outerR = std::max(r.outerR, right);
  };
  // Diameters a, b in pixel steps; the error terms are scaled by 8 so that
  // half-pixel centres (even sizes) stay integral.
  const std::int64_t a = w - 1, b = h - 1, oddB = b & 1;
  std::int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (oddB + 1) * a * a;
  std::int64_t err = dx + dy + oddB * a * a;
  const std::int64_t stepX = 8 * b * b, stepY = 8 * a * a;
  int x0 = 0, x1 = w - 1;
  int yDown = static_cast<int>((b + 1) / 2), yUp = yDown - static_cast<int>(oddB);
  do {
    plot(x0, x1, yDown);
    plot(x0, x1, yUp);
    const std::int64_t e2 = 2 * err;
    if (e2 <= dy) {
      ++yDown, --yUp;
      dy += stepY;
      err += dy;
    }
    if (e2 >= dx || 2 * err > dy) {
      ++x0, --x1;
      dx += stepX;
      err += dx;
    }
  } while (x0 <= x1);
  // Very narrow ellipses stop the walk before the tips: finish them.
  while (yDown - yUp <= b) {
    plot(x0 - 1, x1 + 1, yDown++);
    plot(x0 - 1, x1 + 1, yUp--);
  }
  return rows;
}

}  // namespace

void Canvas::Ellipse(Rect r) {
  const std::int64_t w = std::int64_t{r.right} - r.left, h = std::int64_t{r.bottom} - r.top;
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return;
  if (clip::ToBounds(r, bitmap_->Width(), bitmap_->Height()).Empty()) return;
  const int width = static_cast<int>(w), height = static_cast<int>(h);
  const int inset = std::max(Pen.width, 1) - 1;
  const std::vector<RowRuns> outer = TraceOutline(width, height);
  std::vector<RowRuns> shrunk;  // the wide pen's inner edge
  if (inset > 0 && width > 2 * inset && height > 2 * inset)
    shrunk = TraceOutline(width - 2 * inset, height - 2 * inset);
  const std::vector<RowRuns>& inner = inset == 0 ? outer : shrunk;

  const RgbColor pen = BgrToRgb(Pen.color), brush = BgrToRgb(Brush.color);
  const bool merge = Pen.mode == PenMode::Merge, fill = Brush.style == BrushStyle::Solid;
  const int limit = bitmap_->Width();
  // Draws [from, to] (box-relative) of row `y`, clipped.
  auto span = [&](RgbColor* row, int from, int to, RgbColor colour, bool orInto) {
    const int first = std::max(r.left + from, 0), last = std::min(r.left + to, limit - 1);
    for (int x = first; x <= last; ++x) row[x] = orInto ? row[x] | colour : colour;
  };
  for (int y = 0; y < height; ++y) {
    const int ty = r.top + y;
    if (ty < 0 || ty >= bitmap_->Height() || !outer[static_cast<std::size_t>(y)].Used()) continue;
    RgbColor* row = bitmap_->Row(ty);
    const RowRuns& o = outer[static_cast<std::size_t>(y)];
    const int iy = y - inset;
    const bool hasInner = iy >= 0 && iy < static_cast<int>(inner.size()) &&
                          inner[static_cast<std::size_t>(iy)].Used();
    const RowRuns in = hasInner ? inner[static_cast<std::size_t>(iy)] : RowRuns{};
    if (hasInner && in.innerL + 1 < in.innerR) {
      if (fill) span(row, in.innerL + inset + 1, in.innerR + inset - 1, brush, false);
      span(row, o.outerL, in.innerL + inset, pen, merge);
      span(row, in.innerR + inset, o.outerR, pen, merge);
    } else {
      span(row, o.outerL, o.outerR, pen, merge);
    }
  }
}

}  // namespace plat
