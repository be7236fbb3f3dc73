#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "dsp/FilterReference.h"
#include "dsp/dspIIRFilters.h"

namespace {

using dsptest::MakeFilter;
using dsptest::ReferenceRecurrence;

// The outputs for a fixed noise input, so two streams can be compared exactly.
std::vector<long double> Feed(TdspCustomIIRFilter& filter, int count, unsigned seed = 7) {
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0, 1);
  std::vector<long double> out;
  for (int i = 0; i < count; ++i) out.push_back(filter.Filter(noise(random)));
  return out;
}

TEST(IIRFilter, NewComponentSettings) {
  TComponentBase form(nullptr);
  const TdspIIRFilter filter(&form);
  EXPECT_EQ(filter.Owner(), &form);
  EXPECT_EQ(filter.Kind(), fkButterworth);
  EXPECT_EQ(filter.Response(), ftLowpass);
  EXPECT_EQ(filter.Order(), 1);
  EXPECT_EQ(filter.Frequency1(), 300);
  EXPECT_EQ(filter.Frequency2(), 300);  // a low-pass reads Frequency1
  EXPECT_EQ(filter.SampleRate(), 44100);
  EXPECT_EQ(filter.Ripple(), 0.1L);
  EXPECT_FALSE(filter.ManualReset());
}

// The delay-line layout must not change a single bit of the documented sums.
TEST(IIRFilter, FiltersExactlyAsTheDocumentedRecurrence) {
  for (TdspIIRFilterKind kind : {fkButterworth, fkChebyshev, fkBessel}) {
    for (TdspIIRFilterResponse response : {ftLowpass, ftHighpass, ftBandpass, ftBandstop}) {
      for (int order = 1; order <= 8; ++order) {
        const auto filter = MakeFilter(kind, response, order, 100, 230);
        ReferenceRecurrence reference(*filter);
        std::mt19937 random(order);
        std::normal_distribution<double> noise(0, 1);
        int mismatches = 0;
        for (int i = 0; i < 200; ++i) {
          const long double x = noise(random);
          mismatches += filter->Filter(x) != reference.Step(x);
        }
        EXPECT_EQ(mismatches, 0) << int(kind) << " " << int(response) << " " << order;
      }
    }
  }
}

TEST(IIRFilter, VibrationSpeedFilterFromClearedState) {
  const auto filter = dsptest::MakeVibroSpeedFilter();
  ReferenceRecurrence reference(*filter);
  EXPECT_NEAR(filter->Filter(1), 0.903314275L, 1e-9L);
  EXPECT_EQ(reference.Step(1), filter->InputScale());
  long double y = 0;
  for (int i = 1; i < 3000; ++i) {
    y = filter->Filter(1);
    ASSERT_EQ(y, reference.Step(1)) << i;
  }
  EXPECT_LT(std::fabs(y), 1e-12L);  // a constant does not pass a high-pass
}

TEST(IIRFilter, TinyValuesBecomeExactlyZero) {
  const auto filter = MakeFilter(fkButterworth, ftLowpass, 2, 100, 100);
  EXPECT_EQ(filter->Filter(1e-41L), 0);
  long double y = filter->Filter(1);
  for (int steps = 0; y != 0 && steps < 100000; ++steps) y = filter->Filter(0);
  EXPECT_EQ(y, 0) << "the impulse response lingers";
}

TEST(IIRFilter, EqualBandCornersBindZeroOrPassThrough) {
  const auto bandpass = MakeFilter(fkChebyshev, ftBandpass, 3, 120, 120);
  const auto bandstop = MakeFilter(fkChebyshev, ftBandstop, 3, 120, 120);
  for (long double x : {1.0L, -7.25L, 1e300L}) {
    EXPECT_EQ(bandpass->Filter(x), 0);
    EXPECT_EQ(bandstop->Filter(x), x);
  }
  // The design itself is still made, with the bandwidth floor.
  EXPECT_EQ(bandpass->TapCount(), 6);
  EXPECT_TRUE(std::isfinite(bandpass->InputScale()));
  // Parting the corners binds the recurrence again.
  bandpass->SetFrequency2(180);
  ReferenceRecurrence reference(*bandpass);
  EXPECT_EQ(bandpass->Filter(1), reference.Step(1));
  EXPECT_EQ(bandpass->Filter(0), reference.Step(0));
}

TEST(IIRFilter, IgnoredAndEqualWritesNeitherRedesignNorReset) {
  const auto filter = MakeFilter(fkButterworth, ftHighpass, 4, 20, 20);
  const auto twin = MakeFilter(fkButterworth, ftHighpass, 4, 20, 20);
  Feed(*filter, 50);
  Feed(*twin, 50);
  filter->SetOrder(0);
  filter->SetOrder(9);
  filter->SetKind(static_cast<TdspIIRFilterKind>(3));
  filter->SetResponse(static_cast<TdspIIRFilterResponse>(4));
  filter->SetOrder(4);
  filter->SetKind(fkButterworth);
  filter->SetResponse(ftHighpass);
  filter->SetFrequency1(20);
  filter->SetFrequency2(20);
  filter->SetSampleRate(1000);
  filter->SetSampleRate(0);
  filter->SetSampleRate(-10);
  filter->SetRipple(0.1L);
  EXPECT_EQ(filter->Order(), 4);
  EXPECT_EQ(filter->Kind(), fkButterworth);
  EXPECT_EQ(filter->Response(), ftHighpass);
  EXPECT_EQ(filter->SampleRate(), 1000);
  EXPECT_EQ(Feed(*filter, 20, 9), Feed(*twin, 20, 9));
}

TEST(IIRFilter, FrequencyWritersClampAndReadBack) {
  const auto filter = MakeFilter(fkButterworth, ftLowpass, 2, 100, 100);
  filter->SetFrequency1(600);
  EXPECT_EQ(filter->Frequency1(), 500 - 0.0001L);
  filter->SetFrequency1(-5);
  EXPECT_EQ(filter->Frequency1(), 1e-10L);
  // Any corner below Order × 0.0001 of the sample rate designs alike.
  const auto atFloor = MakeFilter(fkButterworth, ftLowpass, 2, 0.1L, 0.1L);
  EXPECT_EQ(filter->InputScale(), atFloor->InputScale());
  EXPECT_EQ(filter->FeedbackCoefficients()[0], atFloor->FeedbackCoefficients()[0]);

  filter->SetFrequency2(250);
  EXPECT_EQ(filter->Frequency2(), 1e-10L);  // low-pass: Frequency1
  filter->SetResponse(ftBandstop);
  EXPECT_EQ(filter->Frequency2(), 250);

  TdspIIRFilter created(nullptr);
  created.SetSampleRate(100);  // 300 Hz no longer fits
  EXPECT_EQ(created.Frequency1(), 50 - 0.0001L);
}

TEST(IIRFilter, RippleIsAtLeastATenthAndRedesignsOnlyAChebyshev) {
  const auto butterworth = MakeFilter(fkButterworth, ftLowpass, 3, 100, 100);
  const auto twin = MakeFilter(fkButterworth, ftLowpass, 3, 100, 100);
  Feed(*butterworth, 30);
  Feed(*twin, 30);
  butterworth->SetRipple(0.05L);
  EXPECT_EQ(butterworth->Ripple(), 0.1L);
  butterworth->SetRipple(-3);
  EXPECT_EQ(butterworth->Ripple(), 3);
  EXPECT_EQ(Feed(*butterworth, 10, 3), Feed(*twin, 10, 3));

  const auto chebyshev = MakeFilter(fkChebyshev, ftLowpass, 3, 100, 100, 1000, 0.5L);
  const long double before = chebyshev->InputScale();
  Feed(*chebyshev, 30);
  chebyshev->SetRipple(-3);
  EXPECT_NE(chebyshev->InputScale(), before);
  ReferenceRecurrence reference(*chebyshev);  // redesigned, from cleared lines
  EXPECT_EQ(chebyshev->Filter(1), reference.Step(1));
  chebyshev->SetRipple(3);  // the current value: no redesign, no reset
  EXPECT_EQ(chebyshev->Filter(1), reference.Step(1));
}

TEST(IIRFilter, ManualResetKeepsTheDelayLinesButOrderAndResponseClearThem) {
  for (bool manual : {false, true}) {
    SCOPED_TRACE(manual);
    const auto filter = MakeFilter(fkBessel, ftHighpass, 4, 30, 30);
    filter->SetManualReset(manual);
    ReferenceRecurrence reference(*filter);
    for (long double x : {0.5L, -1.0L, 2.0L, 0.25L, 3.0L}) {
      ASSERT_EQ(filter->Filter(x), reference.Step(x));
    }
    filter->SetKind(fkButterworth);
    filter->SetFrequency1(45);
    filter->SetSampleRate(1200);
    if (manual) {
      reference.TakeDesign(*filter);  // the stream goes on with new coefficients
      for (long double x : {1.0L, 0.0L, -2.0L}) EXPECT_EQ(filter->Filter(x), reference.Step(x));
    } else {
      EXPECT_EQ(filter->Filter(2), filter->InputScale() * 2);
    }
    Feed(*filter, 40);
    filter->SetOrder(2);
    EXPECT_EQ(filter->Filter(2), filter->InputScale() * 2);
    Feed(*filter, 40);
    filter->SetResponse(ftLowpass);
    EXPECT_EQ(filter->Filter(2), filter->InputScale() * 2);
    Feed(*filter, 40);
    filter->Reset();
    EXPECT_EQ(filter->Filter(2), filter->InputScale() * 2);
  }
}

TEST(IIRFilter, LoadingStoresUnclampedAndDesignsOnceAtTheEnd) {
  TdspIIRFilter filter(nullptr);
  filter.BeginLoading();
  filter.SetOrder(3);
  filter.SetFrequency1(30000);  // above half the sample rate: kept while loading
  EXPECT_EQ(filter.TapCount(), 1);
  filter.Loaded();
  EXPECT_FALSE(filter.Loading());
  EXPECT_EQ(filter.TapCount(), 3);
  EXPECT_EQ(filter.Frequency1(), 30000);
}

TEST(IIRFilter, MainWindowFilterFromItsResource) {
  TComponentBase form(nullptr);
  const auto filter = LoadIIRFilter(&form, "dspIIRFilter3",
                                    {fkButterworth, ftHighpass, 5, 10, 10, 1000, 0.1L, false});
  EXPECT_EQ(filter->Name(), "dspIIRFilter3");
  EXPECT_EQ(filter->Owner(), &form);
  EXPECT_FALSE(filter->Loading());
  EXPECT_EQ(filter->Response(), ftHighpass);
  EXPECT_EQ(filter->Order(), 5);
  EXPECT_EQ(filter->Frequency2(), 10);
  EXPECT_EQ(filter->SampleRate(), 1000);
  EXPECT_NEAR(filter->InputScale(), 0.903314275L, 1e-9L);
  // The loaded sample rate lowers loaded corners that do not fit under it.
  const auto lowered = LoadIIRFilter(nullptr, "f", {fkBessel, ftBandpass, 2, 400, 700, 1000});
  EXPECT_EQ(lowered->Frequency1(), 400);
  EXPECT_EQ(lowered->Frequency2(), 500 - 0.0001L);
}

// Corners that make no sense (only a resource can store them) still leave a
// bound filter behind, which carries the non-numbers through.
TEST(IIRFilter, NonFiniteDesignStillFilters) {
  const long double infinity = std::numeric_limits<long double>::infinity();
  const auto filter = LoadIIRFilter(nullptr, "f", {fkButterworth, ftLowpass, 2, infinity});
  EXPECT_EQ(filter->TapCount(), 2);
  EXPECT_TRUE(std::isnan(filter->Filter(1)));
}

}  // namespace
