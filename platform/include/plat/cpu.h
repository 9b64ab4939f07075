// cpu.h — processor facts (CPUID) and the time-stamp counter.
//
// GetCpuInfo reads CPUID once on x86-64 (where CPUID always exists). Other
// processors report hasCpuid false and all zero. family, model and stepping
// are the plain 4-bit fields of function 1 EAX (bits 8-11, 4-7, 0-3), without
// the extended family and model. name holds the brand text only when the
// highest extended function is at least 0x80000002, else it is empty.
//
// Rdtsc is the processor's counter on x86 (steady-clock nanoseconds
// elsewhere). Under a virtual clock (headless) it is virtual nanoseconds x
// tscHz / 1e9 instead, so measured clocks and profiler totals repeat exactly.
//
// Tests may replace the processor facts with a fixed fake and set tscHz
// (plat::testing below); both are process-wide and meant to be set while no
// other thread reads them.
#pragma once

#include <cstdint>
#include <optional>

namespace plat {

struct CpuInfo {
  bool hasCpuid = false;
  std::uint32_t maxStd = 0, maxExt = 0;  // highest standard / extended function
  char vendor[13] = {};                  // EBX, EDX, ECX of function 0
  char name[49] = {};                    // functions 0x80000002..4
  std::uint32_t family = 0, model = 0, stepping = 0;
  std::uint32_t stdEdx = 0;  // function 1 EDX
  std::uint32_t extEdx = 0;  // function 0x80000001 EDX
};

// The fake set by testing::SetCpuInfo, else this processor's facts.
const CpuInfo& GetCpuInfo();
std::uint64_t Rdtsc();

inline bool HasMMX() {
  const CpuInfo& c = GetCpuInfo();
  return c.hasCpuid && (c.stdEdx >> 23 & 1);
}
inline bool Has3DNow() {
  const CpuInfo& c = GetCpuInfo();
  return c.maxExt >= 0x80000001u && (c.extEdx >> 31 & 1);
}

namespace testing {
// A fixed processor for GetCpuInfo; nullopt goes back to the real one.
void SetCpuInfo(std::optional<CpuInfo> fake);
// Counter ticks per second under a virtual clock (default 1e9).
void SetTscHz(std::uint64_t hz);
std::uint64_t TscHz();
}  // namespace testing

}  // namespace plat
