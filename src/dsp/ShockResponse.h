// Shock response spectrum: the peak absolute acceleration of single-degree-
// of-freedom oscillators at a ladder of natural frequencies, excited by the
// signal, each run from rest through a ramp-invariant recursive filter and on
// past the signal's end until its free response has reached its first peak.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

struct SrsSettings {
  double MinFrequency = 1.0;    // Hz, the first natural frequency
  double MaxFrequency = 250.0;  // Hz, no natural frequency above it
  double PerOctave = 12.0;      // natural frequencies per octave
  double Q = 10.0;              // quality factor; damping ratio 1 / (2Q)
  double SampleRate = 1000.0;   // Hz
};

// f = MinFrequency × 2^(m / PerOctave), m = 0, 1, … while f ≤ MaxFrequency.
std::vector<double> NaturalFrequencies(const SrsSettings& settings);

struct SrsResult {
  std::vector<double> Frequencies;  // Hz
  std::vector<double> Positive;     // max response, per frequency
  std::vector<double> Negative;     // −min response
  std::vector<double> Peak;         // max(Positive, Negative)
};

// Zero samples the oscillators run on after the input (the residual): half a
// period of the lowest natural frequency, ⌈SampleRate / (2 MinFrequency)⌉.
// Throws std::invalid_argument when that is not a number of samples a run
// can take (more than 10⁸, or a lowest frequency that is not positive).
std::size_t ResidualSamples(const SrsSettings& settings);

// The oscillator outputs of the samples as given (the caller removes any
// offset) followed by ResidualSamples() zeros, the extremes taken over both.
// The frequencies are shared out over up to `threads` threads; each is
// computed alone, so the result does not depend on their number.
SrsResult ShockResponseSpectrum(std::span<const double> samples, const SrsSettings& settings,
                                unsigned threads = 1);

// The coefficients of y[i] = B0 x[i] + B1 x[i−1] + B2 x[i−2] + A1 y[i−1] − A2 y[i−2].
struct OscillatorCoefficients {
  double B0, B1, B2, A1, A2;
};
OscillatorCoefficients Oscillator(double naturalFrequency, double q, double sampleRate);
