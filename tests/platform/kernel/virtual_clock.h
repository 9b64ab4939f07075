// virtual_clock.h — installs a fresh virtual-time scheduler on the calling
// thread (which becomes thread 1) for one test, and the real one afterwards.
#pragma once

#include <cstdint>
#include <memory>

#include "headless/virtual_scheduler.h"
#include "plat/detail/scheduler.h"

namespace kxtest {

class VirtualClock {
 public:
  explicit VirtualClock(std::uint32_t startMs = 0) {
    auto s = std::make_unique<plat::headless::VirtualScheduler>(startMs);
    scheduler_ = s.get();
    plat::detail::InstallScheduler(std::move(s));
  }
  ~VirtualClock() { plat::detail::InstallScheduler(nullptr); }
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  plat::headless::VirtualScheduler* operator->() const { return scheduler_; }

 private:
  plat::headless::VirtualScheduler* scheduler_;
};

}  // namespace kxtest
