// assetgen_run.h — runs the assetgen program twice per test process, into
// folders "a" and "b" of one temporary root, on first use; the root is
// removed at exit. Shared by the picture and the sound tests so the program
// runs only once per pair.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#ifndef KX_ASSETGEN
#error "KX_ASSETGEN (path of the assetgen program) must be defined by the build"
#endif

namespace kxtest {

// The root holding both runs, or an empty path when a run failed.
inline std::filesystem::path assetgenRuns() {
  namespace fs = std::filesystem;
  struct Runs {
    fs::path root = fs::temp_directory_path() / ("kx_assetgen_test_" + std::to_string(::getpid()));
    bool ok = true;
    Runs() {
      fs::remove_all(root);
      for (const char* run : {"a", "b"}) {
        const std::string cmd =
            std::string(KX_ASSETGEN) + " --out " + (root / run).string() + " > /dev/null";
        ok = ok && std::system(cmd.c_str()) == 0;
      }
    }
    ~Runs() {
      std::error_code ec;
      fs::remove_all(root, ec);
    }
  };
  static const Runs runs;
  return runs.ok ? runs.root : fs::path();
}

}  // namespace kxtest
