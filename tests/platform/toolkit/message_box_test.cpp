// Our message box: wrapping and layout, the pixels it draws (Japanese text
// included), and what keys and clicks answer.
#include "plat/detail/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plat/app.h"
#include "plat/canvas.h"

namespace {

using namespace plat;
using namespace plat::detail;

constexpr const char* kQuestion = "400*300(FullScreen)モードで起動しますか？";

int TextWidth(const std::string& s) {
  Bitmap scratch(1, 1);
  Canvas c(scratch);
  c.font.size = -kBoxTextPixels;
  return c.TextExtent(s).x;
}

Point Centre(const Rect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ExpectInside(const Rect& inner, Point size) {
  EXPECT_TRUE(inner.left >= 0 && inner.top >= 0 && inner.right <= size.x && inner.bottom <= size.y);
}

TEST(MessageBoxLayout, ShortTextIsOneLineAboveCentredButtons) {
  const BoxLayout l = LayoutMessageBox("Korvanix", kQuestion, BoxButtons::YesNo, {400, 300});
  ASSERT_EQ(l.lines, std::vector<std::string>{kQuestion});
  ASSERT_EQ(l.buttons.size(), 2u);
  EXPECT_EQ(l.title, "Korvanix");
  EXPECT_LE(l.size.x, 400);
  EXPECT_GE(l.size.x, TextWidth(kQuestion) + 2 * l.textAt.x);
  EXPECT_LT(l.titleBar.bottom, l.textAt.y);
  EXPECT_GT(l.buttons[0].top, l.textAt.y + l.lineHeight);
  EXPECT_LT(l.buttons[0].right, l.buttons[1].left);
  EXPECT_NEAR(l.buttons[0].left, l.size.x - l.buttons[1].right, 1);  // centred
  for (const Rect& b : l.buttons) ExpectInside(b, l.size);
  EXPECT_EQ(LayoutMessageBox("", "OK?", BoxButtons::Ok, {400, 300}).buttons.size(), 1u);
}

TEST(MessageBoxLayout, LongTextWrapsWithinTheWidthAndGrowsTheBox) {
  const std::string sentence = "スコア記録ファイルを作成します。";
  std::string text;
  for (int i = 0; i < 4; ++i) text += sentence;
  const BoxLayout one = LayoutMessageBox("T", sentence, BoxButtons::Ok, {300, 400});
  const BoxLayout l = LayoutMessageBox("T", text, BoxButtons::Ok, {300, 400});
  ASSERT_GT(l.lines.size(), 2u);
  EXPECT_GT(l.size.y, one.size.y + l.lineHeight);
  EXPECT_LE(l.size.x, 300);
  std::string joined;
  for (const std::string& line : l.lines) {
    EXPECT_LE(l.textAt.x + TextWidth(line), l.size.x - l.textAt.x) << line;
    EXPECT_NE(line.rfind("。", 0), 0u) << "a line starts with a full stop: " << line;
    joined += line;
  }
  EXPECT_EQ(joined, text);
}

TEST(MessageBoxLayout, BreaksAtSpacesAndLineFeedsAndCutsWhatDoesNotFit) {
  const std::string paragraph = "bitmap load failed for bmp/BK_01.bmp: unsupported bit count 7";
  const BoxLayout words = LayoutMessageBox("T", paragraph + "\nsecond", BoxButtons::Ok, {200, 400});
  ASSERT_GT(words.lines.size(), 2u);
  EXPECT_EQ(words.lines.back(), "second");
  std::string joined;  // lines end at spaces only, which the break removes
  for (std::size_t i = 0; i + 1 < words.lines.size(); ++i)
    joined += (i ? " " : "") + words.lines[i];
  EXPECT_EQ(joined, paragraph);
  // A word wider than the box is broken inside; a text taller than the box
  // loses its last lines, marked "...".
  const BoxLayout word = LayoutMessageBox("T", std::string(80, 'W'), BoxButtons::Ok, {200, 400});
  EXPECT_GT(word.lines.size(), 2u);
  std::string many;
  for (int i = 0; i < 60; ++i) many += "line " + std::to_string(i) + "\n";
  const BoxLayout cut = LayoutMessageBox("T", many, BoxButtons::Ok, {300, 200});
  EXPECT_LE(cut.size.y, 200);
  EXPECT_LT(cut.lines.size(), 60u);
  EXPECT_EQ(cut.lines.back().substr(cut.lines.back().size() - 3), "...");
}

// Counts pixels of `colour` in `r` of `bmp`.
int Count(const Bitmap& bmp, Rect r, RgbColor colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += bmp.Pixel(x, y) == colour;
  return n;
}

TEST(MessageBoxDraw, JapaneseTextTitleAndFocusShowInsideTheBoxOnly) {
  const BoxLayout l = LayoutMessageBox("Korvanix", "スコア記録ファイルを作成します。",
                                       BoxButtons::YesNo, {400, 300});
  const Point at{7, 5};
  Bitmap bmp(l.size.x + 20, l.size.y + 20);
  for (RgbColor& p : bmp.Pixels()) p = 0x123456;
  BoxState state(BoxButtons::YesNo);
  DrawMessageBox(l, state, bmp, at);

  const Rect box{at.x, at.y, at.x + l.size.x, at.y + l.size.y};
  EXPECT_EQ(Count(bmp, {0, 0, bmp.Width(), bmp.Height()}, 0x123456),
            bmp.Width() * bmp.Height() - l.size.x * l.size.y);
  EXPECT_EQ(bmp.Pixel(box.left, box.top), 0x000000u);  // the frame
  EXPECT_EQ(bmp.Pixel(box.right - 1, box.bottom - 1), 0x000000u);
  const Rect text{at.x + l.textAt.x, at.y + l.textAt.y, box.right - l.textAt.x,
                  at.y + l.textAt.y + l.lineHeight};
  const int ink = Count(bmp, text, 0x000000);
  EXPECT_GT(ink, 150) << "the Japanese glyphs are missing";
  EXPECT_EQ(ink + Count(bmp, text, 0xC0C0C0), text.Width() * text.Height());
  const Rect bar{at.x + l.titleBar.left, at.y + l.titleBar.top, at.x + l.titleBar.right,
                 at.y + l.titleBar.bottom};
  EXPECT_GT(Count(bmp, bar, 0xFFFFFF), 20);  // the title
  EXPECT_GT(Count(bmp, bar, 0x000080), bar.Width() * bar.Height() / 2);

  // The focused button wears the black default frame; the other is raised.
  auto corner = [&](int i) { return bmp.Pixel(at.x + l.buttons[i].left, at.y + l.buttons[i].top); };
  EXPECT_EQ(corner(0), 0x000000u);
  EXPECT_EQ(corner(1), 0xFFFFFFu);
  state.Key(VK_RIGHT);
  DrawMessageBox(l, state, bmp, at);
  EXPECT_EQ(corner(0), 0xFFFFFFu);
  EXPECT_EQ(corner(1), 0x000000u);
}

struct KeyCase {
  BoxButtons kind;
  std::vector<std::uint16_t> keys;
  BoxAnswer answer;
};

TEST(MessageBoxState, KeysMoveTheFocusAndAnswer) {
  const std::vector<KeyCase> cases = {
      {BoxButtons::YesNo, {kVkReturn}, BoxAnswer::Yes},  // the focus starts on Yes
      {BoxButtons::YesNo, {VK_ESCAPE}, BoxAnswer::No},
      {BoxButtons::YesNo, {'Y'}, BoxAnswer::Yes},
      {BoxButtons::YesNo, {VK_RIGHT, 'N', kVkReturn}, BoxAnswer::No},
      {BoxButtons::YesNo, {VK_RIGHT, kVkReturn}, BoxAnswer::No},
      {BoxButtons::YesNo, {VK_RIGHT, VK_RIGHT, kVkSpace}, BoxAnswer::Yes},
      {BoxButtons::YesNo, {VK_LEFT, kVkSpace}, BoxAnswer::No},  // wraps
      {BoxButtons::YesNo, {kVkTab, 'A', VK_UP, kVkReturn}, BoxAnswer::No},
      {BoxButtons::YesNo, {'A', '1', VK_DOWN}, BoxAnswer::Pending},
      {BoxButtons::YesNo, {'N', 'Y'}, BoxAnswer::No},  // answered: the rest is ignored
      {BoxButtons::Ok, {VK_ESCAPE}, BoxAnswer::Ok},
      {BoxButtons::Ok, {VK_RIGHT, kVkReturn}, BoxAnswer::Ok},
      {BoxButtons::Ok, {'Y', 'N'}, BoxAnswer::Pending},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    BoxState state(cases[i].kind);
    for (const std::uint16_t vk : cases[i].keys) state.Key(vk);
    EXPECT_EQ(state.Answer(), cases[i].answer) << "case " << i;
  }
  BoxState closed(BoxButtons::YesNo);
  closed.Close();
  EXPECT_EQ(closed.Answer(), BoxAnswer::No);
}

TEST(MessageBoxState, ClickPressesTheButtonUnderTheMouse) {
  const BoxLayout l = LayoutMessageBox("T", "?", BoxButtons::YesNo, {400, 300});
  const Rect& no = l.buttons[1];
  EXPECT_EQ(ButtonAt(l, Centre(l.buttons[0])), 0);
  EXPECT_EQ(ButtonAt(l, {no.left, no.top}), 1);
  EXPECT_EQ(ButtonAt(l, {no.right, no.top}), -1);  // right and bottom edges are outside
  EXPECT_EQ(ButtonAt(l, {no.left, no.bottom}), -1);
  EXPECT_EQ(ButtonAt(l, {(l.buttons[0].right + no.left) / 2, no.top + 2}), -1);
  EXPECT_EQ(ButtonAt(l, Centre({0, 0, l.size.x, l.size.y / 2})), -1);

  BoxState state(BoxButtons::YesNo);
  state.MouseDown(l, Centre(no));
  EXPECT_EQ(state.Held(), 1);
  EXPECT_EQ(state.Focus(), 1);
  state.MouseUp(l, {no.right + 30, no.top});  // released elsewhere: not pressed
  EXPECT_EQ(state.Answer(), BoxAnswer::Pending);
  EXPECT_EQ(state.Held(), -1);
  state.MouseDown(l, {1, 1});
  state.MouseUp(l, Centre(no));  // went down outside: not pressed
  EXPECT_EQ(state.Answer(), BoxAnswer::Pending);
  state.MouseDown(l, Centre(no));
  state.MouseUp(l, Centre(no));
  EXPECT_EQ(state.Answer(), BoxAnswer::No);
}

}  // namespace
