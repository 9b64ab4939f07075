// Platform threads: start, terminate, join, the start fault and thread ids.
#include <gtest/gtest.h>

#include <atomic>

#include "plat/detail/scheduler.h"
#include "plat/kernel.h"
#include "plat/testing.h"
#include "plat/timer.h"
#include "virtual_clock.h"

namespace {

using namespace plat;
namespace pt = plat::testing;

class ThreadTest : public ::testing::Test {
 protected:
  void TearDown() override { pt::ClearFaults(); }
};

TEST_F(ThreadTest, BodyPollsTerminateAndWaitForJoins) {
  std::atomic<int> cycles{0};
  auto t = Thread::Start([&](Thread& self) {
    while (!self.Terminated()) {
      ++cycles;
      Sleep(1);
    }
  });
  ASSERT_NE(t, nullptr);
  while (cycles == 0) Sleep(1);
  EXPECT_FALSE(t->Finished());
  t->Terminate();
  EXPECT_TRUE(t->Terminated());
  t->WaitFor();
  EXPECT_TRUE(t->Finished());
  t->WaitFor();  // joining twice is harmless
}

TEST_F(ThreadTest, DestroyingARunningThreadTerminatesAndJoinsIt) {
  std::atomic<bool> leftLoop{false};
  auto t = Thread::Start([&](Thread& self) {
    while (!self.Terminated()) Sleep(1);
    leftLoop = true;
  });
  ASSERT_NE(t, nullptr);
  t.reset();
  EXPECT_TRUE(leftLoop);
}

TEST_F(ThreadTest, StartFaultGivesNullAndRunsNothing) {
  pt::Fail(pt::Fault::ThreadStart);
  bool ran = false;
  EXPECT_EQ(Thread::Start([&](Thread&) { ran = true; }), nullptr);
  EXPECT_FALSE(ran);
  auto next = Thread::Start([&](Thread&) { ran = true; });
  ASSERT_NE(next, nullptr);
  next->WaitFor();
  EXPECT_TRUE(ran);
  EXPECT_EQ(pt::Reached(pt::Fault::ThreadStart), 2u);
}

TEST_F(ThreadTest, TimeCriticalThreadRunsWhateverThePrivileges) {
  std::atomic<bool> ran{false};
  auto t = Thread::Start([&](Thread&) { ran = true; }, ThreadPriority::TimeCritical);
  ASSERT_NE(t, nullptr);
  t->WaitFor();
  EXPECT_TRUE(ran);
  SetCurrentThreadPriority(ThreadPriority::Normal);  // must not fail loudly either
}

TEST_F(ThreadTest, IdsAreOneForTheMainThreadAndDistinctOtherwise) {
  auto& s = detail::ActiveScheduler();
  EXPECT_EQ(s.CurrentThreadId(), 1u);
  std::atomic<std::uint64_t> a{0}, b{0};
  auto ta = Thread::Start([&](Thread&) { a = detail::ActiveScheduler().CurrentThreadId(); });
  auto tb = Thread::Start([&](Thread&) { b = detail::ActiveScheduler().CurrentThreadId(); });
  ta->WaitFor();
  tb->WaitFor();
  EXPECT_NE(a, 1u);
  EXPECT_NE(b, 1u);
  EXPECT_NE(a, b);
}

TEST_F(ThreadTest, VirtualClockNumbersThreadsInCreationOrder) {
  kxtest::VirtualClock clock;
  std::uint64_t a = 0, b = 0;
  auto ta = Thread::Start([&](Thread&) { a = detail::ActiveScheduler().CurrentThreadId(); });
  auto tb = Thread::Start([&](Thread&) { b = detail::ActiveScheduler().CurrentThreadId(); });
  EXPECT_EQ(a, 0u);  // nothing runs until the main thread blocks
  ta->WaitFor();
  tb->WaitFor();
  EXPECT_EQ(detail::ActiveScheduler().CurrentThreadId(), 1u);
  EXPECT_EQ(a, 2u);
  EXPECT_EQ(b, 3u);
}

}  // namespace
