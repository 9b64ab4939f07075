// Vxautoptr.h — shared ownership of engine resources by address.
//
// Reference counts are not stored in the objects: one process-wide
// TReferenceCountHash keyed by object address holds them, so every
// TVexmoraAutoPtr to the same object shares its count whatever its T. The
// object is destroyed (by the deleter of the pointer type that first counted
// it) when the last pointer goes. The hash has 8192 buckets chosen by address
// bits 4 to 16.
//
// Not thread-safe: pointers are copied and dropped on the application's
// thread only; worker threads use objects that table entries keep alive.
// The process-wide hash is made on first use and never torn down, so pointers
// released while static objects are destroyed at exit are still counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace VexmoraSystem {

class TReferenceCountHash {
 public:
  using Deleter = void (*)(void* object);
  static constexpr std::size_t kBuckets = 8192;

  struct THashNode {
    std::uintptr_t object;  // the key
    std::int32_t count;     // live pointers holding `object`
    Deleter deleter;        // destroys `object` when the count ends
    THashNode* next;
    THashNode* prev;  // null for the bucket's first node
  };

  TReferenceCountHash();
  // Frees the buckets and the nodes still listed; their objects are left alone.
  ~TReferenceCountHash();
  TReferenceCountHash(const TReferenceCountHash&) = delete;
  TReferenceCountHash& operator=(const TReferenceCountHash&) = delete;

  // Counts one more holder of `object` (null: nothing). A new node records
  // `deleter` and goes to the front of its bucket.
  void AddRef(const void* object, Deleter deleter);
  // Counts one holder less (null: nothing); the last one unlists the object
  // and destroys it. Throws EVxAutoPtr for an object that is not listed,
  // leaving the hash unchanged.
  void Release(const void* object);

  std::int32_t Count(const void* object) const;  // 0 when not listed
  std::size_t ChainLength(std::size_t bucket) const;
  static constexpr std::size_t Bucket(std::uintptr_t address) {
    return (address >> 4) & (kBuckets - 1);
  }

  static TReferenceCountHash& Instance();

 private:
  THashNode* Find(std::uintptr_t address) const;

  THashNode** buckets_;
};

// The untyped half of TVexmoraAutoPtr: counting through the global hash.
class TVexmoraAutoPtrBase {
 protected:
  static void Hold(const void* object, TReferenceCountHash::Deleter deleter);
  static void Drop(const void* object);
};

template <class T>
class TVexmoraAutoPtr : public TVexmoraAutoPtrBase {
 public:
  TVexmoraAutoPtr() = default;
  explicit TVexmoraAutoPtr(T* p) : ptr_(p) { Hold(ptr_, &Destroy); }
  TVexmoraAutoPtr(const TVexmoraAutoPtr& other) : ptr_(other.ptr_) { Hold(ptr_, &Destroy); }
  TVexmoraAutoPtr(TVexmoraAutoPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ~TVexmoraAutoPtr() {
    Drop(ptr_);
    ptr_ = nullptr;
  }

  // The new object is counted before the old one is dropped, so assigning a
  // pointer that only the old object kept alive is safe.
  TVexmoraAutoPtr& operator=(T* p) {
    if (p == ptr_) return *this;
    Hold(p, &Destroy);
    T* old = std::exchange(ptr_, p);
    Drop(old);
    return *this;
  }
  TVexmoraAutoPtr& operator=(const TVexmoraAutoPtr& other) { return *this = other.ptr_; }
  TVexmoraAutoPtr& operator=(TVexmoraAutoPtr&& other) {
    if (this != &other) {
      T* old = std::exchange(ptr_, std::exchange(other.ptr_, nullptr));
      Drop(old);
    }
    return *this;
  }

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

 private:
  static void Destroy(void* object) { delete static_cast<T*>(object); }

  T* ptr_ = nullptr;
};

}  // namespace VexmoraSystem
