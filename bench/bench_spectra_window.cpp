// A crosshair move over the vibration spectrum of the window "Спектры" on a
// full-capacity recording, after a thousand moves: each move takes the old
// pair of lines off the overlay and draws the new one, so its cost must not
// grow with the moves before it. The baseline is the same move on a freshly
// repainted chart, before any other.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <memory>
#include <stdexcept>

#include "BenchRecording.h"
#include "QtBenchmarkMain.h"
#include "app/Startup.h"
#include "ui/QtUserDialogs.h"
#include "view/ChartSurface.h"
#include "view/SpectraWindow.h"

namespace {

constexpr int kMovesBefore = 1000;

struct SpectraBench {
  QtUserDialogs dialogs;  // the moves ask the user nothing
  std::unique_ptr<ProgramWindows> windows = CreateProgramWindows(dialogs);
  TMainForm& form = *windows->MainForm;
  SpectraWindow* window = nullptr;
  int step = 0;

  SpectraBench() {
    form.RecordingSession().LoadLoggerBytes(loggen::MakeLoggerFile(FullCapacityOptions()),
                                            "bench.dat");
    form.SelectInterval(0.000, 1499.999);
    form.show();
    form.SpectraItem->trigger();
    window = form.findChild<SpectraWindow*>();
    if (window->PsdChart->Series(0)->PointCount() == 0) {
      throw std::runtime_error("the spectra window shows no spectrum");
    }
    window->PsdChart->Repaint();
  }
  ChartSurface& Chart() { return *window->PsdChart; }
  void Move() {
    const QRect plot = Chart().PlotRect();
    const QPoint at = plot.topLeft() + QPoint(step * 7 % plot.width(), step * 3 % plot.height());
    ++step;
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(Chart().mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&Chart(), &move);
    QApplication::processEvents();  // the widget shows the new overlay
  }
};

std::unique_ptr<SpectraBench> gBench;  // widgets must go before the application

SpectraBench& Bench() {
  if (!gBench) gBench = std::make_unique<SpectraBench>();
  return *gBench;
}

void BM_SpectraCrosshairMove(benchmark::State& state) {
  SpectraBench& bench = Bench();
  bench.Chart().Repaint();
  for (int i = 0; i < kMovesBefore; ++i) bench.Move();
  const std::uint64_t draws = bench.Chart().DataDrawCount();
  for (auto _ : state) bench.Move();
  if (bench.Chart().DataDrawCount() != draws) {
    state.SkipWithError("a crosshair move repainted the spectra");
  }
  if (bench.Chart().OverlayLines().size() != 2) {
    state.SkipWithError("the overlay holds more than one pair of lines");
  }
  state.counters["target_ms"] = 2;
  state.counters["max_ratio"] = 1.5;
}
BENCHMARK(BM_SpectraCrosshairMove)->Unit(benchmark::kMillisecond);

// One move after each full repaint.
void BM_SpectraCrosshairMove_Baseline(benchmark::State& state) {
  SpectraBench& bench = Bench();
  for (auto _ : state) {
    state.PauseTiming();
    bench.Chart().Repaint();
    state.ResumeTiming();
    bench.Move();
  }
}
BENCHMARK(BM_SpectraCrosshairMove_Baseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { gBench.reset(); });
}
