// Shock events on every axis and on the resultant, checked against shocks of
// known shape and against a plain re-reading of the event rules on random
// signals.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "analysis/ShockEvents.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A recording whose codes are m/s² (zero code 0, gain 1) on every axis.
struct Signal {
  explicit Signal(int samples) : r(samples) {
    r.SampleCount = static_cast<std::uint32_t>(samples);
    for (AxisCalibration& c : r.Calibration) c = {0.0, 1.0};
  }
  double* axis(int k) { return k == 0 ? r.CodesX.get() : k == 1 ? r.CodesY.get() : r.CodesZ.get(); }
  const double* axis(int k) const { return const_cast<Signal*>(this)->axis(k); }
  // A half-sine of `ms` samples starting at `at`.
  void HalfSine(int k, int at, int ms, double amplitude) {
    for (int t = 0; t < ms; ++t) axis(k)[at + t] += amplitude * std::sin(kPi * t / ms);
  }
  // Logger-like codes: whole numbers around 32768 at `gain` m/s² a code.
  void ToCodes(double gain) {
    for (int k = 0; k < 3; ++k) {
      r.Calibration[k] = {32768, gain};
      for (std::uint32_t i = 0; i < r.SampleCount; ++i) {
        axis(k)[i] = 32768 + std::round(axis(k)[i] / gain);
      }
    }
  }
  SampleInterval all() const { return {0, r.SampleCount - 1}; }
  Recording r;
};

std::vector<ShockEvent> On(ShockChannel channel, const ShockEventsResult& result) {
  std::vector<ShockEvent> events;
  std::copy_if(result.Events.begin(), result.Events.end(), std::back_inserter(events),
               [&](const ShockEvent& e) { return e.Channel == channel; });
  return events;
}

ShockEventsResult Find(const Signal& s, SampleInterval interval, double threshold = 25.0,
                       std::uint32_t gap = 10) {
  return FindShockEvents(s.r, interval, ShockSettings{threshold, gap});
}

struct ReferenceResult {
  std::vector<ShockEvent> Events;
  std::array<double, 3> Baselines{};
};

// The event rules read literally: each axis less the median of its sorted
// codes over the interval widened by a second; runs, joins and peak; the
// velocity change of the peak's one-signed pulse, walked out over the whole
// recording, with a triangle to the zero crossing at each inner end.
ReferenceResult Reference(const Signal& s, SampleInterval iv, double L, std::uint32_t G) {
  const std::uint32_t n = s.r.SampleCount;
  ReferenceResult result;
  std::array<std::vector<double>, 4> d;
  for (int k = 0; k < 3; ++k) {
    const AxisCalibration& c = s.r.Calibration[k];
    std::vector<double> window(s.axis(k) + (iv.First > 1000 ? iv.First - 1000 : 0),
                               s.axis(k) + std::min(n, iv.Last + 1001));
    std::sort(window.begin(), window.end());
    const std::size_t half = window.size() / 2;
    const double median = window.size() % 2 ? window[half] : (window[half - 1] + window[half]) / 2;
    result.Baselines[k] = (median - c.Code0g) * c.Gain;
    for (std::uint32_t i = 0; i < n; ++i) {
      d[k].push_back((s.axis(k)[i] - c.Code0g) * c.Gain - result.Baselines[k]);
    }
  }
  for (std::uint32_t j = 0; j < n; ++j) {
    d[3].push_back(std::sqrt(d[0][j] * d[0][j] + d[1][j] * d[1][j] + d[2][j] * d[2][j]));
  }
  std::vector<ShockEvent>& events = result.Events;
  for (int k = 0; k < 4; ++k) {
    const auto& v = d[k];
    auto above = [&](std::uint32_t j) { return std::fabs(v[j]) >= L; };
    std::uint32_t j = iv.First;
    while (j <= iv.Last) {
      if (!above(j)) {
        ++j;
        continue;
      }
      std::uint32_t first = j, last = j;
      for (std::uint32_t m = j + 1; m <= iv.Last && m - last - 1 < std::max(G, 1u); ++m) {
        if (above(m)) last = m;
      }
      ShockEvent e;
      e.Channel = static_cast<ShockChannel>(k);
      e.First = first;
      e.Last = last;
      for (std::uint32_t m = first; m <= last; ++m) {
        if (std::fabs(v[m]) > std::fabs(e.Peak)) {
          e.Peak = v[m];
          e.PeakIndex = m;
        }
      }
      if (k < 3) {
        auto same = [&](double x) { return e.Peak > 0 ? x > 0 : x < 0; };
        std::uint32_t a = e.PeakIndex, b = e.PeakIndex;
        while (a > 0 && same(v[a - 1])) --a;
        while (b + 1 < n && same(v[b + 1])) ++b;
        double sum = 0;
        for (std::uint32_t m = a; m < b; ++m) sum += (v[m] + v[m + 1]) / 2;
        if (a > 0) sum += v[a] * v[a] / (2 * (v[a] - v[a - 1]));
        if (b + 1 < n) sum += v[b] * v[b] / (2 * (v[b] - v[b + 1]));
        e.DeltaV = sum * Recording::TimeStep;
      }
      events.push_back(e);
      j = last + 1;
    }
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ShockEvent& a, const ShockEvent& b) { return a.First < b.First; });
  return result;
}

void ExpectSameEvents(const std::vector<ShockEvent>& got, const std::vector<ShockEvent>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].Channel, want[i].Channel);
    EXPECT_EQ(got[i].First, want[i].First);
    EXPECT_EQ(got[i].Last, want[i].Last);
    EXPECT_EQ(got[i].PeakIndex, want[i].PeakIndex);
    EXPECT_DOUBLE_EQ(got[i].Peak, want[i].Peak);
    ASSERT_EQ(got[i].DeltaV.has_value(), want[i].DeltaV.has_value());
    if (want[i].DeltaV) {
      EXPECT_NEAR(*got[i].DeltaV, *want[i].DeltaV, 1e-12 + 1e-11 * std::fabs(*want[i].DeltaV));
    }
  }
}

TEST(ShockEvents, HalfSineShocksOnEachAxisGivePeakStartDurationAndVelocityChange) {
  Signal s(20000);
  for (int i = 0; i < 20000; ++i) s.axis(2)[i] = 9.815;  // gravity on Z is not a shock
  s.HalfSine(0, 2000, 20, -40);
  s.HalfSine(1, 8000, 30, 54);
  s.HalfSine(2, 14000, 10, 60);
  const ShockEventsResult result = Find(s, s.all());

  struct Expected {
    ShockChannel channel;
    int at, ms;
    double amplitude;
  };
  const Expected shocks[] = {{ShockChannel::X, 2000, 20, -40},
                             {ShockChannel::Y, 8000, 30, 54},
                             {ShockChannel::Z, 14000, 10, 60}};
  int axisEvents = 0;
  for (const Expected& x : shocks) {
    SCOPED_TRACE(ShockChannelName(x.channel));
    const auto found = std::find_if(result.Events.begin(), result.Events.end(),
                                    [&](const ShockEvent& e) { return e.Channel == x.channel; });
    ASSERT_NE(found, result.Events.end());
    ++axisEvents;
    // The samples of the half-sine at or beyond 25 m/s²: sin(πt/T) ≥ 25/|A|.
    const double fromPeak = std::asin(25.0 / std::fabs(x.amplitude)) * x.ms / kPi;
    const int first = x.at + static_cast<int>(std::ceil(fromPeak - 0.01));
    EXPECT_NEAR(found->First, first, 1);
    EXPECT_NEAR(found->StartSeconds(), first * 0.001, 0.0011);
    EXPECT_NEAR(found->DurationSeconds(), (x.ms - 2 * fromPeak) * 0.001, 0.0021);
    EXPECT_NEAR(found->Peak, x.amplitude, 0.2);
    EXPECT_EQ(found->PeakIndex, static_cast<std::uint32_t>(x.at + x.ms / 2));
    EXPECT_NEAR(found->PeakSeconds(), (x.at + x.ms / 2) * 0.001, 1e-9);
    // Sampled every millisecond, the trapezoids miss up to one sample's worth.
    const double expected = 2 * x.amplitude * x.ms * 0.001 / kPi;
    ASSERT_TRUE(found->DeltaV.has_value());
    EXPECT_NEAR(*found->DeltaV, expected, std::fabs(x.amplitude) * 0.001);
  }
  EXPECT_EQ(axisEvents, 3);
  EXPECT_EQ(result.Counts, (std::array<int, 4>{1, 1, 1, 3}));
  for (const ShockEvent& e : result.Events) {
    EXPECT_EQ(e.Channel == ShockChannel::R, !e.DeltaV.has_value());
  }
  ExpectSameEvents(result.Events, Reference(s, s.all(), 25, 10).Events);
}

TEST(ShockEvents, RunsJoinAcrossFewerThanGapQuietSamplesOnly) {
  Signal s(1000);
  auto runs = [&](int quiet) {
    for (int i = 0; i < 1000; ++i) s.axis(0)[i] = 0;
    for (int i = 100; i < 105; ++i) s.axis(0)[i] = 30;
    for (int i = 105 + quiet; i < 110 + quiet; ++i) s.axis(0)[i] = 40;
    return Find(s, s.all(), 25, 10);
  };
  const ShockEventsResult joined = runs(9);  // nine quiet samples: one event
  ASSERT_EQ(joined.Counts[0], 1);
  EXPECT_EQ(joined.Events[0].First, 100u);
  EXPECT_EQ(joined.Events[0].Last, 118u);
  EXPECT_EQ(joined.Events[0].PeakIndex, 114u);
  EXPECT_EQ(joined.Events[0].Peak, 40);  // the rest level is 0, whatever the shocks

  const ShockEventsResult apart = runs(10);  // ten quiet samples: two events
  ASSERT_EQ(apart.Counts[0], 2);
  EXPECT_EQ(On(ShockChannel::X, apart)[0].Last, 104u);
  EXPECT_EQ(On(ShockChannel::X, apart)[1].First, 115u);
  ExpectSameEvents(apart.Events, Reference(s, s.all(), 25, 10).Events);

  // No gap allowed: runs stay apart, but a run is never cut into samples.
  for (std::uint32_t gap : {0u, 1u}) {
    const std::vector<ShockEvent> x = On(ShockChannel::X, Find(s, s.all(), 25, gap));
    ASSERT_EQ(x.size(), 2u) << gap;
    EXPECT_EQ(x[0].First, 100u);
    EXPECT_EQ(x[0].Last, 104u);
  }
}

TEST(ShockEvents, EventsAtTheIntervalEndsAreKeptAndTheirPulsesReachBeyond) {
  Signal s(3000);
  for (int i = 0; i < 3000; ++i) s.axis(1)[i] = 5 * std::sin(i * 0.05);
  s.HalfSine(1, 990, 30, 80);    // under way when the interval starts at 1000
  s.HalfSine(1, 1990, 30, -80);  // still going when it stops at 2000
  const SampleInterval interval{1000, 2000};
  const ShockEventsResult result = Find(s, interval);
  const std::vector<ShockEvent> y = On(ShockChannel::Y, result);
  ASSERT_EQ(y.size(), 2u);
  EXPECT_EQ(y[0].First, 1000u);
  EXPECT_GT(*y[0].DeltaV, 0);
  EXPECT_EQ(y[1].Last, 2000u);
  EXPECT_LT(*y[1].DeltaV, 0);
  ExpectSameEvents(result.Events, Reference(s, interval, 25, 10).Events);
  // The same pulses, and so the same velocity changes, as over the whole recording.
  const std::vector<ShockEvent> whole = On(ShockChannel::Y, Find(s, s.all()));
  ASSERT_EQ(whole.size(), 2u);
  EXPECT_NEAR(*y[0].DeltaV, *whole[0].DeltaV, 1e-12);
  EXPECT_NEAR(*y[1].DeltaV, *whole[1].DeltaV, 1e-12);

  // An interval of one sample beyond the threshold is one event of one sample.
  const ShockEventsResult single = Find(s, {1005, 1005}, 1e-9);
  EXPECT_EQ(single.Counts[1], 1);
  ExpectSameEvents(single.Events, Reference(s, {1005, 1005}, 1e-9, 10).Events);
}

TEST(ShockEvents, ResultantReachesTheThresholdWhenNoAxisDoes) {
  Signal s(2000);
  for (int i = 1000; i < 1015; ++i) {
    s.axis(0)[i] = 20;
    s.axis(1)[i] = -20;
  }
  const ShockEventsResult result = Find(s, s.all());
  EXPECT_EQ(result.Counts, (std::array<int, 4>{0, 0, 0, 1}));
  ASSERT_EQ(result.Events.size(), 1u);
  const ShockEvent& r = result.Events[0];
  EXPECT_EQ(r.Channel, ShockChannel::R);
  EXPECT_EQ(r.First, 1000u);
  EXPECT_EQ(r.Last, 1014u);
  EXPECT_NEAR(r.Peak, std::sqrt(2.0) * 20, 1e-9);
  EXPECT_FALSE(r.DeltaV.has_value());
}

TEST(ShockEvents, TiesGoToTheEarliestPeakAndToXBeforeYBeforeZ) {
  Signal s(1000);
  s.axis(0)[500] = 30;
  s.axis(0)[503] = -30;  // same magnitude, later: not the peak
  s.axis(2)[500] = 30;
  s.axis(1)[500] = -30;
  const ShockEventsResult result = Find(s, s.all());
  ASSERT_EQ(result.Events.size(), 4u);
  EXPECT_EQ(result.Events[0].Channel, ShockChannel::X);
  EXPECT_EQ(result.Events[0].PeakIndex, 500u);
  EXPECT_GT(result.Events[0].Peak, 0);
  EXPECT_EQ(result.Events[1].Channel, ShockChannel::Y);
  EXPECT_EQ(result.Events[2].Channel, ShockChannel::Z);
  EXPECT_EQ(result.Events[3].Channel, ShockChannel::R);
}

TEST(ShockEvents, CalibrationIsAppliedAndAThresholdThatIsNotPositiveIsRefused) {
  Signal s(1000);
  s.r.Calibration[0] = {32768, 9.815 / 2048};
  for (int i = 0; i < 1000; ++i) s.axis(0)[i] = 32768;
  for (int i = 600; i < 610; ++i) s.axis(0)[i] = 32768 + 2048 * 4;  // 4 g
  const ShockEventsResult result = Find(s, s.all());
  ASSERT_EQ(result.Counts[0], 1);
  EXPECT_NEAR(result.Events[0].Peak, 4 * 9.815, 1e-9);
  EXPECT_THROW(Find(s, s.all(), 0), std::invalid_argument);
  EXPECT_THROW(Find(s, s.all(), -5), std::invalid_argument);
  EXPECT_THROW(Find(s, s.all(), NAN), std::invalid_argument);
  EXPECT_THROW(Find(s, {0, 1000}), std::invalid_argument);
}

// A shock on a long one-signed stretch takes in the whole stretch, however
// far it reaches back and forth, and so does every shock on the same stretch;
// where the stretch meets the other sign a triangle reaches out to the zero
// crossing, and at the recording's ends none does.
TEST(ShockEvents, VelocityChangeSpansLongOneSignedStretches) {
  Signal s(3000);
  for (int i = 0; i < 3000; ++i) s.axis(0)[i] = i < 1500 ? -10 : 10;
  s.HalfSine(0, 700, 10, -40);
  s.HalfSine(0, 2000, 10, 40);
  s.HalfSine(0, 2500, 20, 50);
  const ShockEventsResult result = Find(s, s.all());
  const std::vector<ShockEvent> x = On(ShockChannel::X, result);
  ASSERT_EQ(x.size(), 3u);
  EXPECT_EQ(result.Baselines[0], 0.0);  // the median of as many −10 as +10
  // 0 … 1499 at −10, then 1500 … 2999 at +10, plus each shock (a half-sine
  // of T samples sums to cot(π / 2T)); the crossing lies half-way, a
  // triangle of 10 × 0.5 / 2 on each side.
  auto sum = [](int ms) { return 1 / std::tan(kPi / (2 * ms)); };
  EXPECT_NEAR(*x[0].DeltaV, (-10 * 1499 - 40 * sum(10) - 2.5) * 0.001, 1e-12);
  EXPECT_NEAR(*x[1].DeltaV, *x[2].DeltaV, 1e-12);
  EXPECT_NEAR(*x[1].DeltaV, (2.5 + 10 * 1499 + 40 * sum(10) + 50 * sum(20)) * 0.001, 1e-12);
  ExpectSameEvents(result.Events, Reference(s, s.all(), 25, 10).Events);
}

// Loud and faint noise, offsets, shocks of both signs close together, long
// one-signed stretches, whole-number codes (counted) and others (selected),
// intervals down to one sample: the single pass must agree with the rules
// read literally.
TEST(ShockEvents, AgreesWithTheRulesOnRandomSignals) {
  std::mt19937 random(5);
  std::normal_distribution<double> noise(0, 6);
  std::uniform_int_distribution<int> place(0, 4900);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    Signal s(5000);
    for (int k = 0; k < 3; ++k) {
      const double offset = round % 3 == 0 ? 15.0 * (k - 1) : 0.0;
      const double spread = round % 3 == 1 ? 0.2 : 1.0;  // quiet blocks on every axis
      for (int i = 0; i < 5000; ++i) {
        s.axis(k)[i] = offset + (i > 2500 ? 12 : 0) + spread * noise(random);
      }
      for (int shock = 0; shock < 12; ++shock) {
        s.HalfSine(k, place(random), 5 + shock * 3, (shock % 2 ? -1 : 1) * (20 + 4 * shock));
      }
    }
    if (round % 2 == 0) s.ToCodes(0.05);
    const std::uint32_t gap = static_cast<std::uint32_t>(round % 4) * 7;
    const auto at = static_cast<std::uint32_t>(place(random));
    const SampleInterval interval =
        round % 5 == 4 ? SampleInterval{at, at + static_cast<std::uint32_t>(round % 7)}
                       : SampleInterval{static_cast<std::uint32_t>(round * 13),
                                        static_cast<std::uint32_t>(4999 - round * 7)};
    const ShockEventsResult got = Find(s, interval, 22, gap);
    const ReferenceResult want = Reference(s, interval, 22, gap);
    EXPECT_EQ(got.Baselines, want.Baselines);
    ExpectSameEvents(got.Events, want.Events);
  }
}

// 50 g half-sines of 1, 2, 3 and 11 ms at twenty phases to the samples: each
// velocity change lies within one sample of the peak (A·Δt, the sampling
// error of a one-humped pulse) of 2/π·A·T, and over the phases they average
// to it.
TEST(ShockEvents, VelocityChangeOfShortHalfSinesHoldsAtEveryPhase) {
  const double amplitude = 50 * 9.815, step = Recording::TimeStep;
  constexpr int kPhases = 20;
  for (const int ms : {1, 2, 3, 11}) {
    SCOPED_TRACE(ms);
    const double ideal = 2 / kPi * amplitude * ms * step;
    double sum = 0;
    for (int phase = 0; phase < kPhases; ++phase) {
      Signal s(3000);
      const double start = 1000 + (phase + 0.5) / kPhases;  // in samples
      for (int i = 1000; i <= 1001 + ms; ++i) {
        const double t = (i - start) / ms;
        if (t > 0 && t < 1) s.axis(2)[i] = amplitude * std::sin(kPi * t);
      }
      const std::vector<ShockEvent> z = On(ShockChannel::Z, Find(s, s.all()));
      ASSERT_EQ(z.size(), 1u) << phase;
      EXPECT_NEAR(*z[0].DeltaV, ideal, amplitude * step) << phase;
      sum += *z[0].DeltaV;
    }
    EXPECT_NEAR(sum / kPhases, ideal, 0.01 * ideal);
  }
}

// A 50 g, 10 ms shock on Z over gravity, in logger codes, read through
// intervals from the whole recording down to the peak alone: the rest level
// is the same and the pulse is followed beyond the interval, so peak, peak
// time and velocity change stay as they are.
TEST(ShockEvents, TightIntervalsReadTheShockAsTheWholeRecordingDoes) {
  Signal s(20000);
  const double gain = 9.815 / 512;  // ±64 g
  for (int k = 0; k < 3; ++k) s.r.Calibration[k] = {32768, gain};
  const int peak = 10005;
  for (int i = 0; i < 20000; ++i) {
    s.axis(0)[i] = 32768 + 100;  // an offset
    s.axis(1)[i] = 32768;
    s.axis(2)[i] =
        32768 + 512 +
        std::round(i >= 10000 && i < 10010 ? 50 * 512 * std::sin(kPi * (i - 10000) / 10) : 0);
  }
  const ShockEventsResult whole = Find(s, s.all());
  EXPECT_EQ(whole.Counts, (std::array<int, 4>{0, 0, 1, 1}));
  EXPECT_EQ(whole.Baselines, (std::array<double, 3>{100 * gain, 0, 512 * gain}));
  const ShockEvent z = On(ShockChannel::Z, whole)[0];
  EXPECT_EQ(z.PeakIndex, static_cast<std::uint32_t>(peak));
  EXPECT_NEAR(z.Peak, 50 * 9.815, 1e-9);
  EXPECT_NEAR(*z.DeltaV, 2 / kPi * 50 * 9.815 * 0.010, 50 * 9.815 * 0.001);
  for (const int margin : {1000, 15, 2, 0}) {
    SCOPED_TRACE(margin);
    const SampleInterval around{static_cast<std::uint32_t>(peak - margin),
                                static_cast<std::uint32_t>(peak + margin)};
    const ShockEventsResult tight = Find(s, around);
    EXPECT_EQ(tight.Baselines, whole.Baselines);
    const std::vector<ShockEvent> found = On(ShockChannel::Z, tight);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].PeakIndex, z.PeakIndex);
    EXPECT_EQ(found[0].Peak, z.Peak);
    EXPECT_NEAR(*found[0].DeltaV, *z.DeltaV, 1e-12);
  }
}

}  // namespace
