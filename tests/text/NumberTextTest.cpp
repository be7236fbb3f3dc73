#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "text/NumberText.h"

TEST(FixedText, IntervalTimesHaveThreeDecimals) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(FormatFixed(0, 7, 3), "0.000");
  EXPECT_EQ(FormatFixed(0.019, 7, 3), "0.019");
  EXPECT_EQ(FormatFixed(1499.999, 7, 3), "1499.999");
  EXPECT_EQ(FormatFixed(1.0625, 7, 3), "1.063");  // an exact half goes away from zero
  EXPECT_EQ(FormatFixed(-1.0625, 7, 3), "-1.063");
  EXPECT_EQ(FormatFixed(1.2345, 7, 3), "1.234");          // the double lies just below the half
  EXPECT_EQ(FormatFixed(12345.6789, 7, 3), "12345.680");  // 7 significant digits
  EXPECT_EQ(FormatFixed(-0.0001, 7, 3), "0.000");         // no sign on a rounded zero
  EXPECT_EQ(FormatFixed(9.9996, 7, 3), "10.000");
  EXPECT_EQ(FormatFixed(123456789.0, 7, 3), "1.234568E8");  // too many digits: scientific
}

TEST(FixedText, CodesAndCalibration) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(FormatFixed(32768.26, 6, 1), "32768.3");
  EXPECT_EQ(FormatFixed(32768.25, 6, 1), "32768.3");  // an exact half goes away from zero
  EXPECT_EQ(FormatFixed(32768, 15, 0), "32768");
  EXPECT_EQ(FormatFixed(0.00059906005859375, 10, 5), "0.00060");
  EXPECT_EQ(FormatFixed(9.815, 10, 3), "9.815");
}

TEST(FixedText, UsesTheProgramWideSeparator) {
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(FormatFixed(1.5, 7, 3), "1,500");
  EXPECT_EQ(FormatGeneral(12.5), "12,5");
}

TEST(GeneralText, ShortestWithFifteenDigits) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(FormatGeneral(25.0), "25");
  EXPECT_EQ(FormatGeneral(1.5), "1.5");
  EXPECT_EQ(FormatGeneral(0.1), "0.1");
  EXPECT_EQ(FormatGeneral(2.0 - 0.5), "1.5");
  EXPECT_EQ(FormatGeneral(-30), "-30");
  EXPECT_EQ(FormatGeneral(0), "0");
  EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
  EXPECT_EQ(FormatGeneral(0.00001), "1E-5");
  EXPECT_EQ(FormatGeneral(1e20), "1E20");
  EXPECT_EQ(FormatGeneral(1.0 / 3), "0.333333333333333");
}

TEST(TextToNumber, AcceptsOnlyNumbersInTheCurrentSeparator) {
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(StrToFloat("12,5"), 12.5L);
  EXPECT_EQ(StrToFloat("  -20 "), -20.0L);
  EXPECT_EQ(StrToFloat("1E3"), 1000.0L);
  EXPECT_EQ(StrToFloat(",5"), 0.5L);
  for (const char* bad : {"12.5", "", "-", "abc", "1e", "1,2,3", "--1", "1 2", ","}) {
    EXPECT_FALSE(TryStrToFloat(bad).has_value()) << bad;
  }
}

TEST(TextToNumber, FailureCarriesTheUsersTextWithControlBytesEscaped) {
  DecimalSeparatorScope point('.');
  const std::pair<std::string, const char*> cases[] = {
      {"abc", "'abc' is not a valid floating point value"},
      {std::string("1\0\x1b[2J\x7f", 7),
       "'1\\x00\\x1b[2J\\x7f' is not a valid floating point value"},
  };
  for (const auto& [text, message] : cases) {
    try {
      StrToFloat(text);
      ADD_FAILURE() << message << ": no exception";
    } catch (const ConversionError& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
}
