// Spectra of the recording's interval: calibrated accelerations, the rest
// level taken off for the shock spectrum and its free response after the
// interval counted, no other sample outside the interval counted.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/Spectra.h"

namespace {

// Axis Y holds `accel` (m/s²) on top of a static 40 m/s² the sensor reads.
Recording WithY(const std::vector<double>& accel, double staticLevel) {
  Recording r(static_cast<int>(accel.size()));
  r.SampleCount = static_cast<std::uint32_t>(accel.size());
  r.Calibration[AxisY] = {30000.0, 0.05};
  for (std::size_t i = 0; i < accel.size(); ++i) {
    r.CodesX[i] = r.CodesZ[i] = 32768.0;
    r.CodesY[i] = 30000.0 + (accel[i] + staticLevel) / 0.05;
  }
  return r;
}

std::vector<double> HalfSineAt(std::size_t first, std::size_t total) {
  std::vector<double> x(total, 0.0);
  for (std::size_t i = 0; i <= 20; ++i) x[first + i] = 80.0 * std::sin(std::numbers::pi * i / 20);
  return x;
}

TEST(IntervalSpectra, ShockSpectrumIgnoresAStaticOffsetAndUsesCalibratedValues) {
  const auto pulse = HalfSineAt(100, 2000);
  const Recording still = WithY(pulse, 0.0);
  const Recording tilted = WithY(pulse, 40.0);
  const SampleInterval all{0, 1999};
  const auto a = IntervalSrs(still, all, SrsOptions{}, 1);
  const auto b = IntervalSrs(tilted, all, SrsOptions{}, 2);
  // The rest level is the median, the static level alone: the pulse stays whole.
  const SrsResult direct = ShockResponseSpectrum(pulse, SrsSettings{}, 1);
  for (std::size_t i = 0; i < direct.Peak.size(); ++i) {
    EXPECT_NEAR(a.Axes[AxisY].Peak[i], direct.Peak[i], 1e-9 * direct.Peak[i]);
    EXPECT_NEAR(b.Axes[AxisY].Peak[i], direct.Peak[i], 1e-9 * direct.Peak[i]);
    EXPECT_EQ(a.Axes[AxisX].Peak[i], 0.0);  // X holds exactly 0 g
  }
}

TEST(IntervalSpectra, SamplesOutsideTheIntervalDoNotCount) {
  auto accel = HalfSineAt(100, 3000);
  const auto quiet = WithY(accel, 5.0);
  accel[2500] = 900.0;  // a shock after the interval
  const auto shocked = WithY(accel, 5.0);
  const SampleInterval first{0, 1999};
  EXPECT_EQ(IntervalSrs(quiet, first, {}, 1).Axes[AxisY].Peak,
            IntervalSrs(shocked, first, {}, 1).Axes[AxisY].Peak);
  const auto psd = IntervalPsd(shocked, {2400, 2699}, PsdOptions{});
  EXPECT_EQ(psd.Axes[AxisY].Segment, 300u);  // the interval is shorter than the segment
  EXPECT_GT(psd.Rms[AxisY], 0.0);
  EXPECT_EQ(IntervalPsd(shocked, first, {}).Rms[AxisY], IntervalPsd(quiet, first, {}).Rms[AxisY]);
}

// A 20 ms pulse 30 ms before the interval's end reads as it does with two
// seconds of rest after it, down to the lowest frequency, and the spectrum
// of an interval does not depend on how much rest it holds.
TEST(IntervalSpectra, ShockAtTheIntervalsEndIsNotUnderRead) {
  const Recording r = WithY(HalfSineAt(1950, 4000), 9.815);
  const SrsOptions options{1, 250, 12, 10};
  const SrsResult atEnd = IntervalSrs(r, {0, 1999}, options, 1).Axes[AxisY];
  const SrsResult withRest = IntervalSrs(r, {0, 3999}, options, 1).Axes[AxisY];
  const SrsResult lessRest = IntervalSrs(r, {1500, 3999}, options, 1).Axes[AxisY];
  for (std::size_t i = 0; i < atEnd.Peak.size(); ++i) {
    SCOPED_TRACE(atEnd.Frequencies[i]);
    EXPECT_NEAR(atEnd.Peak[i], withRest.Peak[i], 1e-3 * withRest.Peak[i]);
    EXPECT_EQ(lessRest.Peak[i], withRest.Peak[i]);
  }
}

TEST(IntervalSpectra, SettingsOutOfRangeAreNamed) {
  EXPECT_FALSE(PsdOptionsError({8, 1, 500}));
  EXPECT_TRUE(PsdOptionsError({7, 1, 500}));
  EXPECT_TRUE(PsdOptionsError({1024, 200, 100}));
  EXPECT_FALSE(SrsOptionsError({1, 499.9, 1, 0.51}));
  EXPECT_TRUE(SrsOptionsError({1, 500, 12, 10}));
  EXPECT_TRUE(SrsOptionsError({1, 250, 12, 0.5}));
  EXPECT_TRUE(SrsOptionsError({1, 250, 0.9, 10}));
  EXPECT_TRUE(SrsOptionsError({0, 250, 12, 10}));
  EXPECT_TRUE(SrsOptionsError({300, 250, 12, 10}));
  EXPECT_TRUE(SrsOptionsError({1, NAN, 12, 10}));
}

// Every accepted shock-spectrum setting gives a bounded, advancing ladder.
TEST(IntervalSpectra, ShockSpectrumSettingsAreBounded) {
  const SrsOptions widest{0.01, 499.999, 96, 0.51};
  ASSERT_FALSE(SrsOptionsError(widest));
  const auto ladder = NaturalFrequencies({widest.MinFrequency, widest.MaxFrequency,
                                          widest.PerOctave, widest.Q, Recording::SampleRate});
  EXPECT_LE(ladder.size(), 2000u);
  EXPECT_GT(ladder.size(), 1400u);
  EXPECT_FALSE(SrsOptionsError({0.01, 0.01, 1, 10}));
  const std::pair<SrsOptions, const char*> refused[] = {{{0.0099, 250, 12, 10}, "0.01 Hz"},
                                                        {{4.9e-324, 1e-300, 12, 10}, "0.01 Hz"},
                                                        {{1, 250, 96.5, 10}, "1 to 96"},
                                                        {{1, 2, 1e300, 10}, "1 to 96"},
                                                        {{1, 250, 1e9, 10}, "1 to 96"}};
  // The spectrum itself refuses them too, whoever asks: no caller can start
  // the unbounded work.
  const Recording r = WithY(HalfSineAt(100, 400), 9.815);
  for (const auto& [options, why] : refused) {
    const auto error = SrsOptionsError(options);
    ASSERT_TRUE(error) << why;
    EXPECT_NE(error->find(why), std::string::npos) << *error;
    EXPECT_THROW(IntervalSrs(r, {0, 399}, options, 1), std::invalid_argument) << why;
  }
  EXPECT_THROW(IntervalPsd(r, {0, 399}, PsdOptions{1024, 200, 100}), std::invalid_argument);
}

}  // namespace
