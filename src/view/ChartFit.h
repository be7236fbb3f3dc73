// The value range a chart's series take over a stretch of time, for fitting
// the value axis to what a zoom shows.
#pragma once

#include <optional>

#include "view/ChartSurface.h"

// The lowest and highest value of every series' points from `from` to `to`
// (seconds), with the points just outside that draw the lines into the
// stretch, and a twentieth of the span added on each side (a flat stretch
// gets ±1); nothing when no series holds a point there. Series on a
// frequency ladder (with keys) are not looked at.
std::optional<ChartRange> ValueRangeBetween(const ChartSurface& chart, double from, double to);
