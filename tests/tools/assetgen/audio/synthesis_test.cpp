// synthesis_test.cpp — the sound-effect kit of assetgen: oscillator pitch,
// filters passing and stopping, seeded noise, envelopes, the finishing step
// (peak level, silent ends) and the WAV header.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "audio/signal.h"
#include "audio/wav.h"

namespace ag::audio {
namespace {

// Rising zero crossings in [from, to) seconds: the frequency of a clean tone.
int crossings(const Signal& s, double from, double to) {
  int n = 0;
  for (std::size_t i = samplesFor(from) + 1; i < samplesFor(to); ++i)
    if (s[i - 1] < 0 && s[i] >= 0) ++n;
  return n;
}

double rms(const Signal& s) {
  double sum = 0;
  for (double v : s) sum += v * v;
  return std::sqrt(sum / static_cast<double>(s.size()));
}

TEST(Synthesis, OscillatorsHitTheirPitchAndGlide) {
  for (Wave w : {Wave::Sine, Wave::Triangle, Wave::Square, Wave::Saw}) {
    const Signal s = tone({w, 441.0}, 1.0);
    EXPECT_NEAR(crossings(s, 0, 1), 441, 1) << static_cast<int>(w);
    EXPECT_LE(*std::max_element(s.begin(), s.end()), 1.2);
  }
  const Signal glide = tone({Wave::Sine, {200.0, 800.0}}, 1.0);
  EXPECT_NEAR(crossings(glide, 0.0, 0.1), 21, 2);        // about 207 Hz on average
  EXPECT_NEAR(crossings(glide, 0.9, 1.0), 75, 2);        // about 747 Hz
  EXPECT_DOUBLE_EQ(Glide(200.0, 800.0).at(0.5), 400.0);  // even in ratio
}

TEST(Synthesis, FiltersPassTheirBandAndStopTheRest) {
  auto through = [](double freq, void (*filter)(Signal&, Glide, double), double cutoff,
                    double q = 0.707) {
    Signal s = tone({Wave::Sine, freq}, 0.5);
    const double before = rms(s);
    filter(s, cutoff, q);
    return 20 * std::log10(rms(s) / before);
  };
  EXPECT_GT(through(100, lowpass, 500), -1.0);
  EXPECT_LT(through(5000, lowpass, 500), -30.0);
  EXPECT_GT(through(5000, highpass, 500), -1.0);
  EXPECT_LT(through(50, highpass, 500), -30.0);
  EXPECT_GT(through(1000, bandpass, 1000, 2.0), through(4000, bandpass, 1000, 2.0) + 12);
}

TEST(Synthesis, NoiseRepeatsForItsSeedOnly) {
  const Signal a = whiteNoise(0.1, 7);
  EXPECT_EQ(a, whiteNoise(0.1, 7));
  EXPECT_NE(a, whiteNoise(0.1, 8));
  double mean = 0;
  for (double v : a) mean += v;
  EXPECT_LT(std::fabs(mean / static_cast<double>(a.size())), 0.05);
  EXPECT_EQ(crackle(0.5, 0.0, 3), Signal(samplesFor(0.5), 0.0));  // density 0: silence
}

TEST(Synthesis, EnvelopesAndMixing) {
  Signal s(samplesFor(0.3), 1.0);
  decay(s, 0.0, 0.1);
  EXPECT_NEAR(s[samplesFor(0.1)], 0.5, 0.001);
  EXPECT_NEAR(s[samplesFor(0.2)], 0.25, 0.001);
  Signal env(samplesFor(0.3), 1.0);
  shape(env, {{0.0, 0.0}, {0.1, 1.0}, {0.2, 0.5}});
  EXPECT_NEAR(env[samplesFor(0.05)], 0.5, 0.001);
  EXPECT_NEAR(env[samplesFor(0.15)], 0.75, 0.001);
  EXPECT_DOUBLE_EQ(env.back(), 0.5);  // holds the last level
  Signal mix(10, 1.0);
  mixIn(mix, Signal(10, 1.0), 5.0 / kRate, 0.5);
  ASSERT_EQ(mix.size(), 15u);
  EXPECT_DOUBLE_EQ(mix[4], 1.0);
  EXPECT_DOUBLE_EQ(mix[5], 1.5);
  EXPECT_DOUBLE_EQ(mix[14], 0.5);
}

TEST(Synthesis, FinishNormalisesAndSilencesBothEnds) {
  const std::vector<std::int16_t> pcm = finish(tone({Wave::Square, 440.0}, 0.2), -6.0);
  ASSERT_EQ(pcm.size(), samplesFor(0.2));
  int peak = 0;
  for (std::int16_t v : pcm) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_NEAR(peak, 16422, 1);  // 32767 at -6 dB
  EXPECT_EQ(pcm.front(), 0);
  EXPECT_EQ(pcm.back(), 0);
  EXPECT_GT(std::abs(static_cast<int>(pcm[40])), 4000);  // the attack is immediate
  EXPECT_THROW(finish(Signal(100, 0.0), -1.0), std::logic_error);
}

TEST(Synthesis, WavHeaderDescribesTheSamples) {
  const std::vector<std::uint8_t> b = encodeWav({1, -2, 3}, 22050);
  ASSERT_EQ(b.size(), 50u);
  // clang-format off
  const std::vector<std::uint8_t> head = {
      'R', 'I', 'F', 'F', 42, 0, 0, 0, 'W', 'A', 'V', 'E',
      'f', 'm', 't', ' ', 16, 0, 0, 0,
      1, 0, 1, 0,                  // PCM, mono
      0x22, 0x56, 0, 0,            // 22050 Hz
      0x44, 0xAC, 0, 0,            // 44100 bytes a second
      2, 0, 16, 0,                 // block align, bits
      'd', 'a', 't', 'a', 6, 0, 0, 0};
  // clang-format on
  EXPECT_TRUE(std::equal(head.begin(), head.end(), b.begin()));
  EXPECT_EQ(b[46], 0xFE);  // -2 little-endian
  EXPECT_EQ(b[47], 0xFF);
  EXPECT_EQ(encodeWav({1, 2}, 44100, 2)[32], 4);  // stereo block align
  EXPECT_THROW(encodeWav({1, 2, 3}, 22050, 2), std::logic_error);
}

}  // namespace
}  // namespace ag::audio
