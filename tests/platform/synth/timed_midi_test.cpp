// Timed MIDI: each message lands on the sample its send time maps to, one
// device period later, in send order, whatever the callbacks' timing; and the
// queue holds up with one thread sending while another renders.
#include "synth/timed_midi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "recording_sink.h"
#include "synth/device_clock.h"

namespace {

using kxtest::RecordingSink;
using plat::synth::DeviceClock;
using plat::synth::TimedMidi;
using Bytes = std::vector<std::uint8_t>;

constexpr int kRate = 22050;
constexpr int kPeriod = 512;  // frames per callback
constexpr std::int64_t kPeriodNs = std::int64_t{kPeriod} * 1'000'000'000 / kRate;
constexpr std::int64_t kMs = 1'000'000;

// A device asking for one period at `at` ns, as the SDL callback does.
struct Device {
  void Callback(std::int64_t at) {
    out.assign(2 * kPeriod, 0);
    const DeviceClock::Window w = clock.Block(at, kPeriod, kRate);
    blockStart = w.startNs;
    midi.Render(sink, out.data(), kPeriod, kRate, w.startNs, w.lengthNs);
  }
  std::int64_t blockStart = 0;  // of the last callback
  TimedMidi midi;
  DeviceClock clock;
  RecordingSink sink;
  std::vector<std::int16_t> out;
};

TEST(TimedMidi, AMessageLandsAtItsOwnSampleOneDevicePeriodLater) {
  for (int k : {0, 1, 7, 13, 23}) {
    SCOPED_TRACE(k);
    Device d;
    const std::int64_t t0 = 5'000 * kMs;
    d.Callback(t0);
    d.midi.Send(Bytes{0x90, 60, 100}, t0 + k * kMs);
    d.Callback(t0 + kPeriodNs);
    d.Callback(t0 + 2 * kPeriodNs);
    ASSERT_EQ(d.sink.applied.size(), 1u);
    EXPECT_EQ(d.sink.applied[0].frame, std::int64_t{k} * kRate / 1000 + kPeriod);
  }
}

TEST(TimedMidi, MessagesKeepTheirOrderAndSpacingInsideABlock) {
  Device d;
  d.Callback(0);
  const std::vector<std::int64_t> at{2 * kMs, 2 * kMs, 3 * kMs + 500'000, 20 * kMs};
  for (std::size_t i = 0; i < at.size(); ++i)
    d.midi.Send(Bytes{0xB0, static_cast<std::uint8_t>(i), 0}, at[i]);
  d.Callback(kPeriodNs);
  ASSERT_EQ(d.sink.applied.size(), at.size());
  for (std::size_t i = 0; i < at.size(); ++i) {
    EXPECT_EQ(d.sink.applied[i].bytes[1], i);
    EXPECT_EQ(d.sink.applied[i].frame, kPeriod + at[i] * kRate / 1'000'000'000);
  }
  EXPECT_EQ(d.sink.mixed, 2 * kPeriod);  // sub-blocks add up to the whole block
}

TEST(TimedMidi, AMessageArrivingAfterItsBlockGoesAtTheNextBlocksStartAndIsReportedLate) {
  Device d;
  std::vector<TimedMidi::NotePlaced> placed;
  d.midi.SetObserver([&](const TimedMidi::NotePlaced& n) { placed.push_back(n); });
  d.Callback(0);
  d.Callback(kPeriodNs);
  // Stamped 5 ms before that callback, but queued only after it (its
  // thread was preempted in between).
  const std::int64_t sent = kPeriodNs - 5 * kMs;
  d.midi.Send(Bytes{0x90, 60, 100}, sent);
  d.Callback(2 * kPeriodNs);
  ASSERT_EQ(d.sink.applied.size(), 1u);
  EXPECT_EQ(d.sink.applied[0].frame, 2 * kPeriod);
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(placed[0].sentNs, sent);
  EXPECT_NEAR(static_cast<double>(placed[0].lateNs), 5e6, 1e9 / kRate);
}

TEST(TimedMidi, AnEarlyCallbackNeverRendersTheSlotOfAMessageNotSentYet) {
  Device d;
  d.Callback(0);
  d.Callback(kPeriodNs + 3 * kMs);                // late: the line follows slowly
  d.Callback(2 * kPeriodNs);                      // early against the line
  const std::int64_t sent = 2 * kPeriodNs + kMs;  // just after it
  d.midi.Send(Bytes{0x90, 60, 100}, sent);
  d.Callback(3 * kPeriodNs);
  ASSERT_EQ(d.sink.applied.size(), 1u);
  EXPECT_GT(d.sink.applied[0].frame, 3 * kPeriod);  // inside the block, not at its start
}

TEST(TimedMidi, JitteryCallbacksKeepTheDelayConstantAndAStallStartsAfresh) {
  Device d;
  std::int64_t t = 0;
  std::vector<std::int64_t> sent;
  for (int i = 0; i < 400; ++i) {
    // Callbacks up to 3 ms late, in a fixed pseudo-random pattern; one
    // message in the middle of every period.
    const std::int64_t jitter = (i * 7919 % 13) * 250'000;
    d.Callback(t + jitter);
    if (i == 300) t += 400 * kMs;  // the device stalls
    sent.push_back(t + kPeriodNs / 2);
    d.midi.Send(Bytes{0x90, static_cast<std::uint8_t>(i % 128), 1}, sent.back());
    t += kPeriodNs;
  }
  ASSERT_EQ(d.sink.applied.size(), sent.size() - 1);  // the last waits for its block
  std::int64_t previous = -1;
  for (std::size_t i = 0; i < d.sink.applied.size(); ++i) {
    EXPECT_GT(d.sink.applied[i].frame, previous);
    previous = d.sink.applied[i].frame;
    if (i > 10 && i < 300) {
      // Frame minus send time is the delay: the same for all, within the
      // jitter the line follows.
      const double delay = d.sink.applied[i].frame - sent[i] * 1e-9 * kRate;
      const double first = d.sink.applied[10].frame - sent[10] * 1e-9 * kRate;
      EXPECT_NEAR(delay, first, 3e-3 * kRate) << i;
    }
  }
}

TEST(TimedMidi, MessagesQueuedAheadWaitForTheirBlocksIntact) {
  RecordingSink sink;
  TimedMidi midi;
  // 100 ms of messages, every 1 ms, each a different length, all queued
  // before the first block.
  for (std::uint8_t i = 0; i < 100; ++i) {
    Bytes m{0xF0, i};
    m.resize(3 + i % 5, i);
    m.push_back(0xF7);
    midi.Send(m, i * kMs);
  }
  std::vector<std::int16_t> out(2 * kPeriod);
  for (int block = 0; block < 5; ++block)
    midi.Render(sink, out.data(), kPeriod, kRate, block * kPeriodNs, kPeriodNs);
  ASSERT_EQ(sink.applied.size(), 100u);
  for (std::uint8_t i = 0; i < 100; ++i) {
    const Bytes& b = sink.applied[i].bytes;
    ASSERT_EQ(b.size(), 4u + i % 5);
    EXPECT_EQ(b[1], i);
    EXPECT_EQ(b[b.size() - 2], i);
    EXPECT_EQ(sink.applied[i].frame, i * kMs * kPeriod / kPeriodNs);
  }
}

TEST(TimedMidi, FlushAppliesWhatIsLeftAndClearForgetsIt) {
  RecordingSink sink;
  TimedMidi midi;
  midi.Send(Bytes{0xC0, 5}, 10 * kMs);
  midi.Flush(sink);
  midi.Send(Bytes{0xC0, 6}, 20 * kMs);
  midi.Clear();
  std::vector<std::int16_t> out(2 * kPeriod);
  midi.Render(sink, out.data(), kPeriod, kRate, 20 * kMs);
  ASSERT_EQ(sink.applied.size(), 1u);
  EXPECT_EQ(sink.applied[0].bytes, (Bytes{0xC0, 5}));
}

TEST(TimedMidi, OneThreadSendsWhileAnotherRendersAndEveryMessageArrivesOnceInOrder) {
  TimedMidi midi;
  RecordingSink sink;
  constexpr int kMessages = 20000;
  std::atomic<std::int64_t> clock{0};  // ns, advanced by the sender
  std::atomic<bool> done{false};
  std::thread sender([&] {
    for (int i = 0; i < kMessages; ++i) {
      const auto lo = static_cast<std::uint8_t>(i & 0x7F), hi = static_cast<std::uint8_t>(i >> 7);
      if (i % 50 == 0)
        midi.Send(Bytes{0xF0, 0x7D, lo, hi, 1, 2, 3, 4, 0xF7}, clock.load());
      else
        midi.Send(Bytes{0xB0, lo, hi}, clock.load());
      clock.fetch_add(20'000);
    }
    done = true;
  });
  std::vector<std::int16_t> out(2 * 64);
  std::int64_t blockStart = -kMs;
  while (!done.load()) {
    midi.Render(sink, out.data(), 64, kRate, blockStart);
    blockStart += 64 * 1'000'000'000LL / kRate;
    std::this_thread::yield();
  }
  sender.join();
  midi.Flush(sink);
  ASSERT_EQ(sink.applied.size(), static_cast<std::size_t>(kMessages));
  for (int i = 0; i < kMessages; ++i) {
    const Bytes& b = sink.applied[static_cast<std::size_t>(i)].bytes;
    const std::size_t data = b[0] == 0xF0 ? 2 : 1;
    ASSERT_EQ(b[data] | b[data + 1] << 7, i);
    ASSERT_EQ(b.size(), i % 50 == 0 ? 9u : 3u);
  }
}

}  // namespace
