// SleepUntil: an absolute wake-up on the 32-bit clock, across its wrap, and
// a cadence built on it that does not drift.
#include <gtest/gtest.h>

#include "plat/timer.h"
#include "virtual_clock.h"

namespace {

using namespace plat;

TEST(SleepUntil, WakesAtTheDeadlineAcrossTheWrapAndNotForAPastOne) {
  kxtest::VirtualClock clock(0xFFFFFFF0u);
  SleepUntil(0x25);  // 0x35 ms ahead, past the wrap
  EXPECT_EQ(timeGetTime(), 0x25u);
  SleepUntil(0xFFFFFFF8u);  // already passed: no wait
  SleepUntil(0x25);
  EXPECT_EQ(clock->NowMs(), 0x35u);
}

TEST(SleepUntil, ACadenceWithWorkInEachCycleKeepsItsSchedule) {
  kxtest::VirtualClock clock(1000);
  std::uint32_t deadline = timeGetTime();
  for (int cycle = 0; cycle < 100; ++cycle) {
    Sleep(3);  // the cycle's own work
    deadline += 10;
    SleepUntil(deadline);
    ASSERT_EQ(timeGetTime(), deadline);
  }
  EXPECT_EQ(clock->NowMs(), 1000u);
}

}  // namespace
