// The 32-bit clock across its wrap, wall-clock text and the generator.
#include "plat/timer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <set>

#include "plat/detail/backend.h"
#include "plat/headless.h"
#include "virtual_clock.h"

namespace {

using namespace plat;

TEST(Clock, WrapsAtTwoToTheThirtyTwoAndSpinUntilCrossesIt) {
  kxtest::VirtualClock clock(0xFFFFF000u);
  EXPECT_EQ(timeGetTime(), 0xFFFFF000u);
  Sleep(0x800);
  EXPECT_EQ(timeGetTime(), 0xFFFFF800u);
  EXPECT_EQ(SpinUntil(0x10), 0x10u);  // 0x810 ms ahead, past the wrap
  EXPECT_EQ(clock->NowMs(), 0x1010u);
  EXPECT_TRUE(TimeReached(0x10, 0xFFFFFFF0u));
  EXPECT_FALSE(TimeReached(0xFFFFFFF0u, 0x10));
}

TEST(Clock, SpinUntilAPastDeadlineReturnsAtOnce) {
  kxtest::VirtualClock clock(0xFFFFFFF0u);
  Sleep(0x20);  // now 0x10, after the wrap
  EXPECT_EQ(SpinUntil(0xFFFFFFF8u), 0x10u);
  EXPECT_EQ(SpinUntil(0x10), 0x10u);
  EXPECT_EQ(clock->NowMs(), 0x20u);
}

TEST(Clock, FramesPacedBySpinUntilStartExactly37MsApart) {
  kxtest::VirtualClock clock(0xFFFFFF00u);
  std::uint32_t last = timeGetTime();
  for (int frame = 0; frame < 20; ++frame) {
    const std::uint32_t now = SpinUntil(last + 37);
    ASSERT_EQ(now - last, 37u);
    last = now;
  }
  EXPECT_EQ(clock->NowMs(), 740u);
}

TEST(WallClock, WithoutABackendItIsTheSystemTime) {
  if (detail::ActiveBackend()) GTEST_SKIP() << "a backend is installed";
  const std::int64_t before = std::time(nullptr);
  const std::int64_t t = TimeSeconds();
  EXPECT_GE(t, before);
  EXPECT_LE(t, std::time(nullptr));
  const std::string text = DateTimeText();
  ASSERT_EQ(text.size(), 19u);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char want = i == 4 || i == 7 ? '/' : i == 10 ? ' ' : i == 13 || i == 16 ? ':' : '0';
    if (want == '0')
      EXPECT_TRUE(text[i] >= '0' && text[i] <= '9') << text;
    else
      EXPECT_EQ(text[i], want) << text;
  }
}

TEST(WallClock, HeadlessDateTextFollowsVirtualTime) {
  const char* oldTz = std::getenv("TZ");
  const std::string savedTz = oldTz ? oldTz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  headless::Config config;
  config.unixSeconds = 1'800'000'000;
  auto& control = headless::Start(config);
  const std::string start = DateTimeText();
  control.Advance(61'500);
  const std::string later = DateTimeText();
  headless::Stop();
  if (oldTz)
    setenv("TZ", savedTz.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
  EXPECT_EQ(start, "2027/01/15 08:00:00");
  EXPECT_EQ(later, "2027/01/15 08:01:01");
}

TEST(Random, SameSeedSameSequenceOnEveryLibrary) {
  // Pinned values: the sequence must never depend on the C library.
  SeedRandom(1);
  const std::int32_t a = Rand(), b = Rand(), c = Rand();
  EXPECT_EQ(a, 908834774);
  EXPECT_EQ(b, 1093944153);
  EXPECT_EQ(c, 1392341196);
  SeedRandom(1);
  EXPECT_EQ(Rand(), a);
  SeedRandom(2);
  EXPECT_NE(Rand(), a);
}

TEST(Random, ValuesCoverThirtyOneBitsAndRandomStaysInRange) {
  SeedRandom(12345);
  std::int32_t high = 0;
  std::set<std::int32_t> small;
  for (int i = 0; i < 10000; ++i) {
    const std::int32_t v = Rand();
    ASSERT_GE(v, 0);
    high = std::max(high, v);
    small.insert(random(6));
  }
  EXPECT_GT(high, 0x7F000000);  // well beyond RAND_MAX 32767
  EXPECT_EQ(small, (std::set<std::int32_t>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(random(0), 0);
  EXPECT_EQ(random(-3), 0);
}

}  // namespace
