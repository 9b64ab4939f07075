// Vxmidiscope.h — the profiling scope of the MIDI unit's operations.
//
// `const auto scope = MidiScope("TVexmoraMidiData::LoadFile");` times the
// rest of the enclosing block under that name while profiling is on and costs
// one flag test otherwise. For the application's thread only: the play
// thread never times itself.
#pragma once

#include "core/Vxdebug.h"
#include "core/Vxprofiler.h"

namespace VexmoraMidiSystem {

inline VexmoraSystem::TVexmoraFunctionProfile MidiScope(const char* name) {
  using VexmoraDebugSystem::TVexmoraDebug;
  return VexmoraSystem::TVexmoraFunctionProfile(
      TVexmoraDebug::GetProfile() ? TVexmoraDebug::GetProfiler() : nullptr, name);
}

}  // namespace VexmoraMidiSystem
