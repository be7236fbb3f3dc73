#include "analysis/VibroSpeed.h"

#include <algorithm>
#include <cmath>

long double CutoffFrequency(long double typed) {
  return std::clamp(std::fabs(typed), 1.0L, 500.0L);
}

void FilterVibroSpeed(Recording& recording, TdspCustomIIRFilter& filter) {
  filter.Reset();
  const double* speed = recording.LinSpeedX.get();
  double* vibro = recording.VibroSpeedX.get();
  for (std::uint32_t i = 1; i < recording.SampleCount; ++i) {
    vibro[i] = static_cast<double>(filter.Filter(speed[i]));
  }
}
