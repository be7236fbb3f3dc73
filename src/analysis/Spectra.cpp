#include "analysis/Spectra.h"

#include <cmath>
#include <span>
#include <stdexcept>
#include <thread>
#include <vector>

#include "analysis/Baseline.h"

namespace {

std::span<const double> IntervalCodes(const Recording& recording, SampleInterval interval,
                                      int axis) {
  if (!WithinRecording(interval, recording.SampleCount)) {
    throw std::out_of_range("the interval lies beyond the recording");
  }
  return {AxisCodes(recording, axis) + interval.First,
          static_cast<std::size_t>(interval.Last - interval.First) + 1};
}

// The interval's calibrated accelerations less the baseline, into `out`.
void BaselineFreeAcceleration(std::span<const double> codes, const AxisCalibration& calibration,
                              double baseline, std::vector<double>& out) {
  out.resize(codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i)
    out[i] = Acceleration(codes[i], calibration) - baseline;
}

// Settings that cannot give a spectrum are refused here too, whoever calls:
// some would ask for unbounded work.
void Check(const std::optional<std::string>& error) {
  if (error) throw std::invalid_argument(*error);
}

}  // namespace

std::optional<std::string> PsdOptionsError(const PsdOptions& options) {
  if (options.Segment < kPsdShortestSegment) return "the segment must be at least 8 samples";
  if (options.Segment > kPsdLongestSegment) {
    return "the segment must be at most 1000000000 samples";
  }
  if (!(options.BandLow <= options.BandHigh)) return "the band must be LO:HI with LO <= HI";
  return std::nullopt;
}

// The ladder of natural frequencies is bounded, so that no setting can ask
// for unbounded memory or a frequency that never advances.
std::optional<std::string> SrsOptionsError(const SrsOptions& options) {
  if (!(options.MaxFrequency < kSrsFrequencyBound)) return "fmax must be below 500 Hz";
  if (!(options.MinFrequency >= kSrsLowestFrequency) ||
      !(options.MinFrequency <= options.MaxFrequency)) {
    return "fmin must be from 0.01 Hz up to fmax";
  }
  if (!(options.Q > kSrsQBound)) return "Q must be above 0.5";
  if (!(options.PerOctave >= 1.0) || !(options.PerOctave <= kSrsMostPerOctave)) {
    return "from 1 to 96 frequencies per octave";
  }
  const double count =
      std::floor(options.PerOctave * std::log2(options.MaxFrequency / options.MinFrequency)) + 1;
  if (!(count <= kSrsMostFrequencies)) return "at most 2000 frequencies in all";
  return std::nullopt;
}

IntervalPsdResult IntervalPsd(const Recording& recording, SampleInterval interval,
                              const PsdOptions& options) {
  Check(PsdOptionsError(options));
  IntervalPsdResult result;
  const WelchSettings settings{options.Segment, Recording::SampleRate};
  for (int axis = 0; axis < 3; ++axis) {
    const AxisCalibration& c = recording.Calibration[axis];
    result.Axes[axis] =
        WelchPsd(IntervalCodes(recording, interval, axis), settings, SampleScale{c.Code0g, c.Gain});
    result.Rms[axis] = BandRms(result.Axes[axis], options.BandLow, options.BandHigh);
  }
  return result;
}

IntervalSrsResult IntervalSrs(const Recording& recording, SampleInterval interval,
                              const SrsOptions& options, unsigned threads) {
  Check(SrsOptionsError(options));
  IntervalSrsResult result;
  const std::array<double, 3> baselines = AxisBaselines(recording, interval);
  const SrsSettings settings{options.MinFrequency, options.MaxFrequency, options.PerOctave,
                             options.Q, Recording::SampleRate};
  std::vector<double> x;
  for (int axis = 0; axis < 3; ++axis) {
    const std::span<const double> codes = IntervalCodes(recording, interval, axis);
    BaselineFreeAcceleration(codes, recording.Calibration[axis], baselines[axis], x);
    result.Axes[axis] = ShockResponseSpectrum(x, settings, threads);
  }
  return result;
}

unsigned SpectrumThreads() {
  return std::max(1u, std::thread::hardware_concurrency());
}
