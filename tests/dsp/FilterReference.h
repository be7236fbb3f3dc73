// Independent views of a designed filter for the tests: its frequency
// response evaluated from the published coefficients, and the recurrence
// written out literally with shifting delay lines.
#pragma once

#include <array>
#include <cmath>
#include <complex>
#include <memory>

#include "dsp/dspIIRFilters.h"

namespace dsptest {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

// |H(e^jω)| at `hz`, including the input scale, from
// y[n] = g·x[n] + Σ b[i]·g·x[n − N + i] + a[i]·y[n − N + i].
inline long double Magnitude(const TdspCustomIIRFilter& filter, long double hz,
                             long double sampleRate) {
  using Complex = std::complex<long double>;
  const int n = filter.TapCount();
  const Complex z = std::polar(1.0L, 2 * kPi * hz / sampleRate);
  Complex numerator = 1;
  Complex denominator = 1;
  for (int i = 0; i < n; ++i) {
    const Complex delay = std::pow(z, -(n - i));
    numerator += filter.NumeratorCoefficients()[i] * delay;
    denominator -= filter.FeedbackCoefficients()[i] * delay;
  }
  return filter.InputScale() * std::abs(numerator / denominator);
}

// The recurrence step by step as documented: shift both histories, then add
// the taps oldest first, flushing tiny values after each.
class ReferenceRecurrence {
 public:
  explicit ReferenceRecurrence(const TdspCustomIIRFilter& filter) { TakeDesign(filter); }

  // New coefficients, same delay lines.
  void TakeDesign(const TdspCustomIIRFilter& filter) {
    n_ = filter.TapCount();
    g_ = filter.InputScale();
    for (int i = 0; i < n_; ++i) {
      b_[i] = filter.NumeratorCoefficients()[i];
      a_[i] = filter.FeedbackCoefficients()[i];
    }
  }

  long double Step(long double x) {
    const long double tiny = 1e-20;  // the double constant
    for (int i = 0; i < n_; ++i) {
      xv_[i] = xv_[i + 1];
      yv_[i] = yv_[i + 1];
    }
    long double s = ((x + tiny) - tiny) * g_;
    xv_[n_] = s;
    for (int i = 0; i < n_; ++i) s = ((xv_[i] * b_[i] + s) + yv_[i] * a_[i]) + tiny - tiny;
    yv_[n_] = s;
    return s;
  }

 private:
  int n_ = 0;
  long double g_ = 0;
  std::array<long double, 33> b_{}, a_{}, xv_{}, yv_{};
};

inline std::unique_ptr<TdspIIRFilter> MakeFilter(TdspIIRFilterKind kind,
                                                 TdspIIRFilterResponse response, int order,
                                                 long double frequency1, long double frequency2,
                                                 long double sampleRate = 1000,
                                                 long double ripple = 0.5L) {
  return LoadIIRFilter(nullptr, "filter",
                       {kind, response, order, frequency1, frequency2, sampleRate, ripple, false});
}

// The main window's filter of the vibration speed.
inline std::unique_ptr<TdspIIRFilter> MakeVibroSpeedFilter() {
  return LoadIIRFilter(nullptr, "dspIIRFilter3",
                       {fkButterworth, ftHighpass, 5, 10, 10, 1000, 0.1L, false});
}

}  // namespace dsptest
