// main.cpp — korvanix-headless: the game without a window, for tests,
// benchmarks and reviews. See options.h for the command line.
#include <cstdio>
#include <exception>

#include "driver.h"

int main(int argc, char** argv) {
  kxh::Options options;
  try {
    options = kxh::ParseOptions({argv + 1, argv + argc});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "korvanix-headless: %s\n%s", e.what(), kxh::kUsage);
    return 1;
  }
  if (options.help) {
    std::fputs(kxh::kUsage, stdout);
    return 0;
  }
  return kxh::RunDriver(options);
}
