// png_writer.cpp — SavePng: a bitmap as an 8-bit RGB PNG (screenshots).
//
// Encoded in memory with libpng's simplified API, then written through
// OpenFile, so '\' paths and injected file faults apply as for other files.
#include <png.h>

#include <vector>

#include "plat/canvas.h"
#include "plat/kernel.h"

namespace plat {

std::string SavePng(const Bitmap& bmp, const std::string& path) {
  if (bmp.Width() <= 0 || bmp.Height() <= 0) return path + ": bitmap is empty";
  std::vector<std::uint8_t> rgb;
  rgb.reserve(bmp.Pixels().size() * 3);
  for (const RgbColor p : bmp.Pixels()) {
    rgb.push_back(static_cast<std::uint8_t>(p >> 16));
    rgb.push_back(static_cast<std::uint8_t>(p >> 8));
    rgb.push_back(static_cast<std::uint8_t>(p));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bmp.Width());
  image.height = static_cast<png_uint_32>(bmp.Height());
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  std::vector<std::uint8_t> encoded;
  if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) != 0) {
    encoded.resize(size);
    if (png_image_write_to_memory(&image, encoded.data(), &size, 0, rgb.data(), 0, nullptr) == 0)
      encoded.clear();
  }
  if (encoded.empty()) {
    const std::string problem = image.message[0] != '\0' ? image.message : "PNG encoding failed";
    png_image_free(&image);
    return path + ": " + problem;
  }
  const auto file = OpenFile(path, FileMode::CreateWrite);
  if (!file) return path + ": cannot create file";
  if (file->Write(encoded.data(), size) != size || !file->Flush()) return path + ": write failed";
  return {};
}

}  // namespace plat
