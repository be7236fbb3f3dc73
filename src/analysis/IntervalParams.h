// The parameters of the selected interval: minimum, maximum, mean and
// standard deviation of the five curves of the parameter list, and the
// exceedance search, returned for the window or the command line to show.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Exceedance.h"
#include "analysis/Interval.h"
#include "analysis/RowStatistics.h"
#include "model/AnalysisSettings.h"
#include "model/Recording.h"

inline constexpr int kParamRowCount = 5;
inline constexpr int kParamValueColumns = 4;  // minimum, maximum, mean, deviation
inline constexpr int kAccelXRow = 0;          // its curve decides the exceedance search
inline constexpr int kVibroSpeedRow = 3;

struct ParamRowDef {
  const char* Caption;
  const char* Unit;
  Recording::Array Recording::*Source;
  std::optional<Axis> CalibrationAxis;  // none: the source is already in m/s
};

// Rows 0-2: vibration acceleration X, Y, Z; row 3: vibration speed X; row 4:
// linear speed X.
extern const std::array<ParamRowDef, kParamRowCount> ParamRows;

// The text of every cell of a row whose curve is hidden.
extern const char* const kNotComputedText;

// Cells 1-4 of a row: minimum, maximum, mean, standard deviation.
using RowTexts = std::array<std::string, kParamValueColumns>;

// In ADC-code mode one decimal and no unit; otherwise value texts with a
// prefix and `unit`.
RowTexts StatisticsTexts(const RowStatistics& statistics, bool codesMode, const std::string& unit);

struct ParamOptions {
  std::array<bool, kParamRowCount> Shown{};  // the curve of each row is shown
  bool Tracking = false;                     // the list follows the cursor: no search
  AnalysisSettings Settings;                 // threshold, ADC-code mode, inversion
};

// The statistics of the rows whose curves are shown (nothing for the
// others), calibrated unless in ADC-code mode, all in one pass.
std::array<std::optional<RowStatistics>, kParamRowCount> ParamRowsStatistics(
    const Recording& recording, SampleInterval interval, const ParamOptions& options);

// The statistics of one shown row's curve.
RowStatistics ParamRowStatistics(const Recording& recording, int row, SampleInterval interval,
                                 const ParamOptions& options);

// The four cell texts of one row: "не вычислен" while its curve is hidden.
RowTexts ParamRowTexts(const std::optional<RowStatistics>& statistics, int row,
                       const ParamOptions& options);

// One pass of the exceedance search with the texts it shows: the memo's
// header and run lines, and the warning box, when the pass found something.
struct ExceedancePass {
  ExceedanceSide Side = ExceedanceSide::Positive;
  ExceedanceResult Found;
  std::string Header;  // "-> Превышение порогового уровня +25м/с2"
  std::vector<std::string> RunLines;  // one per listed run
  std::string Message;                // the warning box's text
};

struct IntervalParamsResult {
  std::array<std::optional<RowStatistics>, kParamRowCount> Statistics;  // shown rows only
  std::array<RowTexts, kParamRowCount> Texts;
  // Whether the search ran: the X acceleration is shown and nobody tracks.
  bool Searched = false;
  std::array<ExceedancePass, 2> Passes;  // positive, then negative; empty unless Searched
};

// The order in which a calculation is shown: these rows, then the search,
// then the rest.
inline constexpr std::array<int, 3> kRowsBeforeSearch = {3, 4, 0};
inline constexpr std::array<int, 2> kRowsAfterSearch = {1, 2};

// Measures the interval: every shown row and, when the X acceleration is
// shown and nobody tracks, both exceedance passes against the threshold.
IntervalParamsResult CalculateIntervalParams(const Recording& recording, SampleInterval interval,
                                             const ParamOptions& options);
