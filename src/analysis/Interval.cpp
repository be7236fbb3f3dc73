#include "analysis/Interval.h"

#include <cmath>

#include "text/NumberText.h"

namespace {

constexpr long double kSamplesPerSecond = 1000;  // 1 / TimeStep

// Whole, but kept as a double so that huge and negative times stay
// comparable. A time typed as a half sample (0.0215 s) is a half although
// its binary value lies a hair to one side, and goes to the even index.
std::optional<double> NearestIndex(std::string_view secondsText) {
  const std::optional<long double> seconds = TryStrToFloat(secondsText);
  if (!seconds) return std::nullopt;
  const long double samples = *seconds * kSamplesPerSecond;
  const long double below = std::floor(samples);
  const long double ulp = std::nextafter(std::fabs(samples), HUGE_VALL) - std::fabs(samples);
  if (std::fabs(samples - below - 0.5L) <= 4 * ulp) {
    return static_cast<double>(std::fmod(below, 2.0L) == 0 ? below : below + 1);
  }
  return static_cast<double>(std::nearbyint(samples));
}

}  // namespace

std::optional<ParamIntervalChoice> ChooseParamInterval(std::string_view startText,
                                                       std::string_view stopText,
                                                       std::uint32_t sampleCount) {
  if (sampleCount == 0) return std::nullopt;
  const std::uint32_t last = sampleCount - 1;
  const double start = NearestIndex(startText).value_or(0);
  const double stop = NearestIndex(stopText).value_or(last);
  if (start < 0 || stop < start || stop > last) return ParamIntervalChoice{{0, last}, true};
  return ParamIntervalChoice{{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop)},
                             false};
}

std::optional<SampleInterval> ParamInterval(std::string_view startText, std::string_view stopText,
                                            std::uint32_t sampleCount) {
  const auto choice = ChooseParamInterval(startText, stopText, sampleCount);
  if (!choice) return std::nullopt;
  return choice->Interval;
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
