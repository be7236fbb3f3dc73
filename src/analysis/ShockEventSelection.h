// The rows a table shows when there are too many to list: the largest shock
// events by the magnitude of their peak, the highest drops.
#pragma once

#include <cstddef>
#include <vector>

#include "analysis/Drops.h"
#include "analysis/ShockEvents.h"

// By |peak|.
std::vector<std::size_t> LargestShockEvents(const std::vector<ShockEvent>& events,
                                            std::size_t limit);
// By height.
std::vector<std::size_t> HighestDrops(const std::vector<Drop>& drops, std::size_t limit);
