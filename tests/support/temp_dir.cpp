#include "support/temp_dir.h"

#include <cstdlib>
#include <stdexcept>

namespace kxtest {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kx-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temp folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace kxtest
