// log_fixture.h — engine tests that look at the debug log: the headless
// clock (so clock lines and cycle counts repeat), a fixed fake processor, a
// temp folder for log files, and CP932 helpers that convert with iconv on
// their own, independently of the engine's converter.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/Vxdebug.h"
#include "plat/cpu.h"
#include "plat/headless.h"
#include "support/temp_dir.h"

namespace kxtest {

inline std::string Sjis(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* o = out.data();
  std::size_t oLeft = out.size();
  const std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1))
    throw std::runtime_error("not CP932: " + std::string(utf8));
  out.resize(out.size() - oLeft);
  return out;
}

inline std::string Rule() {
  return "// " + std::string(74, '=') + "\n";
}
// A banner line: the text padded with spaces to 77 bytes.
inline std::string Padded(std::string_view utf8) {
  std::string s = Sjis(utf8);
  return s + std::string(77 - s.size(), ' ') + "\n";
}
// "//", spaces, and the text ending at byte 77.
inline std::string RightAligned(std::string_view utf8) {
  std::string s = Sjis(utf8);
  return "//" + std::string(75 - s.size(), ' ') + s + "\n";
}
// A processor-block line: the label padded to 31 bytes, "：", the value.
inline std::string Item(std::string_view label, std::string_view value) {
  std::string l = Sjis(label);
  return l + std::string(31 - l.size(), ' ') + Sjis("：") + Sjis(value) + "\n";
}

inline std::string ReportHeader() {
  return Rule() + Padded("// プロファイリング結果出力") +
         RightAligned("Created by TVexmoraProfiler") + RightAligned("時間単位はCPUクロック") +
         Rule() + "\n" +
         Sjis("回数       全実行時間          平均           関数名                         ") +
         "\n";
}

inline std::string TraceBanner() {
  return Rule() + Padded("// プログラムトレース出力") + RightAligned("Created by TVexmoraDebug") +
         Rule() + "\n";
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An Intel processor of family 6 with a brand name, a time-stamp counter and
// a handful of feature bits.
inline plat::CpuInfo FakeIntel() {
  plat::CpuInfo c;
  c.hasCpuid = true;
  c.maxStd = 0x1b;
  c.maxExt = 0x80000008u;
  std::strcpy(c.vendor, "GenuineIntel");
  std::strcpy(c.name, "  Korvanix Test Processor 2.4");
  c.family = 6;
  c.model = 8;
  c.stepping = 3;
  c.stdEdx = (1u << 0) | (1u << 4) | (1u << 8) | (1u << 15) | (1u << 23) | (1u << 25);
  c.extEdx = (1u << 22) | (1u << 30);
  return c;
}

class EngineLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::headless::Start();
    plat::testing::SetCpuInfo(FakeIntel());
    plat::testing::SetTscHz(1'000'000'000);
  }
  void TearDown() override {
    VexmoraDebugSystem::TVexmoraDebug::SetDebug(nullptr, false, false);
    plat::testing::SetCpuInfo(std::nullopt);
    plat::testing::SetTscHz(1'000'000'000);
    plat::headless::Stop();
  }

  std::string Path(const std::string& name = "debug.log") const { return dir_.File(name); }
  void Open(bool debug, bool profile, const std::string& name = "debug.log") {
    ASSERT_TRUE(VexmoraDebugSystem::TVexmoraDebug::SetDebug(Path(name).c_str(), debug, profile));
  }
  // Ends logging and returns the whole file.
  std::string CloseAndRead(const std::string& name = "debug.log") {
    VexmoraDebugSystem::TVexmoraDebug::SetDebug(nullptr, false, false);
    return ReadFile(Path(name));
  }
  // The trace lines of a finished log: after the trace banner, before the
  // three line feeds that precede the report.
  static std::string Traces(const std::string& log) {
    const std::string banner = TraceBanner();
    const std::size_t from = log.find(banner);
    const std::size_t to = log.rfind("\n\n\n" + ReportHeader());
    if (from == std::string::npos || to == std::string::npos) return "<no log structure>";
    return log.substr(from + banner.size(), to - from - banner.size());
  }
  // The report rows of a finished log.
  static std::string Rows(const std::string& log) {
    const std::size_t at = log.rfind(ReportHeader());
    return at == std::string::npos ? "<no report>" : log.substr(at + ReportHeader().size());
  }

 private:
  TempDir dir_;
};

}  // namespace kxtest
