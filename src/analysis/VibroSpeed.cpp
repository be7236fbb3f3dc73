#include "analysis/VibroSpeed.h"

#include <cmath>

#include "dsp/FilterStability.h"

namespace {

// 1 − |pole| at a 499.9 Hz cut-off is about 2e-4 and the direct form still
// settles at 499.95 Hz (1e-4) but not at 499.99 Hz (2e-5).
constexpr long double kPoleMargin = 1e-4L;

// The highest stable cut-off as the extended value of its text, so that a
// lowered cut-off designs the very filter its typed text would.
long double HighestStableExtended() {
  static const long double highest = [] {
    int tenths = 5000;
    while (tenths > 10 && !VibroCutoffStable(tenths / 10.0L)) --tenths;
    return tenths / 10.0L;
  }();
  return highest;
}

}  // namespace

CutoffChoice ChooseCutoff(long double typed) {
  const long double magnitude = std::fmax(std::fabs(typed), 1.0L);
  const long double highest = HighestStableExtended();
  if (magnitude > highest) return {highest, true};
  return {magnitude, false};
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
  return static_cast<double>(HighestStableExtended());
}
