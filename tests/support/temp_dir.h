// temp_dir.h — a fresh folder under the system's temp folder, removed with
// its contents when the object dies.
#pragma once

#include <filesystem>
#include <string>

namespace kxtest {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace kxtest
