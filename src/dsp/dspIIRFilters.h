// A recursive (IIR) filter component: Butterworth, Chebyshev or Bessel, of
// order 1 to 8, as low-pass, high-pass, band-pass or band-stop. It redesigns
// itself whenever a setting changes and filters one sample per call.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>

#include "dsp/ComponentBase.h"
#include "dsp/dspTypes.h"
#include "dsp/dspcomplex.h"

// Poles or zeros of one plane: the first `count` entries are valid.
struct TdspRootList {
  std::array<TdspComplex, kdspRootCapacity> root{};
  int count = 0;
};

class TdspCustomIIRFilter : public TComponentBase {
 public:
  // Settings of a new component: Butterworth low-pass, order 1, 300 Hz at
  // 44100 Hz, ripple 0.1 dB; designed and with cleared delay lines.
  explicit TdspCustomIIRFilter(TComponentBase* owner);

  // One sample in, one out, through the body the last design bound.
  long double Filter(long double x) { return (this->*filter_)(x); }
  // Clears the delay lines.
  void Reset();
  void Loaded() override;
  // Recomputes everything from the settings; does nothing while loading.
  void Design();
  // Text of the last design problem; empty until one occurs.
  const std::string& ErrorText() const { return errorText_; }

  // Results of the last design.
  int TapCount() const { return tapCount_; }
  long double InputScale() const { return inputScale_; }
  // b[i] and a[i], i = 0 .. TapCount − 1, weigh the scaled input and the
  // output of TapCount − i samples before the current one.
  std::span<const long double> NumeratorCoefficients() const;
  std::span<const long double> FeedbackCoefficients() const;
  const TdspRootList& SPlanePoles() const { return sPoles_; }
  const TdspRootList& SPlaneZeros() const { return sZeros_; }
  const TdspRootList& ZPlanePoles() const { return zPoles_; }
  const TdspRootList& ZPlaneZeros() const { return zZeros_; }

 protected:
  // The properties; TdspIIRFilter publishes them. Writers ignore values out
  // of range and values equal to the current one.
  TdspIIRFilterKind Kind() const { return kind_; }
  void SetKind(TdspIIRFilterKind value);
  TdspIIRFilterResponse Response() const { return response_; }
  void SetResponse(TdspIIRFilterResponse value);
  TdspIIRFilterOrder Order() const { return order_; }
  void SetOrder(int value);
  long double Frequency1() const { return GetFrequency(1); }
  void SetFrequency1(long double value) { SetFrequency(1, value); }
  // Frequency1 for low-pass and high-pass.
  long double Frequency2() const { return GetFrequency(2); }
  void SetFrequency2(long double value) { SetFrequency(2, value); }
  long double SampleRate() const { return sampleRate_; }
  void SetSampleRate(long double value);
  long double Ripple() const { return ripple_; }
  void SetRipple(long double value);
  // When true, a redesign keeps the delay lines; Order and Response still clear them.
  bool ManualReset() const { return manualReset_; }
  void SetManualReset(bool value) { manualReset_ = value; }

 private:
  using FilterBody = long double (TdspCustomIIRFilter::*)(long double);
  using Polynomial = std::array<TdspComplex, kdspRootCapacity>;

  // A coefficient as the exact sum of two doubles, which loads much faster
  // than an 80-bit value in the per-sample loop.
  struct SplitTap {
    double bHigh, bLow, aHigh, aLow;
  };

  long double GetFrequency(int index) const;
  void SetFrequency(int index, long double value);

  void PrototypePoles();
  void BesselPoles();
  void ButterworthPoles();
  void ChebyshevPoles();
  void Transform(long double w1, long double w2);
  void BandTransform(long double w1, long double w2);
  void Bilinear();
  Polynomial Expand(const TdspRootList& roots);
  void Coefficients(const Polynomial& top, const Polynomial& bottom);
  void Bind(bool equalCorners);

  template <int kTaps, bool kSplit>
  long double Recurrence(long double x);
  template <bool kSplit>
  long double NumeratorTap(int i) const;
  template <bool kSplit>
  long double FeedbackTap(int i) const;
  long double PassThrough(long double x);
  long double Zero(long double x);
  template <bool kSplit, int... kTaps>
  static constexpr std::array<FilterBody, sizeof...(kTaps)> RecurrenceTable();
  static FilterBody RecurrenceBody(int taps, bool split);

  TdspIIRFilterKind kind_ = fkButterworth;
  TdspIIRFilterResponse response_ = ftLowpass;
  TdspIIRFilterOrder order_ = 1;
  long double frequency1_ = 300;
  long double frequency2_ = 3000;
  long double sampleRate_ = 44100;
  long double ripple_ = 0.1L;
  long double inputScale_ = 0;
  std::string errorText_;
  bool manualReset_ = false;

  TdspRootList sPoles_, sZeros_, zPoles_, zZeros_;
  std::array<long double, kdspRootCapacity> b_{};
  std::array<long double, kdspRootCapacity> a_{};
  int tapCount_ = 0;

  // The delay lines run forward through long buffers, so a sample writes
  // each of its two values once and moves nothing; only when the buffers are
  // full do their last kdspMaxTapCount values move to the front. The newest
  // values lie just before lineEnd_.
  static constexpr int kLineLength = 128;
  std::array<long double, kLineLength> xLine_{};
  std::array<long double, kLineLength> yLine_{};
  int lineEnd_ = kdspMaxTapCount;
  std::array<SplitTap, kdspMaxTapCount> splitTaps_{};

  FilterBody filter_;
};

class TdspIIRFilter : public TdspCustomIIRFilter {
 public:
  using TdspCustomIIRFilter::TdspCustomIIRFilter;

  using TdspCustomIIRFilter::Frequency1;
  using TdspCustomIIRFilter::Frequency2;
  using TdspCustomIIRFilter::Kind;
  using TdspCustomIIRFilter::ManualReset;
  using TdspCustomIIRFilter::Order;
  using TdspCustomIIRFilter::Response;
  using TdspCustomIIRFilter::Ripple;
  using TdspCustomIIRFilter::SampleRate;
  using TdspCustomIIRFilter::SetFrequency1;
  using TdspCustomIIRFilter::SetFrequency2;
  using TdspCustomIIRFilter::SetKind;
  using TdspCustomIIRFilter::SetManualReset;
  using TdspCustomIIRFilter::SetOrder;
  using TdspCustomIIRFilter::SetResponse;
  using TdspCustomIIRFilter::SetRipple;
  using TdspCustomIIRFilter::SetSampleRate;
};

// The stored properties of a filter in a form resource. Members left at
// their defaults equal a new component's settings and change nothing.
struct TdspIIRFilterResource {
  TdspIIRFilterKind Kind = fkButterworth;
  TdspIIRFilterResponse Response = ftLowpass;
  int Order = 1;
  long double Frequency1 = 300;
  long double Frequency2 = 3000;
  long double SampleRate = 44100;
  long double Ripple = 0.1L;
  bool ManualReset = false;
};

// Creates a filter as a form resource does: marks it loading, writes the
// properties in publishing order, then calls Loaded, which designs it once.
std::unique_ptr<TdspIIRFilter> LoadIIRFilter(TComponentBase* owner, std::string name,
                                             const TdspIIRFilterResource& resource);
