#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/FilterReference.h"
#include "dsp/dspIIRFilters.h"

namespace {

using dsptest::kPi;
using dsptest::Magnitude;
using dsptest::MakeFilter;

constexpr TdspIIRFilterKind kKinds[] = {fkButterworth, fkChebyshev, fkBessel};
constexpr TdspIIRFilterResponse kResponses[] = {ftLowpass, ftHighpass, ftBandpass, ftBandstop};

std::vector<long double> Numerator(const TdspCustomIIRFilter& filter) {
  const auto b = filter.NumeratorCoefficients();
  return {b.begin(), b.end()};
}

// Coefficients of z^0 .. z^(degree − 1) of (z + root)^degree, root = ±1.
std::vector<long double> PowerOfLinear(int degree, int root) {
  std::vector<long double> c(degree + 1, 0);
  c[0] = 1;
  for (int r = 0; r < degree; ++r) {
    for (int k = degree; k >= 1; --k) c[k] = c[k] * root + c[k - 1];
    c[0] *= root;
  }
  c.pop_back();
  return c;
}

TEST(Complex, ModulusAndSquareRoot) {
  EXPECT_EQ(Modulus(MakeComplex(3, -4)), 5);
  EXPECT_EQ(Modulus(MakeComplex(0, -2.5L)), 2.5L);
  // Squares of these parts would leave the extended range.
  EXPECT_NEAR(Modulus(MakeComplex(3e4000L, 4e4000L)) / 1e4000L, 5, 1e-17L);
  EXPECT_NEAR(Modulus(MakeComplex(3e-4000L, 4e-4000L)) / 1e-4000L, 5, 1e-17L);
  const TdspComplex lower = SquareRoot(MakeComplex(3, -4));  // (2 − j)²
  EXPECT_EQ(lower.re, 2);
  EXPECT_EQ(lower.im, -1);
  const TdspComplex negative = SquareRoot(MakeComplex(-4, 0));
  EXPECT_EQ(negative.re, 0);
  EXPECT_EQ(negative.im, 2);
}

// The numbers below are printed by reference_designs.py beside this file: an
// independent textbook computation (Bessel poles from the reverse Bessel
// polynomial, not from the program's table).
TEST(IIRDesign, ReferenceDesigns) {
  const auto vibro = dsptest::MakeVibroSpeedFilter();
  ASSERT_EQ(vibro->TapCount(), 5);
  EXPECT_NEAR(vibro->InputScale(), 0.903314275L, 1e-9L);
  const long double vibroA[] = {0.815976680L, -4.24578647L, 8.84036968L, -9.20724238L, 4.79668160L};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(vibro->FeedbackCoefficients()[i], vibroA[i], 1e-8L);

  const auto bessel = MakeFilter(fkBessel, ftLowpass, 5, 10, 10);
  ASSERT_EQ(bessel->TapCount(), 5);
  EXPECT_NEAR(bessel->InputScale() / 2.83409259e-7L, 1, 1e-8L);
  const long double besselA[] = {0.678234431L, -3.65772346L, 7.89809294L, -8.53561656L,
                                 4.61700359L};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(bessel->FeedbackCoefficients()[i], besselA[i], 1e-8L);

  const TdspIIRFilter created(nullptr);  // first-order low-pass, 300 Hz at 44100 Hz
  ASSERT_EQ(created.TapCount(), 1);
  EXPECT_EQ(created.NumeratorCoefficients()[0], 1);
  EXPECT_NEAR(created.InputScale(), 0.0209273191L, 1e-10L);
  EXPECT_NEAR(created.FeedbackCoefficients()[0], 0.958145362L, 1e-9L);
  EXPECT_EQ(created.ErrorText(), "");
}

// The zeros sit exactly at ±1, so the numerators are exact integers even
// where the denominators are ill-conditioned.
TEST(IIRDesign, NumeratorsAreExact) {
  EXPECT_EQ(PowerOfLinear(5, -1), (std::vector<long double>{-1, 5, -10, 10, -5}));
  for (TdspIIRFilterKind kind : kKinds) {
    for (int order = 1; order <= 8; ++order) {
      SCOPED_TRACE(testing::Message() << "kind " << int(kind) << " order " << order);
      EXPECT_EQ(Numerator(*MakeFilter(kind, ftLowpass, order, 120, 120)), PowerOfLinear(order, 1));
      EXPECT_EQ(Numerator(*MakeFilter(kind, ftHighpass, order, 3, 3)), PowerOfLinear(order, -1));
      // (z − 1)^n (z + 1)^n = (z² − 1)^n
      std::vector<long double> band(2 * order, 0);
      for (int j = 0; j < order; ++j) band[2 * j] = PowerOfLinear(order, -1)[j];
      EXPECT_EQ(Numerator(*MakeFilter(kind, ftBandpass, order, 10, 30)), band);
    }
  }
}

// Magnitude 1 at 0 Hz (low-pass, band-stop), at half the sample rate
// (high-pass, band-stop) and at the mean of the corners (band-pass); the
// band-stop notch lies at the warped geometric centre.
TEST(IIRDesign, UnitMagnitudeAtTheReferencePoints) {
  const long double notch =
      1000 * std::atan(std::sqrt(std::tan(kPi * 0.1L) * std::tan(kPi * 0.2L))) / kPi;
  for (TdspIIRFilterKind kind : kKinds) {
    for (TdspIIRFilterResponse response : kResponses) {
      for (int order = 1; order <= 8; ++order) {
        SCOPED_TRACE(testing::Message() << "kind " << int(kind) << " response " << int(response)
                                        << " order " << order);
        const auto filter = MakeFilter(kind, response, order, 100, 200);
        const auto at = [&](long double hz) { return Magnitude(*filter, hz, 1000); };
        if (response == ftLowpass) {
          EXPECT_NEAR(at(0), 1, 1e-10L);
        }
        if (response == ftHighpass) {
          EXPECT_NEAR(at(500), 1, 1e-10L);
        }
        if (response == ftBandpass) {
          EXPECT_NEAR(at(150), 1, 1e-10L);
          EXPECT_LT(at(30), 0.5L);
        }
        if (response == ftBandstop) {
          EXPECT_NEAR(at(0), 1, 1e-10L);
          EXPECT_NEAR(at(500), 1, 1e-10L);
          EXPECT_NEAR(at(notch), 0, 1e-10L);
        }
      }
    }
  }
}

TEST(IIRDesign, CornerMagnitudes) {
  for (TdspIIRFilterResponse response : {ftLowpass, ftHighpass}) {
    for (int order = 1; order <= 8; ++order) {
      SCOPED_TRACE(testing::Message() << "response " << int(response) << " order " << order);
      // −3 dB; the Bessel table holds 12 digits.
      for (TdspIIRFilterKind kind : {fkButterworth, fkBessel}) {
        const auto filter = MakeFilter(kind, response, order, 37, 37);
        EXPECT_NEAR(Magnitude(*filter, 37, 1000), 1 / std::sqrt(2.0L), 1e-10L) << int(kind);
      }
      // Chebyshev: the bottom of the ripple, normalised at a peak for odd
      // orders and at a trough for even ones.
      const auto chebyshev = MakeFilter(fkChebyshev, response, order, 60, 60, 1000, 3);
      const long double expected = order % 2 == 1 ? std::pow(10.0L, -3.0L / 20) : 1;
      EXPECT_NEAR(Magnitude(*chebyshev, 60, 1000), expected, 1e-10L);
    }
  }
}

TEST(IIRDesign, BandCornersMayBeGivenInEitherOrder) {
  for (TdspIIRFilterKind kind : kKinds) {
    for (TdspIIRFilterResponse response : {ftBandpass, ftBandstop}) {
      const auto forward = MakeFilter(kind, response, 4, 90, 210);
      const auto backward = MakeFilter(kind, response, 4, 210, 90);
      EXPECT_EQ(forward->InputScale(), backward->InputScale());
      for (int i = 0; i < forward->TapCount(); ++i) {
        EXPECT_EQ(forward->FeedbackCoefficients()[i], backward->FeedbackCoefficients()[i]);
        EXPECT_EQ(forward->ZPlanePoles().root[i].im, backward->ZPlanePoles().root[i].im);
        EXPECT_EQ(forward->ZPlaneZeros().root[i].im, backward->ZPlaneZeros().root[i].im);
      }
    }
  }
}

TEST(IIRDesign, OrderEightBandPassHasSixteenPolesAndZerosAtPlusAndMinusOne) {
  const auto filter = MakeFilter(fkButterworth, ftBandpass, 8, 100, 200);
  EXPECT_EQ(filter->TapCount(), 16);
  EXPECT_EQ(filter->ZPlanePoles().count, 16);
  ASSERT_EQ(filter->ZPlaneZeros().count, 16);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(filter->ZPlaneZeros().root[i].re, i < 8 ? 1 : -1);
    EXPECT_EQ(filter->ZPlaneZeros().root[i].im, 0);
    EXPECT_LT(Modulus(filter->ZPlanePoles().root[i]), 1);
  }
}

TEST(IIRDesign, ChebyshevWithoutRippleRoomReportsAndKeepsButterworthPoles) {
  // 10^(ripple/10) leaves the extended range, so ε is infinite and y = 0.
  const auto chebyshev = MakeFilter(fkChebyshev, ftLowpass, 3, 100, 100, 1000, 1e5L);
  EXPECT_EQ(chebyshev->ErrorText(), "Chebyshev filter error y=0; must be .gt. 0.0");
  const auto butterworth = MakeFilter(fkButterworth, ftLowpass, 3, 100, 100);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(chebyshev->SPlanePoles().root[i].re, butterworth->SPlanePoles().root[i].re);
    EXPECT_EQ(chebyshev->SPlanePoles().root[i].im, butterworth->SPlanePoles().root[i].im);
  }
  // A later design without problems leaves the text.
  chebyshev->SetRipple(1);
  EXPECT_NE(chebyshev->SPlanePoles().root[0].re, butterworth->SPlanePoles().root[0].re);
  EXPECT_EQ(chebyshev->ErrorText(), "Chebyshev filter error y=0; must be .gt. 0.0");
}

// Narrow high-order bands are ill-conditioned in direct form; what stays
// true there is a finite filter with the right structure.
TEST(IIRDesign, IllConditionedDesignsStayFinite) {
  for (TdspIIRFilterKind kind : kKinds) {
    for (TdspIIRFilterResponse response : {ftBandpass, ftBandstop}) {
      const auto filter = MakeFilter(kind, response, 8, 10, 30);
      EXPECT_EQ(filter->TapCount(), 16);
      long double y = 0;
      for (int i = 0; i < 5000; ++i) y = filter->Filter(i % 7 == 0 ? 1 : 0);
      EXPECT_TRUE(std::isfinite(y)) << int(kind) << " " << int(response);
    }
  }
}

}  // namespace
