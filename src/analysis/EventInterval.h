// The stretches of the recording that show a found event: the interval taken
// from an event or a drop, and the stretch a drop's view covers.
#pragma once

#include <cstdint>

#include "analysis/Drops.h"
#include "model/Interval.h"

// Margin on each side of an event, in durations of the event.
inline constexpr std::uint32_t kEventMarginDurations = 3;

// first … last with kEventMarginDurations durations (last − first + 1
// samples each) on each side, clamped to the recording. sampleCount > 0 and
// first ≤ last < sampleCount.
SampleInterval IntervalAroundEvent(std::uint32_t first, std::uint32_t last,
                                   std::uint32_t sampleCount);

// The fall and the samples its impact was looked for in, within the
// recording.
SampleInterval FallAndImpact(const Drop& drop, std::uint32_t sampleCount);
