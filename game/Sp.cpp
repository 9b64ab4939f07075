// Sp.cpp — draws the splash once; it has no behaviour of its own.
#include "game/Sp.h"

namespace kx {
namespace {

// The panel's raised bevel: light on the top and left, shadow on the bottom
// and right, `width` pixels deep.
void DrawBevel(plat::Canvas& c, int w, int h, int width) {
  for (int i = 0; i < width; ++i) {
    c.Brush = {plat::clWhite, plat::BrushStyle::Solid};
    c.FillRect({i, i, w - i, i + 1});
    c.FillRect({i, i, i + 1, h - i});
    c.Brush.color = plat::clGray;
    c.FillRect({i, h - i - 1, w - i, h - i});
    c.FillRect({w - i - 1, i, w - i, h - i});
  }
}

}  // namespace

TForm2::TForm2() {
  plat::Form::Desc desc;
  desc.clientWidth = 365;
  desc.clientHeight = 87;
  desc.color = plat::clBlack;
  desc.stayOnTop = true;
  window_ = &plat::Application::CreateForm(desc);
  window_->SetCursor(plat::Cursor::HourGlass);
  window_->ShowImage(&picture_, {0, 0});

  plat::Canvas c(picture_);
  DrawBevel(c, 365, 87, 3);
  plat::Bitmap logo;
  if (logo.LoadFromResourceName("Logo")) c.Draw(3, 15, logo);
  // The label is opaque: teal text on its own black 77 x 23 cell.
  c.Brush = {plat::clBlack, plat::BrushStyle::Solid};
  c.FillRect({144, 5, 144 + 77, 5 + 23});
  c.Brush.style = plat::BrushStyle::Clear;
  c.font.size = 16;  // a height of 21 pixels
  c.font.color = plat::clTeal;
  c.font.name = "Times New Roman";
  c.TextOut(144, 5, "loading...");
}

TForm2::~TForm2() { plat::Application::DestroyForm(*window_); }

void TForm2::Show() { window_->Show(); }

}  // namespace kx
