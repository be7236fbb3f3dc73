// The crop's undo on a full-capacity recording: a crop and its undo in the
// session, and the resident memory of the window with every curve shown
// before and after five crops that each keep all but two seconds (what the
// undo keeps is then at its largest).
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchRecording.h"
#include "FullWindow.h"
#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"

namespace {

// Drops the first sample and gives it back.
void BM_CropAndUndo(benchmark::State& state) {
  const std::unique_ptr<Session> session = LoadedFullSession();
  for (auto _ : state) {
    session->SelectInterval({1.0, static_cast<double>(session->Data().SampleCount)});
    if (!session->Crop() || !session->UndoCrop()) state.SkipWithError("no crop to undo");
  }
  state.counters["target_ms"] = 40;
}
BENCHMARK(BM_CropAndUndo)->Unit(benchmark::kMillisecond);

struct WindowBench : FullWindow {
  void CropTwoSeconds() {
    const double last = (form.RecordingSession().Data().SampleCount - 1) * Recording::TimeStep;
    form.SelectInterval(1.0, last - 1.0);
    form.CropClick();
  }
};

// Widgets must go before the application object does.
std::unique_ptr<WindowBench> gBench;

void MeasureResident(benchmark::State& state, int crops) {
  if (!gBench) gBench = std::make_unique<WindowBench>();
  // Repetitions find the crops of the first one already made.
  const Session& session = gBench->form.RecordingSession();
  for (int i = 0; i < crops && session.CropUndoCount() < static_cast<std::size_t>(crops); ++i) {
    gBench->CropTwoSeconds();
  }
  if (session.CropUndoCount() != static_cast<std::size_t>(crops)) {
    state.SkipWithError("the crops were not all kept for undo");
  }
  double megabytes = 0.0;
  for (auto _ : state) benchmark::DoNotOptimize(megabytes = ResidentMegabytes());
  state.counters["rss_mb"] = megabytes;
  state.counters["target_rss_mb"] = 450;
}

void BM_WindowEveryCurveShown(benchmark::State& state) {
  MeasureResident(state, 0);
}
BENCHMARK(BM_WindowEveryCurveShown)->Iterations(1);

void BM_WindowAfterFiveCrops(benchmark::State& state) {
  MeasureResident(state, 5);
}
BENCHMARK(BM_WindowAfterFiveCrops)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { gBench.reset(); });
}
