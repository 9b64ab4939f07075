// Vxcpuid.h — the processor facts the debug log describes, and its
// processor block.
//
// Gather() takes CPUID facts from the platform (all zero without CPUID) and,
// when the processor has a time-stamp counter, measures the clock: the
// counter's advance over 200 ms of timeGetTime, times 5, spun at time-critical
// priority. On the headless clock that is exactly the configured counter rate.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace VexmoraDebugSystem {

enum TVexmoraCPUVendor { cvUnknown = 0, cvIntel, cvAMD, cvCyrix, cvIDT };

struct TVexmoraCPUID {
  bool hasCpuid = false;
  std::uint32_t maxStd = 0, maxExt = 0;
  std::string vendor;  // 12 characters from function 0
  bool nameRead = false;
  std::string name;  // 48-character brand text, up to its terminating zero
  std::uint32_t family = 0, model = 0, stepping = 0;
  std::uint32_t stdFeatures = 0, extFeatures = 0;  // function 1 / 0x80000001 EDX
  TVexmoraCPUVendor vendorCode = cvUnknown;
  std::uint64_t clock = 0;  // cycles per second

  bool HasTimeStampCounter() const { return (stdFeatures >> 4) & 1; }

  static TVexmoraCPUID Gather();
  // The processor block, in CP932, every line ended by a line feed.
  void WriteBlock(std::ostream& out) const;
};

}  // namespace VexmoraDebugSystem
