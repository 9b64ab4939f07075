// wav_reader_fuzz.cpp — libFuzzer target for the WAV reader and the sound
// buffer loader.
//
// Each input becomes the "WAVE" module resource "fuzz.wav" and is loaded by
// TVexmoraSoundBuffer::LoadFile into a headless DirectSound device, once as
// a static and once as a streamed buffer. A rejected file must throw
// EVxSoundBuffer; a loaded one must describe samples inside the input. Any
// other outcome (a crash, a sanitizer report, another exception, a hang, an
// allocation beyond the input) is a finding. Seed it with the WAV corpus:
//   wav_reader_fuzz -max_len=4096 work/ ../shared/corpora/wav/
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Vxerror.h"
#include "plat/app.h"
#include "plat/dsound.h"
#include "plat/headless.h"
#include "plat/kernel.h"
#include "sound/Vxsoundbuffer.h"

namespace {

plat::IDirectSound& Device() {
  static plat::Form window(plat::Form::Desc{});
  static std::shared_ptr<plat::IDirectSound> device = [] {
    plat::headless::Start();
    std::shared_ptr<plat::IDirectSound> ds;
    if (plat::FAILED(plat::CoCreateDirectSound(ds)) || plat::FAILED(ds->Initialize()) ||
        plat::FAILED(ds->SetCooperativeLevel(&window, plat::DSSCL_PRIORITY)))
      __builtin_trap();
    return ds;
  }();
  return *device;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plat::IDirectSound& device = Device();
  const auto* bytes = reinterpret_cast<const std::byte*>(data);
  plat::RegisterResource("WAVE", "fuzz.wav", std::vector<std::byte>(bytes, bytes + size));
  for (std::uint8_t mode : {VexmoraSoundSystem::TVexmoraSoundBuffer::kStatic,
                            VexmoraSoundSystem::TVexmoraSoundBuffer::kStreamed}) {
    VexmoraSoundSystem::TVexmoraSoundBuffer buffer;
    try {
      buffer.LoadFile(device, "fuzz", "fuzz.wav", mode);
    } catch (const VexmoraSystem::EVxSoundBuffer&) {
      continue;
    }
    if (buffer.DataSize() == 0 ||
        static_cast<std::uint64_t>(buffer.DataOffset()) + buffer.DataSize() > size)
      __builtin_trap();
  }
  return 0;
}
