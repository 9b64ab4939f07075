// virtual_scheduler.cpp — the baton-passing virtual-time scheduler.
//
// Each registered thread waits on its own condition variable (with the kernel
// lock) until running_ names it. Whoever gives up the baton chooses the next
// holder, advancing virtual time and running device ticks as needed, so the
// order of events depends only on the program, never on the OS scheduler.
#include "virtual_scheduler.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <thread>

namespace plat::headless {
namespace {

std::atomic<std::uint64_t> g_nextSerial{1};
std::atomic<std::uint64_t> g_nextForeignId{std::uint64_t{1} << 32};

[[noreturn]] void Fatal(std::string_view text) {
  std::fprintf(stderr, "virtual scheduler: %.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
  std::abort();
}

}  // namespace

struct VirtualScheduler::Worker {
  enum class State { New, Running, Blocked, Exited };
  std::uint64_t id = 0;
  State state = State::New;
  std::condition_variable cv;
  const std::function<bool()>* ready = nullptr;  // while Blocked; null = never ready
  std::optional<std::uint64_t> deadline;         // while Blocked
  std::string_view what = "starting";
  std::thread os;  // not joinable for thread 1
};

struct VirtualScheduler::Tick {
  int id = 0;
  std::uint64_t periodMs = 1;
  std::uint64_t nextMs = 0;
  std::function<void()> fn;
  std::atomic<bool> removed{false};
};

namespace {

// Which scheduler instance registered the calling thread, and as whom.
struct Registration {
  std::uint64_t serial = 0;
  void* worker = nullptr;
};
thread_local Registration t_registration;

}  // namespace

VirtualScheduler::VirtualScheduler(std::uint32_t startMs)
    : startMs_(startMs), serial_(g_nextSerial.fetch_add(1)) {
  auto main = std::make_unique<Worker>();
  main->id = 1;
  main->state = Worker::State::Running;
  main->what = "running";
  t_registration = {serial_, main.get()};
  workers_.emplace(1, std::move(main));
}

VirtualScheduler::~VirtualScheduler() {
  std::vector<std::thread> threads;
  {
    std::unique_lock lock(detail::KernelMutex());
    for (const auto& [id, w] : workers_)
      if (id != 1 && w->state != Worker::State::Exited)
        Report("destroyed while platform threads still run");
    for (auto& [id, w] : workers_)
      if (w->os.joinable()) threads.push_back(std::move(w->os));
  }
  for (std::thread& t : threads) t.join();
  if (t_registration.serial == serial_) t_registration = {};
}

std::uint64_t VirtualScheduler::NowMs() {
  return nowMs_.load(std::memory_order_acquire);
}

std::uint64_t VirtualScheduler::NowNs() {
  return NowMs() * 1'000'000;
}

std::uint64_t VirtualScheduler::CurrentThreadId() {
  if (t_registration.serial == serial_) return static_cast<Worker*>(t_registration.worker)->id;
  thread_local const std::uint64_t foreign = g_nextForeignId.fetch_add(1);
  return foreign;
}

VirtualScheduler::Worker& VirtualScheduler::Caller() {
  if (t_registration.serial != serial_)
    Fatal("a thread it does not know tried to block (start threads with plat::Thread)");
  Worker& me = *static_cast<Worker*>(t_registration.worker);
  if (running_ != me.id) Fatal("a thread blocked without holding the baton");
  if (inTicks_) Fatal("a device tick tried to block");
  return me;
}

bool VirtualScheduler::Block(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
                             std::optional<std::uint64_t> deadlineMs, std::string_view what) {
  auto isReady = [&ready] { return ready && ready(); };
  if (isReady()) return true;
  if (deadlineMs && *deadlineMs <= NowMs()) return false;
  Worker& me = Caller();

  me.state = Worker::State::Blocked;
  me.ready = ready ? &ready : nullptr;
  me.deadline = deadlineMs;
  me.what = what;
  PassBaton(lock);
  me.cv.wait(lock, [&] { return running_ == me.id; });
  me.state = Worker::State::Running;
  me.ready = nullptr;
  me.deadline.reset();
  me.what = "running";
  return isReady();
}

VirtualScheduler::Worker* VirtualScheduler::NextReady() {
  const std::uint64_t now = NowMs();
  for (auto& [id, w] : workers_) {
    if (w->state == Worker::State::New) return w.get();
    if (w->state != Worker::State::Blocked) continue;
    if ((w->deadline && *w->deadline <= now) || (w->ready && (*w->ready)())) return w.get();
  }
  return nullptr;
}

void VirtualScheduler::PassBaton(std::unique_lock<std::mutex>& lock) {
  const std::uint64_t idleFrom = NowMs();
  for (;;) {
    if (Worker* next = NextReady()) {
      running_ = next->id;
      next->cv.notify_one();
      return;
    }
    std::optional<std::uint64_t> threadDue, tickDue;
    for (const auto& [id, w] : workers_)
      if (w->state == Worker::State::Blocked && w->deadline)
        threadDue = std::min(threadDue.value_or(*w->deadline), *w->deadline);
    for (const auto& t : ticks_) tickDue = std::min(tickDue.value_or(t->nextMs), t->nextMs);
    if (!threadDue && !tickDue) Report("deadlock: every thread waits without a time-out");
    if (!threadDue && *tickDue - idleFrom > kIdleLimitMs)
      Report("deadlock: only device ticks ran for " + std::to_string(kIdleLimitMs) + " ms");
    const std::uint64_t next = std::min(threadDue.value_or(*tickDue), tickDue.value_or(*threadDue));
    nowMs_.store(std::max(NowMs(), next), std::memory_order_release);
    RunDueTicks(lock);
  }
}

void VirtualScheduler::RunDueTicks(std::unique_lock<std::mutex>& lock) {
  const std::uint64_t now = NowMs();
  std::vector<std::shared_ptr<Tick>> due;
  for (const auto& t : ticks_) {
    if (t->nextMs > now) continue;
    due.push_back(t);
    t->nextMs += t->periodMs;
  }
  if (due.empty()) return;
  // Every other registered thread is parked until running_ changes, so the
  // lock can go while the ticks call back into the kernel.
  inTicks_ = true;
  lock.unlock();
  for (const auto& t : due)
    if (!t->removed.load(std::memory_order_acquire)) t->fn();
  lock.lock();
  inTicks_ = false;
}

void VirtualScheduler::SpinUntilMs(std::uint64_t deadlineMs) {
  std::unique_lock lock(detail::KernelMutex());
  Block(lock, {}, deadlineMs, "SpinUntil");
}

void VirtualScheduler::Advance(std::uint32_t ms) {
  std::unique_lock lock(detail::KernelMutex());
  Block(lock, {}, NowMs() + ms, "Advance");
}

bool VirtualScheduler::RunThread(std::function<void()> body, std::function<void()> onExit) {
  std::vector<std::thread> finished;
  bool started = true;
  {
    std::lock_guard lock(detail::KernelMutex());
    for (auto it = workers_.begin(); it != workers_.end();) {
      if (it->second->state != Worker::State::Exited) {
        ++it;
        continue;
      }
      finished.push_back(std::move(it->second->os));
      it = workers_.erase(it);
    }
    auto w = std::make_unique<Worker>();
    w->id = nextId_;
    try {
      w->os = std::thread(&VirtualScheduler::ThreadMain, this, std::ref(*w), std::move(body),
                          std::move(onExit));
      workers_.emplace(nextId_++, std::move(w));
    } catch (const std::system_error&) {
      started = false;
    }
  }
  // Exited threads have released the lock for good; joining them is quick.
  for (std::thread& t : finished) t.join();
  return started;
}

void VirtualScheduler::ThreadMain(Worker& w, std::function<void()> body,
                                  std::function<void()> onExit) {
  t_registration = {serial_, &w};
  {
    std::unique_lock lock(detail::KernelMutex());
    w.cv.wait(lock, [&] { return running_ == w.id; });
    w.state = Worker::State::Running;
    w.what = "running";
  }
  body();
  body = nullptr;
  std::unique_lock lock(detail::KernelMutex());
  onExit();
  onExit = nullptr;
  w.state = Worker::State::Exited;
  w.what = "exited";
  t_registration = {};
  PassBaton(lock);
}

int VirtualScheduler::AddDeviceTick(std::uint32_t periodMs, std::function<void()> tick) {
  auto t = std::make_shared<Tick>();
  t->periodMs = std::max<std::uint32_t>(periodMs, 1);
  t->fn = std::move(tick);
  std::lock_guard lock(detail::KernelMutex());
  t->id = nextTickId_++;
  t->nextMs = NowMs() + t->periodMs;
  ticks_.push_back(std::move(t));
  return ticks_.back()->id;
}

void VirtualScheduler::RemoveDeviceTick(int id) {
  std::lock_guard lock(detail::KernelMutex());
  std::erase_if(ticks_, [id](const std::shared_ptr<Tick>& t) {
    if (t->id != id) return false;
    t->removed.store(true, std::memory_order_release);
    return true;
  });
}

void VirtualScheduler::Report(std::string_view why) {
  std::string text = std::string(why) + " at virtual " + std::to_string(NowMs()) + " ms\n";
  for (const auto& [id, w] : workers_) {
    if (w->state == Worker::State::Exited) continue;
    text += "  thread " + std::to_string(id) + ": " + std::string(w->what);
    if (w->state == Worker::State::Blocked && w->deadline)
      text += " (until " + std::to_string(*w->deadline) + " ms)";
    text += '\n';
  }
  Fatal(text);
}

}  // namespace plat::headless
