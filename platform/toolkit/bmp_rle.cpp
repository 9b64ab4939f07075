// bmp_rle.cpp — decodes RLE8 and RLE4 BMP pixel data.
//
// Commands: a count > 0 repeats a byte (RLE4: its two nibbles alternately);
// 0,0 ends the line; 0,1 ends the bitmap; 0,2,dx,dy moves right and up; 0,n
// copies n literal pixels, padded to a 16-bit boundary. Pixels a delta or an
// early end skips stay black. A run, literal or delta that would leave the
// image, a palette index past the palette, and data that stop before the
// end-of-bitmap marker all reject the file: nothing is clipped or guessed.
#include "bmp_format.h"

namespace plat::bmp {
namespace {

class RleDecoder {
 public:
  RleDecoder(std::span<const std::byte> file, const Header& h, std::string_view name, Bitmap& out)
      : data_(reinterpret_cast<const std::uint8_t*>(file.data())),
        pos_(h.dataOffset),
        end_(h.dataEnd),
        h_(h),
        name_(name),
        out_(out),
        four_(h.coding == Coding::Rle4) {}

  void Run() {
    for (;;) {
      Need(2, "a command");
      const unsigned count = data_[pos_], value = data_[pos_ + 1];
      pos_ += 2;
      if (count > 0) {
        Span(count);
        for (unsigned i = 0; i < count; ++i)
          Put(four_ ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
      } else if (value == 0) {
        x_ = 0;
        ++row_;
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        Need(2, "a delta");
        x_ += data_[pos_];
        row_ += data_[pos_ + 1];
        pos_ += 2;
        if (x_ > h_.width || row_ > h_.height) Outside("delta");
      } else {
        Literal(value);
      }
    }
  }

 private:
  void Need(std::size_t n, const char* what) {
    if (end_ - pos_ < n)
      Fail(name_, std::string("file is truncated (RLE data ends inside ") + what +
                      " before the end-of-bitmap marker)");
  }
  [[noreturn]] void Outside(const char* what) {
    Fail(name_, std::string("RLE ") + what + " leaves the image (line " + std::to_string(row_) +
                    " from the bottom, column " + std::to_string(x_) + ")");
  }
  void Span(unsigned count) {
    if (row_ >= h_.height || x_ + static_cast<int>(count) > h_.width) Outside("run");
    dst_ = out_.Row(h_.height - 1 - row_) + x_;
    x_ += static_cast<int>(count);
  }
  void Put(unsigned index) {
    if (index >= h_.palette.size())
      Fail(name_, "palette index " + std::to_string(index) + " out of range (palette has " +
                      std::to_string(h_.palette.size()) + " colours)");
    *dst_++ = h_.palette[index];
  }
  void Literal(unsigned count) {
    const std::size_t bytes = four_ ? (count + 1) / 2 : count;
    Need(bytes, "literal pixels");
    Span(count);
    for (unsigned i = 0; i < count; ++i) {
      const unsigned byte = data_[pos_ + (four_ ? i / 2 : i)];
      Put(four_ ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte);
    }
    pos_ += bytes + (bytes & 1);  // a missing pad byte just before the end is caught by Need
    if (pos_ > end_) pos_ = end_;
  }

  const std::uint8_t* data_;
  std::size_t pos_, end_;
  const Header& h_;
  std::string_view name_;
  Bitmap& out_;
  bool four_;
  int x_ = 0, row_ = 0;  // row counts from the bottom
  RgbColor* dst_ = nullptr;
};

}  // namespace

void DecodeRle(std::span<const std::byte> file, const Header& h, std::string_view name,
               Bitmap& out) {
  RleDecoder(file, h, name, out).Run();
}

}  // namespace plat::bmp
