// Vxoperation.h — what every public operation of the sound, MIDI and 2D
// drawing components wraps its body in.
//
//   void TVexmoraSound::Play(...) {
//     VxOperation("TVexmoraSound::Play", [&] { ... });
//   }
//
// While profiling is on, the body is timed under `name` (class and operation
// joined by "::"), however it ends. An exception leaving the body is written
// to the log while tracing is on (the toolkit Exception's message or a
// standard exception's what()) and rethrown unchanged; any other exception
// passes untraced. The 3D component does not use this: it neither traces nor
// times its operations.
#pragma once

#include <exception>
#include <utility>

#include "core/Vxdebug.h"
#include "core/Vxprofiler.h"
#include "plat/exception.h"

namespace VexmoraSystem {

template <class Body>
decltype(auto) VxOperation(const char* name, Body&& body) {
  using VexmoraDebugSystem::TVexmoraDebug;
  const TVexmoraFunctionProfile scope(
      TVexmoraDebug::GetProfile() ? TVexmoraDebug::GetProfiler() : nullptr, name);
  try {
    return std::forward<Body>(body)();
  } catch (const plat::Exception& e) {
    TVexmoraDebug::TraceLine(e.Message());
    throw;
  } catch (const std::exception& e) {
    TVexmoraDebug::TraceLine(e.what());
    throw;
  }
}

}  // namespace VexmoraSystem
