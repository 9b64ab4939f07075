// Vxcpuid.cpp — gathering processor facts and writing the log's processor
// block: a four-line header, then labelled lines (labels padded to 31 bytes)
// for vendor, clock, identification, family, highest functions and one
// "ＹＥＳ"/"ＮＯ" line per feature bit.
#include "core/Vxcpuid.h"

#include <cstring>
#include <sstream>

#include "core/Vxlogtext.h"
#include "plat/cpu.h"
#include "plat/kernel.h"
#include "plat/timer.h"

namespace VexmoraDebugSystem {
namespace {

constexpr std::uint32_t kMeasureMs = 200;  // clock = cycles in 200 ms x 5

TVexmoraCPUVendor VendorCode(const std::string& vendor) {
  if (vendor == "GenuineIntel") return cvIntel;
  if (vendor == "AuthenticAMD") return cvAMD;
  if (vendor == "CyrixInstead") return cvCyrix;
  if (vendor == "CentaurHauls") return cvIDT;
  return cvUnknown;
}

std::uint64_t MeasureClock() {
  plat::SetCurrentThreadPriority(plat::ThreadPriority::TimeCritical);
  const std::uint32_t t0 = plat::timeGetTime();
  const std::uint64_t c0 = plat::Rdtsc();
  plat::SpinUntil(t0 + kMeasureMs);
  const std::uint64_t c1 = plat::Rdtsc();
  plat::SetCurrentThreadPriority(plat::ThreadPriority::Normal);
  return (c1 - c0) * (1000 / kMeasureMs);
}

struct Feature {
  const char* label;
  bool extended;  // function 0x80000001 instead of function 1
  int bit;
};

// Bit -1: whether CPUID exists at all.
constexpr Feature kFeatures[] = {
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

constexpr const char* kVendorNames[] = {"不明", "Intel", "AMD", "Cyrix", "IDT"};

class BlockWriter {
 public:
  explicit BlockWriter(std::ostream& out) : out_(out) {}
  void Raw(const std::string& cp932) { out_ << cp932 << '\n'; }
  void Empty() { out_ << '\n'; }
  void Item(const char* label, const std::string& utf8Value) {
    Raw(LabelText(label) + ToCp932(utf8Value));
  }

 private:
  std::ostream& out_;
};

}  // namespace

TVexmoraCPUID TVexmoraCPUID::Gather() {
  TVexmoraCPUID id;
  const plat::CpuInfo& c = plat::GetCpuInfo();
  if (!c.hasCpuid) return id;
  id.hasCpuid = true;
  id.maxStd = c.maxStd;
  id.maxExt = c.maxExt;
  id.vendor.assign(c.vendor, strnlen(c.vendor, 12));
  id.family = c.family;
  id.model = c.model;
  id.stepping = c.stepping;
  id.stdFeatures = c.stdEdx;
  if (id.maxExt >= 0x80000001u) id.extFeatures = c.extEdx;
  id.nameRead = id.maxExt > 0x80000001u;
  if (id.nameRead) id.name.assign(c.name, strnlen(c.name, 48));
  id.vendorCode = VendorCode(id.vendor);
  if (id.HasTimeStampCounter()) id.clock = MeasureClock();
  return id;
}

void TVexmoraCPUID::WriteBlock(std::ostream& out) const {
  BlockWriter w(out);
  w.Raw(RuleLine());
  w.Raw(PaddedLine("// ＣＰＵ情報出力"));
  w.Raw(RightAlignedLine("Created by TVexmoraCPUID"));
  w.Raw(RuleLine());
  w.Empty();

  w.Item("CPUメーカー", kVendorNames[vendorCode]);
  std::ostringstream mhz;
  mhz.precision(5);
  mhz << static_cast<double>(clock) / 1'000'000.0 << "MHz";
  w.Item("CPU周波数", mhz.str());
  w.Empty();

  w.Item("メーカー識別文字列", vendor);
  if (nameRead) w.Item("プロセッサ名文字列", name);
  w.Empty();

  w.Item("CPU命令ファミリ", std::to_string(family) + "86");
  w.Item("CPUモデル", std::to_string(model));
  w.Item("CPUステッピングID", std::to_string(stepping));
  w.Empty();

  std::ostringstream hex;
  hex << std::hex << maxStd;
  w.Item("最大CPUID関数", hex.str());
  hex.str("");
  hex << maxExt;
  w.Item("最大CPUID拡張関数", hex.str());
  w.Empty();

  for (const Feature& f : kFeatures) {
    const bool on =
        f.bit < 0 ? hasCpuid : (((f.extended ? extFeatures : stdFeatures) >> f.bit) & 1);
    w.Item(f.label, on ? "ＹＥＳ" : "ＮＯ");
  }
}

}  // namespace VexmoraDebugSystem
