// The vibration-speed filter over a full-capacity recording, against the same
// filter in plain double precision, and the cost of one redesign.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

#include "BenchRecording.h"
#include "LoggerFileWriter.h"
#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"
#include "files/LoggerFile.h"
#include "model/Recording.h"

namespace {

// A full-capacity synthetic recording, decoded once: its linear speed is
// what the redraw filters.
Recording& FullRecording() {
  static const std::unique_ptr<Session> session = LoadedFullSession();
  return session->Data();
}

// The same order-5 design in plain double precision, in the textbook direct
// form with shifting delay lines.
class DoubleDirectForm {
 public:
  explicit DoubleDirectForm(const TdspCustomIIRFilter& design)
      : g_(static_cast<double>(design.InputScale())) {
    for (int i = 0; i < kTaps; ++i) {
      b_[i] = static_cast<double>(design.NumeratorCoefficients()[i]);
      a_[i] = static_cast<double>(design.FeedbackCoefficients()[i]);
    }
  }

  double Step(double x) {
    for (int i = 0; i < kTaps; ++i) {
      xv_[i] = xv_[i + 1];
      yv_[i] = yv_[i + 1];
    }
    double s = g_ * x;
    xv_[kTaps] = s;
    for (int i = 0; i < kTaps; ++i) s += b_[i] * xv_[i] + a_[i] * yv_[i];
    yv_[kTaps] = s;
    return s;
  }

 private:
  static constexpr int kTaps = 5;
  double g_;
  std::array<double, kTaps> b_{}, a_{};
  std::array<double, kTaps + 1> xv_{}, yv_{};
};

// The pass the redraw runs: VibroSpeedX from LinSpeedX through a cleared filter.
void BM_FilterVibroSpeed(benchmark::State& state) {
  Recording& recording = FullRecording();
  const auto filter = LoadIIRFilter(nullptr, "dspIIRFilter3", kVibroSpeedFilterResource);
  for (auto _ : state) {
    FilterVibroSpeed(recording, *filter);
    benchmark::ClobberMemory();
  }
  state.counters["target_ms"] = 45;
  state.counters["max_ratio"] = 3;
}
BENCHMARK(BM_FilterVibroSpeed)->Unit(benchmark::kMillisecond);

// Called once per sample through a bound member function, as the component
// is by the redraw.
void BM_FilterVibroSpeed_Baseline(benchmark::State& state) {
  const Recording& recording = FullRecording();
  const auto design = LoadIIRFilter(nullptr, "dspIIRFilter3", kVibroSpeedFilterResource);
  std::vector<double> vibro(recording.SampleCount);
  double (DoubleDirectForm::*step)(double) = &DoubleDirectForm::Step;
  benchmark::DoNotOptimize(step);
  for (auto _ : state) {
    DoubleDirectForm filter(*design);
    for (std::uint32_t i = 1; i < recording.SampleCount; ++i) {
      vibro[i] = (filter.*step)(recording.LinSpeedX[i]);
    }
    benchmark::DoNotOptimize(vibro.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FilterVibroSpeed_Baseline)->Unit(benchmark::kMillisecond);

// For comparison only: the double filter inlined into the loop, where the
// compiler keeps both delay lines in registers.
void BM_DoubleFilterInlined(benchmark::State& state) {
  const Recording& recording = FullRecording();
  const auto design = LoadIIRFilter(nullptr, "dspIIRFilter3", kVibroSpeedFilterResource);
  std::vector<double> vibro(recording.SampleCount);
  for (auto _ : state) {
    DoubleDirectForm filter(*design);
    for (std::uint32_t i = 1; i < recording.SampleCount; ++i) {
      vibro[i] = filter.Step(recording.LinSpeedX[i]);
    }
    benchmark::DoNotOptimize(vibro.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DoubleFilterInlined)->Unit(benchmark::kMillisecond);

// One effective property change: the cut-off dialog writes both corners.
void BM_Redesign(benchmark::State& state) {
  const auto filter = LoadIIRFilter(nullptr, "dspIIRFilter3", kVibroSpeedFilterResource);
  long double cutoff = 10;
  for (auto _ : state) {
    cutoff = cutoff == 10 ? 12.5L : 10;
    filter->SetFrequency1(cutoff);
    benchmark::DoNotOptimize(filter->InputScale());
  }
  state.counters["target_ms"] = 0.02;
}
BENCHMARK(BM_Redesign)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
