// scheduler.h — what the kernel stand-ins block on. Backend-facing; engine
// and game code never include it.
//
// All kernel-object state (event flags, critical-section owners, thread
// lifetimes) is guarded by one process-wide mutex, KernelMutex(). A blocking
// call takes that mutex, then asks the active scheduler to Block until its
// condition holds or its deadline passes; any change of kernel state calls
// Notify with the mutex held.
//
// Two schedulers exist: the real one (steady clock, one condition variable),
// installed by default, and the headless virtual-time scheduler (backend/
// headless), which runs exactly one registered thread at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

namespace plat::detail {

std::mutex& KernelMutex();

class Scheduler {
 public:
  virtual ~Scheduler() = default;

  // Milliseconds since the scheduler started, never wrapping.
  virtual std::uint64_t NowMs() = 0;
  // Nanoseconds since the scheduler started (the time-stamp counter's base).
  virtual std::uint64_t NowNs() = 0;
  // The value timeGetTime reports at NowMs() == 0.
  virtual std::uint32_t StartMs() const = 0;
  // True for a virtual clock (headless): the time-stamp counter then follows
  // NowNs() instead of the processor's, so cycle counts repeat exactly.
  virtual bool Virtual() const { return false; }

  // Called by the current thread with `lock` (on KernelMutex) held. Returns
  // when ready() is true (returns true) or when NowMs() has reached
  // `deadlineMs` (returns ready()). ready() is evaluated with the lock held.
  // `what` names the wait point for deadlock reports.
  virtual bool Block(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
                     std::optional<std::uint64_t> deadlineMs, std::string_view what) = 0;
  // Kernel state changed (lock held): blocked threads may be ready now.
  virtual void Notify() = 0;

  // Busy-wait until NowMs() >= deadlineMs (no lock held). The real scheduler
  // sleeps until about 2 ms before, then spins; the virtual one blocks.
  virtual void SpinUntilMs(std::uint64_t deadlineMs) = 0;

  // Thread lifecycle. RunThread runs `body` on a new OS thread registered
  // with the scheduler; false when it cannot. The scheduler calls
  // `onExit` (with the lock held) when body returns.
  virtual bool RunThread(std::function<void()> body, std::function<void()> onExit) = 0;
  // Identifies the calling thread (1 = the thread that installed the
  // scheduler; unregistered threads get ids of their own).
  virtual std::uint64_t CurrentThreadId() = 0;
};

// The active scheduler; the real one unless a backend installed another.
Scheduler& ActiveScheduler();
// Installs `s` (null: back to the real scheduler). Only while no platform
// threads run.
void InstallScheduler(std::unique_ptr<Scheduler> s);
std::unique_ptr<Scheduler> MakeRealScheduler();

}  // namespace plat::detail
