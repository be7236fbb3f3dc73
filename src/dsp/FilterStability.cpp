#include "dsp/FilterStability.h"

#include <algorithm>
#include <cmath>

long double LargestPoleRadius(const TdspCustomIIRFilter& filter) {
  const TdspRootList& poles = filter.ZPlanePoles();
  long double largest = 0;
  for (int i = 0; i < poles.count; ++i) {
    largest = std::max(largest, std::hypot(poles.root[i].re, poles.root[i].im));
  }
  return largest;
}

bool PolesInsideUnitCircle(const TdspCustomIIRFilter& filter, long double margin) {
  const long double radius = LargestPoleRadius(filter);
  return filter.ErrorText().empty() && std::isfinite(radius) && radius < 1 - margin;
}
