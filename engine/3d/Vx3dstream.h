// Vx3dstream.h — little-endian field readers and writers over a platform
// stream, for the model file.
//
// Every value is assembled byte by byte, so the file layout never depends on
// the host's struct packing or byte order. Readers throw TShortRead when the
// stream ends early; arrays grow in bounded steps as bytes actually arrive,
// so a huge announced count costs no more memory than the stream holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "3d/Vx3dtypes.h"
#include "plat/kernel.h"

namespace Vexmora3DSystem {

struct TShortRead {};  // the stream ended inside a record

class TVexmora3DReader {
 public:
  explicit TVexmora3DReader(plat::Stream& stream) : stream_(stream) {}
  void Bytes(std::span<std::uint8_t> out);
  std::uint32_t U32();
  float Float();
  void Vertices(std::uint32_t count, std::vector<TVexmora3DVertex>& out);
  void Indices(std::uint32_t count, std::vector<std::uint16_t>& out);

 private:
  plat::Stream& stream_;
};

class TVexmora3DWriter {
 public:
  explicit TVexmora3DWriter(plat::Stream& stream) : stream_(stream) {}
  void Bytes(std::span<const std::uint8_t> data);
  void U32(std::uint32_t value);
  void Float(float value);
  void Vertices(std::span<const TVexmora3DVertex> vertices);
  void Indices(std::span<const std::uint16_t> indices);
  bool Ok() const { return ok_; }  // false once a write came up short

 private:
  plat::Stream& stream_;
  bool ok_ = true;
};

}  // namespace Vexmora3DSystem
