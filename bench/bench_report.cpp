// The analysis report of a full recording (1,500,000 samples, whole
// interval) drawn as a PDF at 1200 dpi, its results computed beforehand.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchRecording.h"
#include "QtBenchmarkMain.h"
#include "report/AnalysisReport.h"
#include "report/SessionReport.h"

namespace {

struct FullAnalysis {
  std::unique_ptr<Session> session = LoadedFullSession();
  const Recording& recording = session->Data();
  SessionReport analysis{*session, {0, recording.SampleCount - 1}, ReportRequest{}};

  AnalysisReport Report() const { return analysis.Report("today"); }
};

std::unique_ptr<FullAnalysis> gAnalysis;

void BM_AnalysisReportPdf(benchmark::State& state) {
  if (!gAnalysis) gAnalysis = std::make_unique<FullAnalysis>();
  std::size_t bytes = 0;
  for (auto _ : state)
    bytes = static_cast<std::size_t>(AnalysisReportPdf(gAnalysis->Report()).size());
  state.counters["kB"] = static_cast<double>(bytes) / 1e3;
  state.counters["target_ms"] = 1000;
}
BENCHMARK(BM_AnalysisReportPdf)->Unit(benchmark::kMillisecond);

// What the machine does meanwhile: the magnitude of the three axes in one plain pass.
void BM_AnalysisReportPdf_Baseline(benchmark::State& state) {
  if (!gAnalysis) gAnalysis = std::make_unique<FullAnalysis>();
  for (auto _ : state) benchmark::DoNotOptimize(PlainMagnitudeSum(gAnalysis->recording));
}
BENCHMARK(BM_AnalysisReportPdf_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { gAnalysis.reset(); });
}
