#include "analysis/RowStatistics.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace {

// A calibration of Code0g 0 and Gain 1 leaves every value exactly as stored.
struct Scaling {
  const double* values;
  double code0g;
  double gain;
  double At(std::size_t i) const { return (values[i] - code0g) * gain; }
};

Scaling ScalingOf(const RowSource& source) {
  const AxisCalibration c = source.calibration.value_or(AxisCalibration{0.0, 1.0});
  return {source.values, c.Code0g, c.Gain};
}

// The extremes do not depend on the order, so independent lanes may take
// consecutive samples.
void Extremes(const Scaling& curve, std::size_t begin, std::size_t end, RowStatistics& out) {
  constexpr std::size_t kLanes = 4;
  std::array<double, kLanes> low, high;
  low.fill(curve.At(begin));
  high.fill(curve.At(begin));
  std::size_t i = begin;
  for (; i + kLanes <= end; i += kLanes) {
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
      const double v = curve.At(i + lane);
      low[lane] = v < low[lane] ? v : low[lane];
      high[lane] = v > high[lane] ? v : high[lane];
    }
  }
  for (; i < end; ++i) {
    const double v = curve.At(i);
    low[0] = v < low[0] ? v : low[0];
    high[0] = v > high[0] ? v : high[0];
  }
  out.Min = low[0];
  out.Max = high[0];
  for (std::size_t lane = 1; lane < kLanes; ++lane) {
    if (low[lane] < out.Min) out.Min = low[lane];
    if (high[lane] > out.Max) out.Max = high[lane];
  }
}

template <std::size_t kCurves>
void SumsInOrder(const std::array<Scaling, kMaxRowSources>& curves, std::size_t begin,
                 std::size_t end, std::span<RowStatistics> out) {
  std::array<double, kCurves> sum{};
  std::array<double, kCurves> squares{};
  for (std::size_t i = begin; i < end; ++i) {
    for (std::size_t c = 0; c < kCurves; ++c) {
      const double v = curves[c].At(i);
      sum[c] += v;
      squares[c] += v * v;
    }
  }
  const double n = static_cast<double>(end - begin);
  for (std::size_t c = 0; c < kCurves; ++c) {
    out[c].Mean = sum[c] / n;
    out[c].StdDev = std::sqrt(std::fabs(squares[c] / n - out[c].Mean * out[c].Mean));
  }
}

}  // namespace

void IntervalStatistics(std::span<const RowSource> sources, SampleInterval interval, bool inverted,
                        std::span<RowStatistics> out) {
  if (sources.size() > kMaxRowSources || out.size() < sources.size()) {
    throw std::invalid_argument("IntervalStatistics: at most five curves, one result each");
  }
  const std::size_t begin = interval.First;
  const std::size_t end = std::size_t{interval.Last} + 1;
  std::array<Scaling, kMaxRowSources> curves{};
  for (std::size_t c = 0; c < sources.size(); ++c) {
    curves[c] = ScalingOf(sources[c]);
    Extremes(curves[c], begin, end, out[c]);
  }
  switch (sources.size()) {
    case 1:
      SumsInOrder<1>(curves, begin, end, out);
      break;
    case 2:
      SumsInOrder<2>(curves, begin, end, out);
      break;
    case 3:
      SumsInOrder<3>(curves, begin, end, out);
      break;
    case 4:
      SumsInOrder<4>(curves, begin, end, out);
      break;
    case 5:
      SumsInOrder<5>(curves, begin, end, out);
      break;
    default:
      break;
  }
  if (!inverted) return;
  for (std::size_t c = 0; c < sources.size(); ++c) {
    out[c] = {-out[c].Max, -out[c].Min, -out[c].Mean, out[c].StdDev};
  }
}

RowStatistics IntervalStatistics(const double* values, SampleInterval interval,
                                 const std::optional<AxisCalibration>& calibration, bool inverted) {
  RowStatistics result;
  const RowSource source{values, calibration};
  IntervalStatistics(std::span(&source, 1), interval, inverted, std::span(&result, 1));
  return result;
}
