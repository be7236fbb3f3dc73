// The shock events and the drops as tables for other programs, in the
// program's one CSV convention (files/CsvTable.h).
#pragma once

#include <vector>

#include "analysis/Drops.h"
#include "analysis/ShockEvents.h"
#include "files/DataTable.h"

// channel (X, Y, Z or R), start_s, duration_s, peak_ms2, peak_g (peak ÷
// gValue), delta_v_ms (empty on R), one row per event in the given order.
DataTable ShockEventsTable(const std::vector<ShockEvent>& events, double gValue);

// first (sample), start_s, fall_s, height_m, impact_speed_ms and the
// impact's impact_peak_ms2, impact_peak_g, impact_s (empty when the
// recording ends falling), one row per drop.
DataTable DropsTable(const std::vector<Drop>& drops);
