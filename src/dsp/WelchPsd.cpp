#include "dsp/WelchPsd.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dsp/FftPlanCache.h"

namespace {

std::vector<double> PeriodicHann(std::size_t n) {
  std::vector<double> w(n);
  for (std::size_t i = 0; i < n; ++i) {
    w[i] = 0.5 -
           0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
  }
  return w;
}

// Fills `out` with the scaled, mean-free, windowed segment.
void PrepareSegment(const double* raw, const std::vector<double>& window, SampleScale scale,
                    double* out) {
  const std::size_t n = window.size();
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = (raw[i] - scale.Offset) * scale.Gain;
    sum += out[i];
  }
  const double mean = sum / static_cast<double>(n);
  for (std::size_t i = 0; i < n; ++i) out[i] = (out[i] - mean) * window[i];
}

}  // namespace

PsdResult WelchPsd(std::span<const double> samples, const WelchSettings& settings,
                   SampleScale scale) {
  PsdResult result;
  const std::size_t n = std::min(settings.Segment, samples.size());
  if (n < 2) return result;
  result.Segment = n;
  const std::size_t step = n - n / 2;
  const std::size_t segments = (samples.size() - n) / step + 1;
  const std::size_t bins = n / 2 + 1;

  const std::vector<double> window = PeriodicHann(n);
  double windowPower = 0.0;
  for (double w : window) windowPower += w * w;

  const RealFftPlan& plan = RealFftPlan::ForLength(n);
  const auto in = AllocateRealBuffer(n);
  const auto out = AllocateComplexBuffer(bins);
  result.Density.assign(bins, 0.0);
  for (std::size_t s = 0; s < segments; ++s) {
    PrepareSegment(samples.data() + s * step, window, scale, in.get());
    plan.Execute(in.get(), out.get());
    for (std::size_t j = 0; j < bins; ++j) result.Density[j] += std::norm(out[j]);
  }

  // The DC bin, and the Nyquist bin of an even length, have no mirror image.
  const std::size_t lastDoubled = n % 2 == 0 ? bins - 2 : bins - 1;
  const double density = 1.0 / (settings.SampleRate * windowPower * static_cast<double>(segments));
  result.Frequencies.resize(bins);
  for (std::size_t j = 0; j < bins; ++j) {
    const bool doubled = j >= 1 && j <= lastDoubled;
    result.Density[j] *= (doubled ? 2.0 : 1.0) * density;
    result.Frequencies[j] = static_cast<double>(j) * settings.SampleRate / static_cast<double>(n);
  }
  return result;
}

double BandRms(const PsdResult& psd, double low, double high) {
  if (psd.Segment == 0) return 0.0;
  const double width = psd.Frequencies.size() > 1 ? psd.Frequencies[1] : 0.0;
  double power = 0.0;
  for (std::size_t j = 0; j < psd.Frequencies.size(); ++j) {
    if (psd.Frequencies[j] >= low && psd.Frequencies[j] <= high) power += psd.Density[j] * width;
  }
  return std::sqrt(power);
}
