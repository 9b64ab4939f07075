// timer.h — the one platform clock, sleeping, wall time and the game's
// pseudo-random generator.
//
// timeGetTime is milliseconds as an unsigned 32-bit value that wraps; on the
// headless backend it is virtual time (see kernel.h). SpinUntil compares
// wrap-safely: it returns once the clock has reached `deadline`, even across
// the 2^32 wrap.
#pragma once

#include <cstdint>
#include <string>

namespace plat {

std::uint32_t timeGetTime();
void Sleep(std::uint32_t ms);
// Waits until timeGetTime() has reached `deadline` (wrap-safe) and returns a
// fresh clock value. Real backend: sleeps until about 2 ms before the
// deadline, then spins. Headless: a blocking point of the virtual clock.
std::uint32_t SpinUntil(std::uint32_t deadline);
// Sleeps (without spinning) until timeGetTime() has reached `deadline`
// (wrap-safe), at the exact moment rather than at a rounded-up millisecond
// count from the caller's last look at the clock.
void SleepUntil(std::uint32_t deadline);
// True when `now` has reached `deadline`, wrap-safe (half the range ahead).
constexpr bool TimeReached(std::uint32_t now, std::uint32_t deadline) {
  return static_cast<std::int32_t>(now - deadline) >= 0;
}

std::int64_t TimeSeconds();   // time(NULL); headless: configured start + virtual time
std::string DateTimeText();   // local "yyyy/mm/dd hh:nn:ss" (19 characters)

// The game's only pseudo-random generator: 31-bit values, the same sequence on
// every C library for the same seed.
void SeedRandom(std::uint32_t seed);
std::int32_t Rand();                 // 0 .. 2^31 - 1
inline std::int32_t random(std::int32_t n) { return n > 0 ? Rand() % n : 0; }

}  // namespace plat
