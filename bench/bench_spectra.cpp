// The spectra of a full recording, all three axes: the vibration spectrum of
// the whole recording, the shock spectrum of a 2 s interval and of the whole
// recording. Baselines: one plain pass over the three code arrays, and the
// shock spectrum of the whole recording on one core.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchRecording.h"
#include "analysis/Spectra.h"

namespace {

const Recording& FullRecording() {
  static const std::unique_ptr<Session> session = LoadedFullSession();
  return session->Data();
}

SampleInterval Whole() {
  return {0, FullRecording().SampleCount - 1};
}

void BM_PsdWholeRecording(benchmark::State& state) {
  for (auto _ : state) {
    const auto psd = IntervalPsd(FullRecording(), Whole(), PsdOptions{});
    benchmark::DoNotOptimize(psd.Rms.data());
  }
  state.counters["target_ms"] = 40;
  state.counters["max_ratio"] = 20;
}
BENCHMARK(BM_PsdWholeRecording)->Unit(benchmark::kMillisecond);

void BM_PsdWholeRecording_Baseline(benchmark::State& state) {
  const Recording& r = FullRecording();
  for (auto _ : state) {
    double sum = 0;
    for (const auto* codes : {r.CodesX.get(), r.CodesY.get(), r.CodesZ.get()}) {
      for (std::uint32_t i = 0; i < r.SampleCount; ++i) sum += codes[i];
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_PsdWholeRecording_Baseline)->Unit(benchmark::kMillisecond);

void BM_SrsTwoSeconds(benchmark::State& state) {
  for (auto _ : state) {
    const auto srs =
        IntervalSrs(FullRecording(), {700000, 701999}, SrsOptions{}, SpectrumThreads());
    benchmark::DoNotOptimize(srs.Axes[0].Peak.data());
  }
  state.counters["target_ms"] = 10;
}
BENCHMARK(BM_SrsTwoSeconds)->Unit(benchmark::kMillisecond);

void BM_SrsWholeRecording(benchmark::State& state) {
  for (auto _ : state) {
    const auto srs = IntervalSrs(FullRecording(), Whole(), SrsOptions{}, SpectrumThreads());
    benchmark::DoNotOptimize(srs.Axes[0].Peak.data());
  }
  state.counters["target_ms"] = 800;
  state.counters["max_ratio"] = 1;
}
BENCHMARK(BM_SrsWholeRecording)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SrsWholeRecording_Baseline(benchmark::State& state) {
  for (auto _ : state) {
    const auto srs = IntervalSrs(FullRecording(), Whole(), SrsOptions{}, 1);
    benchmark::DoNotOptimize(srs.Axes[0].Peak.data());
  }
}
BENCHMARK(BM_SrsWholeRecording_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
