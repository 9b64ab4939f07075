// cpu.cpp — CPUID facts, the time-stamp counter and their test overrides.
//
// The real facts are read once. Rdtsc asks the active scheduler whether time
// is virtual on every call, so a test that installs the headless clock gets a
// reproducible counter without any other switch.
#include "plat/cpu.h"

#include <atomic>
#include <chrono>
#include <cstring>

#include "plat/detail/scheduler.h"

#if defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#define KX_CPU_X86 1
#else
#define KX_CPU_X86 0
#endif

namespace plat {
namespace {

#if KX_CPU_X86
struct Regs {
  std::uint32_t a = 0, b = 0, c = 0, d = 0;
};

Regs Cpuid(std::uint32_t leaf) {
  Regs r;
  __cpuid(leaf, r.a, r.b, r.c, r.d);
  return r;
}

CpuInfo ReadCpu() {
  CpuInfo info;  // CPUID always exists on x86-64
  info.hasCpuid = true;
  const Regs r0 = Cpuid(0);
  info.maxStd = r0.a;
  std::memcpy(info.vendor + 0, &r0.b, 4);
  std::memcpy(info.vendor + 4, &r0.d, 4);
  std::memcpy(info.vendor + 8, &r0.c, 4);
  if (info.maxStd >= 1) {
    const Regs r1 = Cpuid(1);
    info.stepping = r1.a & 0xF;
    info.model = (r1.a >> 4) & 0xF;
    info.family = (r1.a >> 8) & 0xF;
    info.stdEdx = r1.d;
  }
  info.maxExt = Cpuid(0x80000000u).a;
  if (info.maxExt >= 0x80000001u) info.extEdx = Cpuid(0x80000001u).d;
  if (info.maxExt >= 0x80000002u) {
    for (std::uint32_t i = 0; i < 3; ++i) {
      const Regs r = Cpuid(0x80000002u + i);
      const std::uint32_t words[4] = {r.a, r.b, r.c, r.d};
      std::memcpy(info.name + 16 * i, words, 16);
    }
  }
  return info;
}
#else
CpuInfo ReadCpu() {
  return {};
}
#endif

struct Overrides {
  bool faked = false;
  CpuInfo fake;
  std::atomic<std::uint64_t> tscHz{1'000'000'000};
};

Overrides& TheOverrides() {
  static Overrides o;
  return o;
}

std::uint64_t HardwareCounter() {
#if KX_CPU_X86
  return __rdtsc();
#else
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
#endif
}

}  // namespace

const CpuInfo& GetCpuInfo() {
  Overrides& o = TheOverrides();
  if (o.faked) return o.fake;
  static const CpuInfo real = ReadCpu();
  return real;
}

std::uint64_t Rdtsc() {
  detail::Scheduler& s = detail::ActiveScheduler();
  if (!s.Virtual()) return HardwareCounter();
  // ns x hz passes 2^64 after a few seconds at GHz rates.
  __extension__ typedef unsigned __int128 Wide;
  const Wide ticks =
      static_cast<Wide>(s.NowNs()) * TheOverrides().tscHz.load(std::memory_order_relaxed);
  return static_cast<std::uint64_t>(ticks / 1'000'000'000u);
}

namespace testing {

void SetCpuInfo(std::optional<CpuInfo> fake) {
  Overrides& o = TheOverrides();
  o.faked = fake.has_value();
  o.fake = fake.value_or(CpuInfo{});
}

void SetTscHz(std::uint64_t hz) {
  TheOverrides().tscHz.store(hz, std::memory_order_relaxed);
}
std::uint64_t TscHz() {
  return TheOverrides().tscHz.load(std::memory_order_relaxed);
}

}  // namespace testing
}  // namespace plat
