// Minimum, maximum, mean and population standard deviation of curves over an
// interval of samples.
#pragma once

#include <optional>
#include <span>

#include "analysis/Interval.h"
#include "model/Recording.h"

struct RowStatistics {
  double Min = 0;
  double Max = 0;
  double Mean = 0;
  double StdDev = 0;  // population standard deviation
};

// One curve: value i is (values[i] − Code0g) × Gain with a calibration, or
// values[i] as stored without one.
struct RowSource {
  const double* values = nullptr;
  std::optional<AxisCalibration> calibration;
};

inline constexpr std::size_t kMaxRowSources = 5;

// The statistics of up to five curves over [Start, Stop], into `out` in the
// order of `sources`. The extremes start from the first sample; the sums run
// in index order, as the one-pass formula sqrt(|Σv²/n − mean²|) is defined,
// and the curves share one pass so that their additions overlap. Inversion
// negates and swaps minimum and maximum and negates the mean; the deviation
// stays.
void IntervalStatistics(std::span<const RowSource> sources, SampleInterval interval, bool inverted,
                        std::span<RowStatistics> out);

// The same for one curve.
RowStatistics IntervalStatistics(const double* values, SampleInterval interval,
                                 const std::optional<AxisCalibration>& calibration, bool inverted);
