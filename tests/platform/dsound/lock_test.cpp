// Lock/Unlock regions and duplicates sharing sample memory.
#include <array>
#include <cstring>

#include "support/sound_fixture.h"

namespace {

using namespace plat;
using LockTest = kxtest::SoundTest;

TEST_F(LockTest, RangePastTheEndWrapsIntoASecondRegion) {
  auto b = Make(kxtest::Pcm(1, 16, 44100), 16);
  void *p1, *p2;
  std::uint32_t n1, n2;
  ASSERT_EQ(b->Lock(12, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
  EXPECT_EQ(n1, 4u);
  EXPECT_EQ(n2, 4u);
  ASSERT_NE(p2, nullptr);
  std::memset(p1, 0x11, n1);
  std::memset(p2, 0x22, n2);
  ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);

  ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
  EXPECT_EQ(n1, 16u);
  EXPECT_EQ(n2, 0u);
  EXPECT_EQ(p2, nullptr);
  const auto* bytes = static_cast<const std::uint8_t*>(p1);
  const std::array<std::uint8_t, 16> expected{0x22, 0x22, 0x22, 0x22, 0, 0, 0, 0,
                                              0,    0,    0,    0,    0x11, 0x11, 0x11, 0x11};
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes));
  EXPECT_EQ(b->Unlock(p1, 0, nullptr, 0), DS_OK);  // nothing written, nothing changes
}

TEST_F(LockTest, RejectsRangesOutsideTheBufferAndForeignPointers) {
  auto b = Make(kxtest::Pcm(1, 8, 22050), 16);
  void *p1, *p2;
  std::uint32_t n1, n2;
  EXPECT_EQ(b->Lock(16, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Lock(0, 17, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Lock(8, 16, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(primary_->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  ASSERT_EQ(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DS_OK);
  EXPECT_EQ(static_cast<std::uint8_t*>(p1)[0], 0x80);  // new 8-bit buffers hold silence
  std::uint8_t other[4];
  EXPECT_EQ(b->Unlock(other, 4, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Unlock(p1, 5, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Unlock(p1, 4, nullptr, 0), DS_OK);
  EXPECT_EQ(b->Unlock(p1, 4, nullptr, 0), DSERR_INVALIDPARAM);  // already unlocked
}

TEST_F(LockTest, DuplicatesShareSamplesButNotPositionOrState) {
  const std::array<std::int16_t, 4> tone{5000, 5000, 5000, 5000};
  auto original = Mono(tone);
  ASSERT_EQ(original->SetVolume(-600), DS_OK);
  std::shared_ptr<IDirectSoundBuffer> copy;
  ASSERT_EQ(ds_->DuplicateSoundBuffer(original, copy), DS_OK);
  EXPECT_EQ(ds_->DuplicateSoundBuffer(primary_, copy), DSERR_INVALIDPARAM);
  ASSERT_EQ(ds_->DuplicateSoundBuffer(original, copy), DS_OK);

  const std::array<std::int16_t, 4> louder{20000, 20000, 20000, 20000};
  Write(*copy, 0, louder);  // lands in the original's memory too
  ASSERT_EQ(copy->SetVolume(0), DS_OK);  // the original keeps -600
  ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(Status(*original), 0u);
  control_->Advance(10);
  ASSERT_EQ(original->Play(0, 0, 0), DS_OK);
  control_->Advance(10);
  const auto left = Side(0);
  EXPECT_EQ(left[0], 20000);
  EXPECT_EQ(left[441], 10024);  // the original, same samples at its own volume
  EXPECT_EQ(kxtest::SoundTest::CountNonZero(left), 8u);
}

}  // namespace
