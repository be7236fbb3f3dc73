// The rows a table shows when there are too many to list: the largest shock
// events by the magnitude of their peak, the highest drops.
#pragma once

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

#include "analysis/Drops.h"
#include "analysis/ShockEvents.h"

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

// By |peak|.
std::vector<std::size_t> LargestShockEvents(const std::vector<ShockEvent>& events,
                                            std::size_t limit);
// By height.
std::vector<std::size_t> HighestDrops(const std::vector<Drop>& drops, std::size_t limit);
