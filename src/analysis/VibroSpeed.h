// The vibration speed along X: the linear speed through the high-pass filter.
#pragma once

#include "dsp/dspIIRFilters.h"
#include "model/AnalysisSettings.h"
#include "model/Recording.h"

// The stored settings of the main window's filter: Butterworth high-pass of
// order 5, cut-off 10 Hz at the recording's sample rate.
inline const TdspIIRFilterResource kVibroSpeedFilterResource = {
    fkButterworth,         ftHighpass, 5,    kDefaultCutoff, kDefaultCutoff,
    Recording::SampleRate, 0.1L,       false};

// The cut-off a typed value gives: its magnitude, raised to 1 Hz and
// lowered to the highest stable cut-off (500 Hz and more give 499.9 Hz, as
// typing 499.9 does), and whether it was lowered.
struct CutoffChoice {
  long double Cutoff = 0;
  bool AboveStableRange = false;
};
CutoffChoice ChooseCutoff(long double typed);

// Whether the filter designed for `cutoff` (after the component's own
// clamping below half the sample rate) runs stably: its poles must keep a
// margin inside the unit circle, since next to half the sample rate the
// order-5 direct form rounds into endless growth.
bool VibroCutoffStable(long double cutoff);

// The cut-offs in use run from 1 Hz up to this value, a whole tenth of a
// hertz below the first unstable design.
double HighestStableCutoff();

// VibroSpeedX[i] = Filter(LinSpeedX[i]) for i = 1 … SampleCount − 1, from a
// cleared filter, so the result depends only on the linear speed and the
// cut-off, not on what was filtered before.
void FilterVibroSpeed(Recording& recording, TdspCustomIIRFilter& filter);
