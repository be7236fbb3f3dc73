#include "analysis/ShockEventSelection.h"

#include <cmath>

std::vector<std::size_t> LargestShockEvents(const std::vector<ShockEvent>& events,
                                            std::size_t limit) {
  return LargestItems(events, limit, [](const ShockEvent& e) { return std::fabs(e.Peak); });
}

std::vector<std::size_t> HighestDrops(const std::vector<Drop>& drops, std::size_t limit) {
  return LargestItems(drops, limit, [](const Drop& d) { return d.HeightMeters; });
}
