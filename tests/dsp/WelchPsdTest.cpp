// The vibration spectrum against a plain Welch estimate computed here with a
// naive DFT, and against what a sine, white noise and Parseval demand.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "dsp/WelchPsd.h"

namespace {

constexpr double kRate = 1000.0;

std::vector<double> Noise(std::size_t n, double sigma, unsigned seed) {
  std::mt19937_64 generator(seed);
  std::normal_distribution<double> normal(0.0, sigma);
  std::vector<double> x(n);
  for (double& v : x) v = normal(generator);
  return x;
}

// Welch by the book: every segment mean-free, Hann-windowed, transformed by a
// direct sum, scaled to a one-sided density and averaged.
std::vector<double> ReferenceWelch(const std::vector<double>& x, std::size_t n) {
  const std::size_t step = n - n / 2;
  const std::size_t bins = n / 2 + 1;
  std::vector<double> w(n);
  double w2 = 0;
  for (std::size_t i = 0; i < n; ++i) {
    w[i] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n);
    w2 += w[i] * w[i];
  }
  std::vector<double> p(bins, 0.0);
  std::size_t segments = 0;
  for (std::size_t start = 0; start + n <= x.size(); start += step, ++segments) {
    double mean = 0;
    for (std::size_t i = 0; i < n; ++i) mean += x[start + i] / n;
    for (std::size_t j = 0; j < bins; ++j) {
      std::complex<double> sum = 0;
      for (std::size_t i = 0; i < n; ++i) {
        sum += (x[start + i] - mean) * w[i] * std::polar(1.0, -2 * std::numbers::pi * i * j / n);
      }
      const bool mirrored = j != 0 && !(n % 2 == 0 && j == n / 2);
      p[j] += std::norm(sum) / (kRate * w2) * (mirrored ? 2 : 1);
    }
  }
  for (double& v : p) v /= segments;
  return p;
}

TEST(WelchPsd, AgreesBinForBinWithTheTextbookEstimateForEvenAndOddSegments) {
  const auto x = Noise(1500, 2.0, 1);
  for (std::size_t n : {256u, 201u}) {
    const PsdResult psd = WelchPsd(x, {n, kRate});
    const auto reference = ReferenceWelch(x, n);
    ASSERT_EQ(psd.Segment, n);
    ASSERT_EQ(psd.Density.size(), reference.size());
    for (std::size_t j = 0; j < reference.size(); ++j) {
      EXPECT_NEAR(psd.Density[j], reference[j], 1e-9 * reference[j] + 1e-300)
          << "n " << n << " bin " << j;
      EXPECT_DOUBLE_EQ(psd.Frequencies[j], j * kRate / n);
    }
  }
}

TEST(WelchPsd, SineAtABinFrequencyPeaksThereWithRmsOfAmplitudeOverRootTwo) {
  const double amplitude = 3.0;
  std::vector<double> x(10000);
  for (std::size_t i = 0; i < x.size(); ++i)
    x[i] = 7.0 + amplitude * std::sin(0.1 * std::numbers::pi * i);
  const PsdResult psd = WelchPsd(x, {1000, kRate});
  std::size_t peak = 0;
  for (std::size_t j = 0; j < psd.Density.size(); ++j) {
    if (psd.Density[j] > psd.Density[peak]) peak = j;
  }
  EXPECT_DOUBLE_EQ(psd.Frequencies[peak], 50.0);
  EXPECT_NEAR(BandRms(psd, 1, 500), amplitude / std::sqrt(2.0), 1e-9);
  // The band decides: one just above the peak sees only leakage-free zeros.
  EXPECT_LT(BandRms(psd, 52, 500), 1e-6);
}

TEST(WelchPsd, WhiteNoiseIsFlatAtTwiceTheVarianceOverTheRate) {
  const double sigma = 1.5;
  const PsdResult psd = WelchPsd(Noise(200000, sigma, 2), {256, kRate});
  const double expected = 2 * sigma * sigma / kRate;
  double sum = 0;
  int count = 0;
  for (std::size_t j = 5; j + 5 < psd.Density.size(); ++j, ++count) {
    sum += psd.Density[j];
    EXPECT_NEAR(psd.Density[j], expected, 0.25 * expected) << psd.Frequencies[j] << " Hz";
  }
  EXPECT_NEAR(sum / count, expected, 0.03 * expected);
}

TEST(WelchPsd, TotalPowerEqualsTheWindowedSegmentsMeanSquare) {
  const auto x = Noise(4096, 1.0, 3);
  const std::size_t n = 512, step = 256;
  double expected = 0, w2 = 0;
  for (std::size_t i = 0; i < n; ++i)
    w2 += std::pow(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n), 2);
  int segments = 0;
  for (std::size_t s = 0; s + n <= x.size(); s += step, ++segments) {
    double mean = 0;
    for (std::size_t i = 0; i < n; ++i) mean += x[s + i] / n;
    for (std::size_t i = 0; i < n; ++i) {
      expected +=
          std::pow((x[s + i] - mean) * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n)), 2) /
          w2;
    }
  }
  expected /= segments;
  const PsdResult psd = WelchPsd(x, {n, kRate});
  EXPECT_NEAR(std::pow(BandRms(psd, 0, kRate / 2), 2), expected, 1e-9 * expected);
}

TEST(WelchPsd, SegmentLongerThanTheSamplesBecomesTheirLengthAndTooFewGiveNothing) {
  const auto x = Noise(300, 1.0, 4);
  const PsdResult longer = WelchPsd(x, {1024, kRate});
  const PsdResult exact = WelchPsd(x, {300, kRate});
  EXPECT_EQ(longer.Segment, 300u);
  ASSERT_EQ(longer.Frequencies.size(), 151u);
  EXPECT_DOUBLE_EQ(longer.Frequencies.back(), 500.0);
  EXPECT_EQ(longer.Density, exact.Density);

  const PsdResult single = WelchPsd(std::vector<double>{5.0}, {1024, kRate});
  EXPECT_EQ(single.Segment, 0u);
  EXPECT_TRUE(single.Density.empty());
  EXPECT_EQ(BandRms(single, 1, 500), 0.0);
}

}  // namespace
