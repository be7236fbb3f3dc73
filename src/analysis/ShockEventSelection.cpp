#include "analysis/ShockEventSelection.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::vector<std::size_t> LargestShockEvents(const std::vector<ShockEvent>& events,
                                            std::size_t limit) {
  std::vector<std::size_t> indices(events.size());
  std::iota(indices.begin(), indices.end(), std::size_t{0});
  if (events.size() <= limit) return indices;
  const auto larger = [&events](std::size_t a, std::size_t b) {
    const double peakA = std::fabs(events[a].Peak);
    const double peakB = std::fabs(events[b].Peak);
    return peakA != peakB ? peakA > peakB : a < b;
  };
  std::nth_element(indices.begin(), indices.begin() + static_cast<std::ptrdiff_t>(limit),
                   indices.end(), larger);
  indices.resize(limit);
  std::sort(indices.begin(), indices.end());
  return indices;
}
