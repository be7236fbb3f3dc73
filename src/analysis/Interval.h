// The selected interval as sample indices, from the two time texts of the
// tool row (seconds, program-wide decimal separator). Each time is divided by
// TimeStep and rounded to the nearest index, halves to the even one.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Both ends included.
struct SampleInterval {
  std::uint32_t Start = 0;
  std::uint32_t Stop = 0;
};

// Stop excluded.
struct CropRange {
  std::uint32_t Start = 0;
  std::uint32_t Stop = 0;
};

// The interval the parameters are measured on. A start that is not a number
// means the first sample, a stop that is not a number the last one; a
// negative, reversed or beyond-the-end selection means the whole recording.
// An empty recording has no interval.
std::optional<SampleInterval> ParamInterval(std::string_view startText, std::string_view stopText,
                                            std::uint32_t sampleCount);

// The interval ParamInterval chooses, and whether the request was replaced by
// the whole recording because it was negative, reversed or beyond the end.
struct ParamIntervalChoice {
  SampleInterval Interval;
  bool Replaced = false;
};
std::optional<ParamIntervalChoice> ChooseParamInterval(std::string_view startText,
                                                       std::string_view stopText,
                                                       std::uint32_t sampleCount);

// The samples a crop keeps. A start that is not a number or negative means
// 0, a stop that is not a number means sampleCount; a stop before the start
// or beyond sampleCount is unusable and keeps the whole recording. Nothing is
// returned only for an unusable selection on an empty recording, which the
// caller leaves as it is.
std::optional<CropRange> CropInterval(std::string_view startText, std::string_view stopText,
                                      std::uint32_t sampleCount);
