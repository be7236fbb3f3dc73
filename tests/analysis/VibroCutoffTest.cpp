// The cut-offs the vibration speed accepts give a filter that settles over a
// full-length recording; the ones next to half the sample rate are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis/VibroSpeed.h"

TEST(VibroCutoff, AcceptedCutOffsStayBoundedOverAFullRecording) {
  EXPECT_EQ(HighestStableCutoff(), 499.9);
  for (double cutoff : {1.0, 10.0, 250.0, 499.0, 499.9}) {
    ASSERT_TRUE(VibroCutoffStable(cutoff)) << cutoff;
    Recording recording(1'500'000);
    recording.SampleCount = 1'500'000;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> noise(-1, 1);
    for (std::uint32_t i = 0; i < recording.SampleCount; ++i)
      recording.LinSpeedX[i] = noise(random);
    auto filter = LoadIIRFilter(nullptr, "check", kVibroSpeedFilterResource);
    filter->SetFrequency1(cutoff);
    filter->SetFrequency2(cutoff);
    FilterVibroSpeed(recording, *filter);
    double largest = 0;
    for (std::uint32_t i = 1; i < recording.SampleCount; ++i) {
      largest = std::fmax(largest, std::fabs(recording.VibroSpeedX[i]));
    }
    EXPECT_LT(largest, 10) << cutoff;  // a unit input stays of its own size
  }
  for (double cutoff : {499.99, 500.0}) EXPECT_FALSE(VibroCutoffStable(cutoff)) << cutoff;
}
