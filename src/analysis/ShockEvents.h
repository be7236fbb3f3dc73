// Shocks on every axis and on the resultant: the events of an interval where
// the acceleration, less its rest level (the baseline), reaches a threshold,
// each with its peak and, on an axis, the velocity change of the peak's pulse.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Interval.h"
#include "model/AnalysisSettings.h"
#include "model/Recording.h"
#include "text/ShortestText.h"

enum class ShockChannel { X = 0, Y = 1, Z = 2, R = 3 };
inline constexpr int kShockChannelCount = 4;

// "X", "Y", "Z" or "R".
const char* ShockChannelName(ShockChannel channel);

// The longest gap that joins runs into one event, in samples.
inline constexpr std::uint32_t kLongestShockGap = 1'000'000'000;

struct ShockSettings {
  double Threshold = kDefaultBoundLevel;  // m/s², must be > 0
  std::uint32_t Gap = 10;                 // runs fewer than this many samples apart form one event
};

// Why the settings cannot be used, or nothing when they can.
std::optional<std::string> ShockSettingsError(const ShockSettings& settings);

struct ShockEvent {
  ShockChannel Channel = ShockChannel::X;
  std::uint32_t First = 0;  // first and last sample at or beyond the threshold
  std::uint32_t Last = 0;
  double Peak = 0.0;  // m/s², signed on an axis, the resultant's value on R
  std::uint32_t PeakIndex = 0;
  // m/s: the integral of the one-signed pulse around the peak, which may
  // reach beyond the interval; none on the resultant.
  std::optional<double> DeltaV;

  // Times as decimals: index ÷ 1000 (see SampleSeconds).
  double StartSeconds() const { return SampleSeconds(First); }
  double DurationSeconds() const { return SampleSeconds(Last - First + 1); }
  double PeakSeconds() const { return SampleSeconds(PeakIndex); }
};

struct ShockEventsResult {
  std::vector<ShockEvent> Events;                // by first sample, then X, Y, Z, R
  std::array<int, kShockChannelCount> Counts{};  // events per channel
  std::array<double, 3> Baselines{};             // m/s², X, Y, Z: taken off each axis
};

// Calibrated accelerations (never inverted, m/s² whatever the display shows)
// minus their baselines (see Baseline.h); one pass per channel. Throws
// std::invalid_argument with ShockSettingsError's reason, or for an
// interval beyond the recording.
ShockEventsResult FindShockEvents(const Recording& recording, SampleInterval interval,
                                  const ShockSettings& settings);
