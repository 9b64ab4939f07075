// Position notifications: when they fire, the stop notification, and a
// stream refilled half by half from notifications on a platform thread.
#include <array>
#include <vector>

#include "plat/timer.h"
#include "support/sound_fixture.h"

namespace {

using namespace plat;
using NotifyTest = kxtest::SoundTest;

TEST_F(NotifyTest, OffsetsFireInOrderWhenTheCursorReachesThem) {
  auto b = Make(kxtest::Pcm(1, 16, 44100), 2 * 4410, kxtest::kStreamCaps);  // 100 ms
  Event at0, at1470, at2940, stop;
  const std::array<DSBPOSITIONNOTIFY, 4> notes{{{2 * 2940, &at2940},
                                                {DSBPN_OFFSETSTOP, &stop},
                                                {0, &at0},
                                                {2 * 1470, &at1470}}};
  ASSERT_EQ(b->QueryNotify(), DS_OK);
  ASSERT_EQ(b->SetNotificationPositions(notes), DS_OK);
  ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  EXPECT_EQ(b->SetNotificationPositions(notes), DSERR_INVALIDPARAM);  // not while playing
  std::vector<std::uint32_t> times;
  for (Event* e : {&at0, &at1470, &at2940, &at0}) {
    ASSERT_EQ(e->Wait(1000), WAIT_OBJECT_0);
    times.push_back(timeGetTime());
  }
  // Frame 1470 plays at 33.3 ms, 2940 at 66.7 ms, the wrap at 100 ms; the
  // mixer runs every 10 ms.
  EXPECT_EQ(times, (std::vector<std::uint32_t>{0, 40, 70, 100}));
  EXPECT_EQ(stop.Wait(0), WAIT_TIMEOUT);
}

TEST_F(NotifyTest, StopFiresOnlyWhenPlayingStops) {
  const std::vector<std::int16_t> tone(441, 100);
  auto b = Mono(tone, 44100, kxtest::kStreamCaps);
  Event start, stop;
  const std::array<DSBPOSITIONNOTIFY, 2> notes{{{0, &start}, {DSBPN_OFFSETSTOP, &stop}}};
  ASSERT_EQ(b->SetNotificationPositions(notes), DS_OK);
  ASSERT_EQ(b->Stop(), DS_OK);
  EXPECT_EQ(stop.Wait(0), WAIT_TIMEOUT);  // was not playing
  ASSERT_EQ(b->SetCurrentPosition(2), DS_OK);
  ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  EXPECT_EQ(start.Wait(0), WAIT_TIMEOUT);  // not started from 0
  ASSERT_EQ(b->Stop(), DS_OK);
  EXPECT_EQ(stop.Wait(0), WAIT_OBJECT_0);
  ASSERT_EQ(b->Stop(), DS_OK);
  EXPECT_EQ(stop.Wait(0), WAIT_TIMEOUT);
  ASSERT_EQ(b->SetCurrentPosition(0), DS_OK);
  ASSERT_EQ(b->Play(0, 0, 0), DS_OK);  // a one-shot to its end
  EXPECT_EQ(start.Wait(0), WAIT_OBJECT_0);
  EXPECT_EQ(stop.Wait(100), WAIT_OBJECT_0);
  EXPECT_EQ(timeGetTime(), 10u);
  EXPECT_EQ(start.Wait(0), WAIT_TIMEOUT);  // the end is not a wrap to 0

  auto plain = Mono(tone);  // static caps: no notifications
  EXPECT_EQ(plain->QueryNotify(), DSERR_INVALIDPARAM);
  EXPECT_EQ(plain->SetNotificationPositions(notes), DSERR_INVALIDPARAM);
  const std::array<DSBPOSITIONNOTIFY, 1> outside{{{882, &start}}};
  EXPECT_EQ(b->SetNotificationPositions(outside), DSERR_INVALIDPARAM);
}

// The streamed-sound pattern: a worker fills one half while the other plays,
// woken by the notifications at 0 and half-way, and ends on the stop one.
void PlayStream(IDirectSoundBuffer& b, std::uint32_t halfBytes) {
  Event ev[3];
  const std::array<DSBPOSITIONNOTIFY, 3> notes{
      {{0, &ev[0]}, {halfBytes, &ev[1]}, {DSBPN_OFFSETSTOP, &ev[2]}}};
  ASSERT_EQ(b.SetNotificationPositions(notes), DS_OK);
  int next = 1;
  auto fill = [&](std::uint32_t half) {
    std::vector<std::int16_t> block(halfBytes / 2);
    for (auto& s : block) s = static_cast<std::int16_t>(next++);
    kxtest::Write(b, half * halfBytes, block);
  };
  auto worker = Thread::Start([&](Thread&) {
    fill(0);
    const std::array<Event*, 3> all{&ev[0], &ev[1], &ev[2]};
    for (;;) {
      const std::uint32_t r = WaitForMultipleObjects(all, INFINITE);
      if (r > WAIT_OBJECT_0 + 1) return;
      fill(r == WAIT_OBJECT_0 ? 1 : 0);
    }
  });
  ASSERT_NE(worker, nullptr);
  ASSERT_EQ(b.Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  Sleep(400);
  EXPECT_EQ(b.Stop(), DS_OK);
  worker->WaitFor();
}

TEST_F(NotifyTest, StreamRefilledFromNotificationsPlaysTheExactSequence) {
  const std::uint32_t halfBytes = 2 * 1764;  // 40 ms of mono 16-bit
  auto b = Make(kxtest::Pcm(1, 16, 44100), 2 * halfBytes, kxtest::kStreamCaps);
  PlayStream(*b, halfBytes);
  control_->Advance(20);
  const auto left = Side(0);
  ASSERT_EQ(left.size(), 44100u * 420 / 1000);
  for (std::size_t i = 0; i < 17640; ++i) ASSERT_EQ(left[i], static_cast<int>(i + 1)) << i;
  EXPECT_EQ(kxtest::CountNonZero(left), 17640u);
  EXPECT_EQ(left, Side(1));
}

}  // namespace
