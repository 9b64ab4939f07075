// native_path.cpp — maps the game's Windows-style relative paths onto a
// case-sensitive file system.
//
// '\' becomes '/'. When the path does not exist as written, each component is
// looked up in its folder: the exact name first, then a case-insensitive
// (ASCII) match, the first in byte order when several differ only in case.
// From the first component that matches nothing on, the rest is kept as
// written, so a file about to be created lands in the right folder.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ascii_case.h"
#include "plat/kernel.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

std::optional<std::string> FindNoCase(const std::string& dir, std::string_view name) {
  std::error_code ec;
  std::optional<std::string> best;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (kernel::EqualsNoCase(entry, name) && (!best || entry < *best)) best = std::move(entry);
  }
  return best;
}

}  // namespace

std::string NativePath(std::string_view path) {
  std::string p(path);
  std::replace(p.begin(), p.end(), '\\', '/');
  if (p.empty() || Exists(p)) return p;

  std::string out;
  bool resolving = true;
  std::size_t begin = 0;
  for (bool first = true;; first = false) {
    const std::size_t end = std::min(p.find('/', begin), p.size());
    const std::string_view part = std::string_view(p).substr(begin, end - begin);
    if (!first) out += '/';
    if (!resolving || part.empty() || part == "." || part == "..") {
      out += part;
    } else if (Exists(out + std::string(part))) {
      out += part;
    } else if (auto match = FindNoCase(first ? "." : out, part)) {
      out += *match;
    } else {
      out += part;
      resolving = false;
    }
    if (end == p.size()) break;
    begin = end + 1;
  }
  return out;
}

}  // namespace plat
