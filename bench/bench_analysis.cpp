// The interval calculation on a full recording with the whole recording
// selected and all five curves shown: with the exceedance search (F5) and
// without it (cursor tracking, once per mouse move).
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "BenchRecording.h"
#include "LoggerFileWriter.h"
#include "analysis/IntervalParams.h"
#include "files/LoggerFile.h"

namespace {

// A full-capacity recording with vibration bursts and shocks beyond ±25 m/s²
// on X; the vibration speed is a stand-in, only its values matter here.
const Recording& FullRecording() {
  static const std::unique_ptr<Session> session = [] {
    auto full = LoadedFullSession();
    Recording& r = full->Data();
    for (std::uint32_t i = 0; i <= r.SampleCount; ++i) {
      r.VibroSpeedX[i] = 0.5 * r.LinSpeedX[i] - 0.01;
    }
    return full;
  }();
  return session->Data();
}

void RunCalculation(benchmark::State& state, bool tracking) {
  const Recording& recording = FullRecording();
  ParamOptions options;
  options.Shown.fill(true);
  options.Tracking = tracking;
  for (auto _ : state) {
    const auto interval = ParamInterval(IntervalFromTexts("0", "1499.999"), recording.SampleCount);
    benchmark::DoNotOptimize(CalculateIntervalParams(recording, *interval, options));
  }
}

void BM_CalculateParam(benchmark::State& state) {
  RunCalculation(state, false);
  state.counters["target_ms"] = 25;
}
BENCHMARK(BM_CalculateParam)->Unit(benchmark::kMillisecond);

void BM_TrackingRows(benchmark::State& state) {
  RunCalculation(state, true);
  state.counters["target_ms"] = 10;
}
BENCHMARK(BM_TrackingRows)->Unit(benchmark::kMillisecond);

// What the machine does meanwhile: one plain sum over each of the five
// arrays the rows read.
void BM_CalculateParam_Baseline(benchmark::State& state) {
  const Recording& recording = FullRecording();
  for (auto _ : state) {
    for (const ParamRowDef& row : ParamRows) {
      const double* values = (recording.*row.Source).get();
      double sum = 0;
      for (std::uint32_t i = 0; i < recording.SampleCount; ++i) sum += values[i];
      benchmark::DoNotOptimize(sum);
    }
  }
}
BENCHMARK(BM_CalculateParam_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
