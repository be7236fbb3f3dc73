#include "analysis/Interval.h"

#include <cmath>

#include "analysis/NumberText.h"
#include "app/Recording.h"

namespace {

// Whole, but kept as a double so that huge and negative times stay
// comparable. The division runs in double: decimal halves such as 0.0015 s
// then land exactly on the half and go to the even index.
std::optional<double> NearestIndex(std::string_view secondsText) {
  const std::optional<long double> seconds = TryStrToFloat(secondsText);
  if (!seconds) return std::nullopt;
  return std::nearbyint(static_cast<double>(*seconds) / Recording::TimeStep);
}

}  // namespace

std::optional<SampleInterval> ParamInterval(std::string_view startText, std::string_view stopText,
                                            std::uint32_t sampleCount) {
  if (sampleCount == 0) return std::nullopt;
  const std::uint32_t last = sampleCount - 1;
  const double start = NearestIndex(startText).value_or(0);
  const double stop = NearestIndex(stopText).value_or(last);
  if (start < 0 || stop < start || stop > last) return SampleInterval{0, last};
  return SampleInterval{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop)};
}

std::optional<CropRange> CropInterval(std::string_view startText, std::string_view stopText,
                                      std::uint32_t sampleCount) {
  const double start = std::fmax(NearestIndex(startText).value_or(0), 0);
  const double stop = NearestIndex(stopText).value_or(sampleCount);
  if (stop < start || stop > sampleCount) {
    if (sampleCount == 0) return std::nullopt;
    return CropRange{0, sampleCount};
  }
  return CropRange{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop)};
}
