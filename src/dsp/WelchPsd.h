// Power spectral density by Welch's method: half-overlapping segments, each
// with its mean removed and a periodic Hann window, one-sided density
// scaling, segments averaged.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

struct WelchSettings {
  std::size_t Segment = 1024;  // samples; an interval shorter than this is one segment
  double SampleRate = 1000.0;  // Hz
};

// A value the spectrum is taken of: (raw − Offset) × Gain.
struct SampleScale {
  double Offset = 0.0;
  double Gain = 1.0;
};

struct PsdResult {
  std::size_t Segment = 0;          // the length used
  std::vector<double> Frequencies;  // Hz, j × rate / Segment, j = 0 … Segment / 2
  std::vector<double> Density;      // (unit)² / Hz per frequency
};

// Fewer than two samples have no spectrum: the result is empty.
PsdResult WelchPsd(std::span<const double> samples, const WelchSettings& settings,
                   SampleScale scale = {});

// √(Σ density × bin width) over the bins with low ≤ f ≤ high.
double BandRms(const PsdResult& psd, double low, double high);
