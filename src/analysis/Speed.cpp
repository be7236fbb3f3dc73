#include "analysis/Speed.h"

namespace {
constexpr std::uint32_t kTailLength = 50;
}

void SpeedRecalculate(const double* codes, double* speed, std::uint32_t sampleCount,
                      const AxisCalibration& x) {
  double previous = 0;
  for (std::uint32_t i = 0; i + 1 < sampleCount; ++i) {
    const double a = Acceleration(codes[i], x);
    speed[i + 1] = TrapezoidStep(speed[i], previous, a);
    previous = a;
  }
}

void SpeedCorrection(double* values, std::uint32_t sampleCount) {
  if (sampleCount <= kTailLength) return;
  double tailSum = 0;
  for (std::uint32_t i = 1; i <= kTailLength; ++i) tailSum += values[sampleCount - i];
  const double slope = tailSum / kTailLength / sampleCount;
  for (std::uint32_t k = 0; k < sampleCount; ++k) values[k] -= k * slope;
}
