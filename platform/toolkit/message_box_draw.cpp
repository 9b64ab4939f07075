// message_box_draw.cpp — paints a laid-out message box into a bitmap: frame,
// title bar, text and buttons with the original system's bevels (white and
// black outside, silver and grey inside; the focused button has an extra
// black frame and a dotted focus rectangle, a held one is sunken).
#include "plat/canvas.h"
#include "plat/detail/message_box.h"

namespace plat::detail {
namespace {

Rect Offset(Rect r, Point at) {
  return {r.left + at.x, r.top + at.y, r.right + at.x, r.bottom + at.y};
}
Rect Inset(Rect r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void Fill(Canvas& c, Rect r, TColor colour) {
  c.Brush = {colour, BrushStyle::Solid};
  c.FillRect(r);
}

// A 1-pixel rectangle: top and left edges in one colour, bottom and right in
// the other.
void Frame(Canvas& c, Rect r, TColor topLeft, TColor bottomRight) {
  Fill(c, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  Fill(c, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  Fill(c, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  Fill(c, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void DottedFrame(Canvas& c, Rect r) {
  for (int x = r.left; x < r.right; x += 2) {
    c.SetPixel(x, r.top, clBlack);
    c.SetPixel(x, r.bottom - 1, clBlack);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    c.SetPixel(r.left, y, clBlack);
    c.SetPixel(r.right - 1, y, clBlack);
  }
}

void Text(Canvas& c, int x, int y, std::string_view s, TColor colour) {
  c.Brush.style = BrushStyle::Clear;
  c.font.color = colour;
  c.TextOut(x, y, s);
}

void Button(Canvas& c, Rect r, std::string_view caption, bool focused, bool held) {
  Fill(c, r, clSilver);
  const Rect outer = r;
  if (focused) {
    Frame(c, r, clBlack, clBlack);
    r = Inset(r, 1);
  }
  if (held) {
    Frame(c, r, clGray, clGray);
  } else {
    Frame(c, r, clWhite, clBlack);
    Frame(c, Inset(r, 1), clSilver, clGray);
  }
  const Point size = c.TextExtent(caption);
  const int shift = held ? 1 : 0;
  Text(c, outer.left + (outer.Width() - size.x) / 2 + shift,
       outer.top + (outer.Height() - size.y) / 2 + shift, caption, clBlack);
  if (focused) DottedFrame(c, Inset(outer, 4));
}

}  // namespace

void DrawMessageBox(const BoxLayout& layout, const BoxState& state, Bitmap& target, Point at) {
  Canvas c(target);
  c.font.size = -kBoxTextPixels;
  const Rect box = Offset({0, 0, layout.size.x, layout.size.y}, at);
  Fill(c, box, clBlack);
  Fill(c, Inset(box, 1), clSilver);
  const Rect bar = Offset(layout.titleBar, at);
  Fill(c, bar, clNavy);
  Text(c, bar.left + 4, bar.top + 2, layout.title, clWhite);
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    Text(c, at.x + layout.textAt.x,
         at.y + layout.textAt.y + static_cast<int>(i) * layout.lineHeight, layout.lines[i],
         clBlack);
  }
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    const int index = static_cast<int>(i);
    Button(c, Offset(layout.buttons[i], at), ButtonCaption(layout.kind, index),
           state.Focus() == index, state.Held() == index);
  }
}

}  // namespace plat::detail
