// Decoding a full-capacity logger file (75,000 blocks, 1,500,000 samples)
// into the recording, against a plain pass writing the same arrays.
#include <benchmark/benchmark.h>

#include "BenchRecording.h"
#include "LoggerFileWriter.h"
#include "session/Session.h"

namespace {

const std::vector<std::uint8_t>& FullFile() {
  static const std::vector<std::uint8_t> bytes = loggen::MakeLoggerFile(FullCapacityOptions());
  return bytes;
}

Session& Target() {
  static Session session;
  return session;
}

// What the import does: decode, then integrate the linear speed.
void BM_DecodeLoggerFile(benchmark::State& state) {
  const auto& bytes = FullFile();
  for (auto _ : state) {
    benchmark::DoNotOptimize(Target().LoadLoggerBytes(bytes, "full.dat"));
    benchmark::ClobberMemory();
  }
  state.counters["target_ms"] = 30;
  state.counters["max_ratio"] = 3;
}

// The same five arrays written once per sample from the file's bytes, with
// no decoding beyond a byte load.
void BM_DecodeLoggerFile_Baseline(benchmark::State& state) {
  const auto& bytes = FullFile();
  Recording& r = Target().Data();
  for (auto _ : state) {
    for (std::size_t k = 0; k < static_cast<std::size_t>(Recording::kFullCapacity); ++k) {
      const std::uint8_t* sample = bytes.data() + (k / 20) * 128 + 6 + 6 * (k % 20);
      r.CodesX[k] = sample[0];
      r.CodesY[k] = sample[2];
      r.CodesZ[k] = sample[4];
      r.Temperature[k] = sample[1];
      r.LinSpeedX[k + 1] = sample[3];
    }
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_DecodeLoggerFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeLoggerFile_Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
