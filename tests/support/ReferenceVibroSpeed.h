// The vibration speed the program's high-pass gives when it is designed for
// `cutoff` Hz and run from a cleared state over the linear speed: what every
// test holds the program's VibroSpeedX[1 … SampleCount − 1] against.
#pragma once

#include <vector>

#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"
#include "model/AnalysisSettings.h"
#include "model/Recording.h"

inline std::vector<double> ReferenceVibroSpeed(const Recording& r,
                                               long double cutoff = kDefaultCutoff) {
  auto filter = LoadIIRFilter(nullptr, "reference", kVibroSpeedFilterResource);
  filter->SetFrequency1(cutoff);
  filter->SetFrequency2(cutoff);
  std::vector<double> out;
  for (std::uint32_t i = 1; i < r.SampleCount; ++i) {
    out.push_back(static_cast<double>(filter->Filter(r.LinSpeedX[i])));
  }
  return out;
}

// The program's vibration speed in the same form.
inline std::vector<double> VibroSpeedOf(const Recording& r) {
  return {r.VibroSpeedX.get() + 1, r.VibroSpeedX.get() + r.SampleCount};
}
