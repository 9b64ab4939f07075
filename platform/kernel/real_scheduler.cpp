// real_scheduler.cpp — the wall-clock scheduler: steady_clock time, one
// condition variable for every wait, std::thread for platform threads.
//
// timeGetTime starts at the steady clock's own millisecond count (like
// milliseconds since boot). Finished OS threads are joined the next time a
// thread starts and when the scheduler goes away; a thread still running then
// is detached (its wrapper touches nothing of the scheduler).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "plat/detail/scheduler.h"

namespace plat::detail {
namespace {

using Clock = std::chrono::steady_clock;

// Ids for threads other than the installing one; shared by all instances.
std::atomic<std::uint64_t> g_nextThreadId{2};

class RealScheduler final : public Scheduler {
 public:
  RealScheduler()
      : start_(Clock::now()),
        startMs_(static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(start_.time_since_epoch())
                .count())),
        creator_(std::this_thread::get_id()) {}

  ~RealScheduler() override {
    std::vector<Worker> all;
    {
      std::lock_guard lock(workersMutex_);
      all.swap(workers_);
    }
    for (Worker& w : all) {
      if (w.done->load(std::memory_order_acquire))
        w.os.join();
      else
        w.os.detach();
    }
  }

  std::uint64_t NowNs() override {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start_).count());
  }
  std::uint64_t NowMs() override { return NowNs() / 1'000'000; }
  std::uint32_t StartMs() const override { return startMs_; }

  bool Block(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
             std::optional<std::uint64_t> deadlineMs, std::string_view /*what*/) override {
    auto pred = [&ready] { return ready && ready(); };
    if (!deadlineMs) {
      cv_.wait(lock, pred);
      return true;
    }
    return cv_.wait_until(lock, At(*deadlineMs), pred);
  }

  void Notify() override { cv_.notify_all(); }

  void SpinUntilMs(std::uint64_t deadlineMs) override {
    const auto target = At(deadlineMs);
    constexpr auto kSpinMargin = std::chrono::milliseconds(2);
    if (Clock::now() + kSpinMargin < target) std::this_thread::sleep_until(target - kSpinMargin);
    while (Clock::now() < target) std::this_thread::yield();
  }

  bool RunThread(std::function<void()> body, std::function<void()> onExit) override {
    ReapFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    try {
      std::thread os([body = std::move(body), onExit = std::move(onExit), done]() mutable {
        body();
        body = nullptr;  // the body's captures die before anyone sees it finished
        {
          std::lock_guard lock(KernelMutex());
          onExit();
          onExit = nullptr;
        }
        done->store(true, std::memory_order_release);
      });
      std::lock_guard lock(workersMutex_);
      workers_.push_back({std::move(os), std::move(done)});
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  }

  std::uint64_t CurrentThreadId() override {
    if (std::this_thread::get_id() == creator_) return 1;
    thread_local const std::uint64_t id = g_nextThreadId.fetch_add(1);
    return id;
  }

 private:
  struct Worker {
    std::thread os;
    std::shared_ptr<std::atomic<bool>> done;
  };

  Clock::time_point At(std::uint64_t ms) const { return start_ + std::chrono::milliseconds(ms); }

  void ReapFinished() {
    std::vector<Worker> finished;
    {
      std::lock_guard lock(workersMutex_);
      auto split = std::stable_partition(workers_.begin(), workers_.end(), [](const Worker& w) {
        return !w.done->load(std::memory_order_acquire);
      });
      std::move(split, workers_.end(), std::back_inserter(finished));
      workers_.erase(split, workers_.end());
    }
    for (Worker& w : finished) w.os.join();
  }

  const Clock::time_point start_;
  const std::uint32_t startMs_;
  const std::thread::id creator_;
  std::condition_variable cv_;  // waited on with KernelMutex()
  std::mutex workersMutex_;     // guards workers_
  std::vector<Worker> workers_;
};

}  // namespace

std::unique_ptr<Scheduler> MakeRealScheduler() {
  return std::make_unique<RealScheduler>();
}

}  // namespace plat::detail
