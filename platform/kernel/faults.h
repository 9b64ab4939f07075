// faults.h — the path half of the fault rules, for stand-ins that check more
// than one path per call (ReplaceFile). Does not count the call.
#pragma once

#include <string_view>

#include "plat/testing.h"

namespace plat::kernel {

// True when a FailPath rule for `f` names `nativePath`.
bool PathRuleHit(testing::Fault f, std::string_view nativePath);

}  // namespace plat::kernel
