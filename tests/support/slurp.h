// slurp.h — a whole file as a string (empty when it cannot be read).
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace kxtest {

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace kxtest
