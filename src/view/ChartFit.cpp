#include "view/ChartFit.h"

#include <algorithm>
#include <cmath>

std::optional<ChartRange> ValueRangeBetween(const ChartSurface& chart, double from, double to) {
  std::optional<ChartRange> range;
  for (int i = 0; i < chart.SeriesCount(); ++i) {
    const ChartSeries& series = *chart.Series(i);
    const SampleSource& source = series.Source();
    const std::size_t count = series.PointCount();
    if (count == 0 || source.keys != nullptr) continue;
    // Point k lies at (first + k) × timeStep.
    const double first = static_cast<double>(source.first);
    const double low = std::max(0.0, std::floor(from / source.timeStep - first) - 1);
    const double high = std::min(count - 1.0, std::ceil(to / source.timeStep - first) + 1);
    for (double k = low; k <= high; ++k) {
      const double value = series.Point(static_cast<std::size_t>(k)).y();
      if (!range) range = ChartRange{value, value};
      range->Lower = std::min(range->Lower, value);
      range->Upper = std::max(range->Upper, value);
    }
  }
  if (!range) return std::nullopt;
  const double margin = range->Upper > range->Lower ? (range->Upper - range->Lower) / 20 : 1.0;
  return ChartRange{range->Lower - margin, range->Upper + margin};
}
