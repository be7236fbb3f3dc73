#include "dsp/dspIIRFilters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "text/NumberText.h"

namespace {

constexpr long double kFrequencyFloor = 0.0001L;  // per unit of order
constexpr long double kEps = 1e-10L;
constexpr long double kPi = 3.1415926535897932385L;
constexpr long double kBilinear = 2;
constexpr long double kMinFrequency = 1e-10L;
constexpr long double kNyquistMargin = 0.0001L;
constexpr long double kMinRipple = 0.1L;
// A double constant on purpose: adding and subtracting it flushes values
// below about 3.7e-40 to exactly 0, so tiny values do not linger in the loop.
constexpr long double kTiny = static_cast<long double>(1e-20);

// One pole of each conjugate pair of the Bessel prototype (−3 dB at 1 rad/s);
// the rows of order n start at n²/4, the real pole first for odd n.
constexpr TdspComplex kBesselPoles[] = {
    {-1.00000000000L, 0.00000000000L},  {-1.10160133059L, 0.636009824757L},
    {-1.32267579991L, 0.00000000000L},  {-1.04740916101L, 0.999264436281L},
    {-1.37006783055L, 0.410249717494L}, {-0.995208764350L, 1.25710573945L},
    {-1.50231627145L, 0.00000000000L},  {-1.38087732586L, 0.717909587627L},
    {-0.957676548563L, 1.47112432073L}, {-1.57149040362L, 0.320896374221L},
    {-1.38185809760L, 0.971471890712L}, {-0.930656522947L, 1.66186326894L},
    {-1.68436817927L, 0.00000000000L},  {-1.61203876622L, 0.589244506931L},
    {-1.37890321680L, 1.19156677780L},  {-0.909867780623L, 1.83645135304L},
    {-1.75740840040L, 0.272867575103L}, {-1.63693941813L, 0.822795625139L},
    {-1.37384121764L, 1.38835657588L},  {-0.892869718847L, 1.99832584364L},
};

bool IsBand(TdspIIRFilterResponse response) {
  return response == ftBandpass || response == ftBandstop;
}

// Only left-half-plane candidates make a stable prototype.
void OfferPole(TdspRootList& poles, TdspComplex candidate) {
  if (candidate.re < 0) poles.root[poles.count++] = candidate;
}

long double Prewarp(long double alpha) {
  return kBilinear * std::tan(kPi * alpha);
}

TdspComplex BilinearMap(TdspComplex s) {
  const TdspComplex two = MakeComplex(kBilinear, 0);
  return (two + s) / (two - s);
}

// Horner's rule from the highest coefficient down.
TdspComplex Evaluate(const std::array<TdspComplex, kdspRootCapacity>& c, int degree,
                     TdspComplex z) {
  TdspComplex sum{};
  for (int k = degree; k >= 0; --k) sum = sum * z + c[k];
  return sum;
}

// value = high + low exactly, both doubles; false where no such pair exists
// (beyond the double range, too close to zero, not finite).
bool SplitExactly(long double value, double& high, double& low) {
  if (!(std::fabs(value) <= std::numeric_limits<double>::max())) return false;
  high = static_cast<double>(value);
  low = static_cast<double>(value - high);
  return static_cast<long double>(high) + low == value;
}

std::string NotRealLine(int power) {
  char line[96];
  std::snprintf(line, sizeof line,
                "Coeff of z^%d is not real; poles/zeros are not complex conjugates\r\n", power);
  return line;
}

}  // namespace

TdspCustomIIRFilter::TdspCustomIIRFilter(TComponentBase* owner)
    : TComponentBase(owner), filter_(&TdspCustomIIRFilter::PassThrough) {
  Design();
  Reset();
}

std::span<const long double> TdspCustomIIRFilter::NumeratorCoefficients() const {
  return {b_.data(), static_cast<std::size_t>(tapCount_)};
}

std::span<const long double> TdspCustomIIRFilter::FeedbackCoefficients() const {
  return {a_.data(), static_cast<std::size_t>(tapCount_)};
}

void TdspCustomIIRFilter::Reset() {
  xLine_.fill(0);
  yLine_.fill(0);
  lineEnd_ = kdspMaxTapCount;
}

void TdspCustomIIRFilter::Loaded() {
  TComponentBase::Loaded();
  Design();
}

// ---- Properties ----

void TdspCustomIIRFilter::SetKind(TdspIIRFilterKind value) {
  if (value == kind_ || value > fkBessel) return;
  kind_ = value;
  Design();
}

void TdspCustomIIRFilter::SetResponse(TdspIIRFilterResponse value) {
  if (value == response_ || value > ftBandstop) return;
  response_ = value;
  Design();
  Reset();
}

void TdspCustomIIRFilter::SetOrder(int value) {
  if (value == order_ || value < kdspMinIIRFilterOrder || value > kdspMaxIIRFilterOrder) return;
  order_ = static_cast<TdspIIRFilterOrder>(value);
  Design();
  Reset();
}

long double TdspCustomIIRFilter::GetFrequency(int index) const {
  return index == 2 && IsBand(response_) ? frequency2_ : frequency1_;
}

void TdspCustomIIRFilter::SetFrequency(int index, long double value) {
  if (!Loading()) {
    value = std::max(kMinFrequency, std::min(value, sampleRate_ / 2 - kNyquistMargin));
  }
  long double& field = index == 1 ? frequency1_ : frequency2_;
  if (value == field) return;
  field = value;
  Design();
}

void TdspCustomIIRFilter::SetSampleRate(long double value) {
  if (value == sampleRate_ || !(value > 0)) return;
  sampleRate_ = value;
  frequency1_ = std::min(frequency1_, sampleRate_ / 2 - kNyquistMargin);
  frequency2_ = std::min(frequency2_, sampleRate_ / 2 - kNyquistMargin);
  Design();
}

void TdspCustomIIRFilter::SetRipple(long double value) {
  value = std::max(kMinRipple, std::fabs(value));
  if (value == ripple_) return;
  ripple_ = value;
  if (kind_ == fkChebyshev) Design();
}

// ---- Design ----

void TdspCustomIIRFilter::Design() {
  if (Loading()) return;
  const long double floor = order_ * kFrequencyFloor;
  const long double alpha1 = std::max(floor, frequency1_ / sampleRate_);
  const long double alpha2 =
      IsBand(response_) ? std::max(floor, GetFrequency(2) / sampleRate_) : alpha1;

  sPoles_ = sZeros_ = zPoles_ = zZeros_ = TdspRootList{};
  PrototypePoles();
  Transform(Prewarp(alpha1), Prewarp(alpha2));
  Bilinear();
  tapCount_ = zPoles_.count;

  const Polynomial top = Expand(zZeros_);
  const Polynomial bottom = Expand(zPoles_);
  const auto response = [&](TdspComplex z) {
    return Evaluate(top, tapCount_, z) / Evaluate(bottom, tapCount_, z);
  };
  const TdspComplex dc = response(MakeComplex(1, 0));
  const TdspComplex hf = response(MakeComplex(-1, 0));
  TdspComplex gain = dc;
  if (response_ == ftHighpass) gain = hf;
  if (response_ == ftBandpass) gain = response(ExpJ(kPi * (alpha1 + alpha2)));
  if (response_ == ftBandstop) gain = SquareRoot(dc * hf);
  inputScale_ = 1 / Modulus(gain);

  Coefficients(top, bottom);
  Bind(alpha1 == alpha2);
  if (!manualReset_) Reset();
}

void TdspCustomIIRFilter::PrototypePoles() {
  if (kind_ == fkBessel) {
    BesselPoles();
    return;
  }
  ButterworthPoles();
  if (kind_ == fkChebyshev) ChebyshevPoles();
}

void TdspCustomIIRFilter::BesselPoles() {
  const int n = order_;
  int row = n * n / 4;
  if (n % 2 == 1) OfferPole(sPoles_, kBesselPoles[row++]);
  for (int pair = 0; pair < n / 2; ++pair, ++row) {
    OfferPole(sPoles_, kBesselPoles[row]);
    OfferPole(sPoles_, Conjugate(kBesselPoles[row]));
  }
}

void TdspCustomIIRFilter::ButterworthPoles() {
  const int n = order_;
  const long double h = n % 2 == 1 ? 0 : 0.5L;
  for (int i = 0; i < 2 * n; ++i) OfferPole(sPoles_, ExpJ((i + h) * kPi / n));
}

// Moves the Butterworth poles onto the ellipse of the ripple.
void TdspCustomIIRFilter::ChebyshevPoles() {
  const long double epsilon = std::max(kEps, std::sqrt(std::pow(10.0L, ripple_ / 10) - 1));
  const long double y = std::asinh(1 / epsilon) / order_;
  if (!(y > 0)) {
    errorText_ = "Chebyshev filter error y=" + FormatGeneral(y) + "; must be .gt. 0.0";
    return;
  }
  const long double sinhY = std::sinh(y);
  const long double coshY = std::cosh(y);
  for (int i = 0; i < sPoles_.count; ++i) {
    sPoles_.root[i].re *= sinhY;
    sPoles_.root[i].im *= coshY;
  }
}

void TdspCustomIIRFilter::Transform(long double w1, long double w2) {
  const int m = sPoles_.count;
  switch (response_) {
    case ftLowpass:
      for (int i = 0; i < m; ++i) sPoles_.root[i] = Scale(sPoles_.root[i], w1);
      break;
    case ftHighpass:
      for (int i = 0; i < m; ++i) sPoles_.root[i] = MakeComplex(w1, 0) / sPoles_.root[i];
      sZeros_.count = m;  // at 0 + j0
      break;
    case ftBandpass:
    case ftBandstop:
      BandTransform(w1, w2);
      break;
  }
}

// Each prototype pole p becomes the pair hba·(1 ± t), t = √(1 − (w0/hba)²),
// with hba = p·bw/2 for a band-pass and (bw/2)/p for a band-stop.
void TdspCustomIIRFilter::BandTransform(long double w1, long double w2) {
  if (w1 > w2) std::swap(w1, w2);
  const long double w0 = std::sqrt(w1 * w2);
  const long double bw = std::max(w2 - w1, order_ * kFrequencyFloor);
  const bool stop = response_ == ftBandstop;
  const int m = sPoles_.count;
  const TdspComplex one = MakeComplex(1, 0);
  for (int i = 0; i < m; ++i) {
    const TdspComplex p = sPoles_.root[i];
    const TdspComplex hba = stop ? MakeComplex(bw * 0.5L, 0) / p : Scale(p, bw * 0.5L);
    const TdspComplex t = SquareRoot(one - Square(MakeComplex(w0, 0) / hba));
    sPoles_.root[i] = hba * (one + t);
    sPoles_.root[m + i] = hba * (one - t);
  }
  sPoles_.count = 2 * m;
  if (!stop) {
    sZeros_.count = m;  // at 0 + j0
    return;
  }
  for (int i = 0; i < m; ++i) {
    sZeros_.root[i] = MakeComplex(0, w0);
    sZeros_.root[m + i] = MakeComplex(0, -w0);
  }
  sZeros_.count = 2 * m;
}

void TdspCustomIIRFilter::Bilinear() {
  zPoles_.count = sPoles_.count;
  zZeros_.count = sZeros_.count;
  for (int i = 0; i < zPoles_.count; ++i) zPoles_.root[i] = BilinearMap(sPoles_.root[i]);
  for (int i = 0; i < zZeros_.count; ++i) zZeros_.root[i] = BilinearMap(sZeros_.root[i]);
  while (zZeros_.count < zPoles_.count) zZeros_.root[zZeros_.count++] = MakeComplex(-1, 0);
}

// The monic polynomial of degree TapCount with the given roots. Coefficients
// with an imaginary part replace ErrorText with one line each.
TdspCustomIIRFilter::Polynomial TdspCustomIIRFilter::Expand(const TdspRootList& roots) {
  Polynomial c{};
  c[0] = MakeComplex(1, 0);
  for (int r = 0; r < roots.count; ++r) {
    const TdspComplex v = -roots.root[r];
    for (int k = tapCount_; k >= 1; --k) c[k] = v * c[k] + c[k - 1];
    c[0] = v * c[0];
  }
  std::string problems;
  for (int k = 0; k <= tapCount_; ++k) {
    if (std::fabs(c[k].im) > kEps) problems += NotRealLine(k);
  }
  if (!problems.empty()) errorText_ = problems;
  return c;
}

void TdspCustomIIRFilter::Coefficients(const Polynomial& top, const Polynomial& bottom) {
  b_.fill(0);
  a_.fill(0);
  const long double leading = bottom[tapCount_].re;
  for (int i = 0; i < tapCount_; ++i) {
    b_[i] = top[i].re / leading;
    a_[i] = -bottom[i].re / leading;
  }
}

// The recurrence loads its coefficients as pairs of doubles when every one
// of them splits exactly, else as they are.
void TdspCustomIIRFilter::Bind(bool equalCorners) {
  bool split = true;
  for (int i = 0; i < tapCount_; ++i) {
    SplitTap& tap = splitTaps_[i];
    split = SplitExactly(b_[i], tap.bHigh, tap.bLow) && SplitExactly(a_[i], tap.aHigh, tap.aLow) &&
            split;
  }
  filter_ = RecurrenceBody(tapCount_, split);
  if (equalCorners && response_ == ftBandpass) filter_ = &TdspCustomIIRFilter::Zero;
  if (equalCorners && response_ == ftBandstop) filter_ = &TdspCustomIIRFilter::PassThrough;
}

// ---- Filter bodies ----

template <bool kSplit>
long double TdspCustomIIRFilter::NumeratorTap(int i) const {
  if constexpr (kSplit) return static_cast<long double>(splitTaps_[i].bHigh) + splitTaps_[i].bLow;
  return b_[i];
}

template <bool kSplit>
long double TdspCustomIIRFilter::FeedbackTap(int i) const {
  if constexpr (kSplit) return static_cast<long double>(splitTaps_[i].aHigh) + splitTaps_[i].aLow;
  return a_[i];
}

// y = g·x + Σ b[i]·g·x[n − N + i] + a[i]·y[n − N + i], summed tap by tap in
// exactly this order, with the tiny-value flush after every tap.
template <int kTaps, bool kSplit>
long double TdspCustomIIRFilter::Recurrence(long double x) {
  if (lineEnd_ == kLineLength) {
    std::copy(xLine_.end() - kdspMaxTapCount, xLine_.end(), xLine_.begin());
    std::copy(yLine_.end() - kdspMaxTapCount, yLine_.end(), yLine_.begin());
    lineEnd_ = kdspMaxTapCount;
  }
  const long double* xv = &xLine_[lineEnd_ - kTaps];
  const long double* yv = &yLine_[lineEnd_ - kTaps];
  long double s = ((x + kTiny) - kTiny) * inputScale_;
  xLine_[lineEnd_] = s;
  for (int i = 0; i < kTaps; ++i) {
    s = ((xv[i] * NumeratorTap<kSplit>(i) + s) + yv[i] * FeedbackTap<kSplit>(i)) + kTiny - kTiny;
  }
  yLine_[lineEnd_++] = s;
  return s;
}

long double TdspCustomIIRFilter::PassThrough(long double x) {
  return x;
}

long double TdspCustomIIRFilter::Zero(long double) {
  return 0;
}

template <bool kSplit, int... kTaps>
constexpr std::array<TdspCustomIIRFilter::FilterBody, sizeof...(kTaps)>
TdspCustomIIRFilter::RecurrenceTable() {
  return {&TdspCustomIIRFilter::Recurrence<kTaps, kSplit>...};
}

TdspCustomIIRFilter::FilterBody TdspCustomIIRFilter::RecurrenceBody(int taps, bool split) {
  static constexpr auto kSplitBodies =
      RecurrenceTable<true, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16>();
  static constexpr auto kExtendedBodies =
      RecurrenceTable<false, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16>();
  return (split ? kSplitBodies : kExtendedBodies)[taps - 1];
}

// ---- Form resource ----

std::unique_ptr<TdspIIRFilter> LoadIIRFilter(TComponentBase* owner, std::string name,
                                             const TdspIIRFilterResource& resource) {
  auto filter = std::make_unique<TdspIIRFilter>(owner);
  filter->SetName(std::move(name));
  filter->BeginLoading();
  filter->SetKind(resource.Kind);
  filter->SetResponse(resource.Response);
  filter->SetOrder(resource.Order);
  filter->SetFrequency1(resource.Frequency1);
  filter->SetFrequency2(resource.Frequency2);
  filter->SetSampleRate(resource.SampleRate);
  filter->SetRipple(resource.Ripple);
  filter->SetManualReset(resource.ManualReset);
  filter->Loaded();
  return filter;
}
