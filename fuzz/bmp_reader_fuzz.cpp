// bmp_reader_fuzz.cpp — libFuzzer target for the BMP reader.
//
// Feeds each input to Bitmap::LoadFromBytes. A rejected file must throw
// EBitmapLoad; anything else (a crash, a sanitizer report, another exception,
// a hang) is a finding. Seed it with the BMP corpus:
//   bmp_reader_fuzz -max_len=65536 work/ ../shared/corpora/bmp/*/
#include <cstddef>
#include <cstdint>
#include <span>

#include "plat/canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plat::Bitmap bmp;
  try {
    bmp.LoadFromBytes(std::span(reinterpret_cast<const std::byte*>(data), size), "fuzz.bmp");
  } catch (const plat::EBitmapLoad&) {
  }
  return 0;
}
