#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

#include "analysis/Interval.h"
#include "text/NumberText.h"

namespace {

using Indices = std::pair<std::uint32_t, std::uint32_t>;

Indices Param(const char* start, const char* stop, std::uint32_t count = 5000) {
  const auto interval = ParamInterval(IntervalFromTexts(start, stop), count);
  if (!interval) ADD_FAILURE() << "no interval for " << start << " .. " << stop;
  return interval ? Indices(interval->First, interval->Last) : Indices();
}

Indices Crop(const char* start, const char* stop, std::uint32_t count = 5000) {
  const auto range = CropInterval(IntervalFromTexts(start, stop), count);
  if (!range) ADD_FAILURE() << "no range for " << start << " .. " << stop;
  return range ? Indices(range->Start, range->Stop) : Indices();
}

}  // namespace

TEST(ParamIntervalRule, BothEndsIncludedWithFallbacksToTheWholeRecording) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(Param("1.000", "2.000"), Indices(1000, 2000));
  EXPECT_EQ(Param("1.000", "1.000"), Indices(1000, 1000));  // one sample
  EXPECT_EQ(Param("0", "4.999"), Indices(0, 4999));
  EXPECT_EQ(Param("abc", "2.000"), Indices(0, 2000));     // not a number: the first sample
  EXPECT_EQ(Param("1.000", ""), Indices(1000, 4999));     // not a number: the last sample
  EXPECT_EQ(Param("2.000", "1.000"), Indices(0, 4999));   // reversed
  EXPECT_EQ(Param("1.000", "5.000"), Indices(0, 4999));   // just past the last sample
  EXPECT_EQ(Param("-0.002", "1.000"), Indices(0, 4999));  // negative
  EXPECT_EQ(Param("1.000", "-0.002"), Indices(0, 4999));
  EXPECT_EQ(Param("-0.0004", "0.010"), Indices(0, 10));  // rounds to 0, not negative
  EXPECT_EQ(Param("1e300", "1e400"), Indices(0, 4999));
  EXPECT_EQ(Param("0", "0", 1), Indices(0, 0));
  EXPECT_EQ(Param("x", "y", 1), Indices(0, 0));
  EXPECT_FALSE(ParamInterval(IntervalFromTexts("0", "1"), 0).has_value());  // none when empty
  EXPECT_FALSE(ParamInterval(IntervalFromTexts("x", "y"), 0).has_value());
}

TEST(IntervalRounding, NearestIndexWithHalvesToEven) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(Param("0.0004", "0.0016"), Indices(0, 2));
  EXPECT_EQ(Param("0.0005", "0.0015"), Indices(0, 2));
  EXPECT_EQ(Param("0.0025", "0.0035"), Indices(2, 4));
  // Decimal halves whose binary values fall to either side of the half.
  EXPECT_EQ(Param("0.0215", "0.0255"), Indices(22, 26));
  EXPECT_EQ(Param("1499.9975", "1499.9985", 1500000), Indices(1499998, 1499998));
  EXPECT_EQ(Crop("0.0215", "0.0225"), Indices(22, 22));
  EXPECT_EQ(Crop("0.0016", "0.0025"), Indices(2, 2));
}

TEST(IntervalTexts, ReadWithTheProgramWideSeparator) {
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(Param("1,000", "2,5"), Indices(1000, 2500));
  EXPECT_EQ(Param("1.000", "2,5"), Indices(0, 2500));  // a point is no number now
  EXPECT_EQ(Crop("1,000", "2.000"), Indices(1000, 5000));
}

TEST(CropIntervalRule, StopExcludedAndUnusableSelectionsKeepEverything) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(Crop("1.000", "2.000"), Indices(1000, 2000));
  EXPECT_EQ(Crop("0.0004", "0.010"), Indices(0, 10));
  EXPECT_EQ(Crop("4.000", "5.000"), Indices(4000, 5000));  // stop at SampleCount is accepted
  EXPECT_EQ(Crop("1.000", "1.001"), Indices(1000, 1001));  // one sample
  EXPECT_EQ(Crop("1.000", "1.000"), Indices(1000, 1000));  // nothing
  EXPECT_EQ(Crop("-3", "2.000"), Indices(0, 2000));        // a negative start is 0
  EXPECT_EQ(Crop("", "2.000"), Indices(0, 2000));
  EXPECT_EQ(Crop("1.000", "?"), Indices(1000, 5000));
  // Unusable: the whole recording, its last sample included.
  EXPECT_EQ(Crop("1.000", "5.001"), Indices(0, 5000));
  EXPECT_EQ(Crop("2.000", "1.000"), Indices(0, 5000));
  EXPECT_EQ(Crop("1.000", "-1.000"), Indices(0, 5000));
  EXPECT_EQ(Crop("1e300", "x"), Indices(0, 5000));
  // An empty recording: a usable selection is still a crop, an unusable one is nothing.
  EXPECT_EQ(Crop("0", "0", 0), Indices(0, 0));
  EXPECT_FALSE(CropInterval(IntervalFromTexts("0", "1.000"), 0).has_value());
}

// A typed pair is taken as the tool row shows it, three decimals, and only
// on the recording (0 … the last sample's time) with the start not after the
// stop (the window's tests refuse the plainer cases).
TEST(TypedIntervalRule, TimesOnTheRecordingAsShownWithThreeDecimals) {
  DecimalSeparatorScope comma(',');
  using Times = std::optional<std::pair<double, double>>;
  const std::tuple<const char*, const char*, Times> cases[] = {
      {"0", "4,999", std::pair{0.0, 4.999}},
      {"2,5", "2,5", std::pair{2.5, 2.5}},
      {"1,2344", "4,9994", std::pair{1.234, 4.999}},
      {"-0,0004", "0,01", std::pair{0.0, 0.01}},
      {"4,9996", "4,9996", std::nullopt},
      {"-0,001", "1,000", std::nullopt},
      {"1.000", "2,000", std::nullopt},
      {"1e400", "1e400", std::nullopt}};
  for (const auto& [start, stop, expected] : cases) {
    const auto times = TypedIntervalTimes(start, stop, 5000);
    ASSERT_EQ(times.has_value(), expected.has_value()) << start << " … " << stop;
    if (!times) continue;
    EXPECT_EQ(std::pair(times->Start, times->Stop), *expected) << start;
    EXPECT_FALSE(std::signbit(times->Start)) << start;  // "-0,000" never shows
  }
  EXPECT_TRUE(TypedIntervalTimes("0", "0", 1).has_value());
  EXPECT_FALSE(TypedIntervalTimes("0", "0", 0).has_value());  // nothing to choose from
}
