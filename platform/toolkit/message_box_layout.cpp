// message_box_layout.cpp — where everything in a message box goes: the text
// wrapped to lines by its measured width, the title bar and the buttons.
//
// Widths come from Canvas::TextExtent at the box's text size, line by line,
// so a line is measured in the face it is drawn in (pure ASCII lines in the
// Latin face, others in the Japanese one). Sizes follow the original system's
// boxes: 75 x 23 buttons, 12-pixel margins.
#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "plat/canvas.h"
#include "plat/detail/message_box.h"

namespace plat::detail {
namespace {

constexpr int kFrame = 1, kMargin = 12, kTextToButtons = 14, kBottom = 10;
constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 6, kMinTextWidth = 120;
constexpr std::string_view kEllipsis = "...";

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte index of the code point after the one starting at `i`.
std::size_t NextChar(std::string_view s, std::size_t i) {
  ++i;
  while (i < s.size() && IsContinuation(s[i])) ++i;
  return i;
}

std::size_t PrevChar(std::string_view s, std::size_t i) {
  if (i == 0) return 0;
  --i;
  while (i > 0 && IsContinuation(s[i])) --i;
  return i;
}

std::string_view CharAt(std::string_view s, std::size_t i) {
  return s.substr(i, NextChar(s, i) - i);
}

bool OneOf(std::string_view c, std::span<const std::string_view> set) {
  return std::ranges::find(set, c) != set.end();
}

// Japanese line-breaking rules, the common part: closing punctuation and the
// long vowel mark never start a line, opening brackets never end one.
constexpr std::array<std::string_view, 17> kNoLineStart = {
    "、", "。", "，", "．", "」", "』", "）", "】", "！", "？", "ー", "…", ")", ",", ".", "!", "?"};
constexpr std::array<std::string_view, 6> kNoLineEnd = {"「", "『", "（", "【", "(", "["};

// Whether a line may end before the code point at byte `i` (0 < i < size).
bool CanBreak(std::string_view s, std::size_t i) {
  const std::string_view before = CharAt(s, PrevChar(s, i)), after = CharAt(s, i);
  if (OneOf(after, kNoLineStart) || OneOf(before, kNoLineEnd)) return false;
  if (before == " " || after == " ") return true;
  // Japanese text breaks between any two characters.
  return static_cast<unsigned char>(before[0]) >= 0x80 ||
         static_cast<unsigned char>(after[0]) >= 0x80;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int Width(const Canvas& c, std::string_view s) {
  return c.TextExtent(s).x;
}

void Wrap(const Canvas& c, std::string_view rest, int width, std::vector<std::string>& out) {
  rest = Trim(rest);
  while (Width(c, rest) > width) {
    // The longest prefix that fits, at least one character.
    std::size_t fit = NextChar(rest, 0);
    for (std::size_t next = NextChar(rest, fit); fit < rest.size() && next <= rest.size();
         next = NextChar(rest, next)) {
      if (Width(c, rest.substr(0, next)) > width) break;
      fit = next;
    }
    if (fit >= rest.size()) break;  // one character wider than the box
    std::size_t cut = fit;
    while (cut > 0 && !CanBreak(rest, cut)) cut = PrevChar(rest, cut);
    if (cut == 0) cut = fit;  // one long word: break inside it
    out.emplace_back(Trim(rest.substr(0, cut)));
    rest = Trim(rest.substr(cut));
  }
  out.emplace_back(rest);
}

// `s` shortened from the end until it fits `width` followed by "...".
std::string Ellipsize(const Canvas& c, std::string_view s, int width) {
  while (!s.empty() && Width(c, std::string(s) + std::string(kEllipsis)) > width)
    s = s.substr(0, PrevChar(s, s.size()));
  return std::string(s) + std::string(kEllipsis);
}

}  // namespace

std::string_view ButtonCaption(BoxButtons kind, int index) {
  if (kind == BoxButtons::Ok) return "OK";
  return index == 0 ? "Yes" : "No";
}

int ButtonAt(const BoxLayout& layout, Point p) {
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    const Rect& r = layout.buttons[i];
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
      return static_cast<int>(i);
  }
  return -1;
}

BoxLayout LayoutMessageBox(std::string_view title, std::string_view text, BoxButtons kind,
                           Point maxSize) {
  Bitmap scratch(1, 1);
  Canvas c(scratch);
  c.font.size = -kBoxTextPixels;
  BoxLayout l;
  l.kind = kind;
  l.lineHeight = std::max({c.TextExtent("Ag").y, c.TextExtent("あ").y, kBoxTextPixels});
  const int titleHeight = l.lineHeight + 4;
  const int sides = 2 * (kFrame + kMargin);

  const int count = kind == BoxButtons::YesNo ? 2 : 1;
  std::vector<int> buttonWidths;
  int row = kButtonGap * (count - 1);
  for (int i = 0; i < count; ++i)
    row += buttonWidths.emplace_back(std::max(kButtonW, Width(c, ButtonCaption(kind, i)) + 16));

  const int wrapWidth = std::max(maxSize.x - sides, 1);
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t end = std::min(text.find('\n', from), text.size());
    Wrap(c, text.substr(from, end - from), wrapWidth, l.lines);
    from = end + 1;
  }
  while (!l.lines.empty() && l.lines.back().empty()) l.lines.pop_back();
  const int fixedHeight = 2 * kFrame + titleHeight + kMargin + kTextToButtons + kButtonH + kBottom;
  const auto maxLines =
      static_cast<std::size_t>(std::max(1, (maxSize.y - fixedHeight) / l.lineHeight));
  if (l.lines.size() > maxLines) {
    l.lines.resize(maxLines);
    l.lines.back() = Ellipsize(c, l.lines.back(), wrapWidth);
  }

  int textWidth = 0;
  for (const std::string& line : l.lines) textWidth = std::max(textWidth, Width(c, line));
  l.size.x = std::max({textWidth, row, kMinTextWidth}) + sides;
  l.titleBar = {kFrame, kFrame, l.size.x - kFrame, kFrame + titleHeight};
  l.title = Width(c, title) + 8 <= l.titleBar.Width() ? std::string(title)
                                                      : Ellipsize(c, title, l.titleBar.Width() - 8);
  l.textAt = {kFrame + kMargin, l.titleBar.bottom + kMargin};
  const int textHeight = static_cast<int>(std::max<std::size_t>(l.lines.size(), 1)) * l.lineHeight;
  const int buttonsTop = l.textAt.y + textHeight + kTextToButtons;
  l.size.y = buttonsTop + kButtonH + kBottom + kFrame;
  int x = (l.size.x - row) / 2;
  for (const int w : buttonWidths) {
    l.buttons.push_back({x, buttonsTop, x + w, buttonsTop + kButtonH});
    x += w + kButtonGap;
  }
  return l;
}

}  // namespace plat::detail
