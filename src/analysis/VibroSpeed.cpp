#include "analysis/VibroSpeed.h"

#include <algorithm>
#include <cmath>

#include "dsp/FilterStability.h"

namespace {

// 1 − |pole| at a 499.9 Hz cut-off is about 2e-4 and the direct form still
// settles at 499.95 Hz (1e-4) but not at 499.99 Hz (2e-5).
constexpr long double kPoleMargin = 1e-4L;

}  // namespace

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

bool VibroCutoffStable(long double cutoff) {
  auto filter = LoadIIRFilter(nullptr, "cutoffCheck", kVibroSpeedFilterResource);
  filter->SetFrequency1(cutoff);
  filter->SetFrequency2(cutoff);
  return PolesInsideUnitCircle(*filter, kPoleMargin);
}

double HighestStableCutoff() {
  static const double highest = [] {
    int tenths = 5000;
    while (tenths > 10 && !VibroCutoffStable(tenths / 10.0)) --tenths;
    return tenths / 10.0;
  }();
  return highest;
}
