// Vx3dstream.cpp — little-endian field I/O for the model file.
#include "3d/Vx3dstream.h"

#include <algorithm>
#include <array>
#include <bit>

namespace Vexmora3DSystem {
namespace {

constexpr std::uint32_t kChunkElements = 4096;  // array growth step

std::uint32_t LoadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void StoreU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
float LoadFloat(const std::uint8_t* p) { return std::bit_cast<float>(LoadU32(p)); }
void StoreFloat(std::uint8_t* p, float v) { StoreU32(p, std::bit_cast<std::uint32_t>(v)); }

}  // namespace

void TVexmora3DReader::Bytes(std::span<std::uint8_t> out) {
  if (stream_.Read(out.data(), out.size()) != out.size()) throw TShortRead{};
}

std::uint32_t TVexmora3DReader::U32() {
  std::array<std::uint8_t, 4> b;
  Bytes(b);
  return LoadU32(b.data());
}

float TVexmora3DReader::Float() { return std::bit_cast<float>(U32()); }

void TVexmora3DReader::Vertices(std::uint32_t count, std::vector<TVexmora3DVertex>& out) {
  out.clear();
  std::vector<std::uint8_t> raw;
  while (out.size() < count) {
    const std::uint32_t n = std::min<std::uint32_t>(kChunkElements, count - out.size());
    raw.resize(std::size_t{n} * 32);
    Bytes(raw);
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::uint8_t* p = raw.data() + std::size_t{i} * 32;
      out.push_back({LoadFloat(p), LoadFloat(p + 4), LoadFloat(p + 8), LoadFloat(p + 12),
                     LoadFloat(p + 16), LoadFloat(p + 20), LoadFloat(p + 24), LoadFloat(p + 28)});
    }
  }
}

void TVexmora3DReader::Indices(std::uint32_t count, std::vector<std::uint16_t>& out) {
  out.clear();
  std::vector<std::uint8_t> raw;
  while (out.size() < count) {
    const std::uint32_t n = std::min<std::uint32_t>(kChunkElements, count - out.size());
    raw.resize(std::size_t{n} * 2);
    Bytes(raw);
    for (std::uint32_t i = 0; i < n; ++i)
      out.push_back(static_cast<std::uint16_t>(raw[2 * i] | raw[2 * i + 1] << 8));
  }
}

void TVexmora3DWriter::Bytes(std::span<const std::uint8_t> data) {
  if (ok_ && stream_.Write(data.data(), data.size()) != data.size()) ok_ = false;
}

void TVexmora3DWriter::U32(std::uint32_t value) {
  std::array<std::uint8_t, 4> b;
  StoreU32(b.data(), value);
  Bytes(b);
}

void TVexmora3DWriter::Float(float value) { U32(std::bit_cast<std::uint32_t>(value)); }

void TVexmora3DWriter::Vertices(std::span<const TVexmora3DVertex> vertices) {
  std::vector<std::uint8_t> raw(vertices.size() * 32);
  std::uint8_t* p = raw.data();
  for (const TVexmora3DVertex& v : vertices) {
    for (float f : {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.tu, v.tv}) {
      StoreFloat(p, f);
      p += 4;
    }
  }
  Bytes(raw);
}

void TVexmora3DWriter::Indices(std::span<const std::uint16_t> indices) {
  std::vector<std::uint8_t> raw(indices.size() * 2);
  for (std::size_t i = 0; i < indices.size(); ++i) {
    raw[2 * i] = static_cast<std::uint8_t>(indices[i]);
    raw[2 * i + 1] = static_cast<std::uint8_t>(indices[i] >> 8);
  }
  Bytes(raw);
}

}  // namespace Vexmora3DSystem
