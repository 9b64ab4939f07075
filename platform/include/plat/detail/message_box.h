// message_box.h — our own modal message box for backends to show: the layout,
// the drawing into a bitmap and the key and mouse state machine. Backends
// only run the loop and put the pixels on screen.
//
// The box is drawn with the common text rendering (Canvas::TextOut), so
// Japanese shows through the Japanese face whatever the system's fonts are.
// Its look: a 1-pixel black frame, a navy title bar with the application
// title, grey body, left-aligned black text wrapped to the width allowed, and
// the buttons "Yes" "No" or "OK" centred below, no icon. The focused button
// has the default-button frame and a dotted focus rectangle; a button held
// down with the mouse shows sunken.
//
// Keys (virtual-key codes): Left/Right/Tab move the focus (wrapping), Return
// and Space press the focused button, Y and N press Yes and No, Escape
// answers No (Yes/No box) or OK. The focus starts on the first button (Yes).
// A mouse button released over the button it went down on presses it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plat/base.h"

namespace plat {
class Bitmap;
}

namespace plat::detail {

enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Pending, Yes, No, Ok };

// Keys the box reads besides VK_ESCAPE, the arrows and the letters.
inline constexpr std::uint16_t kVkTab = 0x09, kVkReturn = 0x0D, kVkSpace = 0x20;
// Every text in the box is drawn this many pixels high.
inline constexpr int kBoxTextPixels = 12;

struct BoxLayout {
  BoxButtons kind = BoxButtons::Ok;
  Point size;     // the whole box, frame included
  Rect titleBar;  // inside the frame
  std::string title;
  std::vector<std::string> lines;  // the text, wrapped
  Point textAt;                    // top-left of the first line
  int lineHeight = 0;
  std::vector<Rect> buttons;  // left to right: Yes, No or OK
};

// Lays out a box no larger than `maxSize` (as far as the buttons and the
// title allow). Text breaks at line feeds, then wherever the width runs out:
// at spaces or between Japanese characters (no line starts with closing
// punctuation), inside a word only when nothing else fits. Lines beyond the
// height are dropped and the last one kept ends in "...".
BoxLayout LayoutMessageBox(std::string_view title, std::string_view text, BoxButtons kind,
                           Point maxSize);

// The index of the button at `p` (box coordinates), -1 for none.
int ButtonAt(const BoxLayout& layout, Point p);
// The caption of button `index` of a `kind` box.
std::string_view ButtonCaption(BoxButtons kind, int index);

class BoxState {
 public:
  explicit BoxState(BoxButtons kind) : kind_(kind) {}
  void Key(std::uint16_t vk);  // a key went down (auto-repeats too)
  void MouseDown(const BoxLayout& layout, Point p);
  void MouseUp(const BoxLayout& layout, Point p);
  void Close();  // the box's window was closed: No or OK

  int Focus() const { return focus_; }
  int Held() const { return held_; }  // the button held down with the mouse, -1 none
  BoxAnswer Answer() const { return answer_; }
  friend bool operator==(const BoxState&, const BoxState&) = default;

 private:
  int Count() const { return kind_ == BoxButtons::YesNo ? 2 : 1; }
  void Press(int index);

  BoxButtons kind_;
  int focus_ = 0;
  int held_ = -1;
  BoxAnswer answer_ = BoxAnswer::Pending;
};

// Draws the box with its top-left at `at` in `target`, clipped to it.
void DrawMessageBox(const BoxLayout& layout, const BoxState& state, Bitmap& target, Point at);

}  // namespace plat::detail
