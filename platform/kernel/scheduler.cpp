// scheduler.cpp — the process-wide kernel lock and the active scheduler.
//
// The real scheduler is created on first use; a backend may install another
// (the headless virtual clock) while no platform threads run. The previous
// scheduler is destroyed after the switch, outside any lock, because it may
// join finished threads.
#include "plat/detail/scheduler.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace plat::detail {
namespace {

struct Slot {
  // Touch the kernel mutex first so it outlives the scheduler destroyed at exit.
  Slot() { KernelMutex(); }
  std::mutex m;  // guards owner
  std::unique_ptr<Scheduler> owner;
  std::atomic<Scheduler*> active{nullptr};
};

Slot& TheSlot() {
  static Slot slot;
  return slot;
}

}  // namespace

std::mutex& KernelMutex() {
  static std::mutex m;
  return m;
}

Scheduler& ActiveScheduler() {
  Slot& s = TheSlot();
  if (Scheduler* p = s.active.load(std::memory_order_acquire)) return *p;
  std::lock_guard lock(s.m);
  if (!s.owner) {
    s.owner = MakeRealScheduler();
    s.active.store(s.owner.get(), std::memory_order_release);
  }
  return *s.owner;
}

void InstallScheduler(std::unique_ptr<Scheduler> s) {
  if (!s) s = MakeRealScheduler();
  Slot& slot = TheSlot();
  std::unique_ptr<Scheduler> old;
  {
    std::lock_guard lock(slot.m);
    old = std::move(slot.owner);
    slot.owner = std::move(s);
    slot.active.store(slot.owner.get(), std::memory_order_release);
  }
}

}  // namespace plat::detail
