// virtual_scheduler.h — the headless clock: deterministic virtual time over
// real threads.
//
// Every registered thread (the constructing thread is thread 1, threads from
// RunThread follow in creation order) runs only while it holds the baton, so
// exactly one runs at a time. A thread that blocks hands the baton to the
// lowest-numbered ready thread. When none is ready, virtual time jumps to the
// earliest deadline (a thread's time-out or a device tick), the ticks due then
// run, and the choice is made again. Nothing depends on the wall clock, so a
// run repeats exactly. All threads waiting without a time-out (or only device
// ticks running for kIdleLimitMs) is a deadlock: the scheduler prints each
// thread's wait point to stderr and aborts.
//
// Only registered threads may block. Install it from the thread that
// constructed it, while no platform threads run.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "plat/detail/scheduler.h"

namespace plat::headless {

class VirtualScheduler final : public detail::Scheduler {
 public:
  // Virtual time with no thread deadline in which only device ticks ran
  // before the scheduler calls it a deadlock.
  static constexpr std::uint64_t kIdleLimitMs = 10 * 60 * 1000;

  explicit VirtualScheduler(std::uint32_t startMs);
  ~VirtualScheduler() override;  // aborts if a registered thread has not finished
  VirtualScheduler(const VirtualScheduler&) = delete;
  VirtualScheduler& operator=(const VirtualScheduler&) = delete;

  std::uint64_t NowMs() override;
  std::uint64_t NowNs() override;
  std::uint32_t StartMs() const override { return startMs_; }
  bool Virtual() const override { return true; }
  bool Block(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
             std::optional<std::uint64_t> deadlineMs, std::string_view what) override;
  // Nothing to do: waiters' conditions are checked whenever the baton moves.
  void Notify() override {}
  void SpinUntilMs(std::uint64_t deadlineMs) override;  // blocks until the deadline
  bool RunThread(std::function<void()> body, std::function<void()> onExit) override;
  std::uint64_t CurrentThreadId() override;

  // Lets the other threads run until virtual time has advanced by `ms`.
  // Called by a registered thread without the kernel lock.
  void Advance(std::uint32_t ms);

  // Calls `tick` every `periodMs` of virtual time (at least 1), first at
  // now + periodMs. Ticks due at the same time run in the order they were
  // added, before any thread woken at that time, on the thread that is
  // passing the baton, with the kernel lock released: they may set events and
  // start threads but must not block. Call without the kernel lock.
  int AddDeviceTick(std::uint32_t periodMs, std::function<void()> tick);
  void RemoveDeviceTick(int id);

 private:
  struct Worker;
  struct Tick;

  Worker& Caller();
  Worker* NextReady();
  void PassBaton(std::unique_lock<std::mutex>& lock);
  void RunDueTicks(std::unique_lock<std::mutex>& lock);
  [[noreturn]] void Report(std::string_view why);
  void ThreadMain(Worker& w, std::function<void()> body, std::function<void()> onExit);

  const std::uint32_t startMs_;
  const std::uint64_t serial_;  // tells this instance's thread records from stale ones
  std::atomic<std::uint64_t> nowMs_{0};

  // Guarded by the kernel lock.
  std::map<std::uint64_t, std::unique_ptr<Worker>> workers_;
  std::uint64_t running_ = 1;
  std::uint64_t nextId_ = 2;
  std::vector<std::shared_ptr<Tick>> ticks_;
  int nextTickId_ = 1;
  bool inTicks_ = false;
};

}  // namespace plat::headless
