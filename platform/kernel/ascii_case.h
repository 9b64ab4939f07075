// ascii_case.h — ASCII case folding for resource names and path components.
// Bytes outside A-Z/a-z (UTF-8 included) compare exactly.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace plat::kernel {

constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

inline std::string UpperAscii(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) { return UpperAscii(c); });
  return out;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAscii(x) == UpperAscii(y);
         });
}

}  // namespace plat::kernel
