// buffer_lock.cpp — Lock and Unlock of a secondary buffer.
//
// Lock copies the requested range (wrapping past the end into a second
// region) out of the shared sample memory under the mixer lock and hands out
// that copy; Unlock writes back the bytes the caller says it wrote, again
// under the mixer lock. Several ranges may be locked at once (each Unlock
// names its own first pointer); writes to the same bytes land in Unlock
// order. Locking while the buffer plays is allowed.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "buffer_impl.h"
#include "plat/testing.h"

namespace plat {

HRESULT IDirectSoundBuffer::Lock(std::uint32_t offset, std::uint32_t bytes, void** p1,
                                 std::uint32_t* n1, void** p2, std::uint32_t* n2,
                                 std::uint32_t flags) {
  if (testing::ShouldFail(testing::Fault::SoundLock)) return DSERR_GENERIC;
  if (impl_->primary || !p1 || !n1 || (flags & ~DSBLOCK_ENTIREBUFFER) != 0)
    return DSERR_INVALIDPARAM;
  std::lock_guard lock(impl_->mixer().Mutex());
  std::vector<std::uint8_t>& memory = impl_->voice.memory->bytes;
  const auto size = static_cast<std::uint32_t>(memory.size());
  if (flags & DSBLOCK_ENTIREBUFFER) {
    offset = 0;
    bytes = size;
  }
  if (bytes == 0 || bytes > size || offset >= size) return DSERR_INVALIDPARAM;
  auto pending = std::make_unique<Impl::PendingLock>();
  pending->offset = offset;
  pending->n1 = std::min(bytes, size - offset);
  pending->n2 = bytes - pending->n1;
  if (pending->n2 != 0 && (!p2 || !n2)) return DSERR_INVALIDPARAM;
  pending->copy.resize(bytes);
  std::memcpy(pending->copy.data(), memory.data() + offset, pending->n1);
  std::memcpy(pending->copy.data() + pending->n1, memory.data(), pending->n2);
  *p1 = pending->copy.data();
  *n1 = pending->n1;
  if (p2) *p2 = pending->n2 != 0 ? pending->copy.data() + pending->n1 : nullptr;
  if (n2) *n2 = pending->n2;
  impl_->locks.push_back(std::move(pending));
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* p1, std::uint32_t n1, void* p2, std::uint32_t n2) {
  if (impl_->primary) return DSERR_INVALIDPARAM;
  std::lock_guard lock(impl_->mixer().Mutex());
  auto& locks = impl_->locks;
  const auto it = std::find_if(locks.begin(), locks.end(),
                               [p1](const auto& l) { return l->copy.data() == p1; });
  if (it == locks.end()) return DSERR_INVALIDPARAM;
  const Impl::PendingLock& l = **it;
  const bool secondOk = n2 == 0 || p2 == l.copy.data() + l.n1;
  if (n1 > l.n1 || n2 > l.n2 || !secondOk) return DSERR_INVALIDPARAM;
  std::vector<std::uint8_t>& memory = impl_->voice.memory->bytes;
  std::memcpy(memory.data() + l.offset, l.copy.data(), n1);
  std::memcpy(memory.data(), l.copy.data() + l.n1, n2);
  locks.erase(it);
  return DS_OK;
}

}  // namespace plat
