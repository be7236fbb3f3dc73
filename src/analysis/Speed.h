// The linear speed along X: the running integral of the calibrated X
// acceleration, and the removal of its linear drift.
#pragma once

#include <cstdint>

#include "model/Recording.h"

// The trapezoid rule takes the acceleration before the first sample as 0;
// the rectangle rule adds each sample's acceleration over one TimeStep.
enum class SpeedRule { Trapezoid, Rectangle };

// Rewrites speed[1 .. steps] from codes[0 .. steps − 1]; speed[0] is the
// start value and is only read.
void IntegrateSpeed(const double* codes, double* speed, std::uint32_t steps,
                    const AxisCalibration& x, SpeedRule rule);

// Rewrites speed[1 .. sampleCount − 1] with the trapezoid rule. Fewer than 2
// samples leave the speed as it is.
void SpeedRecalculate(const double* codes, double* speed, std::uint32_t sampleCount,
                      const AxisCalibration& x);

// Turns the first sampleCount values about entry 0 so that the mean of the
// last 50 moves toward zero: values[k] -= k × e / sampleCount, with e that
// mean. 50 values or fewer are left as they are.
void SpeedCorrection(double* values, std::uint32_t sampleCount);
