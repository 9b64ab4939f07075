// Events, wait-any and critical sections. Time-outs are checked on the
// virtual clock, where they land on the exact millisecond.
#include <gtest/gtest.h>

#include <array>
#include <atomic>

#include "plat/kernel.h"
#include "plat/timer.h"
#include "virtual_clock.h"

namespace {

using namespace plat;

TEST(Event, AutoResetIsConsumedByOneWait) {
  Event e;
  EXPECT_EQ(e.Wait(0), WAIT_TIMEOUT);
  e.Set();
  e.Set();  // not counted: still one wake-up
  EXPECT_EQ(e.Wait(0), WAIT_OBJECT_0);
  EXPECT_EQ(e.Wait(0), WAIT_TIMEOUT);
}

TEST(Event, ManualResetStaysSignalledUntilReset) {
  Event e(/*manualReset=*/true, /*signalled=*/true);
  EXPECT_EQ(e.Wait(0), WAIT_OBJECT_0);
  EXPECT_EQ(e.Wait(0), WAIT_OBJECT_0);
  e.Reset();
  EXPECT_EQ(e.Wait(0), WAIT_TIMEOUT);
}

TEST(Event, TimeOutEndsOnTheExactMillisecond) {
  kxtest::VirtualClock clock(500);
  Event e;
  EXPECT_EQ(e.Wait(40), WAIT_TIMEOUT);
  EXPECT_EQ(timeGetTime(), 540u);
}

TEST(Event, SetFromAnotherThreadWakesTheWaiter) {
  kxtest::VirtualClock clock;
  Event e;
  auto t = Thread::Start([&](Thread&) {
    Sleep(30);
    e.Set();
  });
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(e.Wait(1000), WAIT_OBJECT_0);
  EXPECT_EQ(timeGetTime(), 30u);
  EXPECT_EQ(e.Wait(0), WAIT_TIMEOUT);  // auto reset by the wait
}

TEST(WaitForMultipleObjects, ReturnsLowestSignalledAndResetsOnlyIt) {
  Event a, b(/*manualReset=*/true), c;
  const std::array<Event*, 3> all{&a, &b, &c};
  a.Set();
  c.Set();
  EXPECT_EQ(WaitForMultipleObjects(all, 0), WAIT_OBJECT_0 + 0);
  EXPECT_EQ(WaitForMultipleObjects(all, 0), WAIT_OBJECT_0 + 2);  // c was left alone
  EXPECT_EQ(WaitForMultipleObjects(all, 0), WAIT_TIMEOUT);
  b.Set();
  c.Set();
  EXPECT_EQ(WaitForMultipleObjects(all, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(all, 0), WAIT_OBJECT_0 + 1);  // manual: still set
}

TEST(WaitForMultipleObjects, FailsForEmptyOrNullHandles) {
  Event a;
  const std::array<Event*, 2> withNull{&a, nullptr};
  EXPECT_EQ(WaitForMultipleObjects({}, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(withNull, 0), WAIT_FAILED);
}

TEST(WaitForMultipleObjects, WakesOnALaterSetOrTimesOut) {
  kxtest::VirtualClock clock;
  Event a, b, c;
  const std::array<Event*, 3> all{&a, &b, &c};
  auto t = Thread::Start([&](Thread&) {
    Sleep(25);
    c.Set();
  });
  EXPECT_EQ(WaitForMultipleObjects(all, INFINITE), WAIT_OBJECT_0 + 2);
  EXPECT_EQ(timeGetTime(), 25u);
  EXPECT_EQ(WaitForMultipleObjects(all, 15), WAIT_TIMEOUT);
  EXPECT_EQ(timeGetTime(), 40u);
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
  CriticalSection cs;
  std::atomic<bool> entered{false};
  cs.Enter();
  cs.Enter();
  auto t = Thread::Start([&](Thread&) {
    cs.Enter();
    entered = true;
    cs.Leave();
  });
  ASSERT_NE(t, nullptr);
  cs.Leave();
  Sleep(20);  // one level is still held
  EXPECT_FALSE(entered);
  cs.Leave();
  t->WaitFor();
  EXPECT_TRUE(entered);
}

TEST(CriticalSection, GuardsSharedDataBetweenThreads) {
  CriticalSection cs;
  int counter = 0;  // plain int: a missed exclusion shows under TSan
  auto work = [&](Thread&) {
    for (int i = 0; i < 5000; ++i) {
      cs.Enter();
      ++counter;
      cs.Leave();
    }
  };
  auto a = Thread::Start(work);
  auto b = Thread::Start(work);
  a->WaitFor();
  b->WaitFor();
  EXPECT_EQ(counter, 10000);
}

TEST(CriticalSection, ContendedEnterWaitsForTheOwnerOnTheVirtualClock) {
  kxtest::VirtualClock clock;
  CriticalSection cs;
  auto t = Thread::Start([&](Thread&) {
    cs.Enter();
    Sleep(12);
    cs.Leave();
  });
  Sleep(1);  // the thread takes the section first
  cs.Enter();
  EXPECT_EQ(timeGetTime(), 12u);
  cs.Leave();
}

}  // namespace
