// Vxpixelmode.cpp — the shared pixel mode and its trigonometric tables.
#include "draw/Vxpixelmode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>
#include <vector>

namespace VexmoraDrawSystem {
namespace {

struct Tables {
  std::vector<std::int32_t> sin, cos;
  Tables() : sin(65536), cos(65536) {
    for (int i = 0; i < 65536; ++i) {
      const double t = i * 2.0 * std::numbers::pi / 65536.0;
      sin[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(std::sin(t) * 65536.0);
      cos[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(std::cos(t) * 65536.0);
    }
  }
};

const Tables& Trig() {
  static const Tables tables;
  return tables;
}

}  // namespace

TPixelMode& PixelMode() {
  static TPixelMode mode;
  return mode;
}

void FillPixelMode(TPixelMode& m, const plat::DDPIXELFORMAT& f, std::uint32_t keyColour, int width,
                   int height, bool hasMMX) {
  m.rMask = f.dwRBitMask;
  m.gMask = f.dwGBitMask;
  m.bMask = f.dwBBitMask;
  m.colourMask = m.rMask | m.gMask | m.bMask;
  m.otherMask = ~m.colourMask;
  m.bytesPerPixel = static_cast<int>(f.dwRGBBitCount / 8);
  m.keyColour = keyColour;
  m.screenWidth = width;
  m.screenHeight = height;
  m.rShift = m.gShift = m.bShift = m.rBits = m.gBits = m.bBits = m.minBits = 0;
  if (m.bytesPerPixel != 1) {
    const std::array<std::uint32_t, 3> masks{m.rMask, m.gMask, m.bMask};
    std::array<int, 3> shift{}, bits{};
    for (int i = 0; i < 3; ++i) {
      shift[i] = masks[i] ? std::countr_zero(masks[i]) : 0;
      bits[i] = std::popcount(masks[i]);
    }
    m.minBits = std::min({bits[0], bits[1], bits[2]});
    m.rShift = shift[0] + bits[0] - m.minBits;
    m.gShift = shift[1] + bits[1] - m.minBits;
    m.bShift = shift[2] + bits[2] - m.minBits;
    m.rBits = bits[0];
    m.gBits = bits[1];
    m.bBits = bits[2];
  }
  m.hasMMX = hasMMX;
  m.sinTable = Trig().sin.data();
  m.cosTable = Trig().cos.data();
}

}  // namespace VexmoraDrawSystem
