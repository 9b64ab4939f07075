// Vxdebug.cpp — opening and closing log files: banners, processor block,
// and the clean-up at program end.
//
// A log file: five banner lines; the processor block and three line feeds;
// the trace banner; trace lines; three line feeds; the profiling report.
// File names may use '\' separators; they are mapped like every other path.
#include "core/Vxdebug.h"

#include <memory>

#include "core/Vxcpuid.h"
#include "core/Vxlogtext.h"
#include "plat/kernel.h"

namespace VexmoraDebugSystem {

bool TVexmoraDebug::Debug = false;
bool TVexmoraDebug::Profile = false;
std::ofstream* TVexmoraDebug::OutputStrm = nullptr;
VexmoraSystem::TVexmoraProfiler* TVexmoraDebug::DefaultProfiler = nullptr;

namespace {

// Closes the log at program end, like switching logging off.
TVexmoraDebug g_debugAtExit;

void Line(std::ostream& out, const std::string& cp932) {
  out << cp932 << '\n';
}

void WriteOpeningBanner(std::ostream& out) {
  Line(out, RuleLine());
  Line(out, PaddedLine("// Vexmora Game Library 0.80 デバッグ＆プロファイリングシステム出力"));
  Line(out, RightAlignedLine("Copyright (C) Vexmora Development Team"));
  Line(out, RuleLine());
  Line(out, "");
}

void WriteTraceBanner(std::ostream& out) {
  Line(out, RuleLine());
  Line(out, PaddedLine("// プログラムトレース出力"));
  Line(out, RightAlignedLine("Created by TVexmoraDebug"));
  Line(out, RuleLine());
  Line(out, "");
}

}  // namespace

TVexmoraDebug::~TVexmoraDebug() {
  CloseLog();
}

void TVexmoraDebug::CloseLog() {
  if (OutputStrm) *OutputStrm << "\n\n\n";
  delete DefaultProfiler;  // writes the report of the file that ends
  delete OutputStrm;
  DefaultProfiler = nullptr;
  OutputStrm = nullptr;
  Debug = false;
  Profile = false;
}

bool TVexmoraDebug::SetDebug(const char* fileName, bool debug, bool profile) {
  CloseLog();
  if (!fileName) return true;
  auto file = std::make_unique<std::ofstream>(plat::NativePath(fileName),
                                              std::ios::binary | std::ios::trunc);
  if (!*file) return false;
  OutputStrm = file.release();
  DefaultProfiler = new VexmoraSystem::TVexmoraProfiler(OutputStrm);
  Debug = debug;
  Profile = profile;

  WriteOpeningBanner(*OutputStrm);
  TVexmoraCPUID::Gather().WriteBlock(*OutputStrm);
  *OutputStrm << "\n\n\n";
  WriteTraceBanner(*OutputStrm);
  OutputStrm->flush();
  return true;
}

}  // namespace VexmoraDebugSystem
