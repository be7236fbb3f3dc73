#include "analysis/IntervalParams.h"

#include <cmath>
#include <cstddef>

#include "analysis/Exceedance.h"
#include "analysis/NumberText.h"
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

// Independent partial results per lane let consecutive samples be added
// without waiting on one running sum.
constexpr std::size_t kLanes = 4;

struct Partial {
  std::array<double, kLanes> low, high, sum{}, squares{};

  explicit Partial(double first) {
    low.fill(first);
    high.fill(first);
  }
  void Add(std::size_t lane, double v) {
    low[lane] = v < low[lane] ? v : low[lane];
    high[lane] = v > high[lane] ? v : high[lane];
    sum[lane] += v;
    squares[lane] += v * v;
  }
};

template <class Value>
RowStatistics Accumulate(const double* values, SampleInterval interval, Value value) {
  const std::size_t begin = interval.Start;
  const std::size_t end = std::size_t{interval.Stop} + 1;
  Partial partial(value(values[begin]));
  std::size_t i = begin;
  for (; i + kLanes <= end; i += kLanes) {
    for (std::size_t lane = 0; lane < kLanes; ++lane) partial.Add(lane, value(values[i + lane]));
  }
  for (; i < end; ++i) partial.Add(0, value(values[i]));

  RowStatistics result{partial.low[0], partial.high[0], 0, 0};
  double sum = 0;
  double squares = 0;
  for (std::size_t lane = 0; lane < kLanes; ++lane) {
    if (partial.low[lane] < result.Min) result.Min = partial.low[lane];
    if (partial.high[lane] > result.Max) result.Max = partial.high[lane];
    sum += partial.sum[lane];
    squares += partial.squares[lane];
  }
  const double n = static_cast<double>(end - begin);
  result.Mean = sum / n;
  result.StdDev = std::sqrt(std::fabs(squares / n - result.Mean * result.Mean));
  return result;
}

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

RowStatistics IntervalStatistics(const double* values, SampleInterval interval,
                                 const std::optional<AxisCalibration>& calibration, bool inverted) {
  RowStatistics s;
  if (calibration) {
    const AxisCalibration axis = *calibration;
    s = Accumulate(values, interval, [axis](double code) { return Acceleration(code, axis); });
  } else {
    s = Accumulate(values, interval, [](double v) { return v; });
  }
  if (inverted) s = {-s.Max, -s.Min, -s.Mean, s.StdDev};
  return s;
}

RowTexts StatisticsTexts(const RowStatistics& statistics, bool codesMode, const std::string& unit) {
  auto text = [&](double v) { return codesMode ? FormatFixed(v, 6, 1) : ValueToStrMy(3, unit, v); };
  return {text(statistics.Min), text(statistics.Max), text(statistics.Mean),
          text(statistics.StdDev)};
}

RowStatistics ParamRowStatistics(const Recording& recording, int row, SampleInterval interval,
                                 const ParamOptions& options) {
  const ParamRowDef& def = ParamRows[row];
  std::optional<AxisCalibration> calibration;
  if (!options.CodesMode && def.CalibrationAxis) {
    calibration = recording.Calibration[*def.CalibrationAxis];
  }
  return IntervalStatistics((recording.*def.Source).get(), interval, calibration, options.Inverted);
}

RowTexts ParamRowTexts(const Recording& recording, int row, SampleInterval interval,
                       const ParamOptions& options) {
  if (!options.Shown[row]) {
    return {kNotComputedText, kNotComputedText, kNotComputedText, kNotComputedText};
  }
  return StatisticsTexts(ParamRowStatistics(recording, row, interval, options), options.CodesMode,
                         ParamRows[row].Unit);
}

bool CalculateIntervalParams(const Recording& recording, std::string_view startText,
                             std::string_view stopText, const ParamOptions& options,
                             ParamOutput& output) {
  const std::optional<SampleInterval> interval =
      ParamInterval(startText, stopText, recording.SampleCount);
  if (!interval) return false;
  auto fill = [&](int row) { output.WriteRow(row, ParamRowTexts(recording, row, *interval, options)); };
  for (int row : kRowsBeforeSearch) fill(row);
  if (options.Shown[kAccelXRow]) SearchExceedances(recording, *interval, options.Tracking, output);
  for (int row : kRowsAfterSearch) fill(row);
  return true;
}
