// The shock events of a full recording, whole interval: the rest level of
// each axis, then X, Y, Z and the resultant, with shocks on every axis.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchRecording.h"
#include "analysis/ShockEvents.h"

namespace {

const Recording& FullRecording() {
  static const std::unique_ptr<Session> session = [] {
    loggen::LoggerFileOptions options = FullCapacityOptions();
    for (int k = 0; k < 30; ++k) {
      options.placedShocks.push_back({k % 3, (k % 2 ? -1 : 1) * (30.0 + k), 5 + k, 40.0 * k + 7});
    }
    return LoadedSession(options);
  }();
  return session->Data();
}

void BM_FindShockEvents(benchmark::State& state) {
  const Recording& recording = FullRecording();
  const SampleInterval whole{0, recording.SampleCount - 1};
  std::size_t events = 0;
  for (auto _ : state) {
    const ShockEventsResult result = FindShockEvents(recording, whole, ShockSettings{});
    events = result.Events.size();
    benchmark::DoNotOptimize(result.Events.data());
  }
  state.counters["events"] = static_cast<double>(events);
  state.counters["target_ms"] = 20;
}
BENCHMARK(BM_FindShockEvents)->Unit(benchmark::kMillisecond);

// What the machine does meanwhile: the magnitude of the three axes in one
// plain pass.
void BM_FindShockEvents_Baseline(benchmark::State& state) {
  const Recording& r = FullRecording();
  for (auto _ : state) benchmark::DoNotOptimize(PlainMagnitudeSum(r));
}
BENCHMARK(BM_FindShockEvents_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
