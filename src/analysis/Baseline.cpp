#include "analysis/Baseline.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::uint32_t kCodeCount = 65536;

// The code at 0-based rank `rank` of the counted codes.
std::uint32_t CodeAtRank(const std::vector<std::uint32_t>& counts, std::uint64_t rank) {
  std::uint64_t below = 0;
  std::uint32_t code = 0;
  while (below + counts[code] <= rank) below += counts[code++];
  return code;
}

// Whether every code is a whole number in 0 … 65535, counted into `counts`
// on the way.
bool CountCodes(std::span<const double> codes, std::vector<std::uint32_t>& counts) {
  for (const double code : codes) {
    if (!(code >= 0 && code < kCodeCount)) return false;
    const auto whole = static_cast<std::uint32_t>(code);
    if (whole != code) return false;
    ++counts[whole];
  }
  return true;
}

double SelectedMedian(std::span<const double> codes) {
  std::vector<double> sorted(codes.begin(), codes.end());
  const std::size_t upper = sorted.size() / 2;
  std::nth_element(sorted.begin(), sorted.begin() + upper, sorted.end());
  if (sorted.size() % 2 == 1) return sorted[upper];
  const double below = *std::max_element(sorted.begin(), sorted.begin() + upper);
  return (below + sorted[upper]) / 2;
}

}  // namespace

SampleInterval BaselineWindow(SampleInterval interval, std::uint32_t sampleCount) {
  const std::uint32_t start =
      interval.First > kBaselineMargin ? interval.First - kBaselineMargin : 0;
  const std::uint64_t stop = static_cast<std::uint64_t>(interval.Last) + kBaselineMargin;
  const std::uint32_t last = sampleCount > 0 ? sampleCount - 1 : 0;
  return {start, static_cast<std::uint32_t>(std::min<std::uint64_t>(stop, last))};
}

double MedianCode(std::span<const double> codes) {
  if (codes.empty()) return 0.0;
  std::vector<std::uint32_t> counts(kCodeCount, 0);
  if (!CountCodes(codes, counts)) return SelectedMedian(codes);
  const std::uint64_t n = codes.size();
  const std::uint32_t upper = CodeAtRank(counts, n / 2);
  if (n % 2 == 1) return upper;
  const std::uint32_t below = CodeAtRank(counts, n / 2 - 1);
  return (static_cast<double>(below) + upper) / 2;
}

const double* AxisCodes(const Recording& recording, int axis) {
  const Recording::Array* arrays[] = {&recording.CodesX, &recording.CodesY, &recording.CodesZ};
  return arrays[axis]->get();
}

std::array<double, 3> AxisBaselines(const Recording& recording, SampleInterval interval) {
  if (!WithinRecording(interval, recording.SampleCount)) {
    throw std::out_of_range("the interval lies beyond the recording");
  }
  const SampleInterval window = BaselineWindow(interval, recording.SampleCount);
  std::array<double, 3> baselines{};
  for (int axis = 0; axis < 3; ++axis) {
    const std::span<const double> codes(AxisCodes(recording, axis) + window.First,
                                        std::size_t{window.Last - window.First} + 1);
    baselines[axis] = Acceleration(MedianCode(codes), recording.Calibration[axis]);
  }
  return baselines;
}
