// Vxprofiler.h — cycle-count profiling of engine operations and the trace
// sink of the debug log.
//
// A TVexmoraFunctionProfile scope reads the time-stamp counter when it opens
// and adds the difference to its operation's row when it closes; times are
// inclusive of nested operations. Rows are keyed by the operation's name
// text, so equal names always share one row, and the report lists them in
// byte order of the names. Everything the profiler writes is CP932.
//
// Not thread-safe: one profiler serves the application's thread, and its
// start readings form one stack, so scopes must nest. A scope whose profiler
// was destroyed while it was open (the log switched to another file inside an
// operation) closes without touching it.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <stack>
#include <string>
#include <string_view>

namespace VexmoraSystem {

// A 64-bit unsigned cycle count.
struct TVexmoraLargeInteger {
  std::uint64_t QuadPart = 0;
  std::uint32_t LowPart() const { return static_cast<std::uint32_t>(QuadPart); }
  std::uint32_t HighPart() const { return static_cast<std::uint32_t>(QuadPart >> 32); }
};

struct TVexmoraProfileResult {
  std::uint32_t count = 0;     // calls
  TVexmoraLargeInteger total;  // cycles summed over all calls
};

class TVexmoraProfiler {
 public:
  // `stream` is not owned; null writes to standard output.
  explicit TVexmoraProfiler(std::ostream* stream = nullptr);
  // Writes the report (PrintOut).
  virtual ~TVexmoraProfiler();
  TVexmoraProfiler(const TVexmoraProfiler&) = delete;
  TVexmoraProfiler& operator=(const TVexmoraProfiler&) = delete;

  void Start();                       // pushes a counter reading
  void End(std::string_view name);    // adds the time since the last Start to `name`
  void Trace(std::string_view text);  // text, line feed, flush
  virtual void PrintOut();

  const std::map<std::string, TVexmoraProfileResult, std::less<>>& Results() const {
    return results_;
  }
  std::size_t OpenScopes() const { return starts_.size(); }
  // Identifies this profiler for its whole life; never reused.
  std::uint64_t Serial() const { return serial_; }
  // Whether the profiler with this serial still exists.
  static bool Alive(std::uint64_t serial);

 private:
  void Line(const std::string& cp932);

  std::ostream* stream_;
  std::map<std::string, TVexmoraProfileResult, std::less<>> results_;
  std::stack<TVexmoraLargeInteger> starts_;
  std::uint64_t serial_;
};

// Times one operation: Start on construction, End(name) on destruction; a
// null profiler does nothing. `name` must outlive the scope.
class TVexmoraFunctionProfile {
 public:
  TVexmoraFunctionProfile(TVexmoraProfiler* profiler, const char* name);
  ~TVexmoraFunctionProfile();
  TVexmoraFunctionProfile(const TVexmoraFunctionProfile&) = delete;
  TVexmoraFunctionProfile& operator=(const TVexmoraFunctionProfile&) = delete;

 private:
  const char* name_;
  TVexmoraProfiler* profiler_;
  std::uint64_t serial_ = 0;
};

}  // namespace VexmoraSystem
