// The drops of a full recording, whole interval, with falls of several
// heights among the bursts and shocks.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchRecording.h"
#include "analysis/Drops.h"

namespace {

const Recording& FullRecording() {
  static const std::unique_ptr<Session> session = [] {
    loggen::LoggerFileOptions options = FullCapacityOptions();
    for (int k = 0; k < 12; ++k) options.placedDrops.push_back({0.05 + 0.1 * k, 100.0 * k + 31});
    return LoadedSession(options);
  }();
  return session->Data();
}

void BM_FindDrops(benchmark::State& state) {
  const Recording& recording = FullRecording();
  const SampleInterval whole{0, recording.SampleCount - 1};
  std::size_t drops = 0;
  for (auto _ : state) {
    const std::vector<Drop> result = FindDrops(recording, whole, DropSettings{});
    drops = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  state.counters["drops"] = static_cast<double>(drops);
  state.counters["target_ms"] = 10;
}
BENCHMARK(BM_FindDrops)->Unit(benchmark::kMillisecond);

// What the machine does meanwhile: the magnitude of the three axes in one
// plain pass.
void BM_FindDrops_Baseline(benchmark::State& state) {
  const Recording& r = FullRecording();
  for (auto _ : state) benchmark::DoNotOptimize(PlainMagnitudeSum(r));
}
BENCHMARK(BM_FindDrops_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
