#include "analysis/EventInterval.h"

#include <algorithm>

SampleInterval IntervalAroundEvent(std::uint32_t first, std::uint32_t last,
                                   std::uint32_t sampleCount) {
  // In 64 bits: three durations of a long event reach past 32 bits.
  const std::uint64_t margin = std::uint64_t{kEventMarginDurations} * (last - first + 1ull);
  const std::uint64_t start = first > margin ? first - margin : 0;
  const std::uint64_t stop = std::min<std::uint64_t>(last + margin, sampleCount - 1ull);
  return {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop)};
}

SampleInterval FallAndImpact(const Drop& drop, std::uint32_t sampleCount) {
  const std::uint64_t end = std::uint64_t{drop.Last} + kImpactSamples;
  return {drop.First, static_cast<std::uint32_t>(std::min<std::uint64_t>(end, sampleCount - 1ull))};
}
