#include "dsp/ShockResponse.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace {

// Oscillators run side by side in one pass over the samples: each output
// waits on the previous one, and independent chains fill that wait.
constexpr std::size_t kLanes = 16;

// Below this many sample-frequency steps a thread costs more than it saves.
constexpr double kStepsPerThread = 2e6;

struct Lanes {
  double b0[kLanes], b1[kLanes], b2[kLanes], a1[kLanes], a2[kLanes];
  double y1[kLanes] = {}, y2[kLanes] = {};
  double high[kLanes], low[kLanes];
};

// Runs frequencies [first, first + count) (count ≤ kLanes) over the samples
// and on through `residual` zeros, without copying the input.
// Wider vectors where the processor has them; without fused multiply-add, so
// every build gives the same bits.
__attribute__((target_clones("avx2", "default"))) void RunGroup(
    std::span<const double> x, const SrsSettings& settings, SrsResult& result, std::size_t first,
    std::size_t count, std::size_t residual) {
  Lanes l;
  for (std::size_t k = 0; k < kLanes; ++k) {
    // Spare lanes repeat the last frequency and are thrown away.
    const auto c = Oscillator(result.Frequencies[first + std::min(k, count - 1)], settings.Q,
                              settings.SampleRate);
    l.b0[k] = c.B0, l.b1[k] = c.B1, l.b2[k] = c.B2, l.a1[k] = c.A1, l.a2[k] = c.A2;
    l.high[k] = -HUGE_VAL;
    l.low[k] = HUGE_VAL;
  }
  double x1 = 0.0, x2 = 0.0;
  auto step = [&](double x0) {
    for (std::size_t k = 0; k < kLanes; ++k) {
      const double y =
          l.b0[k] * x0 + l.b1[k] * x1 + l.b2[k] * x2 + l.a1[k] * l.y1[k] - l.a2[k] * l.y2[k];
      l.y2[k] = l.y1[k];
      l.y1[k] = y;
      l.high[k] = y > l.high[k] ? y : l.high[k];
      l.low[k] = y < l.low[k] ? y : l.low[k];
    }
    x2 = x1;
    x1 = x0;
  };
  for (const double x0 : x) step(x0);
  for (std::size_t i = 0; i < residual; ++i) step(0.0);
  for (std::size_t k = 0; k < count; ++k) {
    result.Positive[first + k] = l.high[k];
    result.Negative[first + k] = -l.low[k];
    result.Peak[first + k] = std::max(l.high[k], -l.low[k]);
  }
}

}  // namespace

std::vector<double> NaturalFrequencies(const SrsSettings& settings) {
  std::vector<double> frequencies;
  if (!(settings.MinFrequency > 0.0) || !(settings.PerOctave > 0.0)) return frequencies;
  for (int m = 0;; ++m) {
    const double f = settings.MinFrequency * std::pow(2.0, m / settings.PerOctave);
    if (!(f <= settings.MaxFrequency)) break;
    frequencies.push_back(f);
  }
  return frequencies;
}

std::size_t ResidualSamples(const SrsSettings& settings) {
  constexpr double kLongestResidual = 1e8;
  const double samples = std::ceil(settings.SampleRate / (2 * settings.MinFrequency));
  if (!(settings.MinFrequency > 0.0) || !(samples >= 0.0 && samples <= kLongestResidual)) {
    throw std::invalid_argument("the lowest natural frequency leaves no usable free response");
  }
  return static_cast<std::size_t>(samples);
}

OscillatorCoefficients Oscillator(double naturalFrequency, double q, double sampleRate) {
  const double zeta = 1.0 / (2.0 * q);
  const double omega = 2.0 * std::numbers::pi * naturalFrequency;
  const double t = 1.0 / sampleRate;
  const double omegaD = omega * std::sqrt(1.0 - zeta * zeta);
  const double e = std::exp(-zeta * omega * t);
  const double k = omegaD * t;
  const double c = e * std::cos(k);
  const double sPrime = e * std::sin(k) / k;
  return {1.0 - sPrime, 2.0 * (sPrime - c), e * e - sPrime, 2.0 * c, e * e};
}

SrsResult ShockResponseSpectrum(std::span<const double> samples, const SrsSettings& settings,
                                unsigned threads) {
  SrsResult result;
  result.Frequencies = NaturalFrequencies(settings);
  const std::size_t count = result.Frequencies.size();
  result.Positive.assign(count, 0.0);
  result.Negative.assign(count, 0.0);
  result.Peak.assign(count, 0.0);
  if (samples.empty() || count == 0) return result;

  const std::size_t residual = ResidualSamples(settings);
  const std::size_t groups = (count + kLanes - 1) / kLanes;
  const double steps = static_cast<double>(samples.size() + residual) * static_cast<double>(count);
  const std::size_t workers = std::clamp<std::size_t>(
      static_cast<std::size_t>(steps / kStepsPerThread), 1, std::min<std::size_t>(threads, groups));
  auto runShare = [&](std::size_t worker) {
    for (std::size_t g = worker; g < groups; g += workers) {
      RunGroup(samples, settings, result, g * kLanes, std::min(kLanes, count - g * kLanes),
               residual);
    }
  };
  // A share whose thread cannot be started runs here, after the first; the
  // threads are joined however this ends.
  std::vector<std::jthread> pool;
  std::vector<std::size_t> here = {0};
  for (std::size_t w = 1; w < workers; ++w) {
    try {
      pool.emplace_back(runShare, w);
    } catch (const std::system_error&) {
      here.push_back(w);
    }
  }
  for (std::size_t w : here) runShare(w);
  pool.clear();  // joined before the result leaves
  return result;
}
