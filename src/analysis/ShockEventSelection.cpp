#include "analysis/ShockEventSelection.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Indices into `items` of every item when there are at most `limit`, else
// of the `limit` largest by `size` (the earlier of equal ones), ascending,
// so they keep the order they were found in.
template <typename Item, typename Size>
std::vector<std::size_t> LargestItems(const std::vector<Item>& items, std::size_t limit,
                                      Size size) {
  std::vector<std::size_t> indices(items.size());
  std::iota(indices.begin(), indices.end(), std::size_t{0});
  if (items.size() <= limit) return indices;
  const auto larger = [&](std::size_t a, std::size_t b) {
    const double sizeA = size(items[a]);
    const double sizeB = size(items[b]);
    return sizeA != sizeB ? sizeA > sizeB : a < b;
  };
  std::nth_element(indices.begin(), indices.begin() + static_cast<std::ptrdiff_t>(limit),
                   indices.end(), larger);
  indices.resize(limit);
  std::sort(indices.begin(), indices.end());
  return indices;
}

}  // namespace

std::vector<std::size_t> LargestShockEvents(const std::vector<ShockEvent>& events,
                                            std::size_t limit) {
  return LargestItems(events, limit, [](const ShockEvent& e) { return std::fabs(e.Peak); });
}

std::vector<std::size_t> HighestDrops(const std::vector<Drop>& drops, std::size_t limit) {
  return LargestItems(drops, limit, [](const Drop& d) { return d.HeightMeters; });
}
