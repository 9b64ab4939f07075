// signal.h — a small synthesis kit for the game's sound effects: oscillators
// with pitch glides and vibrato, noise sources, envelopes, resonant filters,
// mixing, and the finishing step (DC removal, click-free fades, peak
// normalisation, rounding to 16-bit). Mono at 22050 Hz, the game's primary
// format. Samples are doubles in about -1..1 until finish().
//
// Determinism: only plain IEEE arithmetic and runtime libm calls on the same
// inputs; noise comes from the seeded SplitMix generator in rng.h. The last
// step rounds to 16 bits, so the bytes are the same in every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace ag::audio {

constexpr int kRate = 22050;
using Signal = std::vector<double>;

// Number of samples in `seconds` (rounded).
std::size_t samplesFor(double seconds);

// A value that moves from `from` to `to` over the length of a sound, evenly
// in ratio (so a pitch glide is even in semitones). `bend` > 1 lingers near
// `from` and moves late; < 1 moves early.
struct Glide {
  double from, to;
  double bend = 1.0;
  Glide(double constant) : from(constant), to(constant) {}  // a constant
  Glide(double f, double t, double b = 1.0) : from(f), to(t), bend(b) {}
  double at(double fraction) const;
};

enum class Wave { Sine, Triangle, Square, Saw, Pulse };

struct Osc {
  Wave wave = Wave::Sine;
  Glide freq = 440.0;
  double vibRate = 0;   // Hz
  double vibDepth = 0;  // semitones, peak
  double duty = 0.25;   // Pulse only
};

// Band-limited oscillator of `seconds` length (polyBLEP edges for square,
// pulse and saw; the triangle is summed from its harmonics).
Signal tone(const Osc& osc, double seconds);
Signal whiteNoise(double seconds, std::uint64_t seed);
// Holds each random value for 1/rate seconds: grit and crunch that darkens
// as the rate falls.
Signal steppedNoise(double seconds, Glide rate, std::uint64_t seed);
// Sparse random-sign clicks of random size; `density` is clicks per second.
Signal crackle(double seconds, Glide density, std::uint64_t seed);

// Envelopes (multiply the signal in place).
// Piecewise-linear level through (time s, level) points; 0 before none,
// the last level after the last point.
void shape(Signal& s, std::initializer_list<std::pair<double, double>> points);
// Linear rise over `attack` s, then halves every `halfLife` s.
void decay(Signal& s, double attack, double halfLife);
void tremolo(Signal& s, double rate, double depth);
void ringMod(Signal& s, Glide freq);
// Soft saturation; `amount` 1 is gentle, 4 is heavy. Keeps the sign.
void drive(Signal& s, double amount);

// Resonant state-variable filters; the cutoff may glide. q about 0.5..10.
void lowpass(Signal& s, Glide cutoff, double q = 0.707);
void highpass(Signal& s, Glide cutoff, double q = 0.707);
void bandpass(Signal& s, Glide cutoff, double q);

// Adds `src` times `gain` starting `at` seconds in; `dst` grows to fit.
void mixIn(Signal& dst, const Signal& src, double at = 0.0, double gain = 1.0);

// The finished effect: DC blocked, faded in over `fadeInMs` (short, so the
// attack stays immediate) and out over `fadeOutMs`, peak-normalised to
// `peakDb` dBFS and rounded to 16-bit.
std::vector<std::int16_t> finish(Signal s, double peakDb, double fadeInMs = 1.0,
                                 double fadeOutMs = 12.0);

}  // namespace ag::audio
