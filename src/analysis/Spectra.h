// Vibration spectrum (PSD) and shock response spectrum of the interval, per
// axis, from the calibrated accelerations (never inverted).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "analysis/Interval.h"
#include "dsp/ShockResponse.h"
#include "dsp/WelchPsd.h"
#include "model/Recording.h"

struct PsdOptions {
  std::size_t Segment = 1024;  // samples
  double BandLow = 1.0;        // Hz, the band of the rms
  double BandHigh = 500.0;
};

struct SrsOptions {
  double MinFrequency = 1.0;  // Hz
  double MaxFrequency = 250.0;
  double PerOctave = 12.0;
  double Q = 10.0;
};

// The vibration spectrum's segment: 8 … 10⁹ samples (at most the interval
// is used).
inline constexpr std::size_t kPsdShortestSegment = 8;
inline constexpr std::size_t kPsdLongestSegment = 1'000'000'000;

// The shock spectrum's accepted range: fmin from 0.01 Hz (below it the free
// response followed after the interval, half a period of the lowest
// frequency, would grow without bound), fmax below 500 Hz (half the sample
// rate), Q above 0.5, 1 … 96 frequencies per octave and at most 2000
// frequencies in all.
inline constexpr double kSrsLowestFrequency = 0.01;                      // Hz
inline constexpr double kSrsFrequencyBound = Recording::SampleRate / 2;  // Hz, excluded
inline constexpr double kSrsQBound = 0.5;                                // excluded
inline constexpr double kSrsMostPerOctave = 96.0;
inline constexpr double kSrsMostFrequencies = 2000.0;

// Why the settings cannot be used, or nothing when they can.
std::optional<std::string> PsdOptionsError(const PsdOptions& options);
std::optional<std::string> SrsOptionsError(const SrsOptions& options);

struct IntervalPsdResult {
  std::array<PsdResult, 3> Axes;  // X, Y, Z; (m/s²)² / Hz
  std::array<double, 3> Rms{};    // m/s², over the band
};

struct IntervalSrsResult {
  std::array<SrsResult, 3> Axes;  // m/s²
};

// Both throw std::invalid_argument for settings their error checks refuse.
IntervalPsdResult IntervalPsd(const Recording& recording, SampleInterval interval,
                              const PsdOptions& options);

// Each axis less its baseline (see Baseline.h) over the interval, followed by
// the oscillators' free response (ShockResponseSpectrum). `threads` as there.
IntervalSrsResult IntervalSrs(const Recording& recording, SampleInterval interval,
                              const SrsOptions& options, unsigned threads);

// The cores the oscillator bank may use.
unsigned SpectrumThreads();
