// surface_check.h — looking at DirectDraw surface pixels in tests: FNV-1a
// hashes of pixel rows (pitch padding left out), pixel reads and writes, and
// a check that no byte of the pitch padding was touched.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

#include "plat/ddraw.h"

namespace kxtest {

inline constexpr std::uint8_t kPadByte = 0xCD;  // what the stand-in fills padding with

struct Fnv1a {
  std::uint64_t h = 0xcbf29ce484222325ull;
  void Add(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
  }
};

// Rows of `rowBytes` bytes, `pitch` apart.
inline std::uint64_t HashRows(const std::uint8_t* p, std::int32_t pitch, int rowBytes, int rows) {
  Fnv1a f;
  for (int y = 0; y < rows; ++y) f.Add({p + static_cast<std::ptrdiff_t>(y) * pitch,
                                        static_cast<std::size_t>(rowBytes)});
  return f.h;
}

inline int BytesOf(const plat::DDSURFACEDESC2& d) {
  return static_cast<int>(d.ddpfPixelFormat->dwRGBBitCount / 8);
}

inline std::uint64_t HashSurface(plat::IDirectDrawSurface7& s) {
  plat::DDSURFACEDESC2 d;
  if (s.Lock(nullptr, d) != plat::DD_OK) return 0;
  const std::uint64_t h = HashRows(d.lpSurface, d.lPitch, d.dwWidth * BytesOf(d), d.dwHeight);
  s.Unlock();
  return h;
}

inline std::uint32_t GetPixel(plat::IDirectDrawSurface7& s, int x, int y) {
  plat::DDSURFACEDESC2 d;
  const plat::Rect r{x, y, x + 1, y + 1};
  if (s.Lock(&r, d) != plat::DD_OK) return 0xDEADBEEF;
  std::uint32_t v = 0;
  std::memcpy(&v, d.lpSurface, static_cast<std::size_t>(BytesOf(d)));
  s.Unlock();
  return v;
}

inline void PutPixel(plat::IDirectDrawSurface7& s, int x, int y, std::uint32_t v) {
  plat::DDSURFACEDESC2 d;
  const plat::Rect r{x, y, x + 1, y + 1};
  if (s.Lock(&r, d) != plat::DD_OK) return;
  std::memcpy(d.lpSurface, &v, static_cast<std::size_t>(BytesOf(d)));
  s.Unlock();
}

// True when every padding byte after each row still holds kPadByte.
inline bool PaddingIntact(plat::IDirectDrawSurface7& s) {
  plat::DDSURFACEDESC2 d;
  if (s.Lock(nullptr, d) != plat::DD_OK) return false;
  const int row = d.dwWidth * BytesOf(d);
  bool ok = true;
  for (int y = 0; y < d.dwHeight && ok; ++y)
    for (int i = row; i < d.lPitch; ++i)
      ok = ok && d.lpSurface[static_cast<std::ptrdiff_t>(y) * d.lPitch + i] == kPadByte;
  s.Unlock();
  return ok;
}

}  // namespace kxtest
