#include "analysis/Speed.h"

namespace {
constexpr std::uint32_t kTailLength = 50;
}

void IntegrateSpeed(const double* codes, double* speed, std::uint32_t steps,
                    const AxisCalibration& x, SpeedRule rule) {
  if (rule == SpeedRule::Rectangle) {
    for (std::uint32_t i = 0; i < steps; ++i) {
      speed[i + 1] = speed[i] + Acceleration(codes[i], x) * Recording::TimeStep;
    }
    return;
  }
  double previous = 0;
  for (std::uint32_t i = 0; i < steps; ++i) {
    const double a = Acceleration(codes[i], x);
    speed[i + 1] = speed[i] + (previous + a) * Recording::TimeStep / 2;
    previous = a;
  }
}

void SpeedRecalculate(const double* codes, double* speed, std::uint32_t sampleCount,
                      const AxisCalibration& x) {
  if (sampleCount >= 2) IntegrateSpeed(codes, speed, sampleCount - 1, x, SpeedRule::Trapezoid);
}

void SpeedCorrection(double* values, std::uint32_t sampleCount) {
  if (sampleCount <= kTailLength) return;
  double tailSum = 0;
  for (std::uint32_t i = 1; i <= kTailLength; ++i) tailSum += values[sampleCount - i];
  const double slope = tailSum / kTailLength / sampleCount;
  for (std::uint32_t k = 0; k < sampleCount; ++k) values[k] -= k * slope;
}
