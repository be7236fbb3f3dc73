#include "analysis/Interval.h"

#include <cmath>

#include "model/Recording.h"
#include "text/NumberText.h"

namespace {

// The decimals the tool row shows a time with.
constexpr int kShownDecimals = 3;
constexpr int kShownPrecision = 7;

}  // namespace

// Whole, but kept as a double so that huge and negative times stay
// comparable. A time typed as a half sample (0.0215 s) is a half although
// its binary value lies a hair to one side, and goes to the even index.
double SamplePosition(long double seconds) {
  const long double samples = seconds * Recording::SampleRate;
  const long double below = std::floor(samples);
  const long double ulp = std::nextafter(std::fabs(samples), HUGE_VALL) - std::fabs(samples);
  if (std::fabs(samples - below - 0.5L) <= 4 * ulp) {
    return static_cast<double>(std::fmod(below, 2.0L) == 0 ? below : below + 1);
  }
  return static_cast<double>(std::nearbyint(samples));
}

std::string ShownSecondsText(double seconds) {
  return FormatFixed(seconds, kShownPrecision, kShownDecimals);
}

double CursorSamplePosition(double seconds) {
  return SamplePosition(RoundFixed(seconds, kShownPrecision, kShownDecimals));
}

SelectedInterval IntervalFromTexts(std::string_view startSeconds, std::string_view stopSeconds) {
  auto position = [](std::string_view text) -> std::optional<double> {
    const std::optional<long double> seconds = TryStrToFloat(text);
    if (!seconds) return std::nullopt;
    return SamplePosition(*seconds);
  };
  return {position(startSeconds), position(stopSeconds)};
}

std::optional<IntervalTimes> TypedIntervalTimes(std::string_view startSeconds,
                                                std::string_view stopSeconds,
                                                std::uint32_t sampleCount) {
  const auto shown = [](std::string_view text) -> std::optional<double> {
    const std::optional<long double> seconds = TryStrToFloat(text);
    if (!seconds) return std::nullopt;
    // + 0.0 turns a typed "-0" into 0, which the tool row shows unsigned.
    return static_cast<double>(RoundFixed(*seconds, kShownPrecision, kShownDecimals)) + 0.0;
  };
  const std::optional<double> start = shown(startSeconds);
  const std::optional<double> stop = shown(stopSeconds);
  if (!start || !stop || sampleCount == 0) return std::nullopt;
  const double first = CursorSamplePosition(*start);
  const double last = CursorSamplePosition(*stop);
  if (first < 0 || last < first || last > sampleCount - 1.0) return std::nullopt;
  return IntervalTimes{*start, *stop};
}

std::optional<ParamIntervalChoice> ChooseParamInterval(const SelectedInterval& selected,
                                                       std::uint32_t sampleCount) {
  if (sampleCount == 0) return std::nullopt;
  const std::uint32_t last = sampleCount - 1;
  const double start = selected.Start.value_or(0);
  const double stop = selected.Stop.value_or(last);
  if (start < 0 || stop < start || stop > last) return ParamIntervalChoice{{0, last}, true};
  return ParamIntervalChoice{{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop)},
                             false};
}

std::optional<SampleInterval> ParamInterval(const SelectedInterval& selected,
                                            std::uint32_t sampleCount) {
  const auto choice = ChooseParamInterval(selected, sampleCount);
  if (!choice) return std::nullopt;
  return choice->Interval;
}

std::optional<CropRange> CropInterval(const SelectedInterval& selected, std::uint32_t sampleCount) {
  const double start = std::fmax(selected.Start.value_or(0), 0);
  const double stop = selected.Stop.value_or(sampleCount);
  if (stop < start || stop > sampleCount) {
    if (sampleCount == 0) return std::nullopt;
    return CropRange{0, sampleCount};
  }
  return CropRange{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop)};
}
