#include "analysis/Exceedance.h"

#include "analysis/ValueStr.h"
#include "text/NumberText.h"

namespace {

constexpr std::uint32_t kShortestListedSpan = 11;  // sample intervals
constexpr std::uint8_t kSecondsKind = 13;

template <class Beyond>
ExceedanceResult CollectRuns(const double* codesX, SampleInterval interval,
                             const AxisCalibration& x, Beyond beyond) {
  ExceedanceResult result;
  bool open = false;
  std::uint32_t first = 0;
  auto close = [&](std::uint32_t last) {
    if (last - first >= kShortestListedSpan) result.Runs.push_back({first, last});
    open = false;
  };
  for (std::uint64_t i = interval.First; i <= interval.Last; ++i) {
    const auto index = static_cast<std::uint32_t>(i);
    if (beyond(Acceleration(codesX[index], x))) {
      if (!open) first = index;
      open = true;
      result.Exceeded = true;
    } else if (open) {
      close(index - 1);
    }
  }
  if (open) close(interval.Last);
  return result;
}

std::string SignText(ExceedanceSide side) {
  return side == ExceedanceSide::Positive ? "+" : "-";
}

}  // namespace

ExceedanceResult FindExceedances(const double* codesX, SampleInterval interval,
                                 const AxisCalibration& x, double boundLevel, ExceedanceSide side) {
  if (side == ExceedanceSide::Positive) {
    return CollectRuns(codesX, interval, x, [=](double a) { return a >= boundLevel; });
  }
  return CollectRuns(codesX, interval, x, [=](double a) { return a <= -boundLevel; });
}

std::string ExceedanceHeader(ExceedanceSide side, double boundLevel) {
  return "-> Превышение порогового уровня " + SignText(side) + FormatGeneral(boundLevel) + "м/с2";
}

std::string ExceedanceRunLine(const ExceedanceRun& run) {
  return "на " + GetValueString(kSecondsKind, run.First * Recording::TimeStep) + " длительностью " +
         GetValueString(kSecondsKind, (run.Last - run.First) * Recording::TimeStep);
}

std::string ExceedanceMessage(ExceedanceSide side, double boundLevel) {
  return "ВНИМАНИЕ!\r\nБыло превышение порогового уровня " + SignText(side) + " " +
         FormatGeneral(boundLevel) + "м/с2\r\nРезультаты на закладке \"Превышения\"";
}
