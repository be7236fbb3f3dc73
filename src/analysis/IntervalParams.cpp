#include "analysis/IntervalParams.h"

#include <cmath>
#include <cstddef>

#include "analysis/Exceedance.h"
#include "analysis/ValueStr.h"
#include "text/NumberText.h"

const std::array<ParamRowDef, kParamRowCount> ParamRows = {{
    {"Вибр. ускор. < X >", "м/с2", &Recording::CodesX, AxisX},
    {"Вибр. ускор. < Y >", "м/с2", &Recording::CodesY, AxisY},
    {"Вибр. ускор. < Z >", "м/с2", &Recording::CodesZ, AxisZ},
    {"Вибр. скорость < X >", "м/с", &Recording::VibroSpeedX, std::nullopt},
    {"Лин.   скорость < X >", "м/с", &Recording::LinSpeedX, std::nullopt},
}};

const char* const kNotComputedText = "не вычислен";

RowTexts StatisticsTexts(const RowStatistics& statistics, bool codesMode, const std::string& unit) {
  auto text = [&](double v) { return codesMode ? FormatFixed(v, 6, 1) : ValueToStrMy(3, unit, v); };
  return {text(statistics.Min), text(statistics.Max), text(statistics.Mean),
          text(statistics.StdDev)};
}

namespace {

RowSource SourceOf(const Recording& recording, int row, const ParamOptions& options) {
  const ParamRowDef& def = ParamRows[row];
  RowSource source{(recording.*def.Source).get(), std::nullopt};
  if (!options.Settings.CodesMode && def.CalibrationAxis) {
    source.calibration = recording.Calibration[*def.CalibrationAxis];
  }
  return source;
}

}  // namespace

RowStatistics ParamRowStatistics(const Recording& recording, int row, SampleInterval interval,
                                 const ParamOptions& options) {
  return ParamRowsStatistics(recording, interval, options)[row].value();
}

std::array<std::optional<RowStatistics>, kParamRowCount> ParamRowsStatistics(
    const Recording& recording, SampleInterval interval, const ParamOptions& options) {
  std::array<RowSource, kParamRowCount> sources;
  std::array<int, kParamRowCount> rows{};
  std::size_t count = 0;
  for (int row = 0; row < kParamRowCount; ++row) {
    if (!options.Shown[row]) continue;
    sources[count] = SourceOf(recording, row, options);
    rows[count++] = row;
  }
  std::array<RowStatistics, kParamRowCount> computed;
  IntervalStatistics(std::span(sources.data(), count), interval, options.Settings.Inverted,
                     computed);
  std::array<std::optional<RowStatistics>, kParamRowCount> result;
  for (std::size_t i = 0; i < count; ++i) result[rows[i]] = computed[i];
  return result;
}

RowTexts ParamRowTexts(const std::optional<RowStatistics>& statistics, int row,
                       const ParamOptions& options) {
  if (!statistics) return {kNotComputedText, kNotComputedText, kNotComputedText, kNotComputedText};
  return StatisticsTexts(*statistics, options.Settings.CodesMode, ParamRows[row].Unit);
}

namespace {

// Both passes of the search over the interval, as the parameters list them.
std::array<ExceedancePass, 2> SearchExceedances(const Recording& recording, SampleInterval interval,
                                                double boundLevel) {
  std::array<ExceedancePass, 2> passes;
  const ExceedanceSide sides[] = {ExceedanceSide::Positive, ExceedanceSide::Negative};
  for (std::size_t i = 0; i < passes.size(); ++i) {
    ExceedancePass& pass = passes[i];
    pass.Side = sides[i];
    pass.Found = FindExceedances(recording.CodesX.get(), interval, recording.Calibration[AxisX],
                                 boundLevel, pass.Side);
    if (!pass.Found.Exceeded) continue;
    pass.Header = ExceedanceHeader(pass.Side, boundLevel);
    for (const ExceedanceRun& run : pass.Found.Runs)
      pass.RunLines.push_back(ExceedanceRunLine(run));
    pass.Message = ExceedanceMessage(pass.Side, boundLevel);
  }
  return passes;
}

}  // namespace

IntervalParamsResult CalculateIntervalParams(const Recording& recording, SampleInterval interval,
                                             const ParamOptions& options) {
  IntervalParamsResult result;
  // Every shown row in one pass.
  result.Statistics = ParamRowsStatistics(recording, interval, options);
  for (int row = 0; row < kParamRowCount; ++row) {
    result.Texts[row] = ParamRowTexts(result.Statistics[row], row, options);
  }
  result.Searched = options.Shown[kAccelXRow] && !options.Tracking;
  if (result.Searched) {
    result.Passes = SearchExceedances(recording, interval, options.Settings.BoundLevel);
  }
  return result;
}
