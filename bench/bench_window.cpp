// The main window on a full-capacity recording with every curve shown: the
// redraw after the linear speed changed (with the vibration-speed filter
// pass), the redraw after toggling a curve (no filter pass), and a mouse move
// in tracking mode (crosshair, readout and the rows-only calculation).
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <memory>

#include "FullWindow.h"
#include "QtBenchmarkMain.h"
#include "analysis/DerivedData.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/ShockEventsWindow.h"

namespace {

struct WindowBench : FullWindow {
  void MoveMouse(QPoint at) {
    QCursor::setPos(form.CHART->mapToGlobal(at));
    QMouseEvent move(QEvent::MouseMove, at, form.CHART->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(form.CHART, &move);
  }
};

// Widgets must go before the application object does.
std::unique_ptr<WindowBench> gBench;

WindowBench& Bench() {
  if (!gBench) gBench = std::make_unique<WindowBench>();
  return *gBench;
}

void BM_UpdateGraph(benchmark::State& state) {
  WindowBench& bench = Bench();
  for (auto _ : state) {
    bench.form.RecordingSession().Derived().LinearSpeedChanged();  // as after the speed command
    bench.form.UpdateGraph();
  }
  state.counters["target_ms"] = 150;
}

// The vibration speed stays shown; the toggled curve changes nothing the
// filter reads.
void BM_RedrawAfterTogglingACurve(benchmark::State& state) {
  WindowBench& bench = Bench();
  bench.form.UpdateGraph();
  for (auto _ : state) bench.form.AccelY_line->trigger();
  state.counters["target_ms"] = 5;
}

void RunTrackingMouseMoves(benchmark::State& state) {
  WindowBench& bench = Bench();
  const QRect plot = bench.form.CHART->PlotRect();
  bench.form.ChartHelper->SetSection(ChartPoint{0.0, 0.0});
  bench.form.SpyData->setChecked(true);
  bench.form.CHART->Repaint();
  const std::uint64_t dataDraws = bench.form.CHART->DataDrawCount();
  int step = 0;
  for (auto _ : state) {
    const int x = plot.left() + 10 + (step++ % 2) * (plot.width() / 2);
    bench.MoveMouse(QPoint(x, plot.center().y()));
  }
  if (bench.form.CHART->DataDrawCount() != dataDraws)
    state.SkipWithError("a mouse move repainted the data");
  bench.form.SpyData->setChecked(false);
  state.counters["target_ms"] = 16;
}

void BM_TrackingMouseMove(benchmark::State& state) {
  RunTrackingMouseMoves(state);
}

// The same with the window "События" open, which follows every move.
void BM_TrackingMouseMoveWithEvents(benchmark::State& state) {
  Bench().form.ShockEventsItem->trigger();
  RunTrackingMouseMoves(state);
  Bench().form.findChild<ShockEventsWindow*>()->hide();
}

}  // namespace

BENCHMARK(BM_UpdateGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterTogglingACurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackingMouseMove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackingMouseMoveWithEvents)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { gBench.reset(); });
}
