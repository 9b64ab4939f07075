// The virtual-time scheduler: one thread at a time, time jumps to the next
// deadline, device ticks before threads, identical runs, deadlock reports.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "plat/kernel.h"
#include "plat/timer.h"
#include "virtual_clock.h"

namespace {

using namespace plat;

// Two threads ping-pong through events with sleeps and a time-out while the
// main thread paces one frame and joins them.
std::vector<std::string> PingPong() {
  kxtest::VirtualClock clock(1000);
  std::vector<std::string> log;  // touched only by the thread holding the baton
  auto note = [&log](const char* who, const char* what) {
    log.push_back(std::to_string(timeGetTime()) + " " + who + " " + what);
  };
  Event ping, pong;
  auto a = Thread::Start([&](Thread&) {
    for (int i = 0; i < 3; ++i) {
      Sleep(10);
      note("A", "ping");
      ping.Set();
      note("A", pong.Wait(100) == WAIT_TIMEOUT ? "timeout" : "pong");
    }
  });
  auto b = Thread::Start([&](Thread&) {
    for (int i = 0; i < 3; ++i) {
      ping.Wait();
      note("B", "got");
      Sleep(i == 2 ? 200 : 5);
      pong.Set();
      note("B", "set");
    }
  });
  note("main", "started");
  SpinUntil(timeGetTime() + 37);
  note("main", "frame");
  a->WaitFor();
  note("main", "a done");
  b->WaitFor();
  note("main", "b done");
  return log;
}

TEST(VirtualScheduler, InterleavingAndTimestampsRepeatExactly) {
  const std::vector<std::string> expected{
      "1000 main started", "1010 A ping",      "1010 B got",  "1015 B set",
      "1015 A pong",       "1025 A ping",      "1025 B got",  "1030 B set",
      "1030 A pong",       "1037 main frame",  "1040 A ping", "1040 B got",
      "1140 A timeout",    "1140 main a done", "1240 B set",  "1240 main b done"};
  for (int run = 0; run < 3; ++run) EXPECT_EQ(PingPong(), expected) << "run " << run;
}

TEST(VirtualScheduler, NewThreadsWaitUntilTheCreatorBlocks) {
  kxtest::VirtualClock clock;
  bool ran = false;
  auto t = Thread::Start([&](Thread&) { ran = true; });
  EXPECT_FALSE(ran);
  Sleep(1);
  EXPECT_TRUE(ran);
  EXPECT_EQ(timeGetTime(), 1u);
}

TEST(VirtualScheduler, AdvanceLetsThreadsRunAndLowerIdsWinTies) {
  kxtest::VirtualClock clock;
  int wakes = 0;
  auto t = Thread::Start([&](Thread& self) {
    while (!self.Terminated()) {
      Sleep(5);
      ++wakes;
    }
  });
  clock->Advance(100);
  // The wake-up due at 100 comes after thread 1's, also due at 100.
  EXPECT_EQ(wakes, 19);
  EXPECT_EQ(clock->NowMs(), 100u);
  t->Terminate();
  t->WaitFor();
  EXPECT_EQ(wakes, 20);
  EXPECT_EQ(clock->NowMs(), 100u);
}

TEST(VirtualScheduler, DeviceTicksRunBeforeThreadsDueAtTheSameTime) {
  kxtest::VirtualClock clock;
  Event mixed;
  std::vector<std::uint32_t> ticks;
  const int id = clock->AddDeviceTick(10, [&] {
    ticks.push_back(timeGetTime());
    mixed.Set();
  });
  std::vector<std::uint32_t> seen;
  auto t = Thread::Start([&](Thread&) {
    Sleep(10);
    seen.push_back(mixed.Wait(0) == WAIT_OBJECT_0 ? timeGetTime() : 0);  // the 10 ms tick ran
    mixed.Wait();
    seen.push_back(timeGetTime());
  });
  t->WaitFor();
  clock->RemoveDeviceTick(id);
  Sleep(50);
  EXPECT_EQ(ticks, (std::vector<std::uint32_t>{10, 20}));
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{10, 20}));
}

TEST(VirtualScheduler, TenThousandSleepsTakeFarLessThanASecond) {
  kxtest::VirtualClock clock;
  int a = 0, b = 0;
  const auto start = std::chrono::steady_clock::now();
  // Offset by 5 ms, so every sleep hands the baton to the other OS thread.
  auto ta = Thread::Start([&](Thread&) {
    for (int i = 0; i < 5000; ++i, ++a) Sleep(10);
  });
  auto tb = Thread::Start([&](Thread&) {
    Sleep(5);
    for (int i = 0; i < 5000; ++i, ++b) Sleep(10);
  });
  ta->WaitFor();
  tb->WaitFor();
  const auto real = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(a + b, 10000);
  EXPECT_EQ(clock->NowMs(), 50'005u);
  EXPECT_LT(real, std::chrono::milliseconds(1000));
}

// Thread 1 waits for a section thread 3 holds; threads 2 and 3 wait for an
// event nobody sets.
void Deadlock() {
  kxtest::VirtualClock clock;
  Event never;
  CriticalSection cs;
  auto t = Thread::Start([&](Thread&) { never.Wait(); });
  auto u = Thread::Start([&](Thread&) {
    cs.Enter();
    never.Wait();
  });
  Sleep(5);
  cs.Enter();
}

void DeadlockBehindTicks() {
  kxtest::VirtualClock clock;
  clock->AddDeviceTick(10, [] {});
  Event never;
  never.Wait();
}

using VirtualSchedulerDeathTest = ::testing::Test;

TEST_F(VirtualSchedulerDeathTest, DeadlockNamesEveryWaitPoint) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(Deadlock(),
               "deadlock: every thread waits without a time-out at virtual 5 ms\n"
               "  thread 1: CriticalSection::Enter\n"
               "  thread 2: Event::Wait\n"
               "  thread 3: Event::Wait\n");
}

TEST_F(VirtualSchedulerDeathTest, TicksAloneCannotHideADeadlock) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(DeadlockBehindTicks(),
               "deadlock: only device ticks ran for 600000 ms.*thread 1: Event::Wait");
}

}  // namespace
