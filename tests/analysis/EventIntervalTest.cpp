// The stretches around a found event: three of its durations on each side,
// never beyond the recording, whatever the event's length; a drop's view
// reaches the end of its impact's search.
#include <gtest/gtest.h>

#include "analysis/EventInterval.h"

TEST(EventInterval, ThreeDurationsOfMarginOnEachSideWithinTheRecording) {
  const struct {
    std::uint32_t first, last, count;
    SampleInterval expected;
  } cases[] = {
      {100, 109, 1000, {70, 139}},                               // 10 samples: 30 on each side
      {5, 14, 1000, {0, 44}},                                    // clamped at the start
      {990, 995, 1000, {972, 999}},                              // clamped at the end
      {500, 500, 1000, {497, 503}},                              // one sample
      {0, 999, 1000, {0, 999}},                                  // the whole recording
      {3, 3, 4, {0, 3}},                                         // a tiny recording
      {1, 4'000'000'000u, 4'100'000'000u, {0, 4'099'999'999u}},  // margins past 32 bits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IntervalAroundEvent(c.first, c.last, c.count), c.expected)
        << c.first << " … " << c.last << " of " << c.count;
  }
}

TEST(EventInterval, ADropsViewIsItsFallAndTheHundredSamplesAfter) {
  Drop drop;
  drop.First = 3000;
  drop.Last = 3403;
  EXPECT_EQ(FallAndImpact(drop, 10000), (SampleInterval{3000, 3503}));
  EXPECT_EQ(FallAndImpact(drop, 3450), (SampleInterval{3000, 3449}));
  EXPECT_EQ(FallAndImpact(drop, 3404), (SampleInterval{3000, 3403}));  // the recording ends with it
}
