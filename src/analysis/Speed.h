// The linear speed along X: the running integral of the calibrated X
// acceleration, and the removal of its linear drift.
#pragma once

#include <cstdint>

#include "app/Recording.h"

// One trapezoid step of the integral: the speed after a sample from the speed
// before it and the accelerations of the previous sample and this one.
inline double TrapezoidStep(double speed, double previousAcceleration, double acceleration) {
  return speed + (previousAcceleration + acceleration) * Recording::TimeStep / 2;
}

// Rewrites speed[1 .. sampleCount - 1] from the codes with the trapezoid rule,
// the acceleration before the first sample taken as 0; speed[0] is the start
// value and is only read. Fewer than 2 samples leave the speed as it is.
void SpeedRecalculate(const double* codes, double* speed, std::uint32_t sampleCount,
                      const AxisCalibration& x);

// Turns the first sampleCount values about entry 0 so that the mean of the
// last 50 moves toward zero: values[k] -= k × e / sampleCount, with e that
// mean. 50 values or fewer are left as they are.
void SpeedCorrection(double* values, std::uint32_t sampleCount);
