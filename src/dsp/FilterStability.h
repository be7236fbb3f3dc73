// Whether a designed filter can run: its z-plane poles must lie inside the
// unit circle, or its output grows without end.
#pragma once

#include "dsp/dspIIRFilters.h"

// The largest magnitude among the filter's z-plane poles (0 without poles).
long double LargestPoleRadius(const TdspCustomIIRFilter& filter);

// True when the last design gave no error text and every pole lies at least
// `margin` inside the unit circle.
bool PolesInsideUnitCircle(const TdspCustomIIRFilter& filter, long double margin = 0);
