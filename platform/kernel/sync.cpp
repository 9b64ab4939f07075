// sync.cpp — events, wait-any and recursive critical sections.
//
// All state lives under the kernel lock; waits block through the active
// scheduler, so they are blocking points of the virtual clock too. A time-out
// of INFINITE never expires.
#include <mutex>
#include <optional>

#include "plat/detail/scheduler.h"
#include "plat/kernel.h"

namespace plat {
namespace {

std::optional<std::uint64_t> DeadlineAfter(detail::Scheduler& s, std::uint32_t ms) {
  if (ms == INFINITE) return std::nullopt;
  return s.NowMs() + ms;
}

}  // namespace

Event::Event(bool manualReset, bool signalled) : manual_(manualReset), signalled_(signalled) {}

Event::~Event() = default;

void Event::Set() {
  std::lock_guard lock(detail::KernelMutex());
  signalled_ = true;
  detail::ActiveScheduler().Notify();
}

void Event::Reset() {
  std::lock_guard lock(detail::KernelMutex());
  signalled_ = false;
}

std::uint32_t Event::Wait(std::uint32_t ms) {
  detail::Scheduler& s = detail::ActiveScheduler();
  std::unique_lock lock(detail::KernelMutex());
  if (!signalled_)
    s.Block(
        lock, [this] { return signalled_; }, DeadlineAfter(s, ms), "Event::Wait");
  if (!signalled_) return WAIT_TIMEOUT;
  if (!manual_) signalled_ = false;
  return WAIT_OBJECT_0;
}

std::uint32_t WaitForMultipleObjects(std::span<Event* const> events, std::uint32_t ms) {
  if (events.empty()) return WAIT_FAILED;
  for (const Event* e : events)
    if (!e) return WAIT_FAILED;
  auto lowestSignalled = [events]() -> std::optional<std::uint32_t> {
    for (std::size_t i = 0; i < events.size(); ++i)
      if (events[i]->signalled_) return static_cast<std::uint32_t>(i);
    return std::nullopt;
  };
  detail::Scheduler& s = detail::ActiveScheduler();
  std::unique_lock lock(detail::KernelMutex());
  auto hit = lowestSignalled();
  if (!hit) {
    s.Block(
        lock, [&] { return lowestSignalled().has_value(); }, DeadlineAfter(s, ms),
        "WaitForMultipleObjects");
    hit = lowestSignalled();
  }
  if (!hit) return WAIT_TIMEOUT;
  Event& e = *events[*hit];
  if (!e.manual_) e.signalled_ = false;
  return WAIT_OBJECT_0 + *hit;
}

void CriticalSection::Enter() {
  detail::Scheduler& s = detail::ActiveScheduler();
  const std::uint64_t me = s.CurrentThreadId();
  std::unique_lock lock(detail::KernelMutex());
  if (owner_ == me) {
    ++depth_;
    return;
  }
  if (owner_ != 0)
    s.Block(
        lock, [this] { return owner_ == 0; }, std::nullopt, "CriticalSection::Enter");
  owner_ = me;
  depth_ = 1;
}

void CriticalSection::Leave() {
  detail::Scheduler& s = detail::ActiveScheduler();
  const std::uint64_t me = s.CurrentThreadId();
  std::lock_guard lock(detail::KernelMutex());
  if (owner_ != me || depth_ == 0) return;  // not ours: ignored, like an unbalanced Leave
  if (--depth_ == 0) {
    owner_ = 0;
    s.Notify();
  }
}

}  // namespace plat
