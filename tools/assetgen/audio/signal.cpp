// signal.cpp — oscillators, noise, envelopes, filters and the finishing step.
#include "audio/signal.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "rng.h"

namespace ag::audio {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDt = 1.0 / kRate;

// Fraction of the way through a sound of n samples at sample i.
double fraction(std::size_t i, std::size_t n) {
  return n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
}

// polyBLEP residual: smooths the step of a naive wave at phase wrap.
double blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double waveAt(Wave w, double ph, double dt, double duty) {
  switch (w) {
    case Wave::Sine:
      return std::sin(2.0 * kPi * ph);
    case Wave::Triangle: {
      // Odd harmonics summed up to 0.45 of the rate: a naive triangle's
      // upper harmonics would fold back as audible whistles on glides.
      double sum = 0, sign = 1;
      for (int k = 1; k * dt < 0.45; k += 2, sign = -sign)
        sum += sign * std::sin(2.0 * kPi * k * ph) / (k * k);
      return sum * 8.0 / (kPi * kPi);
    }
    case Wave::Saw:
      return 2.0 * ph - 1.0 - blep(ph, dt);
    case Wave::Square:
      duty = 0.5;
      [[fallthrough]];
    case Wave::Pulse: {
      double shifted = ph + 1.0 - duty;
      if (shifted >= 1.0) shifted -= 1.0;
      return (ph < duty ? 1.0 : -1.0) + blep(ph, dt) - blep(shifted, dt);
    }
  }
  return 0.0;
}

enum class Pass { Low, High, Band };

// Topology-preserving state-variable filter: stable for any cutoff glide.
void svf(Signal& s, Glide cutoff, double q, Pass pass) {
  if (q <= 0) throw std::logic_error("filter q must be positive");
  const double k = 1.0 / q;
  double ic1 = 0, ic2 = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double fc = std::clamp(cutoff.at(fraction(i, s.size())), 10.0, kRate * 0.45);
    const double g = std::tan(kPi * fc / kRate);
    const double a1 = 1.0 / (1.0 + g * (g + k)), a2 = g * a1, a3 = g * a2;
    const double v0 = s[i], v3 = v0 - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    s[i] = pass == Pass::Low ? v2 : pass == Pass::Band ? v1 : v0 - k * v1 - v2;
  }
}

}  // namespace

std::size_t samplesFor(double seconds) {
  return seconds <= 0 ? 0 : static_cast<std::size_t>(std::lround(seconds * kRate));
}

double Glide::at(double f) const {
  if (from == to) return from;
  const double t = bend == 1.0 ? f : std::pow(f, bend);
  if (from > 0 && to > 0) return from * std::exp(std::log(to / from) * t);
  return from + (to - from) * t;  // through zero: linear
}

Signal tone(const Osc& osc, double seconds) {
  Signal s(samplesFor(seconds));
  double ph = 0, vib = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    double f = osc.freq.at(fraction(i, s.size()));
    if (osc.vibDepth != 0) f *= std::exp2(osc.vibDepth / 12.0 * std::sin(2.0 * kPi * vib));
    const double dt = std::min(f * kDt, 0.5);
    s[i] = waveAt(osc.wave, ph, dt, osc.duty);
    ph += dt;
    if (ph >= 1.0) ph -= 1.0;
    vib += osc.vibRate * kDt;
    if (vib >= 1.0) vib -= 1.0;
  }
  return s;
}

Signal whiteNoise(double seconds, std::uint64_t seed) {
  Rng rng(seed);
  Signal s(samplesFor(seconds));
  for (double& v : s) v = rng.real(-1.0, 1.0);
  return s;
}

Signal steppedNoise(double seconds, Glide rate, std::uint64_t seed) {
  Rng rng(seed);
  Signal s(samplesFor(seconds));
  double held = rng.real(-1.0, 1.0), ph = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    ph += rate.at(fraction(i, s.size())) * kDt;
    if (ph >= 1.0) {
      ph -= std::floor(ph);
      held = rng.real(-1.0, 1.0);
    }
    s[i] = held;
  }
  return s;
}

Signal crackle(double seconds, Glide density, std::uint64_t seed) {
  Rng rng(seed);
  Signal s(samplesFor(seconds));
  for (std::size_t i = 0; i < s.size(); ++i)
    if (rng.chance(density.at(fraction(i, s.size())) * kDt)) {
      const double size = rng.real(0.3, 1.0) * (rng.chance(0.5) ? 1.0 : -1.0);
      // A click is a few samples of decaying ring, not a lone spike.
      for (std::size_t k = 0; k < 6 && i + k < s.size(); ++k)
        s[i + k] += size * (k % 2 ? -0.6 : 1.0) / static_cast<double>(k + 1);
    }
  return s;
}

void shape(Signal& s, std::initializer_list<std::pair<double, double>> points) {
  const std::vector<std::pair<double, double>> p(points);
  if (p.empty()) throw std::logic_error("shape needs points");
  std::size_t seg = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) * kDt;
    while (seg + 1 < p.size() && t >= p[seg + 1].first) ++seg;
    double level;
    if (t < p.front().first) {
      level = 0.0;
    } else if (seg + 1 >= p.size()) {
      level = p.back().second;
    } else {
      const auto [t0, l0] = p[seg];
      const auto [t1, l1] = p[seg + 1];
      level = l0 + (l1 - l0) * (t - t0) / (t1 - t0);
    }
    s[i] *= level;
  }
}

void decay(Signal& s, double attack, double halfLife) {
  const double perSample = std::exp2(-kDt / halfLife);
  const std::size_t rise = samplesFor(attack);
  double level = 1.0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (i < rise) {
      s[i] *= static_cast<double>(i) / static_cast<double>(rise);
    } else {
      s[i] *= level;
      level *= perSample;
    }
  }
}

void tremolo(Signal& s, double rate, double depth) {
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] *= 1.0 - depth * 0.5 * (1.0 - std::cos(2.0 * kPi * rate * static_cast<double>(i) * kDt));
}

void ringMod(Signal& s, Glide freq) {
  double ph = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    s[i] *= std::sin(2.0 * kPi * ph);
    ph += freq.at(fraction(i, s.size())) * kDt;
    if (ph >= 1.0) ph -= 1.0;
  }
}

void drive(Signal& s, double amount) {
  // x / (1 + |x|) style curve, rescaled so a full-scale input stays full.
  const double norm = (1.0 + amount) / amount;
  for (double& v : s) v = norm * amount * v / (1.0 + amount * std::fabs(v));
}

void lowpass(Signal& s, Glide cutoff, double q) {
  svf(s, cutoff, q, Pass::Low);
}
void highpass(Signal& s, Glide cutoff, double q) {
  svf(s, cutoff, q, Pass::High);
}
void bandpass(Signal& s, Glide cutoff, double q) {
  svf(s, cutoff, q, Pass::Band);
}

void mixIn(Signal& dst, const Signal& src, double at, double gain) {
  const std::size_t off = samplesFor(at);
  if (dst.size() < off + src.size()) dst.resize(off + src.size(), 0.0);
  for (std::size_t i = 0; i < src.size(); ++i) dst[off + i] += gain * src[i];
}

std::vector<std::int16_t> finish(Signal s, double peakDb, double fadeInMs, double fadeOutMs) {
  if (s.empty()) throw std::logic_error("empty sound");
  // One-pole DC blocker (corner about 20 Hz): a rumble must not sit off-centre.
  double prevIn = 0, prevOut = 0;
  for (double& v : s) {
    const double out = v - prevIn + 0.9943 * prevOut;
    prevIn = v;
    prevOut = out;
    v = out;
  }
  const std::size_t in = std::min(samplesFor(fadeInMs / 1000.0), s.size());
  const std::size_t out = std::min(samplesFor(fadeOutMs / 1000.0), s.size());
  for (std::size_t i = 0; i < in; ++i) s[i] *= static_cast<double>(i) / static_cast<double>(in);
  for (std::size_t i = 0; i < out; ++i) {
    // Raised-cosine tail ending exactly at zero.
    const double x = static_cast<double>(i) / static_cast<double>(out);
    s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * x);
  }
  double peak = 0;
  for (double v : s) peak = std::max(peak, std::fabs(v));
  if (peak == 0) throw std::logic_error("silent sound");
  const double gain = 32767.0 * std::pow(10.0, peakDb / 20.0) / peak;
  std::vector<std::int16_t> pcm(s.size());
  for (std::size_t i = 0; i < s.size(); ++i)
    pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(s[i] * gain, -32767.0, 32767.0)));
  return pcm;
}

}  // namespace ag::audio
