// The shock response spectrum against a direct run of the oscillator
// recurrence and against the known response of single-degree-of-freedom
// oscillators to a half-sine and to an impulse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

#include "dsp/ShockResponse.h"

namespace {

constexpr double kRate = 1000.0;

struct Extremes {
  double high, low;
};

// The recurrence written out, one frequency at a time, from rest, over the
// samples followed by `residual` zeros.
Extremes DirectRun(std::vector<double> x, double f, double q, std::size_t residual) {
  x.resize(x.size() + residual, 0.0);
  const double zeta = 1 / (2 * q), omega = 2 * std::numbers::pi * f, t = 1 / kRate;
  const double e = std::exp(-zeta * omega * t), k = omega * std::sqrt(1 - zeta * zeta) * t;
  const double c = e * std::cos(k), s = e * std::sin(k) / k;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0, high = -1e300, low = 1e300;
  for (double x0 : x) {
    const double y = (1 - s) * x0 + 2 * (s - c) * x1 + (e * e - s) * x2 + 2 * c * y1 - e * e * y2;
    high = std::max(high, y);
    low = std::min(low, y);
    x2 = x1, x1 = x0, y2 = y1, y1 = y;
  }
  return {high, low};
}

std::vector<double> HalfSine(double amplitude, double duration, std::size_t total) {
  std::vector<double> x(total, 0.0);
  for (std::size_t i = 0; i * 1e-3 <= duration; ++i) {
    x[i + 10] = amplitude * std::sin(std::numbers::pi * i * 1e-3 / duration);
  }
  return x;
}

TEST(ShockResponse, LadderOfNaturalFrequenciesEndsAtTheLastOneNotAboveTheMaximum) {
  const auto f = NaturalFrequencies(SrsSettings{});
  ASSERT_EQ(f.size(), 96u);
  EXPECT_DOUBLE_EQ(f.front(), 1.0);
  EXPECT_NEAR(f[12], 2.0, 1e-12);
  EXPECT_NEAR(f.back(), std::pow(2.0, 95.0 / 12), 1e-9);
  EXPECT_EQ(NaturalFrequencies({1.0, 256.0, 12, 10, kRate}).size(), 97u);  // 256 itself included
  EXPECT_EQ(NaturalFrequencies({1.0, 8.0, 1, 10, kRate}).size(), 4u);
}

TEST(ShockResponse, ResidualIsHalfAPeriodOfTheLowestFrequency) {
  struct Case {
    double minFrequency, sampleRate;
    std::size_t samples;
  };
  for (const Case c : {Case{1, kRate, 500}, Case{3, kRate, 167}, Case{2.5, kRate, 200},
                       Case{0.01, kRate, 50000}, Case{1, 2000, 1000}}) {
    EXPECT_EQ(ResidualSamples({c.minFrequency, 250, 12, 10, c.sampleRate}), c.samples)
        << c.minFrequency;
  }
  for (const double f : {0.0, -1.0, 1e-9, std::nan("")}) {
    EXPECT_THROW(ResidualSamples({f, 250, 12, 10, kRate}), std::invalid_argument) << f;
  }
}

// A pulse that ends with the samples: every oscillator's free response after
// it counts, so the spectrum reads as with a long quiet tail, and the
// extremes are those of a direct run over the samples and the residual.
TEST(ShockResponse, FreeResponseAfterTheSamplesCounts) {
  std::vector<double> pulse(60, 0.0);
  for (std::size_t i = 0; i < 20; ++i) pulse[30 + i] = 200 * std::sin(std::numbers::pi * i / 20);
  std::vector<double> tail = pulse;
  tail.resize(5000, 0.0);
  SrsSettings settings;
  settings.MinFrequency = 3;
  const SrsResult cut = ShockResponseSpectrum(pulse, settings, 1);
  const SrsResult quiet = ShockResponseSpectrum(tail, settings, 2);
  for (std::size_t i = 0; i < cut.Frequencies.size(); ++i) {
    SCOPED_TRACE(cut.Frequencies[i]);
    EXPECT_NEAR(cut.Peak[i], quiet.Peak[i], 1e-3 * quiet.Peak[i]);
    const Extremes direct = DirectRun(pulse, cut.Frequencies[i], settings.Q, 167);
    EXPECT_NEAR(cut.Positive[i], direct.high, 1e-9 * std::fabs(direct.high));
    EXPECT_NEAR(cut.Negative[i], -direct.low, 1e-9 * std::fabs(direct.low));
  }
}

TEST(ShockResponse, AgreesWithADirectRunAndDoesNotDependOnTheThreads) {
  std::mt19937_64 generator(7);
  std::normal_distribution<double> normal(0.0, 20.0);
  std::vector<double> x(60000);
  for (double& v : x) v = normal(generator);
  SrsSettings settings;
  settings.Q = 7;
  const SrsResult one = ShockResponseSpectrum(x, settings, 1);
  const SrsResult two = ShockResponseSpectrum(x, settings, 2);
  ASSERT_EQ(one.Frequencies.size(), 96u);
  for (std::size_t i = 0; i < one.Frequencies.size(); ++i) {
    const Extremes direct = DirectRun(x, one.Frequencies[i], settings.Q, 500);
    EXPECT_NEAR(one.Positive[i], direct.high, 1e-9 * std::fabs(direct.high));
    EXPECT_NEAR(one.Negative[i], -direct.low, 1e-9 * std::fabs(direct.low));
    EXPECT_EQ(one.Peak[i], std::max(one.Positive[i], one.Negative[i]));
  }
  EXPECT_EQ(one.Positive, two.Positive);
  EXPECT_EQ(one.Negative, two.Negative);
}

TEST(ShockResponse, HalfSineRisesWithFrequencyBelowThePulseAndPeaksNearOneAndAHalfTimesIt) {
  const double amplitude = 100.0, duration = 0.020;
  const auto x = HalfSine(amplitude, duration, 3000);
  const SrsResult srs = ShockResponseSpectrum(x, SrsSettings{}, 1);
  // Far below 1/T the pulse is a velocity step: the response grows as the frequency.
  for (int m = 0; m < 24; m += 12) {
    EXPECT_NEAR(srs.Peak[m + 12] / srs.Peak[m], 2.0, 0.1) << srs.Frequencies[m] << " Hz";
  }
  const auto top = std::max_element(srs.Peak.begin(), srs.Peak.end()) - srs.Peak.begin();
  EXPECT_GE(srs.Peak[top], 1.6 * amplitude);
  EXPECT_LE(srs.Peak[top], 1.7 * amplitude);
  EXPECT_NEAR(srs.Frequencies[top], 0.8 / duration, 0.25 * 0.8 / duration);
  // Far above, the oscillator follows the input: the spectrum tends to the pulse's peak.
  EXPECT_NEAR(srs.Peak.back(), amplitude, 0.1 * amplitude);
}

// Absolute acceleration of an oscillator after a velocity step dv, in closed form.
Extremes ImpulseResponse(double dv, double f, double q) {
  const double zeta = 1 / (2 * q), omega = 2 * std::numbers::pi * f;
  const double omegaD = omega * std::sqrt(1 - zeta * zeta);
  Extremes e{-1e300, 1e300};
  for (double t = 0; t < 5 / f; t += 1e-5 / f) {
    const double a = dv * std::exp(-zeta * omega * t) *
                     (2 * zeta * omega * std::cos(omegaD * t) +
                      omega * omega * (1 - 2 * zeta * zeta) / omegaD * std::sin(omegaD * t));
    e.high = std::max(e.high, a);
    e.low = std::min(e.low, a);
  }
  return e;
}

TEST(ShockResponse, SingleSampleImpulseActsAsAVelocityStepAndItsSignSwapsTheSides) {
  std::vector<double> x(8000, 0.0);
  x[100] = 500.0;  // 500 m/s² for one millisecond: 0.5 m/s
  const SrsSettings settings{1.0, 10.0, 3, 10, kRate};
  const SrsResult srs = ShockResponseSpectrum(x, settings, 1);
  for (std::size_t i = 0; i < srs.Frequencies.size(); ++i) {
    const Extremes expected = ImpulseResponse(0.5, srs.Frequencies[i], settings.Q);
    EXPECT_NEAR(srs.Positive[i], expected.high, 0.01 * expected.high) << srs.Frequencies[i];
    EXPECT_NEAR(srs.Negative[i], -expected.low, 0.01 * -expected.low) << srs.Frequencies[i];
  }
  for (double& v : x) v = -v;
  const SrsResult flipped = ShockResponseSpectrum(x, settings, 1);
  EXPECT_EQ(flipped.Positive, srs.Negative);
  EXPECT_EQ(flipped.Negative, srs.Positive);
}

}  // namespace
