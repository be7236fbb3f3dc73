#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/ValueStr.h"
#include "text/NumberText.h"

TEST(ValueText, ScalesIntoThePrefixGroupOfTheTruncatedExponent) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(ValueToStr(3, "м/с2", -0.5), "-0.500 м/с2");
  EXPECT_EQ(ValueToStr(3, "м/с2", 0.05), "50.000 мм/с2");
  EXPECT_EQ(ValueToStr(3, "м/с2", 0.0002), "0.200 мм/с2");
  EXPECT_EQ(ValueToStr(3, "м/с2", 0.00005), "50.000 мкм/с2");
  EXPECT_EQ(ValueToStr(3, "м/с2", 1500), "1.500 км/с2");
  EXPECT_EQ(ValueToStr(3, "м/с2", 999), "999.000 м/с2");
  EXPECT_EQ(ValueToStr(3, "В", 2e-9), "2.000 нВ");
  EXPECT_EQ(ValueToStr(3, "В", -2.5e6), "-2.500 МВ");
  EXPECT_EQ(ValueToStr(3, "В", 5e9), "5.000 ГВ");
}

TEST(ValueText, PowersOfTenFallOnTheSideOfTheirTruncatedExponent) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(ValueToStr(3, "с", 1), "1.000 с");
  EXPECT_EQ(ValueToStr(3, "с", 1000), "1.000 кс");
  EXPECT_EQ(ValueToStr(3, "с", 1e6), "1.000 Мс");
  EXPECT_EQ(ValueToStr(3, "с", 1e9), "1.000 Гс");
  // Below 1 a power of ten belongs to the group under it: 0.1 is 100 м, 1e-4 is 100 мк.
  EXPECT_EQ(ValueToStr(3, "с", 0.1L), "100.000 мс");
  EXPECT_EQ(ValueToStr(3, "с", 0.001L), "1.000 мс");
  EXPECT_EQ(ValueToStr(3, "с", 1e-4L), "100.000 мкс");
  EXPECT_EQ(ValueToStr(3, "с", 1e-7L), "100.000 нс");
  EXPECT_EQ(ValueToStr(3, "с", 1e-10L), "100.000 пс");
  // Either side of the borders.
  EXPECT_EQ(ValueToStr(3, "с", 0.1001), "0.100 с");
  EXPECT_EQ(ValueToStr(3, "с", 0.09999), "99.990 мс");
  EXPECT_EQ(ValueToStr(3, "с", 0.00010001), "0.100 мс");
  EXPECT_EQ(ValueToStr(3, "с", 999.9999L), "1000.000 с");  // rounding does not regroup
  // Next to a power of ten log10 rounds onto it; the group must not follow.
  EXPECT_EQ(ValueToStr(3, "с", std::nextafter(1000.0L, 0.0L)), "1000.000 с");
  EXPECT_EQ(ValueToStr(3, "с", std::nextafter(1e6L, 0.0L)), "1000.000 кс");
  EXPECT_EQ(ValueToStr(3, "с", std::nextafter(0.1L, 1.0L)), "0.100 с");
  EXPECT_EQ(ValueToStr(3, "с", std::nextafter(1e-4L, 1.0L)), "0.100 мс");
  EXPECT_EQ(ValueToStr(3, "с", 1000.0001L), "1.000 кс");
  // From 1000 up the group's factor multiplies: 1001.5 × 10^-3 lies just below the half.
  EXPECT_EQ(GetValueString(13, 1001.5), "1.001 кс");
}

TEST(ValueText, RoundsAtSixSignificantDigitsOrTheDecimals) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(GetValueString(14, 123.45678), "123.4570 Гц");
  EXPECT_EQ(GetValueString(14, 12.345678), "12.3457 Гц");
  EXPECT_EQ(ValueToStr(3, "с", 1.0625), "1.063 с");  // an exact half goes away from zero
  EXPECT_EQ(ValueToStr(3, "с", -1.0625), "-1.063 с");
  EXPECT_EQ(ValueToStr(1, "%", 0.25), "0.3 %");
  EXPECT_EQ(ValueToStr(0, "с", 12.5), "13 с");
}

TEST(ValueText, ZeroBelowAPicoAndNothingFromATera) {
  DecimalSeparatorScope point('.');
  for (long double tiny : {0.0L, -0.0L, 9.99e-13L, -5e-13L}) {
    EXPECT_EQ(ValueToStr(3, "м/с2", tiny), "0 ") << tiny;
    EXPECT_EQ(ValueToStrMy(3, "м/с", tiny), "0 ") << tiny;
  }
  EXPECT_EQ(ValueToStr(3, "м/с2", 1e-12L), "1.000 пм/с2");
  EXPECT_EQ(ValueToStr(3, "м/с2", 999999999999.0L), "1000.000 Гм/с2");
  for (long double huge : {1e12L, 5e15L, std::numeric_limits<long double>::infinity()}) {
    EXPECT_EQ(ValueToStr(3, "м/с2", huge), "") << huge;
    EXPECT_EQ(ValueToStr(3, "м/с2", -huge), "-") << huge;
    EXPECT_EQ(ValueToStrMy(3, "м/с2", -huge), "-") << huge;
  }
}

TEST(MainWindowValueText, FixedTextsReplacePrefixAndUnit) {
  DecimalSeparatorScope point('.');
  EXPECT_EQ(ValueToStrMy(3, "м/с", 2.5e6), "2.500 ктc");  // Latin c
  EXPECT_EQ(ValueToStrMy(3, "м/с2", 2.5e6), "2.500 Мм/с2");
  EXPECT_EQ(ValueToStrMy(3, "м/с2", 5e9), "5.000 Мтc");
  EXPECT_EQ(ValueToStrMy(3, "м/с", -5e9), "-5.000 Мтc");
  EXPECT_EQ(ValueToStrMy(3, "H", 5e9), "5.000 ГH");  // Latin H
  EXPECT_EQ(ValueToStrMy(3, "h", 5e9), "5.000 Мтc");
  EXPECT_EQ(ValueToStrMy(3, "м/с", 5e-11), "50.000 10^-6гс");  // Cyrillic с
  EXPECT_EQ(ValueToStrMy(3, "м/с2", 5e-11), "50.000 пм/с2");
  EXPECT_EQ(ValueToStrMy(3, "м/с2 ", 5e-11), "50.000 10^-6гс");  // the whole text is compared
  EXPECT_EQ(ValueToStrMy(3, "м/с", 0.05), "50.000 мм/с");
  EXPECT_EQ(ValueToStrMy(3, "м/с2", 0.05), "50.000 мм/с2");
  EXPECT_EQ(ValueToStrMy(3, "м/с2", 12.345), "12.345 м/с2");
  EXPECT_EQ(ValueToStrMy(3, "м/с", -0.085), "-85.000 мм/с");
}

TEST(KindText, TableGivesDecimalsAndUnit) {
  DecimalSeparatorScope point('.');
  for (int kind = 0; kind <= 255; ++kind) {
    std::string expected;
    if (kind <= 8) {
      expected = "1.500 В";
    } else if (kind <= 12 || kind == 19) {
      expected = "1.5 %";
    } else if (kind == 14) {
      expected = "1.5000 Гц";
    } else if (kind <= 21) {
      expected = "1.500 с";
    }
    EXPECT_EQ(GetValueString(static_cast<std::uint8_t>(kind), 1.5), expected) << kind;
  }
  EXPECT_EQ(GetValueString(13, 0.015), "15.000 мс");
  EXPECT_EQ(GetValueString(9, 12.34), "12.3 %");
  EXPECT_EQ(GetValueString(14, 50), "50.0000 Гц");
}

TEST(ValueText, FollowsTheProgramWideSeparator) {
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(ValueToStr(3, "м/с2", -0.5), "-0,500 м/с2");
  EXPECT_EQ(GetValueString(13, 0.015), "15,000 мс");
  EXPECT_EQ(ValueToStrMy(3, "м/с", 2.5e6), "2,500 ктc");
  SetDecimalSeparator('.');  // what saving a codes file does
  EXPECT_EQ(ValueToStr(3, "с", 0.5), "0.500 с");
}
