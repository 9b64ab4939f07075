// state_json.h — the driver's end-of-run report as JSON: the frame, the mode,
// every state-record field by name, ship entry 0, the number of active
// entries of each table, the ranking, and what was heard.
#pragma once

#include <string>

namespace kx {
class TForm1;
}

namespace kxh {

std::string StateJson(const kx::TForm1& game);

}  // namespace kxh
