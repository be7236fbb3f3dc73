// The one owner of what derives from the recording's samples: the linear
// speed along X and the vibration speed filtered from it. Loads, the crop and
// the speed command tell it what changed; the vibration speed is filtered
// again only when the linear speed, the cut-off or the sample count changed
// since its last pass.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "model/Recording.h"

class TdspIIRFilter;

class DerivedData {
 public:
  explicit DerivedData(Recording& recording);
  ~DerivedData();

  // The vibration-speed high-pass, as its stored settings create it; only
  // this owner designs and runs it.
  TdspIIRFilter& VibroFilter() { return *filter_; }

  // New samples were loaded: both speeds start at 0 and the linear speed is
  // integrated with the trapezoid rule up to the speed after the last sample.
  void SamplesLoaded();
  // The kept samples were moved to the front: the rectangle rule, from 0.
  void SamplesCropped();
  // The speed command: integrate again, then remove the linear drift.
  void SpeedCorrected();
  // Someone else wrote LinSpeedX (a test, a tool): filter again next time.
  void LinearSpeedChanged() { ++speedVersion_; }

  // What the speeds now in the recording were derived from. Given back
  // together with the arrays it was taken with, it spares the filter pass
  // those arrays already hold.
  class Provenance {
    friend class DerivedData;
    std::optional<long double> filteredCutoff;  // the vibration speed is current for it
    std::uint32_t filteredCount = 0;
  };
  Provenance Saved() const;
  void SpeedsRestored(const Provenance& saved);

  // Designs the high-pass for `cutoff` Hz (a redesign only when it differs).
  void ApplyCutoff(long double cutoff);
  // VibroSpeedX[1 .. SampleCount − 1] for the current linear speed through
  // the high-pass at `cutoff` Hz, from a cleared filter. Returns whether a
  // pass ran.
  bool RefreshVibroSpeed(long double cutoff);

 private:
  struct FilteredFrom {
    std::uint64_t speedVersion;
    long double cutoff;
    std::uint32_t sampleCount;
    bool operator==(const FilteredFrom&) const = default;
  };

  Recording& recording_;
  std::unique_ptr<TdspIIRFilter> filter_;
  std::uint64_t speedVersion_ = 0;
  std::optional<FilteredFrom> lastPass_;
};
