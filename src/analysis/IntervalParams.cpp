#include "analysis/IntervalParams.h"

#include <cmath>
#include <cstddef>

#include "analysis/Exceedance.h"
#include "text/NumberText.h"
#include "analysis/ValueStr.h"

const std::array<ParamRowDef, kParamRowCount> ParamRows = {{
    {"Вибр. ускор. < X >", "м/с2", &Recording::CodesX, AxisX},
    {"Вибр. ускор. < Y >", "м/с2", &Recording::CodesY, AxisY},
    {"Вибр. ускор. < Z >", "м/с2", &Recording::CodesZ, AxisZ},
    {"Вибр. скорость < X >", "м/с", &Recording::VibroSpeedX, std::nullopt},
    {"Лин.   скорость < X >", "м/с", &Recording::LinSpeedX, std::nullopt},
}};

const char* const kNotComputedText = "не вычислен";

namespace {

constexpr int kAccelXRow = 0;
constexpr int kRowsBeforeSearch[] = {3, 4, 0};
constexpr int kRowsAfterSearch[] = {1, 2};

void SearchExceedances(const Recording& recording, SampleInterval interval, bool tracking,
                       ParamOutput& output) {
  if (tracking) {
    output.ShowFirstPage();
    return;
  }
  output.ClearMemo();
  for (const ExceedanceSide side : {ExceedanceSide::Positive, ExceedanceSide::Negative}) {
    const ExceedanceResult result = FindExceedances(
        recording.CodesX.get(), interval, recording.Calibration[AxisX], recording.BoundLevel, side);
    if (!result.Exceeded) continue;
    output.AppendMemoLine(ExceedanceHeader(side, recording.BoundLevel));
    for (const ExceedanceRun& run : result.Runs) output.AppendMemoLine(ExceedanceRunLine(run));
    output.ShowMessage(ExceedanceMessage(side, recording.BoundLevel));
  }
}

}  // namespace

RowTexts StatisticsTexts(const RowStatistics& statistics, bool codesMode, const std::string& unit) {
  auto text = [&](double v) { return codesMode ? FormatFixed(v, 6, 1) : ValueToStrMy(3, unit, v); };
  return {text(statistics.Min), text(statistics.Max), text(statistics.Mean),
          text(statistics.StdDev)};
}

namespace {

RowSource SourceOf(const Recording& recording, int row, const ParamOptions& options) {
  const ParamRowDef& def = ParamRows[row];
  RowSource source{(recording.*def.Source).get(), std::nullopt};
  if (!options.CodesMode && def.CalibrationAxis) {
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
  IntervalStatistics(std::span(sources.data(), count), interval, options.Inverted, computed);
  std::array<std::optional<RowStatistics>, kParamRowCount> result;
  for (std::size_t i = 0; i < count; ++i) result[rows[i]] = computed[i];
  return result;
}

RowTexts ParamRowTexts(const std::optional<RowStatistics>& statistics, int row,
                       const ParamOptions& options) {
  if (!statistics) return {kNotComputedText, kNotComputedText, kNotComputedText, kNotComputedText};
  return StatisticsTexts(*statistics, options.CodesMode, ParamRows[row].Unit);
}

bool CalculateIntervalParams(const Recording& recording, std::string_view startText,
                             std::string_view stopText, const ParamOptions& options,
                             ParamOutput& output) {
  const std::optional<SampleInterval> interval =
      ParamInterval(startText, stopText, recording.SampleCount);
  if (!interval) return false;
  // Every shown row in one pass; they are written in the order the user sees them.
  const auto statistics = ParamRowsStatistics(recording, *interval, options);
  auto fill = [&](int row) { output.WriteRow(row, ParamRowTexts(statistics[row], row, options)); };
  for (int row : kRowsBeforeSearch) fill(row);
  if (options.Shown[kAccelXRow]) SearchExceedances(recording, *interval, options.Tracking, output);
  for (int row : kRowsAfterSearch) fill(row);
  return true;
}
