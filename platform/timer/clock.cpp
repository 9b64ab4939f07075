// clock.cpp — timeGetTime, Sleep, SleepUntil and SpinUntil over the active
// scheduler.
//
// timeGetTime is the scheduler's start value plus its millisecond count,
// truncated to 32 bits, so it wraps like the original. SpinUntil measures the
// remaining time as a signed 32-bit difference, which stays right across the
// wrap as long as the deadline is less than 2^31 ms ahead.
#include <mutex>
#include <optional>

#include "plat/detail/scheduler.h"
#include "plat/kernel.h"
#include "plat/timer.h"

namespace plat {

std::uint32_t timeGetTime() {
  detail::Scheduler& s = detail::ActiveScheduler();
  return s.StartMs() + static_cast<std::uint32_t>(s.NowMs());
}

void Sleep(std::uint32_t ms) {
  detail::Scheduler& s = detail::ActiveScheduler();
  std::unique_lock lock(detail::KernelMutex());
  const std::optional<std::uint64_t> deadline =
      ms == INFINITE ? std::nullopt : std::optional(s.NowMs() + ms);
  s.Block(lock, {}, deadline, "Sleep");
}

void SleepUntil(std::uint32_t deadline) {
  detail::Scheduler& s = detail::ActiveScheduler();
  std::unique_lock lock(detail::KernelMutex());
  const std::uint64_t now = s.NowMs();
  const auto remaining =
      static_cast<std::int32_t>(deadline - (s.StartMs() + static_cast<std::uint32_t>(now)));
  if (remaining > 0) s.Block(lock, {}, now + static_cast<std::uint64_t>(remaining), "SleepUntil");
}

std::uint32_t SpinUntil(std::uint32_t deadline) {
  detail::Scheduler& s = detail::ActiveScheduler();
  const std::uint64_t now = s.NowMs();
  const auto remaining =
      static_cast<std::int32_t>(deadline - (s.StartMs() + static_cast<std::uint32_t>(now)));
  if (remaining > 0) s.SpinUntilMs(now + static_cast<std::uint64_t>(remaining));
  return timeGetTime();
}

}  // namespace plat
