// synth.cpp — FluidSynth set-up, rendering at an oversampled rate and the
// windowed-sinc decimator that brings it down to the output rate.
#include "synth/synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "synth/soundfont.h"
#include "synth/synth_messages.h"

namespace plat::synth {
namespace {

constexpr int kBlock = 64;  // FluidSynth's fixed block, in its own frames
constexpr int kMinSynthRate = 44100;
constexpr int kMaxSynthRate = 96000;
constexpr int kTapsPerFactor = 24;  // filter length per step of decimation

int FactorFor(int rate) {
  int k = 1;
  while (rate * k < kMinSynthRate && rate * (k + 1) <= kMaxSynthRate) ++k;
  return k;
}

// Low-pass at 0.45 of the output band (Blackman-windowed sinc), unity gain.
std::vector<float> DesignFilter(int factor) {
  if (factor == 1) return {1.0f};  // already at the output rate
  const int taps = kTapsPerFactor * factor + 1;
  const double cutoff = 0.45 / factor;  // cycles per synthesiser frame
  std::vector<double> h(static_cast<std::size_t>(taps));
  double sum = 0;
  for (int i = 0; i < taps; ++i) {
    const double x = i - (taps - 1) / 2.0;
    const double sinc =
        x == 0 ? 2 * cutoff : std::sin(2 * std::numbers::pi * cutoff * x) / (std::numbers::pi * x);
    const double w = 0.42 - 0.5 * std::cos(2 * std::numbers::pi * i / (taps - 1)) +
                     0.08 * std::cos(4 * std::numbers::pi * i / (taps - 1));
    h[static_cast<std::size_t>(i)] = sinc * w;
    sum += sinc * w;
  }
  std::vector<float> out;
  for (double v : h) out.push_back(static_cast<float>(v / sum));
  return out;
}

std::int16_t Saturate(float v) {
  return static_cast<std::int16_t>(std::lround(std::clamp(v, -32768.0f, 32767.0f)));
}

}  // namespace

struct Synth::Impl {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  int rate = 0;                   // output
  int factor = 1;                 // synthesiser frames per output frame
  std::uint64_t synthFrames = 0;  // rendered since the rate was set
  std::vector<float> filter;
  // Per side: the last taps - 1 synthesiser frames, then the new ones.
  std::vector<float> left, right;

  ~Impl() {
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }

  void SetRate(int newRate) {
    factor = FactorFor(newRate);
    // FluidSynth 2.3 changes the rate of a running synthesiser only through
    // this call (deprecated in favour of making a new synthesiser, which
    // would lose every channel's state).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    fluid_synth_set_sample_rate(synth, static_cast<float>(newRate * factor));
#pragma GCC diagnostic pop
    rate = newRate;
    synthFrames = 0;
    filter = DesignFilter(factor);
    left.assign(filter.size() - 1, 0.0f);
    right.assign(filter.size() - 1, 0.0f);
  }
};

std::unique_ptr<Synth> Synth::Create(std::string& why) {
  const std::string font = FindSoundfont();
  if (font.empty()) {
    why =
        "no General MIDI soundfont (.sf2/.sf3) in /usr/share/sounds/sf2, /usr/share/sounds/sf3 "
        "or /usr/share/soundfonts (Debian: musescore-general-soundfont-small)";
    return nullptr;
  }
  // FluidSynth's own chatter stays quiet; its errors still reach stderr.
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  auto impl = std::make_unique<Impl>();
  impl->settings = new_fluid_settings();
  if (!impl->settings) {
    why = "FluidSynth settings could not be made";
    return nullptr;
  }
  fluid_settings_setnum(impl->settings, "synth.sample-rate", kMinSynthRate);
  fluid_settings_setnum(impl->settings, "synth.gain", 0.5);
  impl->synth = new_fluid_synth(impl->settings);
  if (!impl->synth) {
    why = "the FluidSynth synthesiser could not be made";
    return nullptr;
  }
  if (fluid_synth_sfload(impl->synth, font.c_str(), 1) == FLUID_FAILED) {
    why = "the soundfont " + font + " could not be loaded";
    return nullptr;
  }
  DefaultEffects(impl->synth);
  return std::unique_ptr<Synth>(new Synth(std::move(impl)));
}

Synth::Synth(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Synth::~Synth() = default;

void Synth::Apply(std::span<const std::uint8_t> bytes) {
  ApplyMessage(impl_->synth, bytes);
}

void Synth::Reset() {
  fluid_synth_system_reset(impl_->synth);
}

// In output frames, rounded up where the factor does not divide the block.
int Synth::GridFrames(int rate) const {
  return (kBlock + FactorFor(rate) - 1) / FactorFor(rate);
}

int Synth::FramesToGrid(int rate) const {
  const Impl& m = *impl_;
  if (rate != m.rate) return 0;  // the first Mix starts a fresh block
  const auto waiting = static_cast<int>((kBlock - m.synthFrames % kBlock) % kBlock);
  return (waiting + m.factor - 1) / m.factor;
}

void Synth::Mix(std::int16_t* out, int frames, int rate) {
  Impl& m = *impl_;
  if (frames <= 0 || rate <= 0) return;
  if (rate != m.rate) m.SetRate(rate);
  const std::size_t history = m.filter.size() - 1;
  const auto k = static_cast<std::size_t>(m.factor);
  const std::size_t fresh = static_cast<std::size_t>(frames) * k;
  m.left.resize(history + fresh);
  m.right.resize(history + fresh);
  fluid_synth_write_float(m.synth, static_cast<int>(fresh), m.left.data() + history, 0, 1,
                          m.right.data() + history, 0, 1);
  m.synthFrames += fresh;
  const float* h = m.filter.data();
  for (std::size_t i = 0; i < static_cast<std::size_t>(frames); ++i) {
    // Output frame i is the filter over the taps ending at its last
    // synthesiser frame.
    const std::size_t end = history + (i + 1) * k;  // one past
    const float* l = m.left.data() + end - m.filter.size();
    const float* r = m.right.data() + end - m.filter.size();
    float sl = 0, sr = 0;
    for (std::size_t t = 0; t < m.filter.size(); ++t) {
      sl += h[t] * l[t];
      sr += h[t] * r[t];
    }
    std::int16_t* o = out + 2 * i;
    o[0] = Saturate(static_cast<float>(o[0]) + sl * 32767.0f);
    o[1] = Saturate(static_cast<float>(o[1]) + sr * 32767.0f);
  }
  // Keep the last `history` frames for the next call.
  std::copy(m.left.end() - static_cast<std::ptrdiff_t>(history), m.left.end(), m.left.begin());
  std::copy(m.right.end() - static_cast<std::ptrdiff_t>(history), m.right.end(), m.right.begin());
  m.left.resize(history);
  m.right.resize(history);
}

}  // namespace plat::synth
