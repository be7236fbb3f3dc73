// The selected interval as data: the sample positions the user chose, and
// the stretches of the recording the analyses and the crop take from them.
#pragma once

#include <cstdint>
#include <optional>

// The samples First … Last, both included.
struct SampleInterval {
  std::uint32_t First = 0;
  std::uint32_t Last = 0;
  friend bool operator==(const SampleInterval&, const SampleInterval&) = default;
};

// True when the interval runs forward over samples a recording of
// `sampleCount` samples holds.
inline bool WithinRecording(SampleInterval interval, std::uint32_t sampleCount) {
  return interval.First <= interval.Last && interval.Last < sampleCount;
}

// The samples Start … Stop − 1: what a crop keeps.
struct CropRange {
  std::uint32_t Start = 0;
  std::uint32_t Stop = 0;
};

// The interval as chosen: the sample positions (whole numbers, kept as
// doubles so that any cursor position stays comparable) of its start and its
// stop. They may lie before the recording, beyond its end or in reverse
// order, and an end may be missing; each use of the interval decides what
// that means.
struct SelectedInterval {
  std::optional<double> Start;
  std::optional<double> Stop;
  friend bool operator==(const SelectedInterval&, const SelectedInterval&) = default;
};
