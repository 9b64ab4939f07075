// Vxtable.h — a component's table from resource name to resource, with the
// create / delete / lookup rules every component shares.
//
// Names are matched byte for byte (case-sensitive). Each entry owns one
// reference to its object, which dies when its last TVexmoraAutoPtr goes.
// - Create: refuses with E "まだ初期化されてません。" when the component has an
//   initialised state and is not initialised; returns at once, reading
//   nothing, when the name is present; otherwise constructs, enters and
//   loads the object. A load that throws removes the entry again and the
//   exception goes on unchanged. Traces "<creation>  FileName:<file>
//   <label><name>" (two spaces before each field).
// - Delete: removes the entry if present; traces "<deletion><label><name>".
// - DeleteAll traces its text; Clear (the components' CleanUp) does not.
// - Lookup of a missing name throws E with the not-found detail and the name.
// A table given no texts (the 3D component) traces nothing. Not thread-safe.
#pragma once

#include <cassert>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "core/Vxautoptr.h"
#include "core/Vxdebug.h"
#include "core/Vxerror.h"

namespace VexmoraSystem {

struct TVexmoraTableTexts {
  const char* creation = nullptr;  // "TVexmoraSound::バッファ作成"; null: no traces
  const char* nameLabel = "";      // "BufferName:"
  const char* deletion = "";       // "TVexmoraSound::バッファ削除"
  const char* deleteAll = "";      // "TVexmoraSound::全バッファの削除"
  const char* notFound = "";       // "バッファが存在しません。\nバッファ名："
};

template <class T, class E>
class TVexmoraResourceTable {
 public:
  using Map = std::map<std::string, TVexmoraAutoPtr<T>, std::less<>>;

  // `initialised` (may be empty: no initialised state) is asked by Create.
  explicit TVexmoraResourceTable(TVexmoraTableTexts texts, std::function<bool()> initialised = {})
      : texts_(texts), initialised_(std::move(initialised)) {}
  TVexmoraResourceTable(const TVexmoraResourceTable&) = delete;
  TVexmoraResourceTable& operator=(const TVexmoraResourceTable&) = delete;

  // `make()` returns a new T; `load(T&)` reads it from `fileName`.
  template <class Make, class Load>
  void Create(std::string_view name, std::string_view fileName, Make&& make, Load&& load) {
    if (initialised_ && !initialised_()) throw E(kNotInitialised);
    if (entries_.find(name) != entries_.end()) return;
    T* object = std::forward<Make>(make)();
    assert(object);
    TVexmoraAutoPtr<T> held(object);  // owns the object until it is entered
    entries_.emplace(std::string(name), std::move(held));
    try {
      std::forward<Load>(load)(*object);
    } catch (...) {
      auto it = entries_.find(name);
      if (it != entries_.end() && it->second.get() == object) entries_.erase(it);
      throw;
    }
    if (Traces()) {
      Trace(std::string(texts_.creation) + "  FileName:" + std::string(fileName) + "  " +
            texts_.nameLabel + std::string(name));
    }
  }

  void Delete(std::string_view name) {
    if (auto it = entries_.find(name); it != entries_.end()) entries_.erase(it);
    if (Traces()) Trace(std::string(texts_.deletion) + texts_.nameLabel + std::string(name));
  }

  void DeleteAll() {
    entries_.clear();
    if (Traces()) Trace(texts_.deleteAll);
  }

  void Clear() { entries_.clear(); }

  T& Lookup(std::string_view name) const { return *LookupPtr(name); }
  const TVexmoraAutoPtr<T>& LookupPtr(std::string_view name) const {
    auto it = entries_.find(name);
    if (it == entries_.end()) throw E(std::string(texts_.notFound) + std::string(name));
    return it->second;
  }
  T* Find(std::string_view name) const {
    auto it = entries_.find(name);
    return it == entries_.end() ? nullptr : it->second.get();
  }

  std::size_t Size() const { return entries_.size(); }
  const Map& Entries() const { return entries_; }

 private:
  bool Traces() const { return texts_.creation && VexmoraDebugSystem::TVexmoraDebug::GetDebug(); }
  static void Trace(const std::string& text) { VexmoraDebugSystem::TVexmoraDebug::TraceLine(text); }

  TVexmoraTableTexts texts_;
  std::function<bool()> initialised_;
  Map entries_;
};

}  // namespace VexmoraSystem
