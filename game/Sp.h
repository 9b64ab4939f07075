// Sp.h — the splash window TForm2, shown while start-up loads the assets:
// a black 365 x 87 panel with a bevel, the title logo and "loading...".
#pragma once

#include "plat/app.h"
#include "plat/canvas.h"

namespace kx {

class TForm2 {
 public:
  // Creates and draws the splash (the logo comes with the program as the
  // "Logo" form picture; without it the panel shows the text alone).
  TForm2();
  ~TForm2();  // Release: the window goes away
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  void Show();
  plat::Form& Window() { return *window_; }
  const plat::Bitmap& Picture() const { return picture_; }

 private:
  plat::Form* window_;
  plat::Bitmap picture_{365, 87};
};

}  // namespace kx
