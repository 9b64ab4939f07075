// The debug log file byte for byte: banners, the processor block, traces,
// the report, and switching between files.
#include <gtest/gtest.h>

#include <string>

#include "core/Vxdebug.h"
#include "log_fixture.h"
#include "plat/cpu.h"

namespace {

using VexmoraDebugSystem::TVexmoraDebug;
using namespace kxtest;

// Feature lines of the processor block, in order, with the CPUID bit each
// reports (function 1 EDX unless `ext`; bit -1 = CPUID exists).
struct FeatureRow {
  const char* label;
  bool ext;
  int bit;
};
const FeatureRow kFeatureRows[] = {
    {"CPUID命令サポート", false, -1},
    {"浮動小数点ユニット", false, 0},
    {"仮想8086モード", false, 1},
    {"デバッグ拡張", false, 2},
    {"ページサイズ拡張", false, 3},
    {"タイムスタンプカウンタ", false, 4},
    {"モデル固有レジスタ", false, 5},
    {"物理アドレス拡張", false, 6},
    {"マシンチェック例外", false, 7},
    {"CMPXCHG8B命令", false, 8},
    {"オンチップAPIC", false, 9},
    {"高速システムコール", false, 11},
    {"メモリタイプ範囲レジスタ", false, 12},
    {"PTEグローバルフラグ", false, 13},
    {"マシンチェックアーキテクチャ", false, 14},
    {"条件付転送および比較命令", false, 15},
    {"ページ属性テーブル", false, 16},
    {"36ビットページサイズ拡張", false, 17},
    {"プロセッサ番号", false, 18},
    {"CLFLUSH命令", false, 19},
    {"デバッグトレースストア", false, 21},
    {"CPUACPIサポート", false, 22},
    {"MMXテクノロジ", false, 23},
    {"FPU/MMX/SSE命令の高速保存&復元", false, 24},
    {"SSEテクノロジ", false, 25},
    {"SSE2テクノロジ", false, 26},
    {"Self-Snoop", false, 27},
    {"温度モニタサポート", false, 29},
    {"拡張MMXテクノロジ", true, 22},
    {"3DNow!テクノロジ", true, 31},
    {"拡張3DNow!テクノロジ", true, 30},
};

std::string FeatureLines(const plat::CpuInfo& c) {
  std::string s;
  for (const FeatureRow& f : kFeatureRows) {
    const bool on = f.bit < 0 ? c.hasCpuid : ((f.ext ? c.extEdx : c.stdEdx) >> f.bit & 1);
    s += Item(f.label, on ? "ＹＥＳ" : "ＮＯ");
  }
  return s;
}

std::string CpuHeader() {
  return Rule() + Padded("// ＣＰＵ情報出力") + RightAligned("Created by TVexmoraCPUID") + Rule() +
         "\n";
}

// Everything from the processor block's header to the trace banner.
std::string CpuBlock(const std::string& log) {
  const std::size_t from = log.find(CpuHeader());
  const std::size_t to = log.find(TraceBanner());
  if (from == std::string::npos || to == std::string::npos) return "<no block>";
  return log.substr(from, to - from);
}

using DebugLog = EngineLogTest;

TEST_F(DebugLog, SwitchingOffOnAFreshProgramWritesNothing) {
  EXPECT_TRUE(TVexmoraDebug::SetDebug(nullptr, true, true));
  EXPECT_FALSE(TVexmoraDebug::GetDebug());
  EXPECT_FALSE(TVexmoraDebug::GetProfile());
  EXPECT_EQ(TVexmoraDebug::GetProfiler(), nullptr);
  TVexmoraDebug::TraceLine("nowhere");  // must not need a profiler
}

TEST_F(DebugLog, WholeFileMatchesTheLayoutByteForByte) {
  plat::testing::SetTscHz(2'394'567'000);
  Open(true, false);
  EXPECT_TRUE(TVexmoraDebug::GetDebug());
  EXPECT_FALSE(TVexmoraDebug::GetProfile());
  TVexmoraDebug::TraceLine("TVexmoraSound::バッファ作成  FileName:wav\\01.wav");
  const std::string log = CloseAndRead();

  // The credit line's text is ours to choose; it must be a right-aligned
  // 77-byte "//" line.
  const std::string head =
      Rule() + Padded("// Vexmora Game Library 0.80 デバッグ＆プロファイリングシステム出力");
  ASSERT_EQ(log.compare(0, head.size(), head), 0);
  const std::string credit = log.substr(head.size(), log.find('\n', head.size()) + 1 - head.size());
  ASSERT_EQ(credit.size(), 78u);
  EXPECT_EQ(credit.compare(0, 3, "// "), 0);
  EXPECT_NE(credit[76], ' ');

  const plat::CpuInfo cpu = FakeIntel();
  const std::string expected =
      head + credit + Rule() + "\n" + CpuHeader() +  //
      Item("CPUメーカー", "Intel") + Item("CPU周波数", "2394.6MHz") + "\n" +
      Item("メーカー識別文字列", "GenuineIntel") +
      Item("プロセッサ名文字列", "  Korvanix Test Processor 2.4") + "\n" +
      Item("CPU命令ファミリ", "686") + Item("CPUモデル", "8") + Item("CPUステッピングID", "3") +
      "\n" + Item("最大CPUID関数", "1b") + Item("最大CPUID拡張関数", "80000008") + "\n" +
      FeatureLines(cpu) + "\n\n\n" + TraceBanner() +
      Sjis("TVexmoraSound::バッファ作成  FileName:wav\\01.wav") + "\n" + "\n\n\n" + ReportHeader();
  EXPECT_EQ(log, expected);
}

TEST_F(DebugLog, EveryBannerAndLabelHasItsWidthInCp932Bytes) {
  Open(false, false);
  const std::string log = CloseAndRead();
  std::size_t banners = 0, labels = 0;
  const std::string colon = Sjis("：");
  for (std::size_t at = 0; at < log.size();) {
    const std::size_t end = log.find('\n', at);
    const std::string line = log.substr(at, end - at);
    at = end + 1;
    if (line.rfind("//", 0) == 0) {
      ++banners;
      EXPECT_EQ(line.size(), 77u) << line;
    } else if (line.find(colon) != std::string::npos) {
      ++labels;
      EXPECT_EQ(line.compare(31, 2, colon), 0) << line;
    }
  }
  EXPECT_EQ(banners, 4u + 4u + 4u + 5u);  // opening, processor, trace, report
  EXPECT_EQ(labels, 9u + 31u);
  // Full-width answers: "ＹＥＳ" is 6 bytes of CP932.
  EXPECT_NE(log.find("\x82\x78\x82\x64\x82\x72"), std::string::npos);
}

TEST_F(DebugLog, ProcessorWithoutTimeStampCounterShowsZeroClock) {
  plat::CpuInfo cpu = FakeIntel();
  cpu.stdEdx &= ~(1u << 4);
  cpu.maxExt = 0x80000001u;  // extended features, but no brand name
  std::strcpy(cpu.vendor, "AuthenticAMD");
  plat::testing::SetCpuInfo(cpu);
  Open(false, false);
  const std::string block = CpuBlock(CloseAndRead());
  EXPECT_EQ(block, CpuHeader() + Item("CPUメーカー", "AMD") + Item("CPU周波数", "0MHz") + "\n" +
                       Item("メーカー識別文字列", "AuthenticAMD") + "\n" +
                       Item("CPU命令ファミリ", "686") + Item("CPUモデル", "8") +
                       Item("CPUステッピングID", "3") + "\n" + Item("最大CPUID関数", "1b") +
                       Item("最大CPUID拡張関数", "80000001") + "\n" + FeatureLines(cpu) + "\n\n\n");
}

TEST_F(DebugLog, ProcessorWithoutCpuidIsAllZero) {
  plat::testing::SetCpuInfo(plat::CpuInfo{});
  Open(false, false);
  const std::string block = CpuBlock(CloseAndRead());
  EXPECT_EQ(block, CpuHeader() + Item("CPUメーカー", "不明") + Item("CPU周波数", "0MHz") + "\n" +
                       Item("メーカー識別文字列", "") + "\n" + Item("CPU命令ファミリ", "086") +
                       Item("CPUモデル", "0") + Item("CPUステッピングID", "0") + "\n" +
                       Item("最大CPUID関数", "0") + Item("最大CPUID拡張関数", "0") + "\n" +
                       FeatureLines(plat::CpuInfo{}) + "\n\n\n");
}

TEST_F(DebugLog, SwitchingFilesEndsTheFirstWithItsReport) {
  Open(true, true, "first.log");
  TVexmoraDebug::TraceLine("one");
  Open(true, true, "second.log");
  TVexmoraDebug::TraceLine("two");
  const std::string first = ReadFile(Path("first.log"));
  EXPECT_EQ(Traces(first), "one\n");
  EXPECT_EQ(first.substr(first.size() - ReportHeader().size() - 3), "\n\n\n" + ReportHeader());
  const std::string second = CloseAndRead("second.log");
  EXPECT_EQ(second.compare(0, Rule().size(), Rule()), 0);
  EXPECT_EQ(Traces(second), "two\n");
}

TEST_F(DebugLog, FileThatCannotBeOpenedLeavesLoggingOff) {
  Open(true, true);
  EXPECT_FALSE(TVexmoraDebug::SetDebug(Path("missing/folder/x.log").c_str(), true, true));
  EXPECT_FALSE(TVexmoraDebug::GetDebug());
  EXPECT_FALSE(TVexmoraDebug::GetProfile());
  EXPECT_EQ(TVexmoraDebug::GetProfiler(), nullptr);
  // The previous file was still finished properly.
  EXPECT_NE(ReadFile(Path()).rfind(ReportHeader()), std::string::npos);
}

TEST_F(DebugLog, TextsOutsideCp932BecomeQuestionMarks) {
  Open(true, false);
  TVexmoraDebug::TraceLine(
      "a\xF0\x9F\x98\x80"
      "b\xFF"
      "c名");  // emoji, a stray byte
  EXPECT_EQ(Traces(CloseAndRead()), "a?b?c" + Sjis("名") + "\n");
}

}  // namespace
