// Vxprofiler.cpp — profiler rows, the report and profile scopes.
//
// Report layout: five 77-byte header lines, an empty line, the column line,
// then per row the call count (10 columns), the total cycles (20), the
// average (15, integer division), a space and the name.
#include "core/Vxprofiler.h"

#include <iomanip>
#include <iostream>
#include <set>
#include <sstream>

#include "core/Vxlogtext.h"
#include "plat/cpu.h"

namespace VexmoraSystem {
namespace {

using VexmoraDebugSystem::PaddedLine;
using VexmoraDebugSystem::RightAlignedLine;
using VexmoraDebugSystem::RuleLine;
using VexmoraDebugSystem::ToCp932;

// Serials of the live profilers. Never destroyed: the program-end clean-up
// destroys the log's profiler after other static objects may be gone.
std::set<std::uint64_t>& LiveSerials() {
  static auto* live = new std::set<std::uint64_t>;
  return *live;
}
std::uint64_t g_nextSerial = 1;

}  // namespace

TVexmoraProfiler::TVexmoraProfiler(std::ostream* stream)
    : stream_(stream ? stream : &std::cout), serial_(g_nextSerial++) {
  LiveSerials().insert(serial_);
}

TVexmoraProfiler::~TVexmoraProfiler() {
  LiveSerials().erase(serial_);
  PrintOut();
}

bool TVexmoraProfiler::Alive(std::uint64_t serial) {
  return LiveSerials().count(serial) != 0;
}

void TVexmoraProfiler::Start() {
  starts_.push({plat::Rdtsc()});
}

void TVexmoraProfiler::End(std::string_view name) {
  const std::uint64_t now = plat::Rdtsc();
  if (starts_.empty()) return;  // no matching Start: nothing to measure
  const std::uint64_t start = starts_.top().QuadPart;
  starts_.pop();
  auto it = results_.find(name);
  if (it == results_.end()) it = results_.emplace(std::string(name), TVexmoraProfileResult{}).first;
  ++it->second.count;
  // A counter read on another core may lag behind; count that as no time.
  it->second.total.QuadPart += now > start ? now - start : 0;
}

void TVexmoraProfiler::Line(const std::string& cp932) {
  *stream_ << cp932 << '\n';
  stream_->flush();
}

void TVexmoraProfiler::Trace(std::string_view text) {
  Line(ToCp932(text));
}

void TVexmoraProfiler::PrintOut() {
  Line(RuleLine());
  Line(PaddedLine("// プロファイリング結果出力"));
  Line(RightAlignedLine("Created by TVexmoraProfiler"));
  Line(RightAlignedLine("時間単位はCPUクロック"));
  Line(RuleLine());
  Line("");
  Line(ToCp932("回数       全実行時間          平均           関数名                         "));
  for (const auto& [name, r] : results_) {
    std::ostringstream row;
    row << std::setw(10) << r.count << std::setw(20) << r.total.QuadPart << std::setw(15)
        << r.total.QuadPart / r.count << ' ';
    Line(row.str() + ToCp932(name));
  }
}

TVexmoraFunctionProfile::TVexmoraFunctionProfile(TVexmoraProfiler* profiler, const char* name)
    : name_(name), profiler_(profiler) {
  if (!profiler_) return;
  serial_ = profiler_->Serial();
  profiler_->Start();
}

TVexmoraFunctionProfile::~TVexmoraFunctionProfile() {
  if (profiler_ && TVexmoraProfiler::Alive(serial_)) profiler_->End(name_);
}

}  // namespace VexmoraSystem
