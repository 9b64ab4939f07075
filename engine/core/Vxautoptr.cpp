// Vxautoptr.cpp — the address-keyed reference-count hash.
//
// A node is unlinked and freed before its object's destructor runs, so a
// destructor that drops pointers of its own finds the hash consistent.
#include "core/Vxautoptr.h"

#include "core/Vxerror.h"

namespace VexmoraSystem {

TReferenceCountHash::TReferenceCountHash() : buckets_(new THashNode*[kBuckets]()) {}

TReferenceCountHash::~TReferenceCountHash() {
  for (std::size_t b = 0; b < kBuckets; ++b) {
    for (THashNode* n = buckets_[b]; n;) delete std::exchange(n, n->next);
  }
  delete[] buckets_;
}

TReferenceCountHash& TReferenceCountHash::Instance() {
  static auto* hash = new TReferenceCountHash;
  return *hash;
}

TReferenceCountHash::THashNode* TReferenceCountHash::Find(std::uintptr_t address) const {
  for (THashNode* n = buckets_[Bucket(address)]; n; n = n->next) {
    if (n->object == address) return n;
  }
  return nullptr;
}

void TReferenceCountHash::AddRef(const void* object, Deleter deleter) {
  if (!object) return;
  const auto address = reinterpret_cast<std::uintptr_t>(object);
  if (THashNode* n = Find(address)) {
    ++n->count;
    return;
  }
  THashNode*& head = buckets_[Bucket(address)];
  auto* node = new THashNode{address, 1, deleter, head, nullptr};
  if (head) head->prev = node;
  head = node;
}

void TReferenceCountHash::Release(const void* object) {
  if (!object) return;
  const auto address = reinterpret_cast<std::uintptr_t>(object);
  THashNode* n = Find(address);
  if (!n) throw EVxAutoPtr("リストされていないポインタが検出されました。");
  if (n->count-- != 1) return;
  if (n->next) n->next->prev = n->prev;
  if (n->prev) {
    n->prev->next = n->next;
  } else {
    buckets_[Bucket(address)] = n->next;
  }
  const Deleter deleter = n->deleter;
  delete n;
  if (deleter) deleter(const_cast<void*>(object));
}

std::int32_t TReferenceCountHash::Count(const void* object) const {
  const THashNode* n = object ? Find(reinterpret_cast<std::uintptr_t>(object)) : nullptr;
  return n ? n->count : 0;
}

std::size_t TReferenceCountHash::ChainLength(std::size_t bucket) const {
  std::size_t length = 0;
  for (const THashNode* n = buckets_[bucket % kBuckets]; n; n = n->next) ++length;
  return length;
}

void TVexmoraAutoPtrBase::Hold(const void* object, TReferenceCountHash::Deleter deleter) {
  TReferenceCountHash::Instance().AddRef(object, deleter);
}

void TVexmoraAutoPtrBase::Drop(const void* object) {
  TReferenceCountHash::Instance().Release(object);
}

}  // namespace VexmoraSystem
