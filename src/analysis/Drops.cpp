#include "analysis/Drops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "analysis/Baseline.h"
#include "text/ShortestText.h"

namespace {

// The magnitude of the three calibrated axes.
struct Magnitude {
  std::array<const double*, 3> Codes;
  std::array<AxisCalibration, 3> Calibration;

  double Squares(std::uint32_t i) const {
    const double x = Acceleration(Codes[0][i], Calibration[0]);
    const double y = Acceleration(Codes[1][i], Calibration[1]);
    const double z = Acceleration(Codes[2][i], Calibration[2]);
    return x * x + y * y + z * z;
  }
  double operator()(std::uint32_t i) const { return std::sqrt(Squares(i)); }
};

std::optional<DropImpact> ImpactAfter(const Magnitude& magnitude, std::uint32_t last,
                                      const Recording& recording) {
  if (last + 1 >= recording.SampleCount) return std::nullopt;
  const std::uint32_t end = std::min(recording.SampleCount - 1, last + kImpactSamples);
  DropImpact impact;
  impact.Index = last + 1;
  impact.Peak = magnitude(last + 1);
  for (std::uint32_t i = last + 2; i <= end; ++i) {
    const double value = magnitude(i);
    if (value > impact.Peak) {
      impact.Peak = value;
      impact.Index = i;
    }
  }
  impact.PeakG = impact.Peak / recording.GValue;
  impact.Seconds = SampleSeconds(impact.Index);
  return impact;
}

Drop MakeDrop(const Magnitude& magnitude, std::uint32_t first, std::uint32_t last,
              const Recording& recording) {
  Drop drop;
  drop.First = first;
  drop.Last = last;
  drop.StartSeconds = SampleSeconds(first);
  drop.FallSeconds = SampleSeconds(last - first + 1);
  drop.HeightMeters = recording.GValue * (drop.FallSeconds * drop.FallSeconds) / 2;
  drop.ImpactSpeed = recording.GValue * drop.FallSeconds;
  drop.Impact = ImpactAfter(magnitude, last, recording);
  return drop;
}

}  // namespace

std::optional<std::string> DropSettingsError(const DropSettings& settings) {
  if (!(settings.FallLevel > 0.0 && settings.FallLevel < 1.0)) {
    return "the fall level must lie above 0 and below 1 g";
  }
  if (!(settings.MinFall >= 1.0)) return "the minimum fall must be at least 1 ms";
  return std::nullopt;
}

std::vector<Drop> FindDrops(const Recording& recording, SampleInterval interval,
                            const DropSettings& settings) {
  if (const auto error = DropSettingsError(settings)) throw std::invalid_argument(*error);
  if (!WithinRecording(interval, recording.SampleCount)) {
    throw std::invalid_argument("the drop interval lies outside the recording");
  }
  const Magnitude magnitude{
      {AxisCodes(recording, AxisX), AxisCodes(recording, AxisY), AxisCodes(recording, AxisZ)},
      recording.Calibration};
  const double level = settings.FallLevel * recording.GValue;

  std::vector<Drop> drops;
  bool falling = false;  // a candidate is under way
  std::uint32_t first = 0, last = 0;
  auto close = [&] {
    falling = false;
    if (last - first + 1 >= settings.MinFall) {
      drops.push_back(MakeDrop(magnitude, first, last, recording));
    }
  };
  // A block with no sample in free fall takes a tight loop and changes
  // nothing: a candidate before it is closed by the next free-fall sample
  // or the end. The root of the least square keeps the order of the roots.
  constexpr std::uint32_t kBlock = 256;
  for (std::uint64_t blockFirst = interval.First; blockFirst <= interval.Last;
       blockFirst += kBlock) {
    const auto from = static_cast<std::uint32_t>(blockFirst);
    const std::uint32_t to = std::min<std::uint32_t>(interval.Last, from + (kBlock - 1));
    double least = HUGE_VAL;
    for (std::uint32_t i = from; i <= to; ++i) least = std::min(least, magnitude.Squares(i));
    if (!(std::sqrt(least) < level)) continue;
    for (std::uint32_t i = from; i <= to; ++i) {
      if (falling && i - last - 1 >= kDropJoinGap) close();
      if (magnitude(i) < level) {
        if (!falling) first = i;
        falling = true;
        last = i;
      }
    }
  }
  if (falling) close();
  return drops;
}
