// files.cpp — file streams over stdio (TFileStream and fopen in one).
//
// Modes: ReadShareDenyWrite = "rb" (sharing cannot be enforced on Linux and
// is ignored), ReadUpdate = "rb+" (fails for a missing file), CreateWrite =
// "wb+" (creates or truncates). Each open checks its fault point, globally and
// for the native path. Switching between reading and writing repositions
// first, as stdio requires. Folders do not open as files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "faults.h"
#include "plat/kernel.h"
#include "plat/testing.h"

namespace plat {
namespace {

class FileStream final : public Stream {
 public:
  explicit FileStream(std::FILE* f) : f_(f) {}
  ~FileStream() override { std::fclose(f_); }
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override {
    if (count == 0) return 0;
    Switch(Op::Read);
    return std::fread(buffer, 1, count, f_);
  }
  std::size_t Write(const void* buffer, std::size_t count) override {
    if (count == 0) return 0;
    Switch(Op::Write);
    return std::fwrite(buffer, 1, count, f_);
  }
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    last_ = Op::None;
    const int whence = origin == SeekOrigin::Begin     ? SEEK_SET
                       : origin == SeekOrigin::Current ? SEEK_CUR
                                                       : SEEK_END;
    if (fseeko(f_, static_cast<off_t>(offset), whence) != 0) return -1;
    return static_cast<std::int64_t>(ftello(f_));
  }
  // Down to the disk: a file about to replace another must be complete first.
  bool Flush() override { return std::fflush(f_) == 0 && fsync(fileno(f_)) == 0; }

 private:
  enum class Op { None, Read, Write };
  void Switch(Op op) {
    if (last_ != Op::None && last_ != op) fseeko(f_, 0, SEEK_CUR);
    last_ = op;
  }

  std::FILE* f_;
  Op last_ = Op::None;
};

}  // namespace

std::int64_t Stream::Size() {
  const std::int64_t here = Seek(0, SeekOrigin::Current);
  if (here < 0) return -1;
  const std::int64_t end = Seek(0, SeekOrigin::End);
  Seek(here, SeekOrigin::Begin);
  return end;
}

std::unique_ptr<Stream> OpenFile(std::string_view path, FileMode mode) {
  using testing::Fault;
  const std::string native = NativePath(path);
  const Fault fault = mode == FileMode::ReadShareDenyWrite ? Fault::OpenForRead
                      : mode == FileMode::ReadUpdate       ? Fault::OpenForUpdate
                                                           : Fault::OpenForCreate;
  if (testing::ShouldFailPath(fault, native)) return nullptr;
  const char* how = mode == FileMode::ReadShareDenyWrite ? "rb"
                    : mode == FileMode::ReadUpdate       ? "rb+"
                                                         : "wb+";
  std::FILE* f = std::fopen(native.c_str(), how);
  if (!f) return nullptr;
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return nullptr;
  }
  return std::make_unique<FileStream>(f);
}

bool ReplaceFile(std::string_view from, std::string_view to) {
  using testing::Fault;
  const std::string nativeFrom = NativePath(from), nativeTo = NativePath(to);
  const bool counted = testing::ShouldFailPath(Fault::Rename, nativeTo);
  if (counted || kernel::PathRuleHit(Fault::Rename, nativeFrom)) return false;
  return std::rename(nativeFrom.c_str(), nativeTo.c_str()) == 0;
}

}  // namespace plat
