// canvas.h — bitmaps, canvases and image lists: the drawing half of the form
// toolkit stand-in.
//
// Bitmaps hold 32-bit 0x00RRGGBB pixels, top-down, with no padding between
// rows. Canvas calls take toolkit colours (0x00BBGGRR) and convert. Every
// drawing operation clips silently to its bitmap; nothing outside is touched
// and nothing is reported. Canvas state (brush, pen, font) persists across
// calls, as the game relies on.
//
// Text is rendered by SDL2_ttf without antialiasing, so black colour keys stay
// clean and both backends draw identical pixels. ASCII text uses a Latin face,
// anything else a Japanese face (Debian's DejaVu and IPA Gothic fonts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "plat/base.h"

namespace plat {

// Thrown by Bitmap::LoadFromFile and LoadFromBytes: the one exception the
// stand-ins throw, as the toolkit's bitmap loader does. what() names the file
// and the problem, e.g. "bmp/BK_01.bmp: unsupported bit count 7".
class EBitmapLoad : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Bitmap {
 public:
  Bitmap(int width = 0, int height = 0);
  void SetSize(int width, int height);  // contents become black
  int Width() const { return width_; }
  int Height() const { return height_; }
  RgbColor* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const RgbColor* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  RgbColor Pixel(int x, int y) const { return Row(y)[x]; }
  std::span<RgbColor> Pixels() { return pixels_; }
  std::span<const RgbColor> Pixels() const { return pixels_; }

  // BMP files: 1, 4, 8, 16, 24 and 32 bits, RLE4/RLE8, bit fields, OS/2 and
  // Windows headers. Throws EBitmapLoad naming `path` and the problem.
  void LoadFromFile(std::string_view path);
  // The same reader over bytes in memory; `name` is used in error messages.
  void LoadFromBytes(std::span<const std::byte> bytes, std::string_view name = "<memory>");
  // A bitmap module resource (type "BITMAP"); false when there is none.
  bool LoadFromResourceName(std::string_view name);
  // The bitmap as a 24-bit bottom-up BMP file (what SaveToFile would write).
  std::vector<std::byte> SaveToBytes() const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<RgbColor> pixels_;
};

struct Font {
  int size = 9;           // points; pixels = round(size * 96 / 72)
  TColor color = clBlack;
  std::string name;       // free; empty = the default face
};
enum class BrushStyle { Solid, Clear };
enum class PenMode { Copy, Merge };  // Merge: destination OR pen colour

class Canvas {
 public:
  explicit Canvas(Bitmap& target) : bitmap_(&target) {}

  struct BrushState {
    TColor color = clWhite;
    BrushStyle style = BrushStyle::Solid;
  } Brush;  // colour and style are independent fields
  struct PenState {
    TColor color = clBlack;
    int width = 1;
    PenMode mode = PenMode::Copy;
  } Pen;
  Font font;

  void FillRect(Rect r);  // brush colour; nothing with a clear brush
  void SetPixel(int x, int y, TColor c);
  TColor GetPixel(int x, int y) const;  // clBlack outside
  // Outline inside the bounding box (right/bottom exclusive) drawn with the
  // pen; the interior is filled with the brush unless the brush is clear.
  void Ellipse(Rect r);
  // (x, y) is the top-left of the text cell. A solid brush also fills the cell.
  void TextOut(int x, int y, std::string_view utf8);
  Point TextExtent(std::string_view utf8) const;
  // Same-size copy of `srcRect` of `src` onto `dst`, clipped on both sides.
  void CopyRect(Rect dst, const Canvas& src, Rect srcRect);
  void Draw(int x, int y, const Bitmap& bmp);  // negative x, y allowed
  Rect ClipRect() const { return {0, 0, bitmap_->Width(), bitmap_->Height()}; }

  Bitmap& Target() { return *bitmap_; }
  const Bitmap& Target() const { return *bitmap_; }

 private:
  Bitmap* bitmap_;
};

class ImageList {
 public:
  ImageList(int cellWidth = 16, int cellHeight = 16) : width_(cellWidth), height_(cellHeight) {}
  void SetCellSize(int w, int h);  // clears the list
  int CellWidth() const { return width_; }
  int CellHeight() const { return height_; }
  // Adds `bmp` (of the cell size; larger is cropped, smaller padded
  // transparent) as one cell whose `transparent` pixels are masked out.
  // Returns the new cell's index.
  int AddMasked(const Bitmap& bmp, TColor transparent = clBlack);
  // Cell top-left at (x, y); masked pixels leave the canvas unchanged; an
  // index without a cell draws nothing.
  void Draw(Canvas& canvas, int x, int y, int index) const;
  enum class Style { Normal, Selected };
  Style DrawingStyle = Style::Normal;  // Selected: (cell + BlendColor) >> 1 per channel
  TColor BlendColor = clYellow;
  int Count() const { return static_cast<int>(cells_.size()); }
  void Clear() { cells_.clear(); }

 private:
  struct Cell {
    std::vector<RgbColor> pixels;
    std::vector<std::uint8_t> opaque;
  };
  int width_, height_;
  std::vector<Cell> cells_;
};

// Writes `bmp` as an 8-bit RGB PNG. Returns an empty string on success, else
// a message naming the file and the problem.
std::string SavePng(const Bitmap& bmp, const std::string& path);

}  // namespace plat
