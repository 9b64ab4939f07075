// image.h — the RGB picture every generator draws into.
// Black (0,0,0) is the transparent key of the game's image lists, so an Image
// treats it as "empty"; opaque dark colours must stay at least 8 in one channel
// (liftDarks() enforces that before a picture is written).
#pragma once

#include <cstdint>
#include <vector>

namespace ag {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  constexpr bool operator==(const Rgb&) const = default;
  constexpr bool isKey() const { return r == 0 && g == 0 && b == 0; }
};

constexpr Rgb kKey{0, 0, 0};

class Image {
 public:
  Image() = default;
  Image(int w, int h, Rgb fill = kKey);

  int width() const { return w_; }
  int height() const { return h_; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

  // Out-of-range reads give the key colour, writes are clipped.
  Rgb get(int x, int y) const { return inside(x, y) ? px_[idx(x, y)] : kKey; }
  void set(int x, int y, Rgb c) {
    if (inside(x, y)) px_[idx(x, y)] = c;
  }
  bool opaque(int x, int y) const { return !get(x, y).isKey(); }
  const std::vector<Rgb>& pixels() const { return px_; }

  void fill(Rgb c);
  // Copies the opaque pixels of src with its top-left at (dx, dy).
  void blit(const Image& src, int dx, int dy);
  Image crop(int x, int y, int w, int h) const;
  Image flippedH() const;
  Image flippedV() const;
  // Raises opaque pixels darker than 8 in every channel so that they survive
  // a 16-bit display as non-black.
  void liftDarks();

 private:
  std::size_t idx(int x, int y) const { return static_cast<std::size_t>(y) * w_ + x; }
  int w_ = 0, h_ = 0;
  std::vector<Rgb> px_;
};

}  // namespace ag
