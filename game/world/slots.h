// slots.h — first-free-slot search over the fixed object tables.
#pragma once

#include <cstddef>
#include <span>

namespace kx {

// The lowest slot of `slots` for which `isFree` holds; null when there is
// none (a full table: the caller drops its spawn).
template <class Slot, std::size_t N, class IsFree>
Slot* FirstFreeSlot(std::span<Slot, N> slots, IsFree isFree) {
  for (Slot& s : slots)
    if (isFree(s)) return &s;
  return nullptr;
}

}  // namespace kx
