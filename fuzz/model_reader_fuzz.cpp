// model_reader_fuzz.cpp — libFuzzer target for the model file reader.
//
// Each input becomes the "VEXMORAX" module resource "fuzz.x" and is loaded by
// TVexmora3DFile::LoadFile with a device that refuses every texture. A
// rejected file must throw EVx3DFile and leave no chain; a loaded one must
// hold records that fit in the input and save back to the same bytes. Any
// other outcome (a crash, a sanitizer report, another exception, a hang, an
// allocation beyond the input) is a finding. Seed it with files the writer
// makes (kx_test_engine --gtest_filter=ModelSeeds.* writes them):
//   model_reader_fuzz -max_len=4096 work/ seeds/
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "3d/Vx3dfile.h"
#include "core/Vxerror.h"
#include "plat/exception.h"
#include "plat/kernel.h"

namespace {

using namespace Vexmora3DSystem;

class RefusingDevice : public TVexmora3DModelDevice {
 public:
  void CreateTexture(const std::string&, const std::string&, int, int) override {
    throw plat::Exception("no textures");
  }
  void SetTexture(const std::string&, int) override {}
  void ClearTexture(int) override {}
  const TVexmora3DMatrix& GetWorldMatrix() const override { return matrix_; }
  const TVexmora3DMatrix& GetViewMatrix() const override { return matrix_; }
  void SetWorldMatrix(const TVexmora3DMatrix&) override {}
  void SetMaterial(const plat::D3DMATERIAL7&) override {}
  void SetFlatShade(bool) override {}
  void SetAlphaBlend(TAlphaBlendEffect) override {}
  void SetMultiTexture(TMultiTextureEffect) override {}
  void DrawIndexed(const TVexmora3DVertex*, std::uint32_t, const std::uint16_t*,
                   std::uint32_t) override {}

 private:
  TVexmora3DMatrix matrix_;
};

// Collects what Save writes.
class MemoryStream : public plat::Stream {
 public:
  std::vector<std::uint8_t> bytes;
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void* buffer, std::size_t count) override {
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    bytes.insert(bytes.end(), p, p + count);
    return count;
  }
  std::int64_t Seek(std::int64_t, plat::SeekOrigin) override {
    return static_cast<std::int64_t>(bytes.size());
  }
};

// The byte Save writes at `i` of a record of `length` bytes read from `record`.
std::uint8_t Expected(const std::uint8_t* record, std::size_t i, std::size_t length) {
  if (i == 36 || i == 39) return record[i] != 0;  // envMap, flatShade
  if (i == length - 4) return std::memcmp(record + i, "\0\0\0\0", 4) != 0;  // hasNext
  if (i > length - 4) return 0;
  return record[i];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto* bytes = reinterpret_cast<const std::byte*>(data);
  plat::RegisterResource("VEXMORAX", "fuzz.x", std::vector<std::byte>(bytes, bytes + size));
  RefusingDevice device;
  TVexmora3DFile file;
  try {
    file.LoadFile(&device, "fuzz.x");
  } catch (const VexmoraSystem::EVx3DFile&) {
    if (file.Root() || !file.FileName().empty()) __builtin_trap();
    return 0;
  }
  // Saving must give back the input's records: every byte kept, except the
  // flag bytes and hasNext, which are read as booleans and written as 0/1.
  MemoryStream saved;
  if (!file.Root()->Save(saved) || saved.bytes.size() > size) __builtin_trap();
  std::size_t at = 0;
  for (const TVexmora3DObject* obj = file.Root(); obj; obj = obj->GetNextObject()) {
    const std::size_t length = 380 + obj->vertices.size() * 32 + obj->indices.size() * 2;
    if (at + length > saved.bytes.size()) __builtin_trap();
    for (std::size_t i = 0; i < length; ++i)
      if (saved.bytes[at + i] != Expected(data + at, i, length)) __builtin_trap();
    at += length;
  }
  if (at != saved.bytes.size()) __builtin_trap();
  file.Render(device);
  return 0;
}
