#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/IntervalParams.h"
#include "analysis/ValueStr.h"
#include "text/NumberText.h"

using ::testing::ElementsAre;

namespace {

// What a calculation gives the window to show: memo lines and warning boxes
// of the passes that found something, and the row texts.
struct Shown {
  std::vector<std::string> memo;
  std::vector<std::string> boxes;
  std::array<RowTexts, kParamRowCount> rows{};
  bool searched = false;
};

Shown ShownOf(const IntervalParamsResult& result) {
  Shown shown;
  shown.rows = result.Texts;
  shown.searched = result.Searched;
  for (const ExceedancePass& pass : result.Passes) {
    if (!pass.Found.Exceeded) continue;
    shown.memo.push_back(pass.Header);
    shown.memo.insert(shown.memo.end(), pass.RunLines.begin(), pass.RunLines.end());
    shown.boxes.push_back("box " + pass.Message);
  }
  return shown;
}

constexpr double kGain = 0.01;  // 100 codes per m/s²

// 5000 quiet samples with X at `acceleration` m/s² on [first, last].
void SetX(Recording& recording, std::uint32_t first, std::uint32_t last, double acceleration) {
  for (std::uint32_t i = first; i <= last; ++i) recording.CodesX[i] = 32768 + acceleration / kGain;
}

Recording QuietRecording() {
  Recording recording(5000);
  recording.SampleCount = 5000;
  for (auto& axis : recording.Calibration) axis = {32768, kGain};
  SetX(recording, 0, 4999, 0);
  return recording;
}

ParamOptions AllShown() {
  ParamOptions options;
  options.Shown.fill(true);
  return options;
}

Shown Calculate(const Recording& recording, const ParamOptions& options = AllShown(),
                const char* start = "0", const char* stop = "4.999") {
  DecimalSeparatorScope point('.');
  const auto interval = ParamInterval(IntervalFromTexts(start, stop), recording.SampleCount);
  EXPECT_TRUE(interval.has_value());
  return interval ? ShownOf(CalculateIntervalParams(recording, *interval, options)) : Shown{};
}

const std::string kPositiveHeader = "-> Превышение порогового уровня +25м/с2";
const std::string kNegativeHeader = "-> Превышение порогового уровня -25м/с2";
const std::string kPositiveBox =
    "box ВНИМАНИЕ!\r\nБыло превышение порогового уровня + 25м/с2\r\n"
    "Результаты на закладке \"Превышения\"";
const std::string kNegativeBox =
    "box ВНИМАНИЕ!\r\nБыло превышение порогового уровня - 25м/с2\r\n"
    "Результаты на закладке \"Превышения\"";

}  // namespace

TEST(RowStatistics, MinMaxMeanAndPopulationDeviationWithInversion) {
  const double values[] = {99, 1, 2, 3, 4, -99};
  const RowStatistics plain = IntervalStatistics(values, {1, 4}, std::nullopt, false);
  EXPECT_EQ(plain.Min, 1);
  EXPECT_EQ(plain.Max, 4);
  EXPECT_EQ(plain.Mean, 2.5);
  EXPECT_DOUBLE_EQ(plain.StdDev, std::sqrt(1.25));
  const RowStatistics inverted = IntervalStatistics(values, {1, 4}, std::nullopt, true);
  EXPECT_EQ(inverted.Min, -4);
  EXPECT_EQ(inverted.Max, -1);
  EXPECT_EQ(inverted.Mean, -2.5);
  EXPECT_DOUBLE_EQ(inverted.StdDev, plain.StdDev);

  const double one[] = {7.5};
  const RowStatistics single = IntervalStatistics(one, {0, 0}, std::nullopt, false);
  EXPECT_EQ(single.Min, 7.5);
  EXPECT_EQ(single.Max, 7.5);
  EXPECT_EQ(single.Mean, 7.5);
  EXPECT_EQ(single.StdDev, 0);
}

TEST(RowStatistics, CalibratedValuesAndExtremesAtEveryPosition) {
  const AxisCalibration axis{32768, 0.5};
  std::vector<double> codes(23, 32770);         // 1 m/s²
  for (std::uint32_t at = 3; at <= 19; ++at) {  // extremes at the first, middle and last sample
    codes[at] = 32768 + 20;
    codes[(at + 5) % 17 + 3] = 32768 - 10;
    const RowStatistics s = IntervalStatistics(codes.data(), {3, 19}, axis, false);
    EXPECT_EQ(s.Max, 10) << at;
    EXPECT_EQ(s.Min, -5) << at;
    codes[at] = codes[(at + 5) % 17 + 3] = 32770;
  }
  const RowStatistics flat = IntervalStatistics(codes.data(), {0, 22}, axis, false);
  EXPECT_EQ(flat.Mean, 1);
  EXPECT_EQ(flat.StdDev, 0);
}

TEST(RowStatistics, ExtremesBeyondAHundredThousandAreReported) {
  std::vector<double> high(9), low(9);
  for (int i = 0; i < 9; ++i) {
    high[i] = 200000 + i;
    low[i] = -200000 - i;
  }
  EXPECT_EQ(IntervalStatistics(high.data(), {0, 8}, std::nullopt, false).Min, 200000);
  EXPECT_EQ(IntervalStatistics(low.data(), {0, 8}, std::nullopt, false).Max, -200000);
}

// The one-pass formula cancels heavily on a curve far from zero, so its
// result depends on the order of the sums: they run in index order.
TEST(RowStatistics, SumsRunInIndexOrder) {
  const double speed[] = {100, 100.00001, 100.00002, 100.00003, 100.00004};
  const RowStatistics s = IntervalStatistics(speed, {0, 4}, std::nullopt, false);
  EXPECT_EQ(ValueToStrMy(3, "м/с", s.StdDev), "14.145 мкм/с");
  // Several curves in one pass give each the result it has alone.
  const double other[] = {3, 1, 4, 1, 5};
  const RowSource sources[] = {{speed, std::nullopt}, {other, AxisCalibration{1, 2}}};
  RowStatistics together[2];
  IntervalStatistics(sources, {0, 4}, false, together);
  EXPECT_EQ(together[0].StdDev, s.StdDev);
  EXPECT_EQ(together[1].Mean, IntervalStatistics(other, {0, 4}, AxisCalibration{1, 2}, false).Mean);
  EXPECT_EQ(together[1].Max, 8);
}

TEST(RowTexts, CodesWithOneDecimalElseValueTexts) {
  DecimalSeparatorScope point('.');
  EXPECT_THAT(StatisticsTexts({32768.26, 40000, 32768.25, 0.04}, true, "м/с2"),
              ElementsAre("32768.3", "40000.0", "32768.3", "0.0"));
  EXPECT_THAT(StatisticsTexts({12.345, 1500, 0, 0.05}, false, "м/с2"),
              ElementsAre("12.345 м/с2", "1.500 км/с2", "0 ", "50.000 мм/с2"));
}

TEST(CalculateParam, RowsAndBothPassesWithTheirBoxes) {
  Recording recording = QuietRecording();
  SetX(recording, 1000, 1011, 30);   // 12 samples: listed with 11 ms
  SetX(recording, 2000, 2010, -30);  // 11 samples: announced, not listed
  const Shown output = Calculate(recording);
  EXPECT_THAT(output.boxes, ElementsAre(kPositiveBox, kNegativeBox));
  EXPECT_THAT(output.memo,
              ElementsAre(kPositiveHeader, "на 1.000 с длительностью 11.000 мс", kNegativeHeader));
  EXPECT_THAT(output.rows[0],
              ElementsAre("-30.000 м/с2", "30.000 м/с2", "6.000 мм/с2", "2.035 м/с2"));
}

TEST(CalculateParam, RunsAtTheEdgesOfTheInterval) {
  Recording recording = QuietRecording();
  SetX(recording, 0, 11, -30);       // from the first sample of the recording
  SetX(recording, 3000, 3020, 30);   // cut by the end of the interval at 3.011 s
  SetX(recording, 4988, 4999, -30);  // open at the last sample
  EXPECT_THAT(Calculate(recording, AllShown(), "0", "3.011").memo,
              ElementsAre(kPositiveHeader, "на 3.000 с длительностью 11.000 мс", kNegativeHeader,
                          "на 0  длительностью 11.000 мс"));
  EXPECT_THAT(Calculate(recording, AllShown(), "0", "3.010").memo,
              ElementsAre(kPositiveHeader, kNegativeHeader, "на 0  длительностью 11.000 мс"));
  EXPECT_THAT(Calculate(recording, AllShown(), "4.000", "4.999").memo,
              ElementsAre(kNegativeHeader, "на 4.988 с длительностью 11.000 мс"));
}

TEST(CalculateParam, SearchIgnoresInversionAndCodesMode) {
  Recording recording = QuietRecording();
  SetX(recording, 1500, 1600, -40);
  ParamOptions options = AllShown();
  options.Settings.Inverted = true;
  options.Settings.CodesMode = true;
  const Shown output = Calculate(recording, options);
  // 100 × 0.001 as a double lies just above 0.1, where no prefix applies.
  EXPECT_THAT(output.memo, ElementsAre(kNegativeHeader, "на 1.500 с длительностью 0.100 с"));
  EXPECT_THAT(output.boxes, ElementsAre(kNegativeBox));
  // The rows show inverted codes with one decimal.
  EXPECT_THAT(output.rows[0], ElementsAre("-32768.0", "-28768.0", "-32687.2", "562.7"));
}

TEST(CalculateParam, HiddenCurvesAndTracking) {
  Recording recording = QuietRecording();
  SetX(recording, 1000, 1100, 30);
  ParamOptions options = AllShown();
  options.Shown[0] = false;
  options.Shown[3] = false;
  Shown output = Calculate(recording, options);
  const RowTexts notComputed{"не вычислен", "не вычислен", "не вычислен", "не вычислен"};
  EXPECT_EQ(output.rows[0], notComputed);
  EXPECT_EQ(output.rows[3], notComputed);
  EXPECT_NE(output.rows[1], notComputed);
  EXPECT_FALSE(output.searched);  // no X acceleration, no search
  EXPECT_TRUE(output.memo.empty());

  options = AllShown();
  options.Tracking = true;
  output = Calculate(recording, options);
  EXPECT_FALSE(output.searched);
  EXPECT_TRUE(output.boxes.empty());
  EXPECT_NE(output.rows[0], notComputed);
}

TEST(CalculateParam, EmptyRecordingShowsNothing) {
  Recording recording(10);
  recording.SampleCount = 0;
  EXPECT_FALSE(ParamInterval(IntervalFromTexts("0", "1"), recording.SampleCount)
                   .has_value());  // nothing to measure
}

TEST(CalculateParam, HeaderAndBoxWriteTheLevelAsGeneralText) {
  Recording recording = QuietRecording();
  ParamOptions options = AllShown();
  options.Settings.BoundLevel = 12.5;
  SetX(recording, 10, 30, 13);
  DecimalSeparatorScope comma(',');
  const Shown output = ShownOf(CalculateIntervalParams(
      recording, *ParamInterval(IntervalFromTexts("0", "4,999"), recording.SampleCount), options));
  EXPECT_THAT(output.memo, ElementsAre("-> Превышение порогового уровня +12,5м/с2",
                                       "на 10,000 мс длительностью 20,000 мс"));
  EXPECT_THAT(output.boxes, ::testing::Contains(
                                "box ВНИМАНИЕ!\r\nБыло превышение порогового уровня + 12,5м/с2\r\n"
                                "Результаты на закладке \"Превышения\""));
}
