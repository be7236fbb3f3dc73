#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

#include "text/NumberText.h"
#include "text/ShortestText.h"

// The texts scripts read: shortest, a point whatever the program's separator,
// and back to the same double through strtod.
TEST(ShortestText, ReadsBackToTheSameDoubleInItsShortestForm) {
  const DecimalSeparatorScope comma(',');
  const struct {
    double value;
    const char* text;
  } cases[] = {{114963 / 1000.0, "114.963"},
               {114963 * 0.001, "114.96300000000001"},  // why times are divided
               {25.0, "25"},
               {-3.0, "-3"},
               {0.0, "0"},
               {-0.0, "-0"},
               {0.1, "0.1"},
               {1.0 / 3, "0.3333333333333333"},
               {1e-5, "1e-05"},
               {1500000.0, "1500000"},
               {1e16, "1e+16"},
               {-2.2250738585072014e-308, "-2.2250738585072014e-308"},
               {5e-324, "5e-324"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShortestText(c.value), c.text);
    EXPECT_EQ(std::strtod(c.text, nullptr), c.value) << c.text;
  }
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 100000; ++i) {
    double value;
    const std::uint64_t b = bits(random);
    std::memcpy(&value, &b, sizeof value);
    if (!std::isfinite(value)) continue;
    const std::string text = ShortestText(value);
    ASSERT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    ASSERT_EQ(text.find(','), std::string::npos);
  }
}

// Every sample of a full recording: its time is the decimal of index ÷ 1000.
TEST(ShortestText, SampleTimesAreTheirDecimals) {
  for (std::uint64_t index = 0; index < 1'500'000; ++index) {
    std::string decimal = std::to_string(index / 1000);
    std::string thousandths = std::to_string(1000 + index % 1000).substr(1);
    while (!thousandths.empty() && thousandths.back() == '0') thousandths.pop_back();
    if (!thousandths.empty()) decimal += "." + thousandths;
    ASSERT_EQ(SampleTimeText(index), decimal);
    ASSERT_EQ(SampleSeconds(index), std::strtod(decimal.c_str(), nullptr));
  }
}
