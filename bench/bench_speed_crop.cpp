// The speed command's core (integration and drift correction) and the crop's
// core on a full recording.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "analysis/Crop.h"
#include "analysis/Speed.h"

namespace {

// Codes of a slow swing plus a fast ripple on every axis.
std::unique_ptr<Recording> FullRecording() {
  auto recording = std::make_unique<Recording>();
  recording->SampleCount = Recording::kFullCapacity;
  recording->Calibration[AxisX] = {32768, 9.815 / 1024};
  for (std::uint32_t i = 0; i < recording->SampleCount; ++i) {
    const double code = 32768 + 900 * ((i / 3000) % 2 == 0 ? 1 : -1) + (i * 37 % 101) - 50.0;
    recording->CodesX[i] = code;
    recording->CodesY[i] = code + 3;
    recording->CodesZ[i] = code - 3;
    recording->Temperature[i] = 20 + i * 1e-6;
  }
  return recording;
}

void BM_SpeedRecalculateCorrection(benchmark::State& state) {
  const std::unique_ptr<Recording> recording = FullRecording();
  for (auto _ : state) {
    SpeedRecalculate(recording->CodesX.get(), recording->LinSpeedX.get(), recording->SampleCount,
                     recording->Calibration[AxisX]);
    SpeedCorrection(recording->LinSpeedX.get(), recording->SampleCount);
    benchmark::DoNotOptimize(recording->LinSpeedX[recording->SampleCount - 1]);
  }
  state.counters["target_ms"] = 20;
}
BENCHMARK(BM_SpeedRecalculateCorrection)->Unit(benchmark::kMillisecond);

// Drops the first sample each time, so every kept sample moves.
void BM_Crop(benchmark::State& state) {
  const std::unique_ptr<Recording> recording = FullRecording();
  for (auto _ : state) {
    recording->SampleCount = Recording::kFullCapacity;
    CropRecording(*recording, {1, recording->SampleCount});
    benchmark::DoNotOptimize(recording->LinSpeedX[recording->SampleCount - 1]);
  }
  state.counters["target_ms"] = 20;
}
BENCHMARK(BM_Crop)->Unit(benchmark::kMillisecond);

// What the machine does meanwhile: the same four channels moved by a plain copy.
void BM_Crop_Baseline(benchmark::State& state) {
  const std::unique_ptr<Recording> recording = FullRecording();
  for (auto _ : state) {
    for (Recording::Array* channel :
         {&recording->CodesX, &recording->CodesY, &recording->CodesZ, &recording->Temperature}) {
      std::copy(channel->get() + 1, channel->get() + Recording::kFullCapacity, channel->get());
    }
    benchmark::DoNotOptimize(recording->CodesX[0]);
  }
}
BENCHMARK(BM_Crop_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
