// thread.cpp — platform threads (_beginthread and TThread in one) and thread
// priorities.
//
// A Thread runs its body on a scheduler-registered OS thread. Like TThread,
// destroying a Thread that is still running sets Terminated and waits for it.
// Priorities are best effort: TimeCritical tries SCHED_FIFO, then a lower nice
// value; both need privileges and failure is ignored.
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

#include "plat/detail/scheduler.h"
#include "plat/kernel.h"
#include "plat/testing.h"

namespace plat {

struct Thread::State {
  std::atomic<bool> terminated{false};
  bool finished = false;  // guarded by the kernel lock
};

std::unique_ptr<Thread> Thread::Start(std::function<void(Thread&)> body, ThreadPriority priority) {
  if (testing::ShouldFail(testing::Fault::ThreadStart)) return nullptr;
  auto state = std::make_shared<State>();
  std::unique_ptr<Thread> thread(new Thread(state));
  Thread* self = thread.get();  // lives until the body has finished: ~Thread waits
  auto run = [self, body = std::move(body), priority] {
    if (priority != ThreadPriority::Normal) SetCurrentThreadPriority(priority);
    body(*self);
  };
  auto onExit = [state] {  // called with the kernel lock held
    state->finished = true;
    detail::ActiveScheduler().Notify();
  };
  if (!detail::ActiveScheduler().RunThread(std::move(run), std::move(onExit))) {
    std::lock_guard lock(detail::KernelMutex());
    state->finished = true;  // nothing to wait for in ~Thread
    return nullptr;
  }
  return thread;
}

Thread::~Thread() {
  Terminate();
  WaitFor();
}

void Thread::Terminate() {
  state_->terminated.store(true, std::memory_order_release);
}

bool Thread::Terminated() const {
  return state_->terminated.load(std::memory_order_acquire);
}

void Thread::WaitFor() {
  detail::Scheduler& s = detail::ActiveScheduler();
  std::unique_lock lock(detail::KernelMutex());
  if (!state_->finished)
    s.Block(
        lock, [this] { return state_->finished; }, std::nullopt, "Thread::WaitFor");
}

bool Thread::Finished() const {
  std::lock_guard lock(detail::KernelMutex());
  return state_->finished;
}

bool SetCurrentThreadPriority(ThreadPriority priority) {
  // On Linux the nice value of a thread id applies to that thread alone.
  const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
  sched_param param{};
  if (priority == ThreadPriority::TimeCritical) {
    param.sched_priority = sched_get_priority_min(SCHED_FIFO);
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0) return true;
    return setpriority(PRIO_PROCESS, tid, -20) == 0;
  }
  param.sched_priority = 0;
  const bool policyOk = pthread_setschedparam(pthread_self(), SCHED_OTHER, &param) == 0;
  const bool niceOk = setpriority(PRIO_PROCESS, tid, 0) == 0;
  return policyOk && niceOk;
}

}  // namespace plat
