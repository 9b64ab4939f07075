// message_box_state.cpp — what keys and mouse clicks do to a message box:
// focus moves, presses and the answer. Once answered the box ignores input.
#include "plat/app.h"
#include "plat/detail/message_box.h"

namespace plat::detail {

void BoxState::Press(int index) {
  if (kind_ == BoxButtons::Ok)
    answer_ = BoxAnswer::Ok;
  else
    answer_ = index == 0 ? BoxAnswer::Yes : BoxAnswer::No;
  focus_ = index;
  held_ = -1;
}

void BoxState::Key(std::uint16_t vk) {
  if (answer_ != BoxAnswer::Pending) return;
  switch (vk) {
    case VK_LEFT:
      focus_ = (focus_ + Count() - 1) % Count();
      break;
    case VK_RIGHT:
    case kVkTab:
      focus_ = (focus_ + 1) % Count();
      break;
    case kVkReturn:
    case kVkSpace:
      Press(focus_);
      break;
    case VK_ESCAPE:
      Close();
      break;
    case 'Y':
      if (kind_ == BoxButtons::YesNo) Press(0);
      break;
    case 'N':
      if (kind_ == BoxButtons::YesNo) Press(1);
      break;
    default:
      break;
  }
}

void BoxState::MouseDown(const BoxLayout& layout, Point p) {
  if (answer_ != BoxAnswer::Pending) return;
  if (const int i = ButtonAt(layout, p); i >= 0) focus_ = held_ = i;
}

void BoxState::MouseUp(const BoxLayout& layout, Point p) {
  if (answer_ != BoxAnswer::Pending) return;
  if (held_ >= 0 && ButtonAt(layout, p) == held_)
    Press(held_);
  else
    held_ = -1;  // released elsewhere: nothing pressed
}

void BoxState::Close() {
  if (answer_ != BoxAnswer::Pending) return;
  answer_ = kind_ == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
  held_ = -1;
}

}  // namespace plat::detail
