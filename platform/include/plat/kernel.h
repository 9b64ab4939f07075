// kernel.h — threads, events, waits, critical sections, files and module
// resources.
//
// Every blocking call here (Sleep, SpinUntil, Event::Wait,
// WaitForMultipleObjects, Thread::WaitFor, a contended CriticalSection::Enter)
// goes through the active scheduler. On the real backend that is the system
// clock and condition variables. On the headless backend it is a
// deterministic virtual-time scheduler: exactly one registered thread runs at a
// time, and when all are blocked virtual time jumps to the earliest deadline,
// so a run is bit-for-bit repeatable. Engine threads must therefore block only
// in these calls and never while holding a lock of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

inline constexpr std::uint32_t INFINITE = 0xFFFFFFFF;
enum : std::uint32_t { WAIT_OBJECT_0 = 0, WAIT_TIMEOUT = 258, WAIT_FAILED = 0xFFFFFFFF };

class Event {  // CreateEvent / TEvent
 public:
  explicit Event(bool manualReset = false, bool signalled = false);
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  void Set();
  void Reset();
  // WAIT_OBJECT_0 when signalled (an auto-reset event is reset by the wait),
  // WAIT_TIMEOUT after `ms`.
  std::uint32_t Wait(std::uint32_t ms = INFINITE);

 private:
  friend std::uint32_t WaitForMultipleObjects(std::span<Event* const>, std::uint32_t);
  bool manual_;
  bool signalled_;
};
// Waits for any of `events`; returns WAIT_OBJECT_0 + the lowest signalled
// index (resetting only that one if it is auto-reset), WAIT_TIMEOUT, or
// WAIT_FAILED for an empty span or a null event.
std::uint32_t WaitForMultipleObjects(std::span<Event* const> events, std::uint32_t ms);

class CriticalSection {  // recursive, like Win32 critical sections
 public:
  CriticalSection() = default;
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void Enter();
  void Leave();

 private:
  std::uint64_t owner_ = 0;  // platform thread id, 0 = free
  int depth_ = 0;
};

enum class ThreadPriority { Normal, TimeCritical };

class Thread {  // _beginthread and TThread in one
 public:
  // Starts `body` on a new platform thread; null when the thread cannot be
  // created (fault point ThreadStart).
  static std::unique_ptr<Thread> Start(std::function<void(Thread&)> body,
                                       ThreadPriority priority = ThreadPriority::Normal);
  ~Thread();  // sets Terminated and joins if still running (as TThread does)
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  void Terminate();  // sets the flag the body polls
  bool Terminated() const;
  void WaitFor();  // joins
  bool Finished() const;

  struct State;

 private:
  explicit Thread(std::shared_ptr<State> s) : state_(std::move(s)) {}
  std::shared_ptr<State> state_;
};
bool SetCurrentThreadPriority(ThreadPriority priority);  // best effort

enum class SeekOrigin { Begin, Current, End };
class Stream {  // TFileStream / TResourceStream / FILE*
 public:
  virtual ~Stream() = default;
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;  // short read = end
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;  // new position, -1 on error
  virtual bool Flush() { return true; }
  std::int64_t Size();
};
enum class FileMode { ReadShareDenyWrite, ReadUpdate, CreateWrite };  // 0x20, "rb+", "wb+"
// Null on failure (or an injected file fault for that path).
std::unique_ptr<Stream> OpenFile(std::string_view path, FileMode mode);
// Renames `from` over `to`; false on failure.
bool ReplaceFile(std::string_view from, std::string_view to);
// A read-only stream over a module resource; null when there is none.
std::unique_ptr<Stream> OpenResource(std::string_view type, std::string_view name);
// Adds a module resource (names compare case-insensitively). Empty at start.
void RegisterResource(std::string type, std::string name, std::vector<std::byte> data);
void ClearResources();
// '\' -> '/', and when the path does not exist as written, a case-insensitive
// match of each component in its folder.
std::string NativePath(std::string_view path);

}  // namespace plat
