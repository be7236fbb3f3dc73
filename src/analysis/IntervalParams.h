// The parameters of the selected interval: minimum, maximum, mean and
// standard deviation of the five curves of the parameter list, and the
// calculation that fills the list and runs the exceedance search.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/Interval.h"
#include "analysis/RowStatistics.h"
#include "app/Recording.h"

inline constexpr int kParamRowCount = 5;

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
using RowTexts = std::array<std::string, 4>;

// In ADC-code mode one decimal and no unit; otherwise value texts with a
// prefix and `unit`.
RowTexts StatisticsTexts(const RowStatistics& statistics, bool codesMode, const std::string& unit);

struct ParamOptions {
  std::array<bool, kParamRowCount> Shown{};  // the curve of each row is shown
  bool Tracking = false;                     // the list follows the cursor
  bool Inverted = false;
  bool CodesMode = false;  // measure raw ADC codes
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

// Where a calculation writes, in the order the user is meant to see it.
class ParamOutput {
 public:
  virtual ~ParamOutput() = default;
  virtual void WriteRow(int row, const RowTexts& cells) = 0;
  virtual void ClearMemo() = 0;
  virtual void AppendMemoLine(const std::string& line) = 0;
  // Waits until the user has dismissed the warning.
  virtual void ShowMessage(const std::string& text) = 0;
  // Tracking skips the search and brings the parameters page to the front.
  virtual void ShowFirstPage() = 0;
};

// Measures the interval given by the two time texts: rows 3, 4 and 0, then
// (when the X acceleration is shown) the exceedance search with its memo
// lines and warnings, then rows 1 and 2. Returns false, writing nothing,
// for an empty recording.
bool CalculateIntervalParams(const Recording& recording, std::string_view startText,
                             std::string_view stopText, const ParamOptions& options,
                             ParamOutput& output);
