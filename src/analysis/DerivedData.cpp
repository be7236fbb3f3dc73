#include "analysis/DerivedData.h"

#include "analysis/Speed.h"
#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"

DerivedData::DerivedData(Recording& recording)
    : recording_(recording),
      filter_(LoadIIRFilter(nullptr, "dspIIRFilter3", kVibroSpeedFilterResource)) {}

DerivedData::~DerivedData() = default;

void DerivedData::SamplesLoaded() {
  Recording& r = recording_;
  r.LinSpeedX[0] = 0;
  r.VibroSpeedX[0] = 0;
  IntegrateSpeed(r.CodesX.get(), r.LinSpeedX.get(), r.SampleCount, r.Calibration[AxisX],
                 SpeedRule::Trapezoid);
  ++speedVersion_;
}

void DerivedData::SamplesCropped() {
  Recording& r = recording_;
  r.LinSpeedX[0] = 0;
  if (r.SampleCount >= 2) {
    IntegrateSpeed(r.CodesX.get(), r.LinSpeedX.get(), r.SampleCount - 1, r.Calibration[AxisX],
                   SpeedRule::Rectangle);
  }
  ++speedVersion_;
}

void DerivedData::SpeedCorrected() {
  Recording& r = recording_;
  SpeedRecalculate(r.CodesX.get(), r.LinSpeedX.get(), r.SampleCount, r.Calibration[AxisX]);
  SpeedCorrection(r.LinSpeedX.get(), r.SampleCount);
  ++speedVersion_;
}

void DerivedData::ApplyCutoff(long double cutoff) {
  filter_->SetFrequency1(cutoff);
  filter_->SetFrequency2(cutoff);
}

bool DerivedData::RefreshVibroSpeed(long double cutoff) {
  const FilteredFrom inputs{speedVersion_, cutoff, recording_.SampleCount};
  if (lastPass_ == inputs) return false;
  ApplyCutoff(cutoff);
  FilterVibroSpeed(recording_, *filter_);
  lastPass_ = inputs;
  return true;
}

DerivedData::Provenance DerivedData::Saved() const {
  Provenance saved;
  if (lastPass_ && lastPass_->speedVersion == speedVersion_) {
    saved.filteredCutoff = lastPass_->cutoff;
    saved.filteredCount = lastPass_->sampleCount;
  }
  return saved;
}

// The restored linear speed gets a version of its own, never one that
// stood for other values since.
void DerivedData::SpeedsRestored(const Provenance& saved) {
  ++speedVersion_;
  lastPass_.reset();
  if (saved.filteredCutoff) {
    lastPass_ = FilteredFrom{speedVersion_, *saved.filteredCutoff, saved.filteredCount};
  }
}
