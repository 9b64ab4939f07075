// imagelist.cpp — ImageList: equal-size cells with a transparency mask.
//
// A cell keeps its pixels and one opacity byte a pixel, taken from the
// transparent colour when it is added. Draw clips once, then runs row loops;
// the selected style draws each opaque pixel as the per-channel floor average
// of cell and blend colour.
#include "clip.h"
#include "plat/canvas.h"

namespace plat {
namespace {

// (a + b) >> 1 in each 8-bit channel, without carries between channels.
constexpr RgbColor HalfBlend(RgbColor a, RgbColor b) {
  return (a & b) + (((a ^ b) & 0xFEFEFEu) >> 1);
}

}  // namespace

void ImageList::SetCellSize(int w, int h) {
  width_ = std::max(w, 0);
  height_ = std::max(h, 0);
  cells_.clear();
}

int ImageList::AddMasked(const Bitmap& bmp, TColor transparent) {
  const std::size_t count = static_cast<std::size_t>(width_) * height_;
  Cell cell{std::vector<RgbColor>(count, 0), std::vector<std::uint8_t>(count, 0)};
  const RgbColor key = BgrToRgb(transparent);
  const int w = std::min(width_, bmp.Width()), h = std::min(height_, bmp.Height());
  for (int y = 0; y < h; ++y) {
    const RgbColor* src = bmp.Row(y);
    const std::size_t at = static_cast<std::size_t>(y) * width_;
    for (int x = 0; x < w; ++x) {
      cell.pixels[at + x] = src[x];
      cell.opaque[at + x] = src[x] != key;
    }
  }
  cells_.push_back(std::move(cell));
  return Count() - 1;
}

void ImageList::Draw(Canvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  Bitmap& target = canvas.Target();
  clip::Copy c;
  if (!clip::ClipCopy(x, y, 0, 0, width_, height_, target.Width(), target.Height(), width_, height_,
                      c))
    return;
  const Cell& cell = cells_[static_cast<std::size_t>(index)];
  const bool selected = DrawingStyle == Style::Selected;
  const RgbColor blend = BgrToRgb(BlendColor);
  for (int row = 0; row < c.height; ++row) {
    const std::size_t at = static_cast<std::size_t>(c.srcY + row) * width_ + c.srcX;
    const RgbColor* src = cell.pixels.data() + at;
    const std::uint8_t* opaque = cell.opaque.data() + at;
    RgbColor* dst = target.Row(c.dstY + row) + c.dstX;
    if (selected) {
      for (int i = 0; i < c.width; ++i)
        if (opaque[i]) dst[i] = HalfBlend(src[i], blend);
    } else {
      for (int i = 0; i < c.width; ++i) dst[i] = opaque[i] ? src[i] : dst[i];
    }
  }
}

}  // namespace plat
