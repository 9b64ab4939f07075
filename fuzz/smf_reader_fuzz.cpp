// smf_reader_fuzz.cpp — libFuzzer target for the Standard MIDI File reader.
//
// Each input becomes the "MIDI" module resource "fuzz.mid" and is loaded with
// TVexmoraMidiData::LoadFile. A rejected file must throw EVxMidi; a loaded one
// must have its three event lists in tick order. Anything else (a crash, a
// sanitizer report, another exception, a hang) is a finding. Seed it with the
// MIDI corpus:
//   smf_reader_fuzz -max_len=65536 work/ ../shared/corpora/midi/
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Vxerror.h"
#include "midi/Vxmididata.h"
#include "plat/kernel.h"

namespace {

template <class List>
bool InTickOrder(const List& list) {
  return std::is_sorted(list.begin(), list.end(),
                        [](const auto& a, const auto& b) { return a.tick < b.tick; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto* bytes = reinterpret_cast<const std::byte*>(data);
  plat::RegisterResource("MIDI", "fuzz.mid", std::vector<std::byte>(bytes, bytes + size));
  VexmoraMidiSystem::TVexmoraMidiData song;
  try {
    song.LoadFile("fuzz.mid");
  } catch (const VexmoraSystem::EVxMidi&) {
    return 0;
  }
  if (!InTickOrder(song.shortMessages) || !InTickOrder(song.longMessages) ||
      !InTickOrder(song.metaEvents))
    __builtin_trap();
  return 0;
}
