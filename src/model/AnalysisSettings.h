// The measurement settings the user chooses and every analysis reads: the
// threshold, the ADC-code mode, the inversion and the vibration-speed
// cut-off. The window owns one record and hands it to the core.
#pragma once

inline constexpr double kDefaultBoundLevel = 25.0;    // m/s²
inline constexpr long double kDefaultCutoff = 10.0L;  // Hz

struct AnalysisSettings {
  double BoundLevel = kDefaultBoundLevel;  // m/s², threshold of the exceedance search
  bool CodesMode = false;                  // chart and rows on raw ADC codes
  bool Inverted = false;                   // the chart and the rows show −value
  long double Cutoff = kDefaultCutoff;     // Hz, of the vibration-speed high-pass
};
