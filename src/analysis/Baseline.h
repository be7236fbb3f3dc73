// The rest level of each axis around an interval: the median of its codes
// over the interval widened by a second of the recording on each side. A
// median is not moved by the shocks it surrounds, so a tight interval around
// a shock reads the same shock as the whole recording.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "analysis/Interval.h"
#include "model/Recording.h"

// Samples added on each side of the interval: one second.
inline constexpr std::uint32_t kBaselineMargin = 1000;

// The interval widened by kBaselineMargin, clipped to the recording.
SampleInterval BaselineWindow(SampleInterval interval, std::uint32_t sampleCount);

// The exact median of the codes; of an even count, the mean of the two middle
// ones. Logger codes are whole numbers of 16 bits and are counted, not
// sorted; other codes (a codes text file may hold any number) are selected.
// An empty span has no median: 0.
double MedianCode(std::span<const double> codes);

// Per axis X, Y, Z: (median code over the baseline window − Code0g) × Gain,
// m/s². Throws std::out_of_range for an interval beyond the recording.
std::array<double, 3> AxisBaselines(const Recording& recording, SampleInterval interval);

// The recording's code array of an axis.
const double* AxisCodes(const Recording& recording, int axis);
