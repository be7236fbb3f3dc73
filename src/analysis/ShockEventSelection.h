// The shock events a table shows when there are too many to list: the
// largest by the magnitude of their peak.
#pragma once

#include <cstddef>
#include <vector>

#include "analysis/ShockEvents.h"

// Indices into `events` of every event when there are at most `limit`, else
// of the `limit` largest by |peak| (the earlier of equal ones), ascending,
// so they keep the order they were found in.
std::vector<std::size_t> LargestShockEvents(const std::vector<ShockEvent>& events,
                                            std::size_t limit);
