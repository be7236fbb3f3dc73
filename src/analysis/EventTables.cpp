#include "analysis/EventTables.h"

#include <span>

DataTable ShockEventsTable(const std::vector<ShockEvent>& events, double gValue) {
  return {{"channel", "start_s", "duration_s", "peak_ms2", "peak_g", "delta_v_ms"},
          events.size(),
          [&events, gValue](std::size_t row, std::span<TableCell> cells) {
            const ShockEvent& e = events[row];
            cells[0] = ShockChannelName(e.Channel);
            cells[1] = e.StartSeconds();
            cells[2] = e.DurationSeconds();
            cells[3] = e.Peak;
            cells[4] = e.Peak / gValue;
            if (e.DeltaV) cells[5] = *e.DeltaV;
          }};
}

DataTable DropsTable(const std::vector<Drop>& drops) {
  return {{"first", "start_s", "fall_s", "height_m", "impact_speed_ms", "impact_peak_ms2",
           "impact_peak_g", "impact_s"},
          drops.size(),
          [&drops](std::size_t row, std::span<TableCell> cells) {
            const Drop& d = drops[row];
            cells[0] = static_cast<double>(d.First);
            cells[1] = d.StartSeconds;
            cells[2] = d.FallSeconds;
            cells[3] = d.HeightMeters;
            cells[4] = d.ImpactSpeed;
            if (!d.Impact) return;
            cells[5] = d.Impact->Peak;
            cells[6] = d.Impact->PeakG;
            cells[7] = d.Impact->Seconds;
          }};
}
