// The address-keyed reference counts: shared buckets, unlinking from any
// place in a chain, unknown pointers, and TVexmoraAutoPtr's copy rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Vxautoptr.h"
#include "core/Vxerror.h"

namespace {

using VexmoraSystem::EVxAutoPtr;
using VexmoraSystem::TReferenceCountHash;
using VexmoraSystem::TVexmoraAutoPtr;

std::vector<void*> g_destroyed;
void Record(void* p) {
  g_destroyed.push_back(p);
}

class Hash : public ::testing::Test {
 protected:
  void SetUp() override { g_destroyed.clear(); }
  // Addresses inside a block aligned to 2^18, so their low bits are known.
  void* At(std::size_t offset) {
    const auto start = reinterpret_cast<std::uintptr_t>(block_.data());
    return block_.data() + ((0x40000 - start % 0x40000) % 0x40000) + offset;
  }
  std::size_t BucketOf(std::size_t offset) {
    return TReferenceCountHash::Bucket(reinterpret_cast<std::uintptr_t>(At(offset)));
  }

  TReferenceCountHash hash_;

 private:
  std::vector<unsigned char> block_ = std::vector<unsigned char>(0xA0000);
};

TEST_F(Hash, AddressesDifferingOnlyAboveBit16OrBelowBit4ShareABucket) {
  ASSERT_EQ(BucketOf(0x10), BucketOf(0x20010));
  ASSERT_EQ(BucketOf(0x10), BucketOf(0x18));
  ASSERT_NE(BucketOf(0x10), BucketOf(0x20));
  for (std::size_t off : {0x10, 0x20010, 0x18}) hash_.AddRef(At(off), Record);
  hash_.AddRef(At(0x20010), Record);
  EXPECT_EQ(hash_.ChainLength(BucketOf(0x10)), 3u);
  EXPECT_EQ(hash_.Count(At(0x10)), 1);
  EXPECT_EQ(hash_.Count(At(0x20010)), 2);
  EXPECT_EQ(hash_.Count(At(0x18)), 1);

  hash_.Release(At(0x20010));  // still held once
  EXPECT_TRUE(g_destroyed.empty());
  hash_.Release(At(0x10));
  EXPECT_EQ(g_destroyed, std::vector<void*>{At(0x10)});
  EXPECT_EQ(hash_.Count(At(0x20010)), 1);
  EXPECT_EQ(hash_.Count(At(0x18)), 1);
}

TEST_F(Hash, UnlinkingFromTheMiddleFrontAndBackKeepsTheChain) {
  // New nodes go to the front: the chain is C, B, A. Each step relies on the
  // links the step before repaired (stale links show under AddressSanitizer).
  const std::size_t a = 0x100, b = 0x20100, c = 0x40100;
  for (std::size_t off : {a, b, c}) hash_.AddRef(At(off), Record);
  hash_.Release(At(b));  // middle: C, A
  EXPECT_EQ(hash_.ChainLength(BucketOf(a)), 2u);
  hash_.Release(At(a));  // back, through A's repaired link to C
  EXPECT_EQ(hash_.ChainLength(BucketOf(a)), 1u);
  hash_.AddRef(At(a), Record);  // A, C
  hash_.Release(At(a));         // front: C is first again
  EXPECT_EQ(hash_.Count(At(c)), 1);
  hash_.Release(At(c));  // the only node
  EXPECT_EQ(hash_.ChainLength(BucketOf(a)), 0u);
  EXPECT_EQ(g_destroyed, (std::vector<void*>{At(b), At(a), At(a), At(c)}));
}

TEST_F(Hash, ReleasingAnUnlistedPointerThrowsAndChangesNothing) {
  hash_.AddRef(At(0x10), Record);
  try {
    hash_.Release(At(0x20010));  // same bucket, different address
    FAIL() << "no exception";
  } catch (const EVxAutoPtr& e) {
    EXPECT_EQ(e.Message(),
              "TVexmoraAutoPtr エラー\n\nリストされていないポインタが検出されました。");
  }
  EXPECT_EQ(hash_.Count(At(0x10)), 1);
  EXPECT_EQ(hash_.ChainLength(BucketOf(0x10)), 1u);
  hash_.Release(At(0x10));
  EXPECT_THROW(hash_.Release(At(0x10)), EVxAutoPtr);  // already gone
  EXPECT_EQ(g_destroyed.size(), 1u);
  hash_.AddRef(nullptr, Record);  // null is never counted
  EXPECT_NO_THROW(hash_.Release(nullptr));
}

struct Tracked {
  static inline int live = 0;
  Tracked() { ++live; }
  virtual ~Tracked() { --live; }
  TVexmoraAutoPtr<Tracked> child;
};
struct TrackedLeaf : Tracked {};

class AutoPtr : public ::testing::Test {
 protected:
  void SetUp() override { Tracked::live = 0; }
  void TearDown() override { EXPECT_EQ(Tracked::live, 0); }
};

TEST_F(AutoPtr, CopiesShareOneCountAndTheLastOneDestroys) {
  auto* raw = new Tracked;
  auto first = std::make_unique<TVexmoraAutoPtr<Tracked>>(raw);
  TVexmoraAutoPtr<Tracked> second(*first);
  TVexmoraAutoPtr<Tracked> third;
  third = second;
  third = third.get();  // the held pointer: no change
  EXPECT_EQ(TReferenceCountHash::Instance().Count(raw), 3);
  first.reset();
  second = nullptr;
  EXPECT_EQ(Tracked::live, 1);
  EXPECT_EQ(third.get(), raw);
  third = nullptr;
  EXPECT_EQ(Tracked::live, 0);
  EXPECT_EQ(TReferenceCountHash::Instance().Count(raw), 0);
}

TEST_F(AutoPtr, PointersOfDifferentTypesShareTheObjectsCount) {
  auto* leaf = new TrackedLeaf;
  TVexmoraAutoPtr<TrackedLeaf> exact(leaf);
  {
    TVexmoraAutoPtr<Tracked> base(leaf);
    EXPECT_EQ(TReferenceCountHash::Instance().Count(leaf), 2);
  }
  EXPECT_EQ(Tracked::live, 1);
}

TEST_F(AutoPtr, AssigningAnObjectOnlyTheOldOneKeptAlive) {
  TVexmoraAutoPtr<Tracked> p(new Tracked);
  p->child = new Tracked;
  p = p->child.get();  // the old object dies, its child must survive
  EXPECT_EQ(Tracked::live, 1);
  EXPECT_EQ(TReferenceCountHash::Instance().Count(p.get()), 1);
}

TEST_F(AutoPtr, MovingHandsOverWithoutCounting) {
  TVexmoraAutoPtr<Tracked> a(new Tracked);
  Tracked* raw = a.get();
  TVexmoraAutoPtr<Tracked> b(std::move(a));
  EXPECT_EQ(TReferenceCountHash::Instance().Count(raw), 1);
  TVexmoraAutoPtr<Tracked> c(new Tracked);
  c = std::move(b);  // c's first object dies
  EXPECT_EQ(Tracked::live, 1);
  EXPECT_EQ(c.get(), raw);
  EXPECT_FALSE(b);  // NOLINT(bugprone-use-after-move): moved-from is null
}

}  // namespace
