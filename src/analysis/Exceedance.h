// Runs of the calibrated X acceleration at or beyond ±BoundLevel, and the
// texts the exceedance list and its warnings are made of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Interval.h"
#include "model/Recording.h"

enum class ExceedanceSide { Positive, Negative };

// Sample indices counted from the start of the recording, both included.
struct ExceedanceRun {
  std::uint32_t First = 0;
  std::uint32_t Last = 0;
};

struct ExceedanceResult {
  bool Exceeded = false;            // some sample of the interval was beyond the level
  std::vector<ExceedanceRun> Runs;  // runs spanning more than 10 sample intervals
};

// One pass over the interval: a = (code - Code0g) × Gain in m/s², never
// inverted; Positive looks for a ≥ boundLevel, Negative for a ≤ -boundLevel.
// A run still beyond the level at the end of the interval ends there.
ExceedanceResult FindExceedances(const double* codesX, SampleInterval interval,
                                 const AxisCalibration& x, double boundLevel, ExceedanceSide side);

// "-> Превышение порогового уровня +25м/с2"
std::string ExceedanceHeader(ExceedanceSide side, double boundLevel);

// "на 1.000 с длительностью 11.000 мс": start time and duration of a run.
std::string ExceedanceRunLine(const ExceedanceRun& run);

// The text of the warning box shown after a pass that found an exceedance.
std::string ExceedanceMessage(ExceedanceSide side, double boundLevel);
