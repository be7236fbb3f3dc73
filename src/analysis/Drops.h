// Drops: free falls of the logger within an interval, with the height they
// took and the impact that ended them. A logger in free fall reads near 0 g
// on every axis, so the magnitude of the three calibrated axes (nothing
// taken off: at rest it reads 1 g) finds them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Interval.h"
#include "model/Recording.h"

struct DropSettings {
  double FallLevel = 0.3;  // × GValue: a sample below it is in free fall; 0 < level < 1
  double MinFall = 50.0;   // ms (samples): the shortest fall that counts; at least 1
};

// Free-fall runs fewer than this many other samples apart are one fall:
// a tumbling package reads short spikes while it falls.
inline constexpr std::uint32_t kDropJoinGap = 5;

// The largest magnitude in the 100 ms after the fall.
inline constexpr std::uint32_t kImpactSamples = 100;

struct DropImpact {
  std::uint32_t Index = 0;  // sample of the largest magnitude, the earliest on a tie
  double Peak = 0.0;        // m/s²
  double PeakG = 0.0;       // Peak / GValue
  double Seconds = 0.0;     // Index ÷ 1000 (SampleSeconds)
};

struct Drop {
  std::uint32_t First = 0;  // first and last free-fall sample
  std::uint32_t Last = 0;
  double StartSeconds = 0.0;         // First ÷ 1000 (SampleSeconds)
  double FallSeconds = 0.0;          // (Last − First + 1) ÷ 1000
  double HeightMeters = 0.0;         // GValue × FallSeconds² / 2
  double ImpactSpeed = 0.0;          // m/s, GValue × FallSeconds
  std::optional<DropImpact> Impact;  // none when the recording ends with the fall
};

// Why the settings cannot be used, or nothing when they can.
std::optional<std::string> DropSettingsError(const DropSettings& settings);

// The drops of the interval, in time order; one pass. Throws
// std::invalid_argument with DropSettingsError's reason, or for an interval
// beyond the recording.
std::vector<Drop> FindDrops(const Recording& recording, SampleInterval interval,
                            const DropSettings& settings);
