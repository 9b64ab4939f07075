// bmp.h — writes 24-bit uncompressed bottom-up Windows BMP files
// (BITMAPINFOHEADER, BI_RGB, rows padded to 4 bytes), the one format every
// loader reads.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace ag {

std::vector<std::uint8_t> encodeBmp(const Image& img);
// Throws std::runtime_error when the file cannot be written.
void writeBmp(const std::string& path, const Image& img);

}  // namespace ag
