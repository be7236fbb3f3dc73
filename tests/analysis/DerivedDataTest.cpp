// The owner of the speeds: each change refreshes exactly what derives from
// it, with the values the steps it replaces gave.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/DerivedData.h"
#include "analysis/Speed.h"
#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"
#include "support/ReferenceVibroSpeed.h"

namespace {

Recording Swinging(std::uint32_t count) {
  Recording recording(count + 10);
  recording.SampleCount = count;
  recording.Calibration[AxisX] = {32768, 0.0125};
  for (std::uint32_t i = 0; i < count; ++i) {
    recording.CodesX[i] = 32768 + std::round(800 * std::sin(i / 9.0) + 3 * (i % 7));
  }
  return recording;
}

}  // namespace

// The import's trapezoid rule (one step per sample, the speed after the last
// one included) and the crop's rectangle rule, written out literally.
TEST(DerivedData, LoadsAndCropsIntegrateWithTheirOwnRule) {
  Recording r = Swinging(3000);
  r.LinSpeedX[0] = 7;  // a load starts from rest whatever was there
  DerivedData derived(r);
  derived.SamplesLoaded();
  const AxisCalibration x = r.Calibration[AxisX];
  double speed = 0, previous = 0;
  EXPECT_EQ(r.LinSpeedX[0], 0);
  for (std::uint32_t k = 0; k < r.SampleCount; ++k) {
    const double a = (r.CodesX[k] - x.Code0g) * x.Gain;
    speed = speed + (previous + a) * Recording::TimeStep / 2;
    previous = a;
    ASSERT_EQ(r.LinSpeedX[k + 1], speed) << k;
  }

  r.SampleCount = 1000;
  derived.SamplesCropped();
  speed = 0;
  for (std::uint32_t k = 0; k + 1 < r.SampleCount; ++k) {
    speed = speed + (r.CodesX[k] - x.Code0g) * x.Gain * Recording::TimeStep;
    ASSERT_EQ(r.LinSpeedX[k + 1], speed) << k;
  }
}

TEST(DerivedData, TheVibrationSpeedIsFilteredAgainOnlyWhenItsInputsChanged) {
  Recording r = Swinging(4000);
  DerivedData derived(r);
  derived.SamplesLoaded();
  EXPECT_TRUE(derived.RefreshVibroSpeed(10));
  EXPECT_EQ(VibroSpeedOf(r), ReferenceVibroSpeed(r, 10));

  // Nothing changed: the stored values stay, even ones put there by hand.
  r.VibroSpeedX[5] = 123;
  EXPECT_FALSE(derived.RefreshVibroSpeed(10));
  EXPECT_EQ(r.VibroSpeedX[5], 123);

  // A new cut-off, as typed (extended).
  EXPECT_TRUE(derived.RefreshVibroSpeed(10.1L));
  EXPECT_EQ(derived.VibroFilter().Frequency1(), 10.1L);
  EXPECT_EQ(VibroSpeedOf(r), ReferenceVibroSpeed(r, 10.1L));
  EXPECT_FALSE(derived.RefreshVibroSpeed(10.1L));

  // The speed command rewrites the linear speed.
  derived.SpeedCorrected();
  EXPECT_TRUE(derived.RefreshVibroSpeed(10.1L));
  EXPECT_EQ(VibroSpeedOf(r), ReferenceVibroSpeed(r, 10.1L));

  // A crop shortens the recording and integrates again.
  r.SampleCount = 2500;
  derived.SamplesCropped();
  EXPECT_TRUE(derived.RefreshVibroSpeed(10.1L));
  EXPECT_EQ(VibroSpeedOf(r), ReferenceVibroSpeed(r, 10.1L));

  // A writer outside the owner says so.
  r.LinSpeedX[100] += 1;
  EXPECT_FALSE(derived.RefreshVibroSpeed(10.1L));
  derived.LinearSpeedChanged();
  EXPECT_TRUE(derived.RefreshVibroSpeed(10.1L));
  EXPECT_EQ(VibroSpeedOf(r), ReferenceVibroSpeed(r, 10.1L));
}

// The speed command integrates again before it corrects, so repeating it
// changes nothing.
TEST(DerivedData, TheSpeedCommandDoesNotAccumulate) {
  Recording r = Swinging(2000);
  DerivedData derived(r);
  derived.SamplesLoaded();
  derived.SpeedCorrected();
  const std::vector<double> once(r.LinSpeedX.get(), r.LinSpeedX.get() + r.SampleCount);
  derived.SpeedCorrected();
  EXPECT_EQ(std::vector<double>(r.LinSpeedX.get(), r.LinSpeedX.get() + r.SampleCount), once);
}
