#include "cli/CliAnalysisOptions.h"

#include <cmath>
#include <iostream>
#include <optional>
#include <string>

#include "analysis/ShockEvents.h"
#include "analysis/VibroSpeed.h"
#include "cli/CliOptions.h"
#include "text/NumberText.h"

namespace {

void CheckOptions(const std::optional<std::string>& error) {
  if (error) throw UsageError{*error};
}

}  // namespace

ParamsRequest ParamsOptions(const CliArguments& arguments) {
  ParamsRequest request;
  request.interval = IntervalOptions(arguments);
  AnalysisSettings& settings = request.settings;
  settings.BoundLevel = NumberOption(arguments, "bound", kDefaultBoundLevel);
  settings.CodesMode = arguments.Flag("codes");
  settings.Inverted = arguments.Flag("invert");
  settings.Cutoff = ExtendedOption(arguments, "cutoff", kDefaultCutoff);
  if (const CutoffChoice used = ChooseCutoff(settings.Cutoff); used.AboveStableRange) {
    std::cerr << "torvik-cli: --cutoff " << FormatGeneral(settings.Cutoff)
              << ": the vibration-speed filter is unstable above " << FormatGeneral(used.Cutoff)
              << " Hz; " << FormatGeneral(used.Cutoff) << " Hz is used\n";
  }
  request.correctSpeed = arguments.Flag("correct-speed");
  return request;
}

std::uint32_t GapOption(const CliArguments& arguments) {
  return static_cast<std::uint32_t>(WholeOption(arguments, "gap",
                                                static_cast<int>(ShockSettings{}.Gap), 0,
                                                static_cast<int>(kLongestShockGap)));
}

DropSettings DropOptions(const CliArguments& arguments) {
  DropSettings settings;
  settings.FallLevel = NumberOption(arguments, "fall-level", settings.FallLevel);
  settings.MinFall = NumberOption(arguments, "min-fall", settings.MinFall);
  CheckOptions(DropSettingsError(settings));
  return settings;
}

PsdOptions PsdSettings(const CliArguments& arguments) {
  PsdOptions options;
  options.Segment =
      static_cast<std::size_t>(WholeOption(arguments, "segment", static_cast<int>(options.Segment),
                                           0, static_cast<int>(kPsdLongestSegment)));
  if (const auto band = arguments.Value("band")) {
    const std::size_t colon = band->find(':');
    const auto low =
        colon == std::string::npos ? std::nullopt : TryStrToFloat(band->substr(0, colon));
    const auto high =
        colon == std::string::npos ? std::nullopt : TryStrToFloat(band->substr(colon + 1));
    if (!low || !high || !std::isfinite(static_cast<double>(*low)) ||
        !std::isfinite(static_cast<double>(*high))) {
      throw UsageError{"--band '" + *band + "': takes LO:HI, two finite numbers in Hz"};
    }
    options.BandLow = static_cast<double>(*low);
    options.BandHigh = static_cast<double>(*high);
  }
  CheckOptions(PsdOptionsError(options));
  return options;
}

SrsOptions SrsSettings(const CliArguments& arguments) {
  SrsOptions options;
  options.MinFrequency = NumberOption(arguments, "fmin", options.MinFrequency);
  options.MaxFrequency = NumberOption(arguments, "fmax", options.MaxFrequency);
  options.PerOctave = NumberOption(arguments, "per-octave", options.PerOctave);
  options.Q = NumberOption(arguments, "q", options.Q);
  CheckOptions(SrsOptionsError(options));
  return options;
}

AccelerationUnit UnitOption(const CliArguments& arguments) {
  const std::optional<std::string> unit = arguments.Value("units");
  if (!unit || *unit == "ms2") return AccelerationUnit::MetresPerSecondSquared;
  if (*unit == "g") return AccelerationUnit::StandardGravity;
  throw UsageError{"--units '" + *unit + "': takes ms2 (m/s^2) or g"};
}
