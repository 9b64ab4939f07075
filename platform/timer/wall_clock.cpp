// wall_clock.cpp — wall-clock seconds and the fixed date text.
//
// The installed backend supplies the seconds (headless: its configured start
// plus virtual time); without a backend it is time(). The date text uses the
// local time zone and has the same format on every system.
#include <cstdio>
#include <ctime>

#include "plat/detail/backend.h"
#include "plat/timer.h"

namespace plat {

std::int64_t TimeSeconds() {
  if (detail::Backend* b = detail::ActiveBackend()) return b->UnixSeconds();
  return static_cast<std::int64_t>(std::time(nullptr));
}

std::string DateTimeText() {
  const auto t = static_cast<std::time_t>(TimeSeconds());
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return "0000/00/00 00:00:00";
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", tm.tm_year + 1900,
                tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return text;
}

}  // namespace plat
