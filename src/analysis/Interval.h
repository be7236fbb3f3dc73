// The rules that turn the selected interval into samples: the interval the
// parameters and the analyses measure, and the stretch a crop keeps. Times
// become sample positions as the nearest whole number of TimeStep, halves
// to the even one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Interval.h"

// The sample position of a time in seconds.
double SamplePosition(long double seconds);
// The sample position of a cursor's time as the tool row shows it: the time
// rounded at three decimals first.
double CursorSamplePosition(double seconds);
// A time as the tool row shows it: three decimals, at most seven digits.
std::string ShownSecondsText(double seconds);
// Times typed or given as texts (the program-wide decimal separator); a text
// that is not a number leaves its end missing.
SelectedInterval IntervalFromTexts(std::string_view startSeconds, std::string_view stopSeconds);

// Times typed for the interval, in seconds with the program-wide decimal
// separator, taken as the tool row shows them (three decimals). Nothing
// unless both are numbers on the recording, from 0 to the time of its last
// sample, and the start is not after the stop.
struct IntervalTimes {
  double Start = 0;
  double Stop = 0;
};
std::optional<IntervalTimes> TypedIntervalTimes(std::string_view startSeconds,
                                                std::string_view stopSeconds,
                                                std::uint32_t sampleCount);

// The interval the parameters are measured on, and whether the selection was
// replaced by the whole recording because it was negative, reversed or
// beyond the end. A missing start means the first sample, a missing stop the
// last one. An empty recording has no interval.
struct ParamIntervalChoice {
  SampleInterval Interval;
  bool Replaced = false;
};
std::optional<ParamIntervalChoice> ChooseParamInterval(const SelectedInterval& selected,
                                                       std::uint32_t sampleCount);
std::optional<SampleInterval> ParamInterval(const SelectedInterval& selected,
                                            std::uint32_t sampleCount);

// The samples a crop keeps. A missing or negative start means 0, a missing
// stop means sampleCount; a stop before the start or beyond sampleCount is
// unusable and keeps the whole recording. Nothing is returned only for an
// unusable selection on an empty recording, which the caller leaves as it is.
std::optional<CropRange> CropInterval(const SelectedInterval& selected, std::uint32_t sampleCount);
