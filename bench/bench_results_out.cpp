// Results leaving the program, for a full recording (1,500,000 samples): the
// interval data as CSV and as a workbook, and the codes text file against
// the formatting it had before whole codes took their own road.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "BenchRecording.h"
#include "analysis/IntervalDataExport.h"
#include "files/CodesTextFile.h"
#include "files/FileWriter.h"
#include "model/AnalysisSettings.h"
#include "text/NumberText.h"

namespace {

const Recording& FullRecording() {
  static const std::unique_ptr<Session> session = [] {
    auto s = LoadedFullSession();
    s->RefreshVibroSpeed();
    return s;
  }();
  return session->Data();
}

SampleInterval Whole() {
  return {0, FullRecording().SampleCount - 1};
}

void Export(benchmark::State& state, const std::string& path, DataFileFormat format,
            double targetMs) {
  const IntervalDataDetails details{"bench-full.dat", kDefaultCutoff, "bench", "today"};
  for (auto _ : state) {
    ExportIntervalData(path, format, FullRecording(), Whole(),
                       AccelerationUnit::MetresPerSecondSquared, details);
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.counters["target_ms"] = targetMs;
  std::filesystem::remove(path);
}

void BM_ExportIntervalCsv(benchmark::State& state) {
  Export(state, "bench-interval.csv", DataFileFormat::Csv, 1500);
}
BENCHMARK(BM_ExportIntervalCsv)->Unit(benchmark::kMillisecond);

// What the disk alone takes: as many bytes through the file writer, from memory.
void BM_ExportIntervalCsv_Baseline(benchmark::State& state) {
  ExportIntervalData("bench-size.csv", DataFileFormat::Csv, FullRecording(), Whole(),
                     AccelerationUnit::MetresPerSecondSquared, {});
  const std::string bytes(std::filesystem::file_size("bench-size.csv"), 'x');
  std::filesystem::remove("bench-size.csv");
  for (auto _ : state) {
    FileWriter file("bench-plain.csv");
    file.Write(bytes);
    file.Commit();
  }
  std::filesystem::remove("bench-plain.csv");
}
BENCHMARK(BM_ExportIntervalCsv_Baseline)->Unit(benchmark::kMillisecond);

void BM_ExportIntervalXlsx(benchmark::State& state) {
  Export(state, "bench-interval.xlsx", DataFileFormat::Xlsx, 15000);
}
BENCHMARK(BM_ExportIntervalXlsx)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WriteCodesTextFile(benchmark::State& state) {
  for (auto _ : state) WriteCodesTextFile("bench-codes.txt", FullRecording());
  state.counters["target_ms"] = 500;
  state.counters["max_ratio"] = 0.5;  // at least twice as fast as before
  std::filesystem::remove("bench-codes.txt");
}
BENCHMARK(BM_WriteCodesTextFile)->Unit(benchmark::kMillisecond);

// The same file with every code through FormatFixed, as it was written before.
void BM_WriteCodesTextFile_Baseline(benchmark::State& state) {
  const Recording& r = FullRecording();
  for (auto _ : state) {
    std::string text;
    text.reserve(static_cast<std::size_t>(r.SampleCount) * 20);
    for (std::uint32_t i = 0; i < r.SampleCount; ++i) {
      text += FormatFixed(r.CodesX[i], 15, 0) + ';' + FormatFixed(r.CodesY[i], 15, 0) + ';' +
              FormatFixed(r.CodesZ[i], 15, 0) + "\r\n";
    }
    FileWriter file("bench-codes-before.txt");
    file.Write(text);
    file.Commit();
  }
  std::filesystem::remove("bench-codes-before.txt");
}
BENCHMARK(BM_WriteCodesTextFile_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
