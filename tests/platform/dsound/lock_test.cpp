// Lock/Unlock regions and duplicates sharing sample memory.
#include <array>
#include <cstring>

#include "support/sound_fixture.h"

namespace {

using namespace plat;
using LockTest = kxtest::SoundTest;

TEST_F(LockTest, RangePastTheEndWrapsIntoASecondRegion) {
  auto b = Make(kxtest::Pcm(1, 8, 22050), 16);
  void *p1, *p2;
  std::uint32_t n1, n2;
  ASSERT_EQ(b->Lock(12, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
  ASSERT_EQ((std::array{n1, n2}), (std::array{4u, 4u}));
  std::memset(p1, 0x11, n1);
  std::memset(p2, 0x22, n2);
  ASSERT_EQ(b->Unlock(p1, n1, p2, 3), DS_OK);  // only 3 bytes of the second region written

  ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
  ASSERT_EQ(n1, 16u);
  EXPECT_EQ(p2, nullptr);
  const std::array<std::uint8_t, 16> expected{0x22, 0x22, 0x22, 0x80, 0x80, 0x80, 0x80, 0x80,
                                              0x80, 0x80, 0x80, 0x80, 0x11, 0x11, 0x11, 0x11};
  EXPECT_EQ(std::memcmp(p1, expected.data(), 16), 0);  // new 8-bit buffers hold silence
  std::uint8_t foreign[4];
  EXPECT_EQ(b->Unlock(foreign, 4, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Unlock(p1, 17, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Unlock(p1, 16, nullptr, 0), DS_OK);
  EXPECT_EQ(b->Unlock(p1, 16, nullptr, 0), DSERR_INVALIDPARAM);  // already unlocked

  EXPECT_EQ(b->Lock(16, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Lock(0, 17, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Lock(8, 16, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(primary_->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
}

TEST_F(LockTest, DuplicatesShareSamplesButNotPositionOrSettings) {
  auto original = Mono({5000, 5000, 5000, 5000});
  ASSERT_EQ(original->SetVolume(-600), DS_OK);
  std::shared_ptr<IDirectSoundBuffer> copy;
  EXPECT_EQ(ds_->DuplicateSoundBuffer(primary_, copy), DSERR_INVALIDPARAM);
  ASSERT_EQ(ds_->DuplicateSoundBuffer(original, copy), DS_OK);

  kxtest::Write(*copy, 0, std::vector<std::int16_t>(4, 20000));  // the original's memory too
  ASSERT_EQ(copy->SetVolume(0), DS_OK);                           // the original keeps -600
  ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(Status(*original), 0u);
  control_->Advance(10);
  ASSERT_EQ(original->Play(0, 0, 0), DS_OK);
  control_->Advance(10);
  const auto left = Side(0);
  EXPECT_EQ(left[0], 20000);
  EXPECT_EQ(left[441], 10024);  // the new samples at the original's volume
  EXPECT_EQ(kxtest::CountNonZero(left), 8u);
}

}  // namespace
