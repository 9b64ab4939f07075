// image.cpp — Image storage and whole-picture operations.
#include "image.h"

#include <algorithm>

namespace ag {

Image::Image(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, fill) {}

void Image::fill(Rgb c) {
  std::fill(px_.begin(), px_.end(), c);
}

void Image::blit(const Image& src, int dx, int dy) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) {
      Rgb c = src.get(x, y);
      if (!c.isKey()) set(dx + x, dy + y, c);
    }
}

Image Image::crop(int x0, int y0, int w, int h) const {
  Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.set(x, y, get(x0 + x, y0 + y));
  return out;
}

Image Image::flippedH() const {
  Image out(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.set(w_ - 1 - x, y, get(x, y));
  return out;
}

Image Image::flippedV() const {
  Image out(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.set(x, h_ - 1 - y, get(x, y));
  return out;
}

void Image::liftDarks() {
  for (Rgb& c : px_) {
    if (c.isKey()) continue;
    if (std::max({c.r, c.g, c.b}) < 8)
      c = Rgb{static_cast<std::uint8_t>(std::max<int>(c.r, 6)),
              static_cast<std::uint8_t>(std::max<int>(c.g, 6)), 8};
  }
}

}  // namespace ag
