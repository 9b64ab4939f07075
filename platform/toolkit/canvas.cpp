// canvas.cpp — canvas fills, single pixels and same-size copies.
//
// Colours arrive as toolkit colours (0x00BBGGRR) and are stored as
// 0x00RRGGBB. Every operation clips once, up front, then runs plain row loops
// (hundreds of copies a frame go through here). Copies within one bitmap may
// overlap; rows are moved in an order that keeps the source intact.
#include "plat/canvas.h"

#include <cstring>

#include "clip.h"

namespace plat {
namespace {

void CopyRows(Bitmap& dst, const Bitmap& src, const clip::Copy& c) {
  const std::size_t bytes = static_cast<std::size_t>(c.width) * sizeof(RgbColor);
  const bool upwards = &dst == &src && c.dstY > c.srcY;  // later rows first
  for (int i = 0; i < c.height; ++i) {
    const int row = upwards ? c.height - 1 - i : i;
    std::memmove(dst.Row(c.dstY + row) + c.dstX, src.Row(c.srcY + row) + c.srcX, bytes);
  }
}

}  // namespace

void Canvas::FillRect(Rect r) {
  if (Brush.style == BrushStyle::Clear) return;
  const Rect c = clip::ToBounds(r, bitmap_->Width(), bitmap_->Height());
  if (c.Empty()) return;
  const RgbColor colour = BgrToRgb(Brush.color);
  for (int y = c.top; y < c.bottom; ++y)
    std::fill(bitmap_->Row(y) + c.left, bitmap_->Row(y) + c.right, colour);
}

void Canvas::SetPixel(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= bitmap_->Width() || y >= bitmap_->Height()) return;
  bitmap_->Row(y)[x] = BgrToRgb(c);
}

TColor Canvas::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= bitmap_->Width() || y >= bitmap_->Height()) return clBlack;
  return BgrToRgb(bitmap_->Pixel(x, y));
}

void Canvas::CopyRect(Rect dst, const Canvas& src, Rect srcRect) {
  // Differing sizes copy the common part (the game only copies same sizes).
  const std::int64_t w =
      std::min(std::int64_t{dst.right} - dst.left, std::int64_t{srcRect.right} - srcRect.left);
  const std::int64_t h =
      std::min(std::int64_t{dst.bottom} - dst.top, std::int64_t{srcRect.bottom} - srcRect.top);
  const Bitmap& from = *src.bitmap_;
  clip::Copy c;
  if (clip::ClipCopy(dst.left, dst.top, srcRect.left, srcRect.top, w, h, bitmap_->Width(),
                     bitmap_->Height(), from.Width(), from.Height(), c))
    CopyRows(*bitmap_, from, c);
}

void Canvas::Draw(int x, int y, const Bitmap& bmp) {
  clip::Copy c;
  if (clip::ClipCopy(x, y, 0, 0, bmp.Width(), bmp.Height(), bitmap_->Width(), bitmap_->Height(),
                     bmp.Width(), bmp.Height(), c))
    CopyRows(*bitmap_, bmp, c);
}

}  // namespace plat
