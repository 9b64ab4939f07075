// resources.cpp — the module resource registry: (type, name) -> bytes.
//
// Empty at start; tests or an embedding step fill it. Type and name compare
// case-insensitively (ASCII). Streams share the bytes, so clearing the
// registry does not invalidate an open stream. Thread-safe.
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "ascii_case.h"
#include "plat/kernel.h"

namespace plat {
namespace {

using Bytes = std::shared_ptr<const std::vector<std::byte>>;

struct Registry {
  std::mutex m;
  std::map<std::pair<std::string, std::string>, Bytes> items;  // upper-cased keys
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

class MemoryStream final : public Stream {
 public:
  explicit MemoryStream(Bytes data) : data_(std::move(data)) {}

  std::size_t Read(void* buffer, std::size_t count) override {
    const auto size = static_cast<std::int64_t>(data_->size());
    if (pos_ >= size || count == 0) return 0;
    const auto n = std::min<std::size_t>(count, static_cast<std::size_t>(size - pos_));
    std::memcpy(buffer, data_->data() + pos_, n);
    pos_ += static_cast<std::int64_t>(n);
    return n;
  }
  std::size_t Write(const void*, std::size_t) override { return 0; }  // read-only
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    const std::int64_t base = origin == SeekOrigin::Begin ? 0
                              : origin == SeekOrigin::Current
                                  ? pos_
                                  : static_cast<std::int64_t>(data_->size());
    if (offset < 0 && base + offset < 0) return -1;
    pos_ = base + offset;
    return pos_;
  }

 private:
  Bytes data_;
  std::int64_t pos_ = 0;
};

}  // namespace

std::unique_ptr<Stream> OpenResource(std::string_view type, std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.m);
  auto it = r.items.find({kernel::UpperAscii(type), kernel::UpperAscii(name)});
  if (it == r.items.end()) return nullptr;
  return std::make_unique<MemoryStream>(it->second);
}

void RegisterResource(std::string type, std::string name, std::vector<std::byte> data) {
  Registry& r = TheRegistry();
  auto bytes = std::make_shared<const std::vector<std::byte>>(std::move(data));
  std::lock_guard lock(r.m);
  r.items[{kernel::UpperAscii(type), kernel::UpperAscii(name)}] = std::move(bytes);
}

void ClearResources() {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.m);
  r.items.clear();
}

}  // namespace plat
