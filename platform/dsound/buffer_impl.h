// buffer_impl.h — what an IDirectSoundBuffer is inside: its session (device
// and cooperative level), its caps flags and, for a secondary buffer, its
// voice in the mixer plus the regions handed out by Lock and not yet
// unlocked.
//
// A locked region is a private copy of those bytes; Unlock writes it back
// under the mixer lock, so the mixer never sees a half-done refill.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "device.h"
#include "plat/dsound.h"

namespace plat {

struct IDirectSoundBuffer::Impl {
  struct PendingLock {
    std::uint32_t offset = 0;  // where the first region starts
    std::uint32_t n1 = 0, n2 = 0;
    std::vector<std::uint8_t> copy;  // n1 + n2 bytes
  };

  Impl(std::shared_ptr<dsound::Session> s, std::uint32_t f, bool isPrimary);
  ~Impl();  // takes the voice out of the mixer
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  dsound::Mixer& mixer() const { return session->device->mixer(); }
  bool Has(std::uint32_t cap) const { return (flags & cap) != 0; }

  const std::shared_ptr<dsound::Session> session;
  const std::uint32_t flags;
  const bool primary;
  dsound::Voice voice;                                 // secondary only; mixer lock
  std::vector<std::unique_ptr<PendingLock>> locks;     // mixer lock
};

namespace dsound {

// PCM the mixer can play: tag 1, 1-2 channels, 8 or 16 bits, a block
// alignment of channels * bits / 8, 100..100000 Hz.
bool ValidPcm(const WAVEFORMATEX& f);
PcmFormat ToPcm(const WAVEFORMATEX& f);

}  // namespace dsound
}  // namespace plat
