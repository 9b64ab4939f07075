// driver.h — runs the real game on the headless backend: scripted input, the
// virtual clock (frames exactly 37 ms apart), PNG shots and the JSON report.
// The same options and input give byte-identical output.
#pragma once

#include "options.h"

namespace kxh {

// Returns the exit status: 0 on success; on failure the message has been
// written to stderr and 1 is returned.
int RunDriver(const Options& options);

}  // namespace kxh
