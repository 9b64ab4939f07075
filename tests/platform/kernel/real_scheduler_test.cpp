// The wall-clock scheduler. Loaded machines run late, never early: the tests
// check lower bounds and only generous upper bounds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "plat/kernel.h"
#include "plat/timer.h"

namespace {

using namespace plat;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(RealClock, SleepLastsAtLeastItsTime) {
  const auto start = Clock::now();
  const std::uint32_t before = timeGetTime();
  Sleep(20);
  EXPECT_GE(timeGetTime() - before, 20u);
  // The deadline is counted in whole clock milliseconds, like the original's.
  EXPECT_GE(Clock::now() - start, milliseconds(19));
  EXPECT_LT(Clock::now() - start, milliseconds(5000));
}

TEST(RealClock, SpinUntilReturnsAFreshValueAtOrAfterTheDeadline) {
  const std::uint32_t deadline = timeGetTime() + 15;
  const std::uint32_t now = SpinUntil(deadline);
  EXPECT_TRUE(TimeReached(now, deadline));
  EXPECT_TRUE(TimeReached(timeGetTime(), now));
  EXPECT_LT(now - deadline, 5000u);
}

TEST(RealClock, EventTimeOutAndCrossThreadWake) {
  Event e;
  auto start = Clock::now();
  EXPECT_EQ(e.Wait(30), WAIT_TIMEOUT);
  EXPECT_GE(Clock::now() - start, milliseconds(29));  // whole clock milliseconds

  std::atomic<bool> setter{false};
  auto t = Thread::Start([&](Thread&) {
    Sleep(10);
    setter = true;
    e.Set();
  });
  start = Clock::now();
  EXPECT_EQ(e.Wait(INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(setter);
  EXPECT_LT(Clock::now() - start, milliseconds(5000));
}

TEST(RealClock, AutoResetEventReleasesOneOfTwoWaitersPerSet) {
  Event go;
  std::atomic<int> woken{0};
  auto waiter = [&](Thread&) {
    if (go.Wait(INFINITE) == WAIT_OBJECT_0) ++woken;
  };
  auto a = Thread::Start(waiter);
  auto b = Thread::Start(waiter);
  go.Set();
  while (woken < 1) Sleep(1);
  Sleep(20);
  EXPECT_EQ(woken, 1);
  go.Set();
  a->WaitFor();
  b->WaitFor();
  EXPECT_EQ(woken, 2);
}

}  // namespace
