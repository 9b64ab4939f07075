// options.cpp — parses the driver's command line.
#include "options.h"

#include <charconv>
#include <stdexcept>

namespace kxh {

const char* const kUsage =
    "usage: korvanix-headless [--data DIR] [--seed N] [--frames N] [--input FILE]\n"
    "                         [--state-out FILE] [--shot-every K --shot-dir DIR]\n"
    "                         [--score-file PATH] [--answer yes|no] [--invincible]\n"
    "                         [--audio-out FILE.wav]\n";

namespace {

long long ParseNumber(const std::string& option, const std::string& text, long long lo,
                      long long hi) {
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < lo || value > hi)
    throw std::runtime_error(option + " needs a whole number from " + std::to_string(lo) +
                             " to " + std::to_string(hi) + ", not '" + text + "'");
  return value;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::runtime_error(a + " needs a value");
      return args[++i];
    };
    if (a == "--data") o.dataDir = value();
    else if (a == "--seed") o.seed = static_cast<std::uint32_t>(ParseNumber(a, value(), 0, 4294967295LL));
    else if (a == "--frames") o.frames = static_cast<int>(ParseNumber(a, value(), 0, 100'000'000));
    else if (a == "--input") o.inputFile = value();
    else if (a == "--state-out") o.stateOut = value();
    else if (a == "--shot-every") o.shotEvery = static_cast<int>(ParseNumber(a, value(), 1, 100'000'000));
    else if (a == "--shot-dir") o.shotDir = value();
    else if (a == "--score-file") o.scoreFile = value();
    else if (a == "--answer") {
      const std::string& v = value();
      if (v != "yes" && v != "no") throw std::runtime_error("--answer takes yes or no, not '" + v + "'");
      o.answerYes = v == "yes";
    }
    else if (a == "--invincible") o.invincible = true;
    else if (a == "--audio-out") o.audioOut = value();
    else if (a == "--help" || a == "-h") o.help = true;
    else throw std::runtime_error("unknown option '" + a + "'");
  }
  if ((o.shotEvery > 0) != !o.shotDir.empty())
    throw std::runtime_error("--shot-every and --shot-dir go together");
  return o;
}

}  // namespace kxh
