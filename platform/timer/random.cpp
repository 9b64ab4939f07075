// random.cpp — the game's pseudo-random generator.
//
// A 64-bit linear congruential generator (Knuth's MMIX constants) returning
// the top 31 bits of the new state: the same sequence everywhere for the same
// seed, unlike rand(). The state starts as if seeded with 1. Safe to call
// from several threads (each call takes one step atomically).
#include <atomic>

#include "plat/timer.h"

namespace plat {
namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;

std::atomic<std::uint64_t> g_state{1};

}  // namespace

void SeedRandom(std::uint32_t seed) {
  g_state.store(seed, std::memory_order_relaxed);
}

std::int32_t Rand() {
  std::uint64_t s = g_state.load(std::memory_order_relaxed);
  std::uint64_t next;
  do {
    next = s * kMultiplier + kIncrement;
  } while (!g_state.compare_exchange_weak(s, next, std::memory_order_relaxed));
  return static_cast<std::int32_t>(next >> 33);
}

}  // namespace plat
