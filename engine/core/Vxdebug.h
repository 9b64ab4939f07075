// Vxdebug.h — the engine's debug log and profiling switchboard.
//
// SetDebug(file, debug, profile) starts a log file: a banner, the processor
// block, a trace banner; then trace lines while `debug` is on, and the
// profiling report (while `profile` is on, operations are timed) when the
// file ends. The file ends at the next SetDebug or at program end. While no
// log is open both flags are false and components pay one flag test per
// trace line and per timed operation.
//
// The log is CP932 byte for byte. Not thread-safe: the flags and the profiler
// belong to the application's thread; engine worker threads neither trace nor
// time themselves.
#pragma once

#include <fstream>
#include <string_view>

#include "core/Vxprofiler.h"

namespace VexmoraDebugSystem {

class TVexmoraDebug {
 public:
  // The one global instance's destructor closes the log at program end.
  TVexmoraDebug() = default;
  ~TVexmoraDebug();
  TVexmoraDebug(const TVexmoraDebug&) = delete;
  TVexmoraDebug& operator=(const TVexmoraDebug&) = delete;

  // Ends the current log (three line feeds, the report, closing the file) and,
  // when `fileName` is not null, starts a new one there, replacing any file of
  // that name. Returns false when that file cannot be opened; logging is then
  // off.
  static bool SetDebug(const char* fileName, bool debug, bool profile);
  static bool GetDebug() { return Debug; }
  static bool GetProfile() { return Profile; }
  static VexmoraSystem::TVexmoraProfiler* GetProfiler() { return DefaultProfiler; }

  // Writes one trace line when tracing is on.
  static void TraceLine(std::string_view text) {
    if (Debug) DefaultProfiler->Trace(text);
  }

 private:
  static void CloseLog();

  // Plain pointers on purpose: nothing here may be destroyed by the runtime
  // before the global instance's destructor has written the report.
  static bool Debug;
  static bool Profile;
  static std::ofstream* OutputStrm;
  static VexmoraSystem::TVexmoraProfiler* DefaultProfiler;
};

}  // namespace VexmoraDebugSystem
